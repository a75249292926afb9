// Polling readers: how soon a worker picks up a changed request, and what 50 idle
// readers cost, for both ways a worker can wait (10 ms ticks, condition wait).
//
//   bench_reader [--requests N] [--readers N] [--seconds S]
#include <framework/datareadthread.h>
#include <framework/stockqnow.h>
#include <framework/ztlayoutmarketbase.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Notes when the worker's query for a given window start arrives.
class TimedMarket : public ScriptedMarket
{
public:
    DQDDataList qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types, qint64 checkDT,
                                     unsigned int orderBy, int start, int count, bool desc) override
    {
        const auto now = Clock::now();
        {
            std::lock_guard<std::mutex> lock(mLock);
            mLastStart = start;
            mLastCall = now;
        }
        mCalled.notify_all();
        DQDDataList list = ScriptedMarket::qnowStaticForMarkets(markets, types, checkDT, orderBy, start, count, desc);
        list.setDataIsUpdate(true);  // every answer is new, so each read is delivered
        list.setDataDownTime(checkDT + 1);
        return list;
    }

    // Waits for the query of a window start; the time it arrived.
    Clock::time_point waitForStart(int start)
    {
        std::unique_lock<std::mutex> lock(mLock);
        mCalled.wait(lock, [&] { return mLastStart == start; });
        return mLastCall;
    }

private:
    std::mutex mLock;
    std::condition_variable mCalled;
    int mLastStart = -1;
    Clock::time_point mLastCall;
};

class ListPanel : public ZtLayoutMarketBase
{
public:
    ListPanel() : ZtLayoutMarketBase(nullptr, QStringLiteral("BenchList")) {}
    int delivered = 0;

private:
    void doDataRepaint() override { ++delivered; }
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// Runs the GUI thread's event loop (sleeping while there is nothing to do) until done.
void processUntil(const std::function<bool()>& done)
{
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Latency
{
    double medianMs = 0;
    double p99Ms = 0;
    double maxMs = 0;
};

// ReSetDataMarkets on the GUI thread -> the worker's query, per request.
Latency pickUp(int requests)
{
    auto market = std::make_shared<TimedMarket>();
    DQDDataList rows;
    for (int i = 0; i < 150; ++i) {
        DQDReader row;
        row.setValue(ZtField::UniqueCode, QStringLiteral("SH%1").arg(600000 + i));
        rows.append(row);
    }
    market->setAnswer(QStringLiteral("LBGD_QNowStaticForMK_DL"), rows, 1);
    PBDataChange::installSource(market);
    std::vector<double> ms;
    {
        ListPanel panel;
        panel.InitDataMarkets({QStringLiteral("SH"), QStringLiteral("SZ")}, {ZtE_ZQLX_AShare}, 22030, 0, 40, true,
                              true);
        panel.show();
        processUntil([&] { return panel.delivered >= 1; });
        for (int i = 1; i <= requests; ++i) {
            // Requests come at no fixed phase to the worker's ticks, as a user's do.
            QThread::usleep(QRandomGenerator::global()->bounded(2000u, 15000u));
            const int start = 100 * i + 60;  // its window starts at 100 * i: one per request
            const int windowStart = std::max(0, (start / 50) * 50 - 50);
            const auto sent = Clock::now();
            panel.ReSetDataMarkets(22030, start, 40, true);
            const auto called = market->waitForStart(windowStart);
            ms.push_back(std::chrono::duration<double, std::milli>(called - sent).count());
            // The result must be in before the next request, so the worker is waiting again.
            const int before = panel.delivered;
            processUntil([&] { return panel.delivered > before; });
        }
        panel.hide();
    }
    PBDataChange::installSource(nullptr);
    return {percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1.0)};
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Share of one core used by `readers` running quote readers whose source has
// nothing new (each reads once a second and waits in between).
double idleShare(int readers, int seconds)
{
    auto market = std::make_shared<ScriptedMarket>();
    const QVector<QString> codes = {QStringLiteral("SH000001"), QStringLiteral("SZ399001")};
    for (const QString& code : codes) {
        DQDReader row;
        row.setValue(ZtField::UniqueCode, code);
        market->setQuote(code, Q_DD_Now(row));
    }
    market->setQuotesDownTime(0);  // never newer than what a reader holds
    PBDataChange::installSource(market);
    double share = 0;
    {
        std::vector<std::unique_ptr<StockQNow>> qnows;
        for (int i = 0; i < readers; ++i) {
            qnows.push_back(std::make_unique<StockQNow>());
            qnows.back()->InitQNows(codes);
            qnows.back()->run();
        }
        runEventLoop(1500);
        market->clearCalls();

        const double cpu0 = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        runEventLoop(seconds * 1000);
        const double cpu = cpuSeconds() - cpu0;
        share = cpu / (double(wall.nsecsElapsed()) / 1e9);
        std::printf("    (%d reads in %d s)\n", market->totalCalls(), seconds);
        for (auto& q : qnows)
            q->stop();
    }
    PBDataChange::installSource(nullptr);
    return share;
}

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false"));

    QCommandLineParser parser;
    QCommandLineOption requestsOption(QStringLiteral("requests"), QStringLiteral("Requests to time."),
                                      QStringLiteral("n"), QStringLiteral("200"));
    QCommandLineOption readersOption(QStringLiteral("readers"), QStringLiteral("Idle readers."), QStringLiteral("n"),
                                     QStringLiteral("50"));
    QCommandLineOption secondsOption(QStringLiteral("seconds"), QStringLiteral("Idle measurement time."),
                                     QStringLiteral("s"), QStringLiteral("10"));
    parser.addOptions({requestsOption, readersOption, secondsOption});
    parser.addHelpOption();
    parser.process(app);
    const int requests = parser.value(requestsOption).toInt();
    const int readers = parser.value(readersOption).toInt();
    const int seconds = parser.value(secondsOption).toInt();

    struct Row
    {
        const char* name;
        DataReadThread::WaitMode mode;
        Latency latency;
        double idle = 0;
    };
    std::vector<Row> rows = {{"10 ms ticks (baseline)", DataReadThread::WaitMode::Tick, {}, 0},
                             {"condition wait", DataReadThread::WaitMode::Condition, {}, 0}};
    for (Row& row : rows) {
        std::printf("%s\n", row.name);
        DataReadThread::setWaitMode(row.mode);
        row.latency = pickUp(requests);
        row.idle = idleShare(readers, seconds);
    }

    std::printf("\nreader pick-up, ReSetDataMarkets -> query on the worker, %d requests (rule: within 10 ms; "
                "goal of the condition wait: p99 <= 0.1 ms)\n",
                requests);
    std::printf("idle cost, %d running quote readers with nothing new (each reads once a second), %d s, share of "
                "one core (goal of the condition wait: <= 0.2 %%)\n\n",
                readers, seconds);
    std::printf("%-24s %12s %12s %12s %14s\n", "wait", "median ms", "p99 ms", "max ms", "idle CPU %");
    for (const Row& row : rows)
        std::printf("%-24s %12.3f %12.3f %12.3f %14.2f\n", row.name, row.latency.medianMs, row.latency.p99Ms,
                    row.latency.maxMs, row.idle * 100);
    return 0;
}
