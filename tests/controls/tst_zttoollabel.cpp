#include <controls/zttoollabel.h>

#include <QLabel>
#include <QLayout>
#include <QtTest>

static const char icon[] = ":/images/BaseForm/img_close_none.png";

class tst_ZtToolLabel : public QObject
{
    Q_OBJECT

private slots:
    void fromRecord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("iconPath");
        QTest::addColumn<bool>("textShown");
        QTest::addColumn<bool>("iconShown");
        QTest::newRow("icon only") << "" << icon << false << true;
        QTest::newRow("text only") << "行情" << "" << true << false;
        QTest::newRow("both") << "行情" << icon << true << true;
        QTest::newRow("icon that does not load") << "行情" << ":/no/such.png" << true << false;
    }

    void fromRecord()
    {
        QFETCH(QString, text);
        QFETCH(QString, iconPath);
        QFETCH(bool, textShown);
        QFETCH(bool, iconShown);
        const ZtXMLMenu xml({{QStringLiteral("name"), QStringLiteral("tool_quote")},
                             {QStringLiteral("text"), text},
                             {QStringLiteral("icon"), iconPath}});
        ZtToolLabel label(false, xml, nullptr);
        QCOMPARE(!label.textLabel()->isHidden(), textShown);
        QCOMPARE(!label.iconLabel()->isHidden(), iconShown);
    }

    void emptyTextKeepsPrevious()
    {
        ZtToolLabel label(true, nullptr);
        label.setText(QStringLiteral("资讯"));
        label.setText(QString());
        QCOMPARE(label.textLabel()->text(), QStringLiteral("资讯"));
        QVERIFY(!label.textLabel()->isHidden());
        label.setIcon(QString::fromLatin1(icon));
        label.setIcon(QString());
        QVERIFY(!label.iconLabel()->isHidden());
    }

};

QTEST_MAIN(tst_ZtToolLabel)
#include "tst_zttoollabel.moc"
