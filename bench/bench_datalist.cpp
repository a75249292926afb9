// Queued-signal latency of small and large lists (copies must be O(1)) and the
// cost of finding a row by code.
#include <ztlib/dqdquery.h>
#include <ztlib/ztfields.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

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
    std::vector<double> latenciesUs;
    std::atomic<int> received{0};
    std::atomic<qint64> checksum{0};

public slots:
    void take(DQDDataList list, qint64 sentNs)
    {
        const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               Clock::now().time_since_epoch()).count();
        latenciesUs.push_back((now - sentNs) / 1000.0);
        checksum += list.count();
        ++received;
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * v.size()))];
}

// Sends the list one message at a time (waiting for each), so the figure is
// the delivery latency and not queue build-up.
std::vector<double> measure(const DQDDataList& list, int rounds)
{
    QThread thread;
    thread.setObjectName(QStringLiteral("bench-receiver"));
    Receiver receiver;
    receiver.latenciesUs.reserve(rounds);
    receiver.moveToThread(&thread);
    Sender sender;
    QObject::connect(&sender, &Sender::deliver, &receiver, &Receiver::take, Qt::QueuedConnection);
    thread.start();
    for (int i = 0; i < rounds; ++i) {
        const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                               Clock::now().time_since_epoch()).count();
        emit sender.deliver(list, now);
        while (receiver.received.load() <= i)
            QThread::yieldCurrentThread();
    }
    thread.quit();
    thread.wait();
    return receiver.latenciesUs;
}

}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    qRegisterMetaType<DQDDataList>("DQDDataList");
    const int rounds = 2000;

    const DQDDataList small = makeList(50);
    const DQDDataList large = makeList(5000);
    measure(small, 200); // warm-up
    const auto s = measure(small, rounds);
    const auto l = measure(large, rounds);

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

    std::printf("queued DQDDataList, %d sends each\n", rounds);
    std::printf("  50 rows:    median %.1f us, p99 %.1f us\n", median(s), percentile(s, 0.99));
    std::printf("  5000 rows:  median %.1f us, p99 %.1f us\n", median(l), percentile(l, 0.99));
    std::printf("  ratio 5000/50 (median): %.2f (target <= 1.5)\n", median(l) / median(s));
    std::printf("value(code) on 5000 rows: %.1f ns per look-up (%lld found)\n", lookupNs,
                static_cast<long long>(found));
    return 0;
}

#include "bench_datalist.moc"
