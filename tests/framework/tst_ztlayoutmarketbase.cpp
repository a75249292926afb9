#include "readertestsupport.h"

#include <framework/datareadthread.h>
#include <framework/ztlayoutmarketbase.h>
#include <pubcache/pubcache.h>

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kMarkets = QStringLiteral("LBGD_QNowForMK_DL");
const QString kStatic = QStringLiteral("LBGD_QNowStaticForMK_DL");
const QVector<QString> kCodes = {QStringLiteral("SH"), QStringLiteral("SZ")};
const QVector<ZtE_ZQLX> kTypes = {ZtE_ZQLX_AShare};
constexpr unsigned kOrder = 22030;

// Polls are made directly on the test thread (the panel has no worker unless a test
// shows it with reading wanted), so each call is exactly one poll.
class Panel : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    explicit Panel(ZtLayoutBase* parent = nullptr) : ZtLayoutMarketBase(parent, QStringLiteral("List")) {}

    bool poll() { return DataReadOnDataReadBaseThread(getRefreshtag(), getReadKey()); }
    DataReadThread* thread() const { return mThread; }
    const DQDDataList& data() const { return mMarketData; }

    int repaints = 0;
    int gotos = 0;

    void doGotoStock(ZtLayoutBase*, DQDUnionReader, DQDDataList, enumStockSubType) override { ++gotos; }

private:
    void doDataRepaint() override { ++repaints; }
};

}

class tst_ZtLayoutMarketBase : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

    // Start and count arguments of each market query so far.
    QList<QPair<int, int>> windows(const QString& query = kMarkets) const
    {
        QList<QPair<int, int>> out;
        for (const ScriptedMarket::Call& c : mMarket->calls(query))
            out.append({c.args.at(4).toInt(), c.args.at(5).toInt()});
        return out;
    }

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        mMarket->setAnswer(kMarkets, ReaderTest::rows(QStringLiteral("SH60"), 150), 100);
        mMarket->setAnswer(kStatic, ReaderTest::rows(QStringLiteral("SH60"), 150), 100);
    }

    void cleanup() { ReaderTest::uninstallMarket(mMarket); }

    void windowAroundTheWantedRow_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("windowStart");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("99") << 99 << 0;
        QTest::newRow("120") << 120 << 50;
        QTest::newRow("4999") << 4999 << 4900;
    }

    void windowAroundTheWantedRow()
    {
        QFETCH(int, start);
        QFETCH(int, windowStart);
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, start, 30, true, false);
        QVERIFY(panel.poll());
        QCOMPARE(windows(), (QList<QPair<int, int>>{{windowStart, 150}}));
        const ScriptedMarket::Call call = mMarket->calls(kMarkets).first();
        QCOMPARE(call.args.at(0).toStringList(), (QStringList{QStringLiteral("SH"), QStringLiteral("SZ")}));
        QCOMPARE(call.args.at(3).toUInt(), kOrder);
        QCOMPARE(call.args.at(6).toBool(), true);
        QCOMPARE(panel.data().count(), 150);
    }

    void pollsOutsideTheWindowAlternate()
    {
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 120, 30, false, false);
        QList<int> callsAfterPoll;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(panel.poll());
            callsAfterPoll.append(mMarket->callCount(kMarkets));
        }
        QCOMPARE(callsAfterPoll, (QList<int>{1, 1, 2, 2, 3}));

        // Another order is another list: the window on record does not apply.
        panel.ReSetDataMarkets(kOrder + 10, 120, 30, false);
        QVERIFY(panel.poll());
        QCOMPARE(mMarket->callCount(kMarkets), 4);
    }

    void incompleteDownloadsAreReadEveryPoll()
    {
        mMarket->setAnswer(kMarkets, ReaderTest::rows(QStringLiteral("SH60"), 150), 100, false);
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 120, 30, false, false);
        QVERIFY(!panel.poll());  // new but incomplete: the short pace
        QVERIFY(panel.poll());
        QVERIFY(panel.poll());
        QCOMPARE(mMarket->callCount(kMarkets), 3);
    }

    void pollsInsideTheWindowOnlyWarmTheCache()
    {
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 120, 30, false, false);
        QVERIFY(panel.poll());
        QSignalSpy results(&panel, &ZtLayoutMarketBase::onMarketDataUpdate);
        // Row 100 is the middle of the window 50..199 on record.
        panel.ReSetDataMarkets(kOrder, 100, 30, false);
        for (int i = 0; i < 10; ++i)
            QVERIFY(panel.poll());
        QCOMPARE(windows(), (QList<QPair<int, int>>{{50, 150}, {0, 200}, {0, 200}, {0, 200}, {0, 200}}));
        QCOMPARE(results.count(), 0);
    }

    void staticListsReadEveryPoll()
    {
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 120, 30, false, true);
        for (int i = 0; i < 3; ++i)
            QVERIFY(panel.poll());
        QCOMPARE(windows(kStatic), (QList<QPair<int, int>>{{50, 150}, {50, 150}, {50, 150}}));
        QCOMPARE(mMarket->callCount(kMarkets), 0);
    }

    void otherLists_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("ranking") << "ZHPM" << "LBGD_QNowForZongHePaiMing_DL"
                                 << QVariantList{QStringList{"SH", "SZ"}, QVariantList{10}, qint64(0), kOrder, 0, 20,
                                                 true};
        QTest::newRow("sectors of a stock") << "BKListForStock" << "LBGD_QNowBKListForStock_DL"
                                            << QVariantList{"SH600000", qint64(0), 0u, true};
        QTest::newRow("members of a sector") << "StockListForBK" << "LBGD_QNowForBk_DL"
                                             << QVariantList{"BK0475", qint64(0), 0u, true};
    }

    void otherLists()
    {
        QFETCH(QString, kind);
        QFETCH(QString, query);
        QFETCH(QVariantList, args);
        mMarket->setAnswer(query, ReaderTest::rows(QStringLiteral("BK04"), 5), 100);
        Panel panel;
        if (kind == QLatin1String("ZHPM"))
            panel.InitZHPM(kCodes, kTypes, kOrder, 20, true);
        else if (kind == QLatin1String("BKListForStock"))
            panel.InitBKListForStock(QStringLiteral("SH600000"));
        else
            panel.InitStockListForBK(QStringLiteral("BK0475"));
        QCOMPARE(panel.getReadKey(), kind);
        QVERIFY(panel.poll());
        QCOMPARE(mMarket->calls(query).first().args, args);
        QCOMPARE(panel.data().count(), 5);
        QVERIFY(panel.poll());  // nothing new: no second delivery, normal pace
        QCOMPARE(mMarket->callCount(query), 2);
    }

    void unusableRequestGivesOneEmptyList_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no markets") << "Markets";
        QTest::newRow("ranking without types") << "ZHPM";
        QTest::newRow("no stock") << "BKListForStock";
        QTest::newRow("no sector") << "StockListForBK";
    }

    void unusableRequestGivesOneEmptyList()
    {
        QFETCH(QString, kind);
        Panel panel;
        panel.setGetDataFlag(false);
        panel.show();
        emit panel.onMarketDataUpdate(-1, ReaderTest::rows(QStringLiteral("SH60"), 3));
        QCOMPARE(panel.data().count(), 3);
        panel.repaints = 0;

        QSignalSpy results(&panel, &ZtLayoutMarketBase::onMarketDataUpdate);
        if (kind == QLatin1String("Markets"))
            panel.InitDataMarkets({}, kTypes, kOrder, 0, 30, false, false);
        else if (kind == QLatin1String("ZHPM"))
            panel.InitZHPM(kCodes, {}, kOrder, 20, true);
        else if (kind == QLatin1String("BKListForStock"))
            panel.InitBKListForStock(QString());
        else
            panel.InitStockListForBK(QString());
        QVERIFY(!panel.poll());
        QCOMPARE(results.count(), 1);
        QCOMPARE(results.first().at(0).toInt(), -1);
        QCOMPARE(mMarket->totalCalls(), 0);
        QVERIFY(panel.data().isEmpty());
        QCOMPARE(panel.repaints, 1);
    }

    // A stale result arriving after the current one must not replace it.
    void onlyTheCurrentResultCounts()
    {
        Panel panel;
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 0, 30, false, false);
        const int stale = panel.getRefreshtag();
        panel.ReSetDataMarkets(kOrder, 500, 30, false);
        const int current = panel.getRefreshtag();
        const DQDDataList oldRows = ReaderTest::rows(QStringLiteral("SH60"), 2);
        const DQDDataList newRows = ReaderTest::rows(QStringLiteral("SZ00"), 3);
        emit panel.onMarketDataUpdate(current, newRows);
        emit panel.onMarketDataUpdate(stale, oldRows);
        QVERIFY(panel.data().sharesDataWith(newRows));
    }

    void hiddenPanelStoresButDoesNotRepaint()
    {
        Panel panel;
        emit panel.onMarketDataUpdate(-1, ReaderTest::rows(QStringLiteral("SH60"), 2));
        QCOMPARE(panel.data().count(), 2);
        QCOMPARE(panel.repaints, 0);
        emit panel.onMarketDataUpdate(-1, DQDDataList());
        emit panel.onMarketDataUpdate(-1, DQDDataList());  // both empty: nothing at all
        QVERIFY(panel.data().isEmpty());
    }

    void showingStartsTheWorkerAndHidingStopsIt()
    {
        Panel panel;
        // Static lists keep no window, so every poll reaches the data library.
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 0, 30, false, true);
        panel.setReadWaitTime(1000000);  // the normal pause alone would take hours
        QCOMPARE(panel.thread(), nullptr);
        panel.show();
        QVERIFY(panel.thread());
        QTRY_COMPARE(panel.repaints, 1);

        panel.ReSetDataMarkets(kOrder, 1000, 30, false);
        QVERIFY(mMarket->waitForCalls(kStatic, 2, 10000));
        QCOMPARE(windows(kStatic).last(), (QPair<int, int>{950, 150}));

        QPointer<QThread> thread = panel.thread();
        panel.hide();
        QCOMPARE(panel.thread(), nullptr);
        QTRY_VERIFY(thread.isNull());
    }

    void appExitStopsTheReaderAndCutsTheRelay()
    {
        Panel top;
        Panel panel(&top);
        panel.InitDataMarkets(kCodes, kTypes, kOrder, 0, 30, false, false);
        top.show();
        QVERIFY(panel.thread());
        emit panel.onGotoStock(&panel, ReaderTest::row(QStringLiteral("SH600000")), DQDDataList());
        QCOMPARE(top.gotos, 1);
        emit PubCache::SSignal.onAppExit();
        QCOMPARE(panel.thread(), nullptr);
        QCOMPARE(top.thread(), nullptr);
        emit panel.onGotoStock(&panel, ReaderTest::row(QStringLiteral("SH600000")), DQDDataList());
        QCOMPARE(top.gotos, 1);
    }
};

QTEST_MAIN(tst_ZtLayoutMarketBase)
#include "tst_ztlayoutmarketbase.moc"
