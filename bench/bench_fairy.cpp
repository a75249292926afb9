// Keyboard fairy: search time per keystroke on 20,000 entries against the plain
// ranking, and the time to fill the 501-row result list.
#include "../tests/support/keyboardreference.h"
// The generator is test-support code; compiled in here rather than linked.
#include "../tests/support/keyboardreference.cpp"

#include <fairy/ztkeyboardfairy.h>
#include <fairy/ztkeyboardsearch.h>
#include <fairy/ztkeylineedit.h>
#include <fairy/ztkeytablewidget.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubkeyboard.h>
#include <ztlib/simulatedmarket.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {


constexpr int kEntries = 20000;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

// CPU time of this thread: the machine is shared, and waiting for a core is not
// time the search takes.
double threadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

template <class F>
double timeUs(F&& f)
{
    const double t0 = threadCpuUs();
    f();
    return threadCpuUs() - t0;
}

// What people type: the start of a code or of the initials, now and then of a name.
QStringList typedInputs(const QVector<KeyboardSample>& list, int length, int count, quint32 seed)
{
    QRandomGenerator rng(seed);
    QStringList out;
    while (out.size() < count) {
        const KeyboardSample& e = list.at(rng.bounded(list.size()));
        const int pick = rng.bounded(10);
        const QStringList keys = e.keys.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        QString source = pick < 9 && !keys.isEmpty() ? keys.at(rng.bounded(keys.size())) : e.name;
        if (source.size() < length)
            continue;
        out << source.left(length);
    }
    return out;
}

}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // One debug line per keystroke is noise here.
    QLoggingCategory::setFilterRules(QStringLiteral("zt.fairy.debug=false"));

    // The market's own list, padded with generated securities.
    QVector<KeyboardSample> list;
    SimulatedMarket market;
    for (const UserKeyBoard& k : PubKeyboard::build(market.securityList()))
        list.append({k.getKeys(), k.getSecondKey(), k.getCode(), k.getName(), k.getType()});
    const int real = list.size();
    list += generatedKeyboardEntries(kEntries - real, 7);

    ZtKeyboardSearch search;
    const double buildMs = timeUs([&] { search.setEntries(list); }) / 1000.0;

    struct Row
    {
        int length;
        double median, p99, refMedian, ratio;
        int results;
        bool same;
    };
    std::vector<Row> rows;
    for (int length : {1, 2, 4, 6}) {
        const QStringList inputs = typedInputs(list, length, 1000, quint32(100 + length));
        for (const QString& in : inputs.mid(0, 100))
            search.search(in);  // warm-up
        std::vector<double> fast;
        qint64 results = 0;
        for (const QString& in : inputs)
            fast.push_back(timeUs([&] { results += search.search(in).size(); }));
        // The reference is slow: a subset, compared with the fast times of the same inputs.
        const int refCount = 40;
        std::vector<double> ref;
        std::vector<double> fastSame(fast.begin(), fast.begin() + refCount);
        bool same = true;
        for (const QString& in : inputs.mid(0, refCount)) {
            QVector<int> expected;
            ref.push_back(timeUs([&] { expected = referenceKeyboardSearch(list, in, {}); }));
            same = same && expected == search.search(in);
        }
        rows.push_back({length, median(fast), percentile(fast, 0.99), median(ref), median(ref) / median(fastSame),
                        int(results / inputs.size()), same});
    }

    // Through the widget: a one-character input fills the 501-row list. The fill is
    // the keystroke's time less the search's.
    QList<UserKeyBoard> keyboard;
    keyboard.reserve(list.size());
    for (const KeyboardSample& e : list)
        keyboard.append(UserKeyBoard(keyboard.size(), e.keys, e.secondKey, e.code, e.name, e.type));
    PubCache::mUserKeyboard = keyboard;
    ZtKeyboardFairy fairy;
    fairy.resize(240, 24);
    fairy.show();
    auto* field = fairy.findChild<ZtKeyLineEdit*>();
    auto* table = fairy.findChild<ZtKeyTableWidget*>();
    field->setText(QStringLiteral("6"));  // builds the fairy's index
    std::vector<double> keystroke;
    std::vector<double> searchOnly;
    int listRows = 0;
    const QStringList oneChar = {"6", "0", "3", "S", "Z", "H", "Y", "A", "B", "X"};
    for (int round = 0; round < 20; ++round) {
        for (const QString& in : oneChar) {
            field->QLineEdit::clear();
            keystroke.push_back(timeUs([&] { field->setText(in); }));
            listRows = qMax(listRows, table->rowCount());
            searchOnly.push_back(timeUs([&] { search.search(in); }));
            QCoreApplication::processEvents();
        }
    }
    const double fill = median(keystroke) - median(searchOnly);

    std::printf("keyboard search over %d entries (%d from the simulated market, the rest generated)\n", kEntries,
                real);
    std::printf("index build (once per list): %.1f ms\n", buildMs);
    std::printf("%-6s %12s %12s %14s %10s %12s %6s\n", "chars", "median us", "p99 us", "reference us", "ratio",
                "avg matches", "same");
    for (const Row& r : rows) {
        std::printf("%-6d %12.1f %12.1f %14.1f %9.1fx %12d %6s\n", r.length, r.median, r.p99, r.refMedian, r.ratio,
                    r.results, r.same ? "yes" : "NO");
    }
    std::printf("one character through the widget: median %.1f us, p99 %.1f us; list fill (%d rows) %.1f us\n",
                median(keystroke), percentile(keystroke, 0.99), listRows, fill);
    std::printf("goals: median <= 1000 us for 1 char, <= 500 us for 2+; ratio >= 5x; fill <= 5000 us\n");
    return 0;
}
