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

};

QTEST_APPLESS_MAIN(tst_PubRecords)
#include "tst_pubrecords.moc"
