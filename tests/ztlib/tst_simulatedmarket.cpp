#include <ztlib/simulatedmarket.h>
#include <ztlib/ztfields.h>
#include <ztlib/ztpinyin.h>

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// The market runs on this clock; tests move it instead of waiting.
class FakeClock
{
public:
    std::function<qint64()> function() const { return [ms = mMs] { return ms->load(); }; }
    void set(qint64 ms) { mMs->store(ms); }
    void advance(qint64 ms) { mMs->fetch_add(ms); }

private:
    std::shared_ptr<std::atomic<qint64>> mMs = std::make_shared<std::atomic<qint64>>(0);
};

const QDate wednesday(2024, 3, 13);

// Clock reading for a market time: the market opens at 10:00:00 of day 0 at reading 0.
qint64 at(int day, int hh, int mm, int ss = 0)
{
    const int clock = hh * 3600 + mm * 60 + ss;
    const int t = clock < 13 * 3600 ? clock - (9 * 3600 + 30 * 60) : 7200 + clock - 13 * 3600;
    return (qint64(day) * 14400 + t - 1800) * 1000;
}

qint64 packedTime(qint64 ymd, int hhmmss) { return (ymd * 1000000 + hhmmss) * 1000; }
double num(const DQDReader* row, unsigned key) { return row->getValue(key).toDouble(); }
qint64 integer(const DQDReader* row, unsigned key) { return row->getValue(key).toLongLong(); }

bool sameRows(const DQDDataList& a, const DQDDataList& b)
{
    if (a.count() != b.count())
        return false;
    for (int i = 0; i < a.count(); ++i) {
        if (*a.at(i) != *b.at(i))
            return false;
    }
    return true;
}

const QVector<QString> bothMarkets = {QStringLiteral("SH"), QStringLiteral("SZ")};
const QVector<ZtE_DXJL> allMessageTypes = {
    ZtE_DXJL_FastRise,  ZtE_DXJL_FastFall,      ZtE_DXJL_BigBuy,        ZtE_DXJL_BigSell,     ZtE_DXJL_LimitUp,
    ZtE_DXJL_LimitDown, ZtE_DXJL_OpenLimitUp,   ZtE_DXJL_OpenLimitDown, ZtE_DXJL_HighRebound, ZtE_DXJL_LowRebound};

}

class tst_SimulatedMarket : public QObject
{
    Q_OBJECT

private:
    FakeClock mClock;
    std::unique_ptr<SimulatedMarket> mMarket;

    SimulatedMarket& market() { return *mMarket; }

    DQDDataList allRows(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types, unsigned orderBy = 0,
                        bool desc = false)
    {
        return market().qnowForMarkets(markets, types, 0, orderBy, 0, 100000, desc);
    }

    enum Query { MarketList, Ranking, StaticList, QuoteList, SectorsOfStock, MembersOfSector, MinuteLine, KLine,
                 Detail, VolumeByPrice, Movements, MinesToday, News };

    DQDDataList run(SimulatedMarket& m, int query, qint64 checkDT)
    {
        const Q_DD_Now stock = m.quote(QStringLiteral("SH600000"), false);
        switch (query) {
        case MarketList: return m.qnowForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, checkDT, 22030, 0, 150, true);
        case Ranking: return m.qnowRanking(bothMarkets, {ZtE_ZQLX_AShare}, checkDT, 22030, 0, 10, true);
        case StaticList: return m.qnowStaticForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, checkDT, 0, 0, 150, false);
        case QuoteList:
            return m.quoteList({QStringLiteral("SH000001"), QStringLiteral("SH600000"), QStringLiteral("SH900901")},
                               checkDT, true, 0);
        case SectorsOfStock: return m.sectorsOfStock(QStringLiteral("SH600000"), checkDT, 0, true);
        case MembersOfSector: return m.membersOfSector(QStringLiteral("SZ399006"), checkDT, 0, true);
        case MinuteLine: return m.dline(stock, false, false, checkDT);
        case KLine: return m.kline(stock, ZtE_Period_Day, ZtE_DIVID_None, false, checkDT);
        case Detail: return m.detail(stock, true, checkDT);
        case VolumeByPrice: return m.volumeByPrice(stock, checkDT);
        case Movements: return m.movementsAll(allMessageTypes, checkDT);
        case MinesToday: return m.mineItemsToday(QStringLiteral("SH600000"), true, checkDT);
        case News: return m.news(stock, 0, checkDT);
        }
        return DQDDataList();
    }

private slots:
    void initTestCase()
    {
        mMarket = std::make_unique<SimulatedMarket>(42, mClock.function(), wednesday);
    }

    void init() { mClock.set(0); }

    // Indices, A shares, B shares, sectors: the list keeps that order, shares by code.
    void universe()
    {
        const DQDDataList list = market().securityList();
        QSet<QString> uniques;
        int group = 0;
        QString previousCode;
        for (int i = 0; i < list.count(); ++i) {
            const DQDUnionReader* row = list.at(i);
            const QString unique = row->getUniqueValue(0);
            const QString code = row->getValue(ZtField::Code).toString();
            const QString marketText = row->getValue(ZtField::Market).toString();
            const int type = row->getValue(ZtField::Type).toInt();
            uniques.insert(unique);
            QCOMPARE(unique, marketText + code);
            QCOMPARE(row->getValue(ZtField::Pinyin).toString(),
                     ZtPinyin::initials(row->getValue(ZtField::Name).toString()));
            const int g = type == ZtE_ZQLX_Index ? (marketText == QLatin1String("BK") ? 3 : 0)
                                                 : type == ZtE_ZQLX_AShare ? 1 : 2;
            QVERIFY2(g >= group, qPrintable(unique));
            if (g != group)
                previousCode.clear();
            group = g;
            if (g == 1 || g == 2) {
                QVERIFY2(code > previousCode, qPrintable(unique));
                previousCode = code;
            }
        }
        QCOMPARE(group, 3);
        QCOMPARE(uniques.size(), list.count());
    }

    void sameSeedAndClockGiveSameAnswers()
    {
        FakeClock c1, c2;
        SimulatedMarket a(7, c1.function(), wednesday);
        SimulatedMarket b(7, c2.function(), wednesday);
        for (FakeClock* c : {&c1, &c2})
            c->set(at(0, 10, 37, 12));
        for (int query : {MarketList, QuoteList, MinuteLine, KLine, Detail, Movements, News})
            QVERIFY2(sameRows(run(a, query, 0), run(b, query, 0)), qPrintable(QString::number(query)));
    }

    void timeStampRule_data()
    {
        QTest::addColumn<int>("query");
        const char* names[] = {"market list", "ranking", "static list", "quote list", "sectors of a stock",
                               "members of a sector", "minute line", "K-line", "detail", "volume by price",
                               "movement messages", "mines of the day", "news"};
        for (int q = MarketList; q <= News; ++q)
            QTest::newRow(names[q]) << q;
    }

    void timeStampRule()
    {
        QFETCH(int, query);
        const bool live = query != StaticList;  // the static list stays as of the open
        mClock.set(at(0, 10, 30));
        const DQDDataList first = run(market(), query, 0);
        const qint64 time = first.getDataDownTime();
        QVERIFY(first.getDataIsUpdate());
        QVERIFY(first.getDataDownValid());
        QCOMPARE(time, live ? market().marketDateTime(QStringLiteral("SH600000")) : packedTime(20240313, 92500));

        QVERIFY(!run(market(), query, time).getDataIsUpdate());
        QVERIFY(run(market(), query, time - 1000).getDataIsUpdate());
        QVERIFY(!run(market(), query, time + 1000).getDataIsUpdate());

        // Within the same market second nothing is new; the next second is.
        mClock.advance(999);
        QCOMPARE(run(market(), query, time).getDataDownTime(), time);
        mClock.advance(1);
        const DQDDataList next = run(market(), query, time);
        QCOMPARE(next.getDataDownTime(), live ? time + 1000 : time);
        QCOMPARE(next.getDataIsUpdate(), live);
        QVERIFY(next.getDataDownValid());
    }

    void quoteConsistency_data()
    {
        QTest::addColumn<qint64>("clock");
        QTest::newRow("10:00:00") << at(0, 10, 0);
        QTest::newRow("11:29:59") << at(0, 11, 29, 59);
        QTest::newRow("13:00:00") << at(0, 13, 0);
        QTest::newRow("14:59:59") << at(0, 14, 59, 59);
        QTest::newRow("next day 09:30:00") << at(1, 9, 30);
    }

    void quoteConsistency()
    {
        QFETCH(qint64, clock);
        mClock.set(clock);
        const DQDDataList list = allRows({QStringLiteral("SH"), QStringLiteral("SZ"), QStringLiteral("BK")},
                                         {ZtE_ZQLX_Index, ZtE_ZQLX_AShare, ZtE_ZQLX_BShare});
        QCOMPARE(list.count(), market().securityList().count());
        for (int i = 0; i < list.count(); ++i) {
            const DQDUnionReader* q = list.at(i);
            const QString code = q->getUniqueValue(0);
            const double tick = q->isShowPlaces3() ? 0.001 : 0.01;
            const double last = num(q, ZtField::Last);
            const double prev = num(q, ZtField::PrevClose);
            const double high = num(q, ZtField::High);
            const double low = num(q, ZtField::Low);
            const double open = num(q, ZtField::Open);
            QCOMPARE(integer(q, ZtField::QuoteTime), list.getDataDownTime());
            QVERIFY2(low <= last && last <= high, qPrintable(code));
            QVERIFY2(low <= open && open <= high, qPrintable(code));
            for (double p : {last, prev, high, low, open})
                QVERIFY2(qAbs(p / tick - std::round(p / tick)) < 1e-6, qPrintable(code));
            QVERIFY2(qAbs(num(q, ZtField::Change) - (last - prev)) < tick / 2, qPrintable(code));
            QVERIFY2(qAbs(num(q, ZtField::ChangeRatio) - (last - prev) / prev * 100) < 1e-9, qPrintable(code));
            QVERIFY2(qAbs(num(q, ZtField::Amplitude) - (high - low) / prev * 100) < 1e-9, qPrintable(code));
            if (!q->isStock()) {
                QVERIFY2(!q->hasValue(ZtField::LimitUp) && !q->hasValue(ZtField::BuyPrice1), qPrintable(code));
                continue;
            }
            QVERIFY2(num(q, ZtField::LimitDown) <= low && high <= num(q, ZtField::LimitUp), qPrintable(code));
            const double average = num(q, ZtField::Average);
            QVERIFY2(qFuzzyCompare(average, num(q, ZtField::Turnover) / integer(q, ZtField::Volume)), qPrintable(code));
            QVERIFY2(low - 1e-9 <= average && average <= high + 1e-9, qPrintable(code));
            // The book brackets the last price; prices step away from it level by level.
            if (q->hasValue(ZtField::BuyPrice1))
                QVERIFY2(num(q, ZtField::BuyPrice1) <= last, qPrintable(code));
            if (q->hasValue(ZtField::SellPrice1))
                QVERIFY2(num(q, ZtField::SellPrice1) >= last, qPrintable(code));
            for (unsigned level = 1; level < 5; ++level) {
                if (q->hasValue(ZtField::BuyPrice1 + 10 * level))
                    QVERIFY(num(q, ZtField::BuyPrice1 + 10 * level) < num(q, ZtField::BuyPrice1 + 10 * (level - 1)));
                if (q->hasValue(ZtField::SellPrice1 + 10 * level))
                    QVERIFY(num(q, ZtField::SellPrice1 + 10 * level) > num(q, ZtField::SellPrice1 + 10 * (level - 1)));
            }
        }
    }

    void cumulativeFieldsNeverDecrease()
    {
        QVector<QString> codes;
        const DQDDataList securities = market().securityList();
        for (int i = 0; i < securities.count(); i += 37)
            codes.append(securities.at(i)->getUniqueValue(0));
        QHash<QString, Q_DD_Now> before;
        for (qint64 clock = at(0, 10, 0); clock <= at(0, 14, 59, 59); clock += 433000) {
            mClock.set(clock);
            for (const Q_DD_Now& q : market().quotes(codes, 0, true)) {
                const QString code = q.getUniqueValue(0);
                const Q_DD_Now& b = before[code];
                if (!b.isEmpty()) {
                    QVERIFY2(integer(&q, ZtField::Volume) >= integer(&b, ZtField::Volume), qPrintable(code));
                    QVERIFY2(num(&q, ZtField::Turnover) >= num(&b, ZtField::Turnover), qPrintable(code));
                    QVERIFY2(num(&q, ZtField::High) >= num(&b, ZtField::High), qPrintable(code));
                    QVERIFY2(num(&q, ZtField::Low) <= num(&b, ZtField::Low), qPrintable(code));
                    QCOMPARE(num(&q, ZtField::Open), num(&b, ZtField::Open));
                    if (q.isStock())
                        QVERIFY(integer(&q, ZtField::Trades) >= integer(&b, ZtField::Trades));
                }
                before[code] = q;
            }
        }
    }

    void listWindow_data()
    {
        QTest::addColumn<unsigned>("orderBy");
        QTest::addColumn<bool>("desc");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::newRow("top gainers") << unsigned(ZtField::ChangeRatio) << true << 0 << 150;
        QTest::newRow("middle window") << unsigned(ZtField::Turnover) << true << 2450 << 150;
        QTest::newRow("window past the end is cut") << unsigned(ZtField::Last) << false << 4950 << 150;
        QTest::newRow("start past the end") << unsigned(ZtField::Last) << false << 100000 << 150;
        QTest::newRow("negative start counts from 0") << unsigned(ZtField::Volume) << true << -20 << 30;
        QTest::newRow("zero count") << unsigned(ZtField::Volume) << true << 10 << 0;
        QTest::newRow("by code") << 0u << false << 0 << 150;
        QTest::newRow("by code descending") << 0u << true << 100 << 150;
        QTest::newRow("by name") << unsigned(ZtField::Name) << false << 300 << 150;
        QTest::newRow("all tied, so by code") << unsigned(ZtField::Decimals) << true << 0 << 150;
        QTest::newRow("by bid-ask ratio") << unsigned(ZtField::BidAskRatio) << true << 0 << 150;
    }

    void listWindow()
    {
        QFETCH(unsigned, orderBy);
        QFETCH(bool, desc);
        QFETCH(int, start);
        QFETCH(int, count);
        mClock.set(at(0, 13, 21, 5));
        const DQDDataList full = allRows(bothMarkets, {ZtE_ZQLX_AShare}, orderBy, desc);
        const DQDDataList window = market().qnowForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, 0, orderBy, start, count, desc);
        const int from = qMax(0, start);
        const int expected = qBound(0, qMin(count, full.count() - from), full.count());
        QCOMPARE(window.count(), expected);
        for (int i = 0; i < window.count(); ++i)
            QCOMPARE(window.at(i)->getUniqueValue(0), full.at(from + i)->getUniqueValue(0));

        // The whole order: by the field in the asked direction, ties by code.
        const unsigned key = orderBy == 0 ? ZtField::Code : orderBy;
        for (int i = 1; i < full.count(); ++i) {
            const DQDUnionReader* a = full.at(i - 1);
            const DQDUnionReader* b = full.at(i);
            const QVariant va = a->getValue(key);
            const QVariant vb = b->getValue(key);
            int c = 0;
            if (va.userType() == QMetaType::QString)
                c = va.toString().compare(vb.toString());
            else
                c = va.toDouble() < vb.toDouble() ? -1 : va.toDouble() > vb.toDouble() ? 1 : 0;
            if (desc)
                c = -c;
            QVERIFY2(c <= 0, qPrintable(a->getUniqueValue(0) + QLatin1Char(' ') + b->getUniqueValue(0)));
            if (c == 0)
                QVERIFY2(a->getValue(ZtField::Code).toString() < b->getValue(ZtField::Code).toString(),
                         qPrintable(a->getUniqueValue(0) + QLatin1Char(' ') + b->getUniqueValue(0)));
        }
    }

    void securitiesWithoutTheFieldSortLast()
    {
        for (bool desc : {false, true}) {
            const DQDDataList list = allRows(bothMarkets, {ZtE_ZQLX_Index, ZtE_ZQLX_AShare}, ZtField::PE, desc);
            for (int i = 0; i < 7; ++i)
                QCOMPARE(list.at(list.count() - 1 - i)->getValue(ZtField::Type).toInt(), int(ZtE_ZQLX_Index));
            QCOMPARE(list.at(0)->getValue(ZtField::Type).toInt(), int(ZtE_ZQLX_AShare));
        }
    }

    void emptyOrUnknownInputs_data()
    {
        QTest::addColumn<int>("which");
        const char* names[] = {
            "no markets", "no types", "unknown market", "sectors of an unknown stock", "members of a stock",
            "members of an unknown sector", "quotes of unknown codes", "K-line of tick period",
            "K-line without a quote", "minute line without a quote", "zero days of minute lines", "history of today",
            "history of a weekend", "history before the data", "detail of an unknown code", "movements without types",
            "movements of no codes", "mines of an unknown code", "industry of an index", "ex-rights of an index"};
        for (int i = 0; i < int(sizeof(names) / sizeof(names[0])); ++i)
            QTest::newRow(names[i]) << i;
    }

    void emptyOrUnknownInputs()
    {
        QFETCH(int, which);
        SimulatedMarket& m = market();
        const Q_DD_Now stock = m.quote(QStringLiteral("SH600000"), false);
        const Q_DD_Now index = m.quote(QStringLiteral("SH000001"), false);
        const Q_DD_Now unknown;
        DQDDataList list;
        switch (which) {
        case 0: list = m.qnowForMarkets({}, {ZtE_ZQLX_AShare}, 0, 0, 0, 150, false); break;
        case 1: list = m.qnowForMarkets(bothMarkets, {}, 0, 0, 0, 150, false); break;
        case 2: list = m.qnowRanking({QStringLiteral("XX")}, {ZtE_ZQLX_AShare}, 0, 0, 0, 150, false); break;
        case 3: list = m.sectorsOfStock(QStringLiteral("SH699999"), 0, 0, true); break;
        case 4: list = m.membersOfSector(QStringLiteral("SH600000"), 0, 0, true); break;
        case 5: list = m.membersOfSector(QStringLiteral("BK9999"), 0, 0, true); break;
        case 6: list = m.quoteList({QStringLiteral("XX1"), QStringLiteral("SH699999")}, 0, true, 0); break;
        case 7: list = m.kline(stock, ZtE_Period_Tick, ZtE_DIVID_None, false, 0); break;
        case 8: list = m.kline(unknown, ZtE_Period_Day, ZtE_DIVID_None, false, 0); break;
        case 9: list = m.dline(unknown, true, false, 0); break;
        case 10: list = m.dlineDays(stock, 0, 0); break;
        case 11: list = m.dlineHistory(stock, 20240313, 0); break;
        case 12: list = m.dlineHistory(stock, 20240309, 0); break;
        case 13: list = m.dlineHistory(stock, 20200102, 0); break;
        case 14: list = m.detail(unknown, true, 0); break;
        case 15: list = m.movementsAll({}, 0); break;
        case 16: list = m.movementsOf({}, allMessageTypes, 0); break;
        case 17: list = m.mineItemsAll(QStringLiteral("SZ999999"), 0); break;
        case 18: list = m.industrySectorsOfStock(QStringLiteral("SH000001")); break;
        case 19: list = m.exRights(index, 0); break;
        }
        QCOMPARE(list.count(), 0);
        QVERIFY(list.getDataDownValid());
        QVERIFY(m.quote(QStringLiteral("SH699999"), false).isEmpty());
        QVERIFY(m.quotes({QStringLiteral("XX")}, 0, true).isEmpty());
        QCOMPARE(m.formulaData(ZtE_FormulaDataType_KlineCMSDL, unknown, 0).llCheckTime, qint64(0));
    }

    void staticListStaysAsOfTheOpen()
    {
        auto window = [this] {
            return market().qnowStaticForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, 0, 0, 0, 150, false);
        };
        mClock.set(at(0, 10, 5));
        const DQDDataList morning = window();
        mClock.set(at(0, 14, 40));
        const DQDDataList afternoon = window();
        QCOMPARE(morning.count(), 150);
        QVERIFY(sameRows(morning, afternoon));
        for (int i = 0; i < morning.count(); ++i)
            QCOMPARE(num(morning.at(i), ZtField::Last), num(morning.at(i), ZtField::Open));
        // The live list of the same window has moved on.
        QVERIFY(!sameRows(afternoon, market().qnowForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, 0, 0, 0, 150, false)));
        mClock.set(at(1, 9, 40));
        QCOMPARE(window().getDataDownTime(), packedTime(20240314, 92500));
    }

    void minuteLine_data()
    {
        QTest::addColumn<qint64>("clock");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lastLabel");
        QTest::newRow("10:00:00") << at(0, 10, 0) << 31 << 1001;
        QTest::newRow("11:29:59, last morning minute") << at(0, 11, 29, 59) << 120 << 1130;
        QTest::newRow("13:00:00, after the lunch break") << at(0, 13, 0) << 121 << 1301;
        QTest::newRow("14:59:59") << at(0, 14, 59, 59) << 240 << 1500;
        QTest::newRow("next day 09:30:00") << at(1, 9, 30) << 1 << 931;
    }

    void minuteLine()
    {
        QFETCH(qint64, clock);
        QFETCH(int, rows);
        QFETCH(int, lastLabel);
        mClock.set(clock);
        for (const QString& code : {QStringLiteral("SH600000"), QStringLiteral("SZ399006")}) {
            const Q_DD_Now q = market().quote(code, false);
            const DQDDataList line = market().dline(q, false, false, 0);
            QCOMPARE(line.count(), rows);
            const DQDUnionReader* last = line.at(line.count() - 1);
            QCOMPARE(int((integer(last, ZtField::Time) / 100000) % 10000), lastLabel);
            QCOMPARE(num(last, ZtField::Price), num(&q, ZtField::Last));
            QVERIFY(qFuzzyCompare(num(last, ZtField::AvgPrice), num(&q, ZtField::Average)));
            for (int i = 1; i < line.count(); ++i) {
                const int label = int((integer(line.at(i), ZtField::Time) / 100000) % 10000);
                QVERIFY(integer(line.at(i), ZtField::Time) > integer(line.at(i - 1), ZtField::Time));
                QVERIFY2(label <= 1130 || label >= 1301, qPrintable(QString::number(label)));
            }

            const DQDDataList withAuction = market().dline(q, true, false, 0);
            QCOMPARE(withAuction.count(), rows + 1);
            QCOMPARE(int((integer(withAuction.at(0), ZtField::Time) / 100000) % 10000), 925);
            qint64 volume = 0;
            for (int i = 0; i < withAuction.count(); ++i)
                volume += integer(withAuction.at(i), ZtField::SeriesVolume);
            QCOMPARE(volume, integer(&q, ZtField::Volume));
        }
    }

    void dayRollover_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<qint64>("firstDay");
        QTest::addColumn<qint64>("nextDay");
        QTest::newRow("Wednesday") << QDate(2024, 3, 13) << qint64(20240313) << qint64(20240314);
        QTest::newRow("Friday to Monday") << QDate(2024, 3, 15) << qint64(20240315) << qint64(20240318);
        QTest::newRow("Saturday counts as Friday") << QDate(2024, 3, 16) << qint64(20240315) << qint64(20240318);
        QTest::newRow("Sunday counts as Friday") << QDate(2024, 3, 17) << qint64(20240315) << qint64(20240318);
    }

    void dayRollover()
    {
        QFETCH(QDate, start);
        QFETCH(qint64, firstDay);
        QFETCH(qint64, nextDay);
        FakeClock clock;
        SimulatedMarket m(3, clock.function(), start);
        QCOMPARE(m.marketDateTime(QString()), packedTime(firstDay, 100000));
        clock.set(at(0, 14, 59, 59));
        QCOMPARE(m.marketDateTime(QString()), packedTime(firstDay, 145959));
        const QVector<QString> codes = {QStringLiteral("SH000001"), QStringLiteral("SH600000"),
                                        QStringLiteral("SZ300750"), QStringLiteral("SH900901")};
        const QVector<Q_DD_Now> closing = m.quotes(codes, 0, true);
        clock.advance(1000);
        QCOMPARE(m.marketDateTime(QString()), packedTime(nextDay, 93000));
        const QVector<Q_DD_Now> opening = m.quotes(codes, 0, true);
        QCOMPARE(opening.size(), codes.size());
        for (int i = 0; i < codes.size(); ++i) {
            QCOMPARE(num(&opening[i], ZtField::PrevClose), num(&closing[i], ZtField::Last));
            QVERIFY(integer(&opening[i], ZtField::Volume) < integer(&closing[i], ZtField::Volume));
        }
        // Yesterday is now history: a full minute line and a finished daily candle.
        const DQDDataList history = m.dlineHistory(opening[1], firstDay, 0);
        QCOMPARE(history.count(), 240);
        QCOMPARE(num(history.at(239), ZtField::Price), num(&closing[1], ZtField::Last));
        QCOMPARE(history.getDataDownTime(), packedTime(firstDay, 150000));
        const DQDDataList days = m.kline(opening[1], ZtE_Period_Day, ZtE_DIVID_None, false, 0);
        QCOMPARE(num(days.at(days.count() - 2), ZtField::KClose), num(&closing[1], ZtField::Last));
        QCOMPARE(num(days.at(days.count() - 2), ZtField::KHigh), num(&closing[1], ZtField::High));
    }

    void kline_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("minBars");
        QTest::newRow("1 minute") << int(ZtE_Period_Min1) << 241;
        QTest::newRow("5 minutes") << int(ZtE_Period_Min5) << 241;
        QTest::newRow("15 minutes") << int(ZtE_Period_Min15) << 241;
        QTest::newRow("30 minutes") << int(ZtE_Period_Min30) << 241;
        QTest::newRow("60 minutes") << int(ZtE_Period_Min60) << 241;
        QTest::newRow("day") << int(ZtE_Period_Day) << 261;
        QTest::newRow("week") << int(ZtE_Period_Week) << 55;
        QTest::newRow("month") << int(ZtE_Period_Month) << 13;
        QTest::newRow("quarter") << int(ZtE_Period_Quarter) << 5;
        QTest::newRow("year") << int(ZtE_Period_Year) << 2;
    }

    void kline()
    {
        QFETCH(int, period);
        QFETCH(int, minBars);
        mClock.set(at(0, 10, 52, 31));
        for (const QString& code : {QStringLiteral("SZ300750"), QStringLiteral("SZ399001")}) {
            const Q_DD_Now q = market().quote(code, false);
            const DQDDataList bars = market().kline(q, ZtE_Period(period), ZtE_DIVID_None, false, 0);
            QVERIFY2(bars.count() >= minBars, qPrintable(QString::number(bars.count())));
            for (int i = 0; i < bars.count(); ++i) {
                const DQDUnionReader* b = bars.at(i);
                QVERIFY(num(b, ZtField::KLow) <= qMin(num(b, ZtField::KOpen), num(b, ZtField::KClose)));
                QVERIFY(num(b, ZtField::KHigh) >= qMax(num(b, ZtField::KOpen), num(b, ZtField::KClose)));
                if (i > 0)
                    QVERIFY(integer(b, ZtField::Time) > integer(bars.at(i - 1), ZtField::Time));
            }
            const DQDUnionReader* last = bars.at(bars.count() - 1);
            QCOMPARE(num(last, ZtField::KClose), num(&q, ZtField::Last));
            if (period > ZtE_Period_Day) {
                QVERIFY(num(last, ZtField::KHigh) >= num(&q, ZtField::High));
                QVERIFY(num(last, ZtField::KLow) <= num(&q, ZtField::Low));
                QVERIFY(integer(last, ZtField::KVolume) > integer(&q, ZtField::Volume));
            }
            if (period == ZtE_Period_Day) {
                QCOMPARE(num(last, ZtField::KHigh), num(&q, ZtField::High));
                QCOMPARE(num(last, ZtField::KLow), num(&q, ZtField::Low));
                QCOMPARE(integer(last, ZtField::KVolume), integer(&q, ZtField::Volume));
                QCOMPARE(num(last, ZtField::KPrevClose), num(&q, ZtField::PrevClose));
            }
        }
    }

    void adjustment_data()
    {
        QTest::addColumn<int>("divid");
        QTest::newRow("forward keeps today's prices") << int(ZtE_DIVID_Forward);
        QTest::newRow("backward keeps the old prices") << int(ZtE_DIVID_Backward);
    }

    void adjustment()
    {
        QFETCH(int, divid);
        const Q_DD_Now q = market().quote(QStringLiteral("SH600000"), false);
        const DQDDataList events = market().exRights(q, 0);
        QVERIFY(events.count() >= 1);
        const qint64 exDate = integer(events.at(events.count() - 1), ZtField::QxDate);
        const DQDDataList raw = market().kline(q, ZtE_Period_Day, ZtE_DIVID_None, false, 0);
        const DQDDataList adjusted = market().kline(q, ZtE_Period_Day, ZtE_DIVID(divid), false, 0);
        QCOMPARE(adjusted.count(), raw.count());
        int ex = -1;
        for (int i = 0; i < raw.count(); ++i)
            ex = integer(raw.at(i), ZtField::Time) == exDate ? i : ex;
        QVERIFY2(ex > 0, "the ex-rights day lies inside the history");
        // Unadjusted prices jump at the event; adjusted ones continue where the day before ended.
        QVERIFY(num(raw.at(ex), ZtField::KPrevClose) < num(raw.at(ex - 1), ZtField::KClose));
        QVERIFY(qAbs(num(adjusted.at(ex), ZtField::KPrevClose) - num(adjusted.at(ex - 1), ZtField::KClose)) < 0.015);
        const bool forward = divid == ZtE_DIVID_Forward;
        for (int i = 0; i < raw.count(); ++i) {
            const bool moved = forward ? i < ex : i >= ex;
            const double a = num(adjusted.at(i), ZtField::KClose), r = num(raw.at(i), ZtField::KClose);
            if (!moved)
                QCOMPARE(a, r);
            else
                QVERIFY2(forward ? a <= r : a >= r, qPrintable(QString::number(i)));
            QCOMPARE(integer(adjusted.at(i), ZtField::KVolume), integer(raw.at(i), ZtField::KVolume));
        }
    }

    void minuteLinesOfPastDays()
    {
        mClock.set(at(2, 10, 15));  // Friday 2024-03-15
        const Q_DD_Now q = market().quote(QStringLiteral("SZ000001"), false);
        const int today = market().dline(q, false, false, 0).count();
        QCOMPARE(market().dlineDays(q, 3, 0).count(), 2 * 240 + today);
        QCOMPARE(market().dlineHistory(q, 20240314, 0).count(), 240);
        QCOMPARE(market().dlineHistory(q, 20240314093000000ll, 0).count(), 240);  // any packed length
        QCOMPARE(market().dlineHistory(q, 20240312, 0).count(), 240);  // before the market was built
    }

    void detailAndVolumeByPrice()
    {
        mClock.set(at(0, 11, 2, 44));
        const Q_DD_Now q = market().quote(QStringLiteral("SH600000"), false);
        const DQDDataList newest = market().detail(q, true, 0);
        const DQDDataList oldest = market().detail(q, false, 0);
        QVERIFY(newest.count() > 100 && newest.count() <= 200);
        QCOMPARE(oldest.count(), newest.count());
        QCOMPARE(num(newest.at(0), ZtField::DetailPrice), num(&q, ZtField::Last));
        QCOMPARE(integer(newest.at(0), ZtField::Time), integer(&q, ZtField::QuoteTime));
        for (int i = 0; i < newest.count(); ++i) {
            QVERIFY(*newest.at(i) == *oldest.at(oldest.count() - 1 - i));
            if (i > 0)
                QVERIFY(integer(newest.at(i), ZtField::Time) < integer(newest.at(i - 1), ZtField::Time));
        }
        // Levels run from the highest price down and add up to the day's volume.
        const DQDDataList levels = market().volumeByPrice(q, 0);
        qint64 volume = 0;
        for (int i = 0; i < levels.count(); ++i) {
            volume += integer(levels.at(i), ZtField::SeriesVolume);
            if (i > 0)
                QVERIFY(num(levels.at(i), ZtField::DetailPrice) < num(levels.at(i - 1), ZtField::DetailPrice));
        }
        QCOMPARE(volume, integer(&q, ZtField::Volume));
    }

    // Today's items and the older ones split the whole list, newest first; the quote counts today's.
    void informationMines()
    {
        mClock.set(at(0, 13, 40));
        const qint64 now = market().marketDateTime(QString());
        const DQDDataList securities = market().securityList();
        int windows = 0;
        for (int i = 0; i < securities.count(); i += 25) {
            const QString code = securities.at(i)->getUniqueValue(0);
            const int today = market().mineItemsToday(code, true, 0).count();
            QCOMPARE(today, market().quote(code, false).getValue(ZtField::InfoMineCount).toInt());
            const DQDDataList all = market().mineItemsAll(code, 0);
            QCOMPARE(market().mineItemsHistory(code, 0).count() + today, all.count());
            for (int j = 0; j < all.count(); ++j) {
                QVERIFY(integer(all.at(j), ZtField::ItemTime) <= now);
                if (j > 0)
                    QVERIFY(integer(all.at(j), ZtField::ItemTime) <= integer(all.at(j - 1), ZtField::ItemTime));
            }
            if (all.count() >= 3) {
                QCOMPARE(market().mineItemsFrom(code, integer(all.at(2), ZtField::ItemTime), 0).count(), 3);
                ++windows;
            }
        }
        QVERIFY(windows > 0);
    }

    void movementMessages()
    {
        mClock.set(at(0, 14, 20));
        const qint64 now = market().marketDateTime(QString());
        const DQDDataList all = market().movementsAll(allMessageTypes, 0);
        QVERIFY(all.count() > 0);
        for (int i = 0; i < all.count(); ++i) {
            QVERIFY(integer(all.at(i), ZtField::MsgTime) <= now);
            if (i > 0)
                QVERIFY(integer(all.at(i), ZtField::MsgTime) <= integer(all.at(i - 1), ZtField::MsgTime));
        }
        // Filters by type and by code.
        const DQDDataList rises = market().movementsAll({ZtE_DXJL_FastRise}, 0);
        QVERIFY(rises.count() > 0);
        for (int i = 0; i < rises.count(); ++i)
            QCOMPARE(rises.at(i)->getValue(ZtField::MsgType).toInt(), int(ZtE_DXJL_FastRise));
        const QString code = all.at(0)->getValue(ZtField::MsgCode).toString();
        const DQDDataList mine = market().movementsOf({code, QStringLiteral("XX000000")}, allMessageTypes, 0);
        QVERIFY(mine.count() > 0);
        for (int i = 0; i < mine.count(); ++i)
            QCOMPARE(mine.at(i)->getValue(ZtField::MsgCode).toString(), code);
    }

    // The sectors of a stock are its industry, concepts and margin sector, and it is a member of each.
    void sectorsOfAStock()
    {
        const QString code = QStringLiteral("SH600000");
        const DQDDataList industry = market().industrySectorsOfStock(code);
        const DQDDataList concepts = market().conceptSectorsOfStock(code);
        const DQDDataList sectors = market().sectorsOfStock(code, 0, 0, false);
        QCOMPARE(industry.count(), 1);
        QVERIFY(!concepts.isEmpty());
        QCOMPARE(sectors.count(), 1 + concepts.count() + market().marginSectorsOfStock(code).count());
        for (const DQDUnionReader* row : {industry.at(0), concepts.at(0)}) {
            const QString bk = row->getValue(ZtField::SectorCode).toString();
            QVERIFY2(sectors.value(bk), qPrintable(bk));
            QVERIFY2(market().membersOfSector(bk, 0, 0, false).value(code), qPrintable(bk));
        }
    }

    // Readers call the market from several worker threads while its clock moves on.
    void concurrentQueries()
    {
        std::atomic<int> failures{0};
        std::atomic<int> answers{0};
        auto worker = [&](int id) {
            const QString code = id % 2 ? QStringLiteral("SH600000") : QStringLiteral("SZ399001");
            for (int i = 0; i < 60; ++i) {
                mClock.advance(137 + id);
                const DQDDataList list =
                    market().qnowForMarkets(bothMarkets, {ZtE_ZQLX_AShare}, 0, 22030, (i * 50) % 4000, 150, i % 2);
                const Q_DD_Now q = market().quote(code, false);
                const DQDDataList line = market().dline(q, true, false, 0);
                const DQDDataList k = market().kline(q, ZtE_Period(ZtE_Period_Min1 + i % 10), ZtE_DIVID(i % 3), false, 0);
                const DQDDataList msgs = market().movementsAll(allMessageTypes, 0);
                const DQDDataList mines = market().mineItemsAll(code, 0);
                const DQDDataList sectors = market().sectorsOfStock(QStringLiteral("SH600000"), 0, 22030, true);
                if (list.count() != 150 || q.isEmpty() || line.isEmpty() || k.isEmpty() || sectors.isEmpty())
                    failures.fetch_add(1);
                if (num(&q, ZtField::Last) > num(&q, ZtField::High) || num(&q, ZtField::Last) < num(&q, ZtField::Low))
                    failures.fetch_add(1);
                answers.fetch_add(1);
            }
        };
        std::vector<std::thread> threads;
        for (int id = 0; id < 4; ++id)
            threads.emplace_back(worker, id);
        for (std::thread& t : threads)
            t.join();
        QCOMPARE(answers.load(), 240);
        QCOMPARE(failures.load(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_SimulatedMarket)
#include "tst_simulatedmarket.moc"
