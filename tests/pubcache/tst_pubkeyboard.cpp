#include <pubcache/pubcache.h>
#include <pubcache/pubkeyboard.h>

#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QtTest>

namespace {

DQDReader securityRow(const QString& market, const QString& code, const QString& name, int type,
                   const QString& pinyin = QString())
{
    DQDReader row;
    row.setValue(ZtField::Market, market);
    if (!code.isEmpty())
        row.setValue(ZtField::Code, code);
    row.setValue(ZtField::Name, name);
    row.setValue(ZtField::UniqueCode, market + code);
    row.setValue(ZtField::Type, type);
    if (!pinyin.isEmpty())
        row.setValue(ZtField::Pinyin, pinyin);
    return row;
}

DQDDataList listOf(const QList<DQDReader>& rows)
{
    DQDDataList list;
    for (const DQDReader& r : rows)
        list.append(r);
    return list;
}

}

class tst_PubKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void security_data()
    {
        QTest::addColumn<DQDReader>("row");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("secondKey");

        // 行 reads xing first in Unihan; the data library's own initials are kept as well.
        const int a = ZtE_ZQLX_AShare;
        QTest::newRow("A share") << securityRow("SH", "600000", "浦发银行", a, "PFYH") << "600000|PFYX|PFYH" << "A股" << "SH600000";
        QTest::newRow("same initials once") << securityRow("SZ", "000002", "万科A", a, "wkA") << "000002|WKA" << "A股" << "SZ000002";
        QTest::newRow("B share") << securityRow("SZ", "200002", "万科B", ZtE_ZQLX_BShare) << "200002|WKB" << "B股" << "SZ200002";
        QTest::newRow("index") << securityRow("SH", "000001", "上证指数", ZtE_ZQLX_Index) << "000001|SZZS" << "指数" << "SH000001";
        QTest::newRow("sector") << securityRow("BK", "0475", "半导体", ZtE_ZQLX_Index) << "0475|BDT" << "板块" << "BK0475";
        QTest::newRow("special treatment") << securityRow("SH", "600873", "*ST 海天", a) << "600873|STHT" << "A股" << "SH600873";
    }

    void security()
    {
        QFETCH(DQDReader, row);
        QFETCH(QString, keys);
        QFETCH(QString, type);
        QFETCH(QString, secondKey);
        const QList<UserKeyBoard> list = PubKeyboard::build(listOf({row}));
        QVERIFY(!list.isEmpty());
        const UserKeyBoard& entry = list.first();
        QCOMPARE(entry.getKeys(), keys);
        QCOMPARE(entry.getType(), type);
        QCOMPARE(entry.getSecondKey(), secondKey);
        QVERIFY(entry.getStock().sameValues(row));
    }

    void rowsWithoutTypeOrCodeAreLeftOut()
    {
        const QList<UserKeyBoard> list = PubKeyboard::build(listOf({securityRow("SH", "600000", "浦发银行", 0),
                                                                    securityRow("SH", "", "无代码", ZtE_ZQLX_AShare),
                                                                    DQDReader(),
                                                                    securityRow("SH", "600004", "白云机场", ZtE_ZQLX_AShare)}));
        QCOMPARE(list.first().getCode(), QStringLiteral("600004"));
        QCOMPARE(list.first().getIndex(), 0);
        QVERIFY(list.at(1).getStock().isEmpty());
    }

    void functionsAndIndicatorsFollowSecurities()
    {
        const QList<UserKeyBoard> list =
            PubKeyboard::build(listOf({securityRow("SH", "600000", "浦发银行", ZtE_ZQLX_AShare)}));
        QCOMPARE(list.first().getType(), QStringLiteral("A股"));
        // Functions first, then indicators.
        QString lastType;
        for (const UserKeyBoard& e : list.mid(1)) {
            QVERIFY(e.getStock().isEmpty());
            QVERIFY(!e.getMenu().isEmpty());
            QVERIFY(!e.getName().isEmpty());
            QVERIFY2(e.getType() == "功能" ? lastType != "指标" : e.getType() == "指标", qPrintable(e.getName()));
            lastType = e.getType();
        }
        QCOMPARE(lastType, QStringLiteral("指标"));

        // The watchlist function answers to its shortcut, its own initials and the shipped ones.
        const auto zxg = std::find_if(list.cbegin(), list.cend(),
                                      [](const UserKeyBoard& e) { return e.getName() == QStringLiteral("自选股"); });
        QVERIFY(zxg != list.cend());
        QCOMPARE(zxg->getKeys(), QStringLiteral("06|ZXG"));
        QCOMPARE(zxg->getMenu().getTabName(), QStringLiteral("PageZxg"));
        const auto macd = std::find_if(list.cbegin(), list.cend(),
                                       [](const UserKeyBoard& e) { return e.getCode() == QLatin1String("MACD"); });
        QVERIFY(macd != list.cend());
        QVERIFY(macd->getKeys().startsWith("MACD|"));
    }

    // The keyboard fairy compares upper-cased input with the split keys as they are.
    void keysAreCleanAndIndexed()
    {
        const QList<UserKeyBoard> list = PubKeyboard::build(
            listOf({securityRow("SH", "600000", "浦发银行", ZtE_ZQLX_AShare, "pf yh"),
                    securityRow("SZ", "000001", "平安银行", ZtE_ZQLX_AShare)}));
        for (int i = 0; i < list.size(); ++i) {
            const UserKeyBoard& e = list.at(i);
            QCOMPARE(e.getIndex(), i);
            QCOMPARE(e.getKeys(), e.getKeys().toUpper());
            QCOMPARE(e.getSecondKey(), e.getSecondKey().toUpper());
            QVERIFY2(!e.getKeys().isEmpty(), qPrintable(e.getName()));
            for (const QString& part : e.getKeys().split('|'))
                QVERIFY2(!part.trimmed().isEmpty(), qPrintable(e.getKeys()));
        }
    }

    void loadFromMarket()
    {
        auto market = std::make_shared<ScriptedMarket>();
        market->setSecurityList(listOf({securityRow("SH", "000001", "上证指数", ZtE_ZQLX_Index),
                                        securityRow("SH", "600000", "浦发银行", ZtE_ZQLX_AShare)}));
        PBDataChange::installSource(market);
        PubKeyboard::loadFromMarket();
        PBDataChange::installSource(nullptr);

        QCOMPARE(PubCache::mDataQueryAll.count(), 2);
        QVERIFY(PubCache::mDataQueryAll.value("SH600000") != nullptr);
        QCOMPARE(PubCache::mUserKeyboard.first().getSecondKey(), QStringLiteral("SH000001"));
        QCOMPARE(PubCache::mUserKeyboard.at(1).getKeys(), QStringLiteral("600000|PFYX"));
    }
};

QTEST_GUILESS_MAIN(tst_PubKeyboard)
#include "tst_pubkeyboard.moc"
