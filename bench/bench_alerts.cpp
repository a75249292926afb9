// Cost of testing one quote list against the alert conditions: 1,000 alerted stocks
// with 5 conditions each, none met (every condition is tested), on the GUI thread
// where the checker runs once a second.
#include <alerts/stockwarning.h>
#include <framework/stockqnow.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kStocks = 1000;
constexpr int kCases = 5;

class Bench : public StockWarning
{
public:
    using StockWarning::StockWarning;
    void feed(const DQDDataList& quotes)
    {
        emit quoteReader()->onQNowsUpdate(quoteReader()->getRefreshtag(), quotes);
    }
};

// CPU time of this thread: the machine is shared, wall time would count the others.
double cpuMicroseconds()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(double(v.size()) * p))];
}

}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const int rounds = argc > 1 ? std::max(10, atoi(argv[1])) : 2000;
    PubStaticFunc::openTemporaryDatabase();

    const quint32 keys[kCases] = {ZtField::Last, ZtField::ChangeRatio, ZtField::Last, ZtField::ChangeRatio,
                                  ZtField::Last};
    DQDDataList quotes;
    for (int s = 0; s < kStocks; ++s) {
        const QString code = QStringLiteral("SH6%1").arg(s, 5, 10, QLatin1Char('0'));
        QList<StockYJCase> cases;
        for (int c = 0; c < kCases; ++c) {
            const bool up = c % 2 == 0;
            cases.append(StockYJCase(QString::number(c), keys[c], up ? QStringLiteral(">=") : QStringLiteral("<="),
                                     up ? QStringLiteral("1000.00") : QStringLiteral("-50"), QStringLiteral("现价"),
                                     QStringLiteral("t"), QStringLiteral("元"), 1, qint16(2)));
        }
        PubStaticFunc::setYJData(StockYJModel(code, cases));
        DQDUnionReader r;
        r.setValue(ZtField::UniqueCode, code);
        r.setValue(ZtField::Name, code);
        r.setValue(ZtField::Last, 10.0 + s * 0.01);
        r.setValue(ZtField::ChangeRatio, 1.5);
        quotes.append(r);
    }

    Bench warning(nullptr);
    // Not started: the reader's worker stays out of the measurement.
    std::vector<double> t;
    t.reserve(size_t(rounds));
    for (int i = 0; i < rounds + 20; ++i) {
        const double start = cpuMicroseconds();
        warning.feed(quotes);
        const double us = cpuMicroseconds() - start;
        if (i >= 20)
            t.push_back(us);
    }
    std::printf("alert check, %d stocks x %d conditions, none met, CPU time of %d rounds\n", kStocks, kCases, rounds);
    std::printf("  median %.1f us   p99 %.1f us   (goal <= 1000 us)\n", percentile(t, 0.5), percentile(t, 0.99));
    return 0;
}
