// Cost of the value-format and colour-rule mark-up per painted cell, against
// QString::number and against the plain reading of the same texts.
#include <benchmark/benchmark.h>

#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>

#include <QRandomGenerator>
#include <QVector>

#include <cstdio>
#include <map>
#include <string>

namespace {

const QString kD2 = QStringLiteral("d2");
const QString kBlocks = QStringLiteral("{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}");
const QString kCase0 = QStringLiteral("case:0");

struct Values
{
    QVector<double> numbers;
    QVector<QVariant> variants;

    Values()
    {
        // Prices and changes as a quote screen shows them, both signs.
        QRandomGenerator rng(7);
        for (int i = 0; i < 1024; ++i) {
            const double v = (rng.generateDouble() * 200.0 - 100.0) * (i % 3 == 0 ? 30.0 : 1.0);
            numbers.append(v);
            variants.append(QVariant(v));
        }
    }
};

const Values& values()
{
    static const Values v;
    return v;
}

void numberBaseline(benchmark::State& state)
{
    const Values& v = values();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QString::number(v.numbers[i], 'f', 2));
        i = (i + 1) & 1023;
    }
}

template <QString (*Format)(const QVariant&, const QString&)>
void formatWith(benchmark::State& state, const QString& format)
{
    const Values& v = values();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Format(v.variants[i], format));
        i = (i + 1) & 1023;
    }
}

QString plainFormat(const QVariant& value, const QString& format)
{
    return ZtMarkupReference::formatValue(value, format);
}

void formatD2(benchmark::State& state) { formatWith<&formatValue>(state, kD2); }
void formatD2Plain(benchmark::State& state) { formatWith<&plainFormat>(state, kD2); }
void formatBlocks(benchmark::State& state) { formatWith<&formatValue>(state, kBlocks); }
void formatBlocksPlain(benchmark::State& state) { formatWith<&plainFormat>(state, kBlocks); }

void colourCase0(benchmark::State& state)
{
    const Values& v = values();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(valueColour(v.variants[i], nullptr, kCase0));
        i = (i + 1) & 1023;
    }
}

void colourCase0Plain(benchmark::State& state)
{
    const Values& v = values();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZtMarkupReference::valueColour(v.variants[i], nullptr, kCase0));
        i = (i + 1) & 1023;
    }
}

// Keeps each benchmark's CPU time per call (steadier than wall time on a shared
// machine) so that the ratios can be printed last.
class Collector : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> nanoseconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration)
                nanoseconds[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}

BENCHMARK(numberBaseline);
BENCHMARK(formatD2);
BENCHMARK(formatD2Plain);
BENCHMARK(formatBlocks);
BENCHMARK(formatBlocksPlain);
BENCHMARK(colourCase0);
BENCHMARK(colourCase0Plain);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();

    auto ns = [&](const char* name) {
        const auto it = collector.nanoseconds.find(name);
        return it == collector.nanoseconds.end() ? 0.0 : it->second;
    };
    const double base = ns("numberBaseline");
    if (base <= 0)
        return 0;
    std::printf("\nQString::number(v, 'f', 2)                 %8.1f ns\n", base);
    std::printf("formatValue(v, \"d2\")                       %8.1f ns  %.2fx number (target <= 2x), plain %.2fx\n",
                ns("formatD2"), ns("formatD2") / base, ns("formatD2Plain") / base);
    std::printf("formatValue(v, two {if#} blocks)           %8.1f ns  %.2fx number (target <= 4x), plain %.2fx\n",
                ns("formatBlocks"), ns("formatBlocks") / base, ns("formatBlocksPlain") / base);
    std::printf("valueColour(v, \"case:0\")                   %8.1f ns  (target < 1000 ns), plain %.1f ns\n",
                ns("colourCase0"), ns("colourCase0Plain"));
    return 0;
}
