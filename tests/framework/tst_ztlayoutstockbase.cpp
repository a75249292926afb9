#include "readertestsupport.h"

#include <framework/datareadthread.h>
#include <framework/ztlayoutstockbase.h>

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <climits>

namespace {

const QString kCode = QStringLiteral("SZ000001");

// Polls are made directly on the test thread unless a test is about the worker.
class Panel : public ZtLayoutStockBase
{
    Q_OBJECT
public:
    Panel() : ZtLayoutStockBase(nullptr, QStringLiteral("Chart")) {}

    bool poll() { return DataReadOnDataReadBaseThread(getRefreshtag(), getReadKey()); }
    DataReadThread* thread() const { return mThread; }
    const DQDDataList& data() const { return mStockData; }
    ZtE_DIVID dataDivid() const { return mDataDIVID; }

    int binds = 0;
    int repaints = 0;

    void doChildDataBind() override { ++binds; }
    void doDataRepaint() override { ++repaints; }
};

}

class tst_ZtLayoutStockBase : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

    void answer(const QString& query, int rows, qint64 downTime, bool complete = true)
    {
        mMarket->setAnswer(query, ReaderTest::rows(QStringLiteral("T"), rows), downTime, complete);
    }

    // Queries other than the opening quote and market time.
    QStringList seriesQueries() const
    {
        QStringList out;
        for (const ScriptedMarket::Call& c : mMarket->calls()) {
            if (c.query != QLatin1String("LBDG_QNowSingle") && c.query != QLatin1String("Common_GetMarketDateTime"))
                out.append(c.query);
        }
        return out;
    }

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        mMarket->setQuote(kCode, ReaderTest::quote(kCode, 12.3, 0));
        PBDataChange::LBGD_SetDelDataAfter(false);
    }

    void cleanup() { ReaderTest::uninstallMarket(mMarket); }

    void minuteLinePeriods_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QVariantList>("args");
        QTest::newRow("today") << 2 << "LBGD_Dline" << QVariantList{kCode, true, true, qint64(0)};
        QTest::newRow("two days") << 101 << "LBGD_Dline_5Days" << QVariantList{kCode, 4, qint64(0)};
        QTest::newRow("five days") << 103 << "LBGD_Dline_5Days" << QVariantList{kCode, 4, qint64(0)};
        QTest::newRow("not a minute line") << 8 << QString() << QVariantList();
    }

    void minuteLinePeriods()
    {
        QFETCH(int, period);
        QFETCH(QString, query);
        QFETCH(QVariantList, args);
        if (!query.isEmpty())
            answer(query, 3, 100);
        Panel panel;
        QSignalSpy over(&panel, &ZtLayoutStockBase::onGetPeriodDLineOver);
        panel.InitDataStocks_PeriodDLine(kCode, ZtE_Period(period), true, 4, true);
        QVERIFY(panel.poll());
        QCOMPARE(mMarket->calls(QStringLiteral("LBDG_QNowSingle")).first().args, (QVariantList{kCode, true}));
        if (query.isEmpty()) {
            QVERIFY(seriesQueries().isEmpty());
            QCOMPARE(over.count(), 0);
            return;
        }
        QCOMPARE(seriesQueries(), QStringList{query});
        QCOMPARE(mMarket->calls(query).first().args, args);
        QCOMPARE(panel.data().count(), 3);
        QCOMPARE(panel.binds, 1);
    }

    void registeredTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("incompleteCounts");  // an incomplete answer slows polling
        QTest::addColumn<bool>("emitsUnchanged");    // a second, unchanged answer is delivered again
        QTest::newRow("details, newest first") << 30 << "LBGD_Detail" << true << false;
        QTest::newRow("details, oldest first") << 31 << "LBGD_Detail" << true << false;
        QTest::newRow("volume by price") << 32 << "LBGD_Fjbxx" << false << false;
        QTest::newRow("news") << 40 << "LBGD_Xwlb" << false << true;
        QTest::newRow("announcements") << 41 << "LBGD_Gglb" << false << true;
        QTest::newRow("reports") << 42 << "LBGD_Yblb" << false << true;
        QTest::newRow("ex-rights") << 60 << "LBGD_Qxxx" << true << false;
        QTest::newRow("mines of the day") << 70 << "LBGD_Xxdl_Drsj" << true << false;
        QTest::newRow("mines, history") << 80 << "LBGD_Xxdl_Lssj" << true << false;
        QTest::newRow("marked mines") << 90 << "LBGD_Xxdl_Special" << true << false;
        QTest::newRow("margin sectors") << 100 << "LBGD_BKList_BKDGSpecialForStock_RZRQ" << true << true;
        QTest::newRow("unknown type") << 55 << QString() << false << true;
    }

    void registeredTypes()
    {
        QFETCH(int, type);
        QFETCH(QString, query);
        QFETCH(bool, incompleteCounts);
        QFETCH(bool, emitsUnchanged);
        // A time-stamp above 32 bits: the integer argument of 40..42 carries its low half.
        const qint64 downTime = (qint64(1) << 32) + 7;
        if (!query.isEmpty())
            answer(query, 2, downTime, false);
        Panel panel;
        QSignalSpy over(&panel, &ZtLayoutStockBase::onGetRegDataTypeOver);
        panel.InitDataStocks_RegDataType(kCode, ZtE_RegDataType(type), true);
        QCOMPARE(panel.poll(), !incompleteCounts);
        QCOMPARE(over.count(), 1);
        panel.poll();
        QCOMPARE(over.count(), emitsUnchanged ? 2 : 1);
        QCOMPARE(seriesQueries(), query.isEmpty() ? QStringList() : (QStringList{query, query}));
        if (query.isEmpty())
            return;
        const ScriptedMarket::Call second = mMarket->calls(query).at(1);
        QCOMPARE(second.args.first().toString(), kCode);
        if (type == 30 || type == 31)
            QCOMPARE(second.args.at(1).toBool(), type == 30);
        if (type == 70)
            QCOMPARE(second.args.at(1).toBool(), true);
        if (type >= 40 && type <= 42)
            QCOMPARE(second.args.mid(1), (QVariantList{7, qint64(0)}));
    }

    void formulaTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("queries");
        QTest::addColumn<int>("preparedAs");  // the data library's kind of input
        QTest::newRow("1000") << 1000 << QStringList{"getKlineCJMX_FD"} << 1000;
        QTest::newRow("1001") << 1001 << QStringList{"getDlineMMLD_FD"} << 1001;
        QTest::newRow("1011") << 1011 << QStringList{"getDlineMMLD_FD"} << 1001;
        QTest::newRow("1010") << 1010 << QStringList{"getKlineMMLD_FD"} << 1010;
        QTest::newRow("1020") << 1020 << QStringList{"LBGD_Kline", "getKlineCMSDL"} << 1020;
        QTest::newRow("1021") << 1021 << QStringList{"LBGD_Dline", "getDlineCMSDL"} << 1021;
        QTest::newRow("1030") << 1030 << QStringList{"getKlineRZRQ"} << 1030;
    }

    void formulaTypes()
    {
        QFETCH(int, type);
        QFETCH(QStringList, queries);
        QFETCH(int, preparedAs);
        Panel panel;
        QSignalSpy over(&panel, &ZtLayoutStockBase::onGetFormulaDataTypeOver);
        panel.InitDataStocks_FormulaDataType(kCode, ZtE_FormulaDataType(type));
        QVERIFY(panel.poll());  // nothing changed
        QCOMPARE(over.count(), 0);
        QCOMPARE(seriesQueries(), queries);
        if (type == 1020)
            QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Kline")).first().args,
                     (QVariantList{kCode, 8, 1, false, qint64(0)}));

        mMarket->setFormulaState(ZtE_FormulaDataType(preparedAs), FormulaDataState{1, 5, 1});
        QVERIFY(!panel.poll());  // changed, but the data library still waits for data
        mMarket->setFormulaState(ZtE_FormulaDataType(preparedAs), FormulaDataState{1, 6, 0});
        QVERIFY(panel.poll());
        QCOMPARE(over.count(), 2);
        QCOMPARE(panel.binds, 2);
    }

    void unknownFormulaTypeGivesOneNotice()
    {
        Panel panel;
        QSignalSpy over(&panel, &ZtLayoutStockBase::onGetFormulaDataTypeOver);
        panel.InitDataStocks_FormulaDataType(kCode, ZtE_FormulaDataType(999));
        QVERIFY(panel.poll());
        QCOMPARE(over.count(), 1);
        QCOMPARE(over.first().at(0).toInt(), -1);
        QVERIFY(seriesQueries().isEmpty());
    }

    void missingQuoteClearsTheKLine()
    {
        answer(QStringLiteral("LBGD_Kline"), 4, 100);
        Panel panel;
        panel.setGetDataFlag(false);
        panel.show();
        panel.InitDataStocks_PeriodKLine(kCode, ZtE_Period_Day, ZtE_DIVID_Forward, false);
        QVERIFY(panel.poll());
        QCOMPARE(panel.data().count(), 4);
        QCOMPARE(panel.repaints, 1);

        mMarket->removeQuote(kCode);
        QVERIFY(!panel.poll());
        QVERIFY(panel.data().isEmpty());
        QCOMPARE(panel.repaints, 2);
        QCOMPARE(mMarket->callCount(QStringLiteral("LBGD_Kline")), 1);
    }

    void droppedSeriesLetOneStaleKLineThrough()
    {
        Panel panel;
        panel.InitDataStocks_PeriodKLine(kCode, ZtE_Period_Day, ZtE_DIVID_None, false);
        const int stale = panel.getRefreshtag();
        panel.InitDataStocks_PeriodKLine(kCode, ZtE_Period_Week, ZtE_DIVID_None, false);
        emit panel.onGetPeriodKLineOver(stale, kCode, ZtE_Period_Day, ZtE_DIVID_None,
                                        ReaderTest::rows(QStringLiteral("T"), 2));
        QVERIFY(panel.data().isEmpty());

        PBDataChange::LBGD_SetDelDataAfter(true);
        emit panel.onGetPeriodKLineOver(stale, kCode, ZtE_Period_Day, ZtE_DIVID_Backward,
                                        ReaderTest::rows(QStringLiteral("T"), 2));
        QCOMPARE(panel.data().count(), 2);
        QCOMPARE(panel.dataDivid(), ZtE_DIVID_Backward);
        QVERIFY(!PBDataChange::LBGD_GetDelDataAfter());
    }

    void unusableRequestStopsDeliveries_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("period");
        QTest::newRow("no code") << QString() << 8;
        QTest::newRow("period 0") << kCode << 0;
    }

    void unusableRequestStopsDeliveries()
    {
        QFETCH(QString, code);
        QFETCH(int, period);
        answer(QStringLiteral("LBGD_Kline"), 4, 100, false);  // incomplete: polls keep coming
        Panel panel;
        panel.InitDataStocks_PeriodKLine(kCode, ZtE_Period_Day, ZtE_DIVID_None, false);
        panel.show();
        QTRY_COMPARE(panel.binds, 1);
        QVERIFY(mMarket->waitForCalls(QStringLiteral("LBGD_Kline"), 2, 5000));

        const int before = panel.getRefreshtag();
        panel.InitDataStocks_PeriodKLine(code, ZtE_Period(period), ZtE_DIVID_None, false);
        QCOMPARE(panel.getRefreshtag(), before + 1);
        QCOMPARE(panel.stockCode(), kCode);  // nothing stored
        // The worker parks: no further polls are due.
        QTRY_VERIFY(panel.getWaitTime() > INT_MAX / 2 && panel.getWaitTime() < INT_MAX);
        const int calls = mMarket->callCount(QStringLiteral("LBGD_Kline"));
        emit panel.onGetPeriodKLineOver(before, kCode, ZtE_Period_Day, ZtE_DIVID_None, DQDDataList());
        QCOMPARE(panel.data().count(), 4);

        panel.InitDataStocks_PeriodKLine(kCode, ZtE_Period_Week, ZtE_DIVID_None, false);
        QVERIFY(mMarket->waitForCalls(QStringLiteral("LBGD_Kline"), calls + 1, 5000));
        QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Kline")).last().args.at(1).toInt(), int(ZtE_Period_Week));
    }

    void historyIsReadUntilComplete_data()
    {
        QTest::addColumn<int>("incompleteAnswers");
        QTest::newRow("complete at once") << 0;
        QTest::newRow("complete on the third read") << 2;
    }

    void historyIsReadUntilComplete()
    {
        QFETCH(int, incompleteAnswers);
        std::atomic<int> served{0};
        mMarket->setAnswerFunction(QStringLiteral("LBGD_Dline_History"), [&](const ScriptedMarket::Call&) {
            const int n = ++served;
            return ScriptedMarket::Answer{ReaderTest::rows(QStringLiteral("T"), n), 100, n > incompleteAnswers};
        });
        Panel panel;
        panel.show();
        QPointer<QThread> thread = panel.thread();
        QVERIFY(thread);
        panel.InitDataStocks_HistoryDLine(kCode, ZtE_Period_DLine, 20261204);
        QTRY_VERIFY(thread.isNull());  // the worker ends by itself
        QVERIFY(!panel.getGetDataFlag());
        QCOMPARE(served.load(), incompleteAnswers + 1);
        QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Dline_History")).first().args,
                 (QVariantList{kCode, qint64(20261204), qint64(0)}));
        QTRY_COMPARE(panel.binds, incompleteAnswers + 1);
        QCOMPARE(panel.data().count(), incompleteAnswers + 1);

        // Another day turns reading on again.
        ReaderTest::Hold hold(*mMarket, QStringLiteral("LBGD_Dline_History"));
        panel.InitDataStocks_HistoryDLine(kCode, ZtE_Period_DLine, 20261203);
        QVERIFY(panel.getGetDataFlag());
        QVERIFY(mMarket->waitUntilHeld(QStringLiteral("LBGD_Dline_History"), 5000));
        QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Dline_History")).last().args.at(1).toLongLong(), 20261203);
    }
};

QTEST_MAIN(tst_ZtLayoutStockBase)
#include "tst_ztlayoutstockbase.moc"
