#include <ztlib/dqdquery.h>
#include <ztlib/q_dd_now.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QtTest>

#include <testrows.h>

namespace {

DQDUnionReader security(const QString& unique, int type = ZtE_ZQLX_AShare)
{
    return TestRows::security(unique, QString(), type, 10.5);
}

DQDDataList listOf(int n)
{
    DQDDataList list;
    for (int i = 0; i < n; ++i)
        list.append(security(TestRows::codeOf(i)));
    return list;
}

}

class tst_DQDQuery : public QObject
{
    Q_OBJECT

private slots:
    void missingKeyReadsDash()
    {
        DQDReader row;
        QVERIFY(row.isEmpty());
        QCOMPARE(row.getValue(17030), QVariant(QStringLiteral("-")));
        row.setValue(17030, 1.25);
        QVERIFY(!row.isEmpty());
        QCOMPARE(row.getValue(17031), QVariant(QStringLiteral("-")));
        QCOMPARE(row.getUniqueValue(0), QString());
    }

    void rowCopyOnWrite()
    {
        DQDUnionReader a = security(QStringLiteral("SZ000001"));
        DQDUnionReader b = a;
        QVERIFY(a.sharesDataWith(b));
        QVERIFY(a == b);
        b.setValue(ZtField::Last, 11.0);
        QVERIFY(!a.sharesDataWith(b));
        QCOMPARE(a.getValue(ZtField::Last).toDouble(), 10.5);
        QCOMPARE(b.getValue(ZtField::Last).toDouble(), 11.0);
        QVERIFY(a != b);
        QVERIFY(a.copy() == a);
    }

    void rowKinds_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("isStock");
        QTest::addColumn<bool>("places3");
        QTest::newRow("A share") << int(ZtE_ZQLX_AShare) << 2 << true << false;
        QTest::newRow("B share, three decimals") << int(ZtE_ZQLX_BShare) << 3 << true << true;
        QTest::newRow("index") << int(ZtE_ZQLX_Index) << 2 << false << false;
        QTest::newRow("no type") << -1 << 0 << false << false;
    }

    void rowKinds()
    {
        QFETCH(int, type);
        QFETCH(int, decimals);
        QFETCH(bool, isStock);
        QFETCH(bool, places3);
        DQDReader row;
        row.setValue(ZtField::Code, QStringLiteral("1"));
        if (type >= 0)
            row.setValue(ZtField::Type, type);
        if (decimals)
            row.setValue(ZtField::Decimals, decimals);
        QCOMPARE(row.isStock(), isStock);
        QCOMPARE(row.isShowPlaces3(), places3);
    }

    void listCopyOnWrite()
    {
        DQDDataList a = listOf(3);
        a.setDataDownTime(20261206093000000);
        DQDDataList b = a;
        QVERIFY(a.sharesDataWith(b));
        // A const read does not detach.
        const DQDDataList& cb = b;
        QVERIFY(cb.at(0));
        QVERIFY(a.sharesDataWith(b));
        // A write through the pointer of the copy stays in the copy.
        b.at(0)->setValue(ZtField::Last, 99.0);
        QVERIFY(!a.sharesDataWith(b));
        QCOMPARE(a.at(0)->getValue(ZtField::Last).toDouble(), 10.5);
        QCOMPARE(b.at(0)->getValue(ZtField::Last).toDouble(), 99.0);
        b.DataRemove(0, 1);
        QCOMPARE(a.count(), 3);
        QCOMPARE(b.count(), 2);
        QCOMPARE(b.getDataDownTime(), a.getDataDownTime());
    }

    void valueFindsByJoinedKeys_data()
    {
        QTest::addColumn<QString>("k1");
        QTest::addColumn<QString>("k2");
        QTest::addColumn<QString>("k3");
        QTest::addColumn<int>("row");
        QTest::newRow("combined code") << "SH600002" << "" << "" << 2;
        QTest::newRow("market and code") << "SH" << "600001" << "" << 1;
        QTest::newRow("three parts") << "S" << "H" << "600000" << 0;
        QTest::newRow("absent") << "SZ600000" << "" << "" << -1;
        QTest::newRow("empty") << "" << "" << "" << -1;
    }

    void valueFindsByJoinedKeys()
    {
        QFETCH(QString, k1);
        QFETCH(QString, k2);
        QFETCH(QString, k3);
        QFETCH(int, row);
        const DQDDataList list = listOf(3);
        const DQDUnionReader* found = list.value(k1, k2, k3);
        const DQDUnionReader copy = list.valueCopy(k1, k2, k3);
        if (row < 0) {
            QVERIFY(!found);
            QVERIFY(copy.isEmpty());
        } else {
            QVERIFY(found);
            QCOMPARE(found, list.at(row));
            QVERIFY(copy == *list.at(row));
        }
    }

    void indexFollowsInsertAndRemove()
    {
        DQDDataList list = listOf(5);
        list.InsertUnionReader(0, security(QStringLiteral("SZ000001")));
        QCOMPARE(list.indexOf(QStringLiteral("SZ000001")), 0);
        QCOMPARE(list.indexOf(QStringLiteral("SH600004")), 5);
        list.DataRemove(1, 2);
        QCOMPARE(list.count(), 4);
        QCOMPARE(list.indexOf(QStringLiteral("SH600000")), -1);
        QCOMPARE(list.indexOf(QStringLiteral("SH600002")), 1);
        list.replace(1, security(QStringLiteral("SZ300750")));
        QCOMPARE(list.indexOf(QStringLiteral("SH600002")), -1);
        QCOMPARE(list.indexOf(QStringLiteral("SZ300750")), 1);
        // Out-of-range edits change nothing.
        list.DataRemove(10, 3);
        list.DataRemove(-1, 3);
        list.replace(99, security(QStringLiteral("SH1")));
        QCOMPARE(list.count(), 4);
        QVERIFY(!list.at(4));
        QVERIFY(!list.at(-1));
    }

    void quoteValidity_data()
    {
        QTest::addColumn<qint64>("quoteTime");
        QTest::addColumn<qint64>("marketTime");
        QTest::addColumn<bool>("valid");
        QTest::newRow("same") << qint64(20261206100000000) << qint64(20261206100000000) << true;
        QTest::newRow("newer quote") << qint64(20261206100001000) << qint64(20261206100000000) << true;
        QTest::newRow("lagging quote") << qint64(20261206095959000) << qint64(20261206100000000) << false;
    }

    void quoteValidity()
    {
        QFETCH(qint64, quoteTime);
        QFETCH(qint64, marketTime);
        QFETCH(bool, valid);
        Q_DD_Now q = security(QStringLiteral("SH000001"), ZtE_ZQLX_Index);
        q.setValue(ZtField::QuoteTime, quoteTime);
        QCOMPARE(q.CheckDataIsValid(marketTime), valid);
        QVERIFY(!Q_DD_Now().CheckDataIsValid(0));
    }

    void metaTypesRegisteredByName_data()
    {
        QTest::addColumn<QByteArray>("name");
        for (const char* n : {"DQDDataList", "DQDUnionReader", "Q_DD_Now", "QVector<Q_DD_Now>", "ZtE_Period",
                              "ZtE_DIVID", "ZtE_RegDataType", "ZtE_FormulaDataType"})
            QTest::newRow(n) << QByteArray(n);
    }

    void metaTypesRegisteredByName()
    {
        QFETCH(QByteArray, name);
        QVERIFY2(QMetaType::type(name.constData()) != QMetaType::UnknownType, name.constData());
    }
};

QTEST_APPLESS_MAIN(tst_DQDQuery)
#include "tst_dqdquery.moc"
