// Delivery of quote lists the way readers send them: built on a worker thread,
// sent by a queued signal, taken on the GUI thread. Small and large lists run in
// turn (copies must be O(1)); one receiver only reads what it got, the other
// writes one field into every row as the watchlist once did with the add times,
// and the watchlist grid's receiver keeps the list and paints the add times from
// beside it. Also the cost of finding a row by code.
//
//   bench_datalist [rounds]
#include "benchtiming.h"

#include <ztlib/dqdquery.h>
#include <ztlib/ztfields.h>

#include <pubcache/gridfield.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

DQDDataList makeList(int rows)
{
    DQDDataList list;
    list.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        DQDUnionReader r;
        const QString code = QStringLiteral("%1").arg(600000 + i);
        r.setValue(ZtField::Market, QStringLiteral("SH"));
        r.setValue(ZtField::Code, code);
        r.setValue(ZtField::UniqueCode, QStringLiteral("SH") + code);
        r.setValue(ZtField::Name, QStringLiteral("样本股份"));
        for (unsigned int k = 0; k < 40; ++k)
            r.setValue(17000 + k * 10, 10.0 + i * 0.01 + k);
        list.append(r);
    }
    return list;
}

// The worker side: sends a list when asked, and keeps no reference to it, as a
// reader's worker does with each read.
class Sender : public QObject
{
    Q_OBJECT
signals:
    void deliver(DQDDataList list, qint64 sentNs);
};

class Receiver : public QObject
{
    Q_OBJECT
public:
    bool writes = false;
    // Set: hands the list to this grid, as the watchlist's update does.
    ZtWidgetStockGrid* grid = nullptr;
    double latencyUs = 0;
    double handleUs = 0;
    bool done = false;
    qint64 checksum = 0;

public slots:
    void take(DQDDataList list, qint64 sentNs)
    {
        latencyUs = double(nowNs() - sentNs) / 1000.0;
        handleUs = bench::timeUs([&] {
            // A panel keeps the list it got.
            mKept = list;
            if (grid) {
                grid->setData(&mKept);
                grid->doLocalSort();
            }
            if (writes) {
                for (int i = 0; i < mKept.count(); ++i)
                    mKept.at(i)->setValue(ZtField::AddTime, QStringLiteral("2026-01-05"));
            }
            checksum += mKept.count();
        });
        // Dropping the list is the next delivery's business, not this one's.
        if (grid)
            grid->setData(nullptr);
        mKept = DQDDataList();
        done = true;
    }

private:
    DQDDataList mKept;
};

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qRegisterMetaType<DQDDataList>("DQDDataList");
    const int rounds = argc > 1 ? std::max(20, atoi(argv[1])) : 1000;

    // Lists are built ahead, one per send, so the worker hands over its only reference.
    const DQDDataList small = makeList(50);
    const DQDDataList large = makeList(5000);
    QThread worker;
    Sender sender;
    sender.moveToThread(&worker);
    worker.start();
    Receiver receiver;

    // The watchlist's grid: add times of every code kept beside the list.
    ZtWidgetStockGrid grid(nullptr);
    DQDField::Field addedField(QStringLiteral("入选时间"), ZtField::AddTime, QString(),
                               QStringLiteral("[tn:yyyy-MM-dd]"));
    GridField added(addedField, 120);
    grid.appendColumn(&added);
    grid.resetColumn();
    grid.setUseLocalSort(true);
    QHash<QString, QString> addTimes;
    for (int i = 0; i < large.count(); ++i)
        addTimes.insert(large.at(i)->getUniqueValue(0), QStringLiteral("20260105093000000"));
    grid.setSideValues(ZtField::AddTime, addTimes);
    QObject::connect(&sender, &Sender::deliver, &receiver, &Receiver::take, Qt::QueuedConnection);

    // One delivery: the worker emits a fresh copy and drops it; the GUI thread's
    // event loop takes it. Returns the receiver's handling time.
    std::mutex lock;
    auto send = [&](const DQDDataList& base, bool writes, ZtWidgetStockGrid* toGrid) {
        receiver.writes = writes;
        receiver.grid = toGrid;
        receiver.done = false;
        std::condition_variable sent;
        bool emitted = false;
        QMetaObject::invokeMethod(&sender, [&] {
            DQDDataList fresh = base;
            fresh.at(0)->setValue(ZtField::Last, 1.0);  // a new list, not the shared base
            emit sender.deliver(fresh, nowNs());
            std::lock_guard<std::mutex> g(lock);
            emitted = true;
            sent.notify_all();
        });
        {
            std::unique_lock<std::mutex> g(lock);
            sent.wait(g, [&] { return emitted; });
        }
        while (!receiver.done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };

    constexpr int kVariants = 5;
    std::vector<double> latency[kVariants];
    std::vector<double> handle[kVariants];
    const struct
    {
        const DQDDataList* list;
        bool writes;
        ZtWidgetStockGrid* grid;
    } variants[kVariants] = {{&small, false, nullptr},
                             {&large, false, nullptr},
                             {&small, true, nullptr},
                             {&large, true, nullptr},
                             {&large, false, &grid}};
    for (int r = -20; r < rounds; ++r) {
        for (int v = 0; v < kVariants; ++v) {
            send(*variants[v].list, variants[v].writes, variants[v].grid);
            if (r >= 0) {
                latency[v].push_back(receiver.latencyUs);
                handle[v].push_back(receiver.handleUs);
            }
        }
    }
    worker.quit();
    worker.wait();

    // Look-ups by code over 5,000 rows.
    std::vector<QString> codes;
    for (int i = 0; i < 5000; i += 7)
        codes.push_back(QStringLiteral("SH%1").arg(600000 + i));
    QElapsedTimer timer;
    timer.start();
    qint64 found = 0;
    const int lookups = 1000000;
    for (int i = 0; i < lookups; ++i)
        found += large.value(codes[size_t(i) % codes.size()]) ? 1 : 0;
    const double lookupNs = double(timer.nsecsElapsed()) / lookups;

    const char* names[kVariants] = {"50 rows, reading receiver", "5000 rows, reading receiver",
                                    "50 rows, writing receiver", "5000 rows, writing receiver",
                                    "5000 rows, watchlist grid"};
    std::printf("DQDDataList from a worker to the GUI thread by queued signal, %d interleaved rounds\n", rounds);
    std::printf("  delivery latency (wall time, emit -> slot)\n");
    for (int v = 0; v < kVariants; ++v)
        bench::printTime(names[v], bench::statsOf(latency[v]));
    std::printf("  receiver's handling (thread CPU time)\n");
    for (int v = 0; v < kVariants; ++v)
        bench::printTime(names[v], bench::statsOf(handle[v]));
    bench::printRatio("delivery 5000 / 50 rows", bench::ratioOf(latency[1], latency[0]), "<= 1.5");
    std::printf("value(code) on 5000 rows: %.1f ns per look-up (%lld found)\n", lookupNs,
                static_cast<long long>(found));
    return receiver.checksum == 0;
}

#include "bench_datalist.moc"
