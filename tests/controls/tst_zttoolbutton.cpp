#include <controls/zttoolbutton.h>

#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_ZtToolButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        mBlue = pixmapFile(QStringLiteral("blue.png"), Qt::blue);
        mGreen = pixmapFile(QStringLiteral("green.png"), Qt::green);
        QVERIFY(!mBlue.isEmpty() && !mGreen.isEmpty());
    }

    void choices_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("checkedBefore");
        QTest::addColumn<int>("reports");  // always with true
        QTest::addColumn<bool>("checkedAfter");

        QTest::newRow("mouse, plain") << "mouse" << false << false << false << 1 << false;
        QTest::newRow("mouse, check") << "mouse" << true << false << false << 1 << true;
        QTest::newRow("mouse, uncheck is not reported") << "mouse" << true << false << true << 0 << false;
        QTest::newRow("mouse, force-checked") << "mouse" << true << true << true << 0 << true;
        QTest::newRow("click(), checked") << "click" << true << false << true << 1 << true;
        QTest::newRow("setChecked") << "check" << true << false << false << 0 << true;
        QTest::newRow("doSyncClicked, toggle") << "sync-toggle" << true << false << false << 1 << false;
        QTest::newRow("doSyncClicked, click") << "sync-click" << false << false << false << 1 << false;
        QTest::newRow("doSyncClicked, mismatch") << "sync-toggle" << false << false << false << 0 << false;
    }

    void choices()
    {
        QFETCH(QString, how);
        QFETCH(bool, checkable);
        QFETCH(bool, force);
        QFETCH(bool, checkedBefore);
        QFETCH(int, reports);
        QFETCH(bool, checkedAfter);

        ZtToolButton button(nullptr);
        button.setText(QStringLiteral("行情"));
        button.resize(60, 30);
        button.setCheckable(checkable);
        button.setIsForceCheck(force);
        button.setChecked(checkedBefore);
        QSignalSpy spy(&button, &ZtToolButton::onSyncClicked);

        if (how == QLatin1String("mouse"))
            QTest::mouseClick(&button, Qt::LeftButton);
        else if (how == QLatin1String("click"))
            button.click();
        else if (how == QLatin1String("check"))
            button.setChecked(true);
        else
            button.doSyncClicked(how == QLatin1String("sync-toggle"), true);

        QCOMPARE(spy.count(), reports);
        for (const QList<QVariant>& args : spy) {
            QCOMPARE(args.at(0).value<ZtToolButton*>(), &button);
            QVERIFY(args.at(1).toBool());
        }
        QCOMPARE(button.isChecked(), checkedAfter);
    }

    void fromDefinitionWithActiveIcon()
    {
        const ZtXMLMenu xml(QHash<QString, QString>{{QStringLiteral("name"), QStringLiteral("btnZXG")},
                                                     {QStringLiteral("text"), QStringLiteral("自选股")},
                                                     {QStringLiteral("tabName"), QStringLiteral("zxg")},
                                                     {QStringLiteral("isChecked"), QStringLiteral("true")},
                                                     {QStringLiteral("icon"), mBlue},
                                                     {QStringLiteral("iconActive"), mGreen}});
        ZtToolButton button(xml, true, nullptr);
        button.resize(80, 40);
        QVERIFY(button.isCheckable());
        button.setText(QString());
        QCOMPARE(button.text(), QStringLiteral("自选股"));

        const auto iconColour = [&button] { return button.icon().pixmap(24).toImage().pixelColor(2, 2); };
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(iconColour(), QColor(Qt::green));
        button.setChecked(false);  // the program's change keeps the icon
        QCOMPARE(iconColour(), QColor(Qt::green));
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(iconColour(), QColor(Qt::blue));
        button.setIsForceCheck(true);
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);  // undone uncheck: still active
        QVERIFY(button.isChecked());
        QCOMPARE(iconColour(), QColor(Qt::green));
    }

    void style_data()
    {
        QTest::addColumn<bool>("text");
        QTest::addColumn<bool>("icon");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("style");

        QTest::newRow("both, horizontal") << true << true << true << int(Qt::ToolButtonTextBesideIcon);
        QTest::newRow("both, vertical") << true << true << false << int(Qt::ToolButtonTextUnderIcon);
        QTest::newRow("text only") << true << false << true << int(Qt::ToolButtonTextOnly);
        QTest::newRow("icon only") << false << true << false << int(Qt::ToolButtonIconOnly);
        QTest::newRow("neither: unchanged") << false << false << true << int(Qt::ToolButtonFollowStyle);
    }

    void style()
    {
        QFETCH(bool, text);
        QFETCH(bool, icon);
        QFETCH(bool, horizontal);
        QFETCH(int, style);

        ZtToolButton button(nullptr);
        button.setToolButtonStyle(Qt::ToolButtonFollowStyle);
        button.setIsHorizontal(horizontal);
        button.setText(text ? QStringLiteral("板块") : QString());
        button.setIcon(icon ? mBlue : QString());
        QCOMPARE(int(button.toolButtonStyle()), style);
    }

    // The push button's badge (its numbers are tested there), over this button's own icon.
    void badge_data()
    {
        QTest::addColumn<bool>("icon");
        QTest::newRow("over the icon") << true;
        QTest::newRow("no icon, no badge") << false;
    }

    void badge()
    {
        QFETCH(bool, icon);
        ZtToolButton button(nullptr);
        button.resize(100, 80);
        button.setText(QStringLiteral("消息"));
        if (icon)
            button.setIcon(mBlue);
        button.setPromptNumber(QStringLiteral("12"));
        const QImage image = button.grab().toImage();
        const QRect square((100 - 24) / 2 + 15, (80 - 24) / 2 - 15, 20, 20);
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80)
                    ++(square.contains(x, y) ? inside : outside);
            }
        }
        QCOMPARE(outside, 0);
        QCOMPARE(inside > 150, icon);
    }

private:
    QString pixmapFile(const QString& name, const QColor& colour)
    {
        QPixmap pixmap(24, 24);
        pixmap.fill(colour);
        const QString path = mDir.filePath(name);
        return pixmap.save(path) ? path : QString();
    }

    QTemporaryDir mDir;
    QString mBlue;
    QString mGreen;
};

QTEST_MAIN(tst_ZtToolButton)
#include "tst_zttoolbutton.moc"
