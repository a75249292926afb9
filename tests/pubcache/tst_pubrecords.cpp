#include <pubcache/stockyjmodel.h>
#include <pubcache/ztxmlmenu.h>

#include <QtTest>

using Attributes = QHash<QString, QString>;

class tst_PubRecords : public QObject
{
    Q_OBJECT

private slots:
    void xmlMenuChecked_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("checked");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0") << "0" << false;
        QTest::newRow("junk") << "yes please" << false;
    }

    void xmlMenuChecked()
    {
        QFETCH(QString, value);
        QFETCH(bool, checked);
        QCOMPARE(ZtXMLMenu({{"isChecked", value}}).getIsChecked(), checked);
    }

    void xmlMenuType_data()
    {
        QTest::addColumn<Attributes>("attributes");
        QTest::addColumn<int>("type");
        QTest::newRow("missing is a button") << Attributes{{"name", "a"}} << int(XmlType_Button);
        QTest::newRow("stretch") << Attributes{{"type", "1"}} << int(XmlType_Stretch);
        QTest::newRow("label with blanks") << Attributes{{"type", " 2 "}} << int(XmlType_Label);
        QTest::newRow("not a number") << Attributes{{"type", "button"}} << int(XmlType_None);
    }

    void xmlMenuType()
    {
        QFETCH(Attributes, attributes);
        QFETCH(int, type);
        QCOMPARE(int(ZtXMLMenu(attributes).getType()), type);
    }

    void yjModelCases()
    {
        StockYJModel model("SH600000");
        model.setCase(StockYJCase("a", 17030, ">=", "10.00", "股价", "价格预警", "元"));
        model.setCase(StockYJCase("b", 22030, "<=", "-5", "涨幅", "跌幅预警", "%"));
        QVERIFY(model.hasActiveCase());
        // Same id replaces in place.
        model.setCase(StockYJCase("a", 17030, ">=", "11.00", "股价", "价格预警", "元"));
        QCOMPARE(model.count(), 2);
        QCOMPARE(model.getCaseList().at(0).getThreshold(), QStringLiteral("11.00"));
        QVERIFY(model.setCaseActive("a", false));
        QVERIFY(model.setCaseActive("b", false));
        QVERIFY(!model.setCaseActive("zz", false));
        QVERIFY(!model.hasActiveCase());
        QVERIFY(model.removeCase("a"));
        QCOMPARE(model.indexOf("b"), 0);
    }
};

QTEST_APPLESS_MAIN(tst_PubRecords)
#include "tst_pubrecords.moc"
