// Cost of the value-format and colour-rule mark-up per painted cell, with the
// market list's own column formats cycling as a painted row does, against
// QString::number of the same values and against the plain reading of the same
// texts. The variants run in turn in one loop.
//
//   bench_format [rounds]
#include "benchtiming.h"

#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <pubcache/gridfield.h>
#include <pubcache/pubconfig.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QVector>

#include <cstdio>

namespace {

constexpr int kBatch = 1024;

struct Cell
{
    QVariant value;
    double number = 0;
    QString format;
    QString rule;
};

// The numeric columns of the market list, each with a value of its kind.
QVector<Cell> marketCells()
{
    QVector<Cell> columns;
    // The column set belongs to the cache library.
    for (const GridField* f : PubConfig::getColumn(QStringLiteral("StockList"))) {
        const DQDField::Field& d = f->getField();
        if (!d.mFormat.startsWith(QLatin1Char('!')) && !d.mFormat.startsWith(QLatin1Char('[')))
            columns.append({QVariant(), 0, d.mFormat, d.mColorRule});
    }
    QVector<Cell> cells;
    QRandomGenerator rng(7);
    for (int i = 0; i < kBatch; ++i) {
        Cell c = columns.at(i % columns.size());
        const bool big = c.format.contains(QLatin1Char('w'));
        c.number = big ? rng.generateDouble() * 5e9 : rng.generateDouble() * 200.0 - 100.0;
        c.value = QVariant(c.number);
        cells.append(c);
    }
    return cells;
}

QString plainFormat(const QVariant& value, const QString& format)
{
    return ZtMarkupReference::formatValue(value, format);
}

template <class F>
void batch(const QVector<Cell>& cells, F&& f)
{
    for (const Cell& c : cells)
        f(c);
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(20, atoi(argv[1])) : 400;
    const QVector<Cell> cells = marketCells();
    const QString blocks = QStringLiteral("{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}");
    const QString case0 = QStringLiteral("case:0");

    volatile int sink = 0;
    const auto samples = bench::interleave(
        rounds,
        {[&](int) { batch(cells, [&](const Cell& c) { sink += QString::number(c.number, 'f', 2).size(); }); },
         [&](int) { batch(cells, [&](const Cell& c) { sink += formatValue(c.value, c.format).size(); }); },
         [&](int) { batch(cells, [&](const Cell& c) { sink += plainFormat(c.value, c.format).size(); }); },
         [&](int) { batch(cells, [&](const Cell& c) { sink += formatValue(c.value, blocks).size(); }); },
         [&](int) { batch(cells, [&](const Cell& c) { sink += plainFormat(c.value, blocks).size(); }); },
         [&](int) { batch(cells, [&](const Cell& c) { sink += valueColour(c.value, nullptr, case0).alpha(); }); },
         [&](int) {
             batch(cells, [&](const Cell& c) {
                 sink += ZtMarkupReference::valueColour(c.value, nullptr, case0).alpha();
             });
         }});
    auto perCell = [](bench::Stats s) {
        s.median *= 1000.0 / kBatch;
        s.p10 *= 1000.0 / kBatch;
        s.p90 *= 1000.0 / kBatch;
        s.p99 *= 1000.0 / kBatch;
        return s;
    };
    std::printf("mark-up per cell, %d cells a batch, %d interleaved rounds, thread CPU time in ns per cell\n",
                kBatch, rounds);
    std::printf("  (the market list's numeric column formats cycling)\n");
    const char* names[] = {"QString::number(v, 'f', 2)",      "formatValue, market columns",
                           "plain reading, market columns",   "formatValue, two {if#} blocks",
                           "plain reading, two {if#} blocks", "valueColour \"case:0\"",
                           "plain reading, \"case:0\""};
    for (size_t i = 0; i < samples.size(); ++i) {
        const bench::Stats s = perCell(bench::statsOf(samples[i]));
        std::printf("  %-36s median %7.1f ns  (p10 %7.1f, p90 %7.1f)\n", names[i], s.median, s.p10, s.p90);
    }
    bench::printRatio("formatValue columns / number", bench::ratioOf(samples[1], samples[0]), "<= 1.3");
    bench::printRatio("plain columns / number", bench::ratioOf(samples[2], samples[0]), "(reference)");
    bench::printRatio("formatValue blocks / number", bench::ratioOf(samples[3], samples[0]), "<= 4");
    std::printf("valueColour \"case:0\": %.1f ns per cell (goal < 1000 ns)\n",
                perCell(bench::statsOf(samples[5])).median);
    return sink == -1;
}
