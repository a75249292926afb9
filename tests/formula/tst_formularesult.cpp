#include <formula/formularesult.h>

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

float fromBits(quint32 bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof(value));
    return value;
}

// Engine-side storage for one raw line whose series, texts and extras are
// present or null as `present` says: digits 1-5 for the series, 'n' name,
// 't' second text, 's' strip colours, 'r' rectangle.
struct RawLine
{
    std::vector<float> values[5];
    std::uint32_t strip[3] = {0xFF0000u, 0x00FF00u, 0x0000FFu};
    std::int32_t rect[4] = {1, 2, 30, 40};
    tagFLINE line;

    RawLine(int points, const QString& present, int seed)
    {
        const float* tagFLINE::*series[] = {&tagFLINE::series1, &tagFLINE::series2, &tagFLINE::series3,
                                            &tagFLINE::series4, &tagFLINE::series5};
        for (int s = 0; s < 5; ++s) {
            for (int i = 0; i < qMax(points, 3); ++i)
                values[s].push_back(seed * 100.0f + s * 10.0f + i);
            line.*series[s] = present.contains(QChar('1' + s)) ? values[s].data() : nullptr;
        }
        line.lineType = std::uint8_t(seed);
        line.name = present.contains('n') ? "MA5" : nullptr;
        line.text2 = present.contains('t') ? "COLORRED" : nullptr;
        line.attributes[0] = seed;
        line.attributes[1] = -1;
        line.attributes[2] = 0x7FFFFFFF;
        line.attributes[3] = 3;
        line.pointCount = points;
        line.extra = -seed;
        line.shortValue = std::int16_t(-300 - seed);
        line.stripColors = present.contains('s') ? strip : nullptr;
        line.rect = present.contains('r') ? rect : nullptr;
    }

    std::vector<float> expected(int s, const QString& present, int points) const
    {
        if (points <= 0 || !present.contains(QChar('1' + s)))
            return {};
        return std::vector<float>(values[s].begin(), values[s].begin() + points);
    }
};

}

class tst_FormulaResult : public QObject
{
    Q_OBJECT

private slots:
    void parseLine_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<QString>("present");
        QTest::newRow("everything") << 4 << "12345ntsr";
        QTest::newRow("first series only") << 5 << "1";
        QTest::newRow("second series null") << 5 << "1345nt";
        QTest::newRow("no points, pointers set") << 0 << "12345ntsr";
        QTest::newRow("negative points") << -2 << "12345";
        QTest::newRow("first series missing") << 3 << "2n";
        QTest::newRow("strip without rect") << 1 << "1s";
        QTest::newRow("rect without strip") << 1 << "1r";
    }

    void parseLine()
    {
        QFETCH(int, points);
        QFETCH(QString, present);
        RawLine raw(points, present, 7);
        tagFLINES lines{&raw.line, 1};
        FormulaResult result;
        result.parseFromFline(lines);

        QCOMPARE(result.lineCount, 1);
        QCOMPARE(result.lines.size(), std::size_t(1));
        const LineData& line = result.lines.front();
        QCOMPARE(int(line.lineType), 7);
        const std::vector<float>* series[] = {&line.series1, &line.series2, &line.series3, &line.series4, &line.series5};
        for (int s = 0; s < 5; ++s)
            QCOMPARE(*series[s], raw.expected(s, present, points));
        QCOMPARE(QString::fromStdString(line.name), present.contains('n') ? QString("MA5") : QString());
        QCOMPARE(QString::fromStdString(line.text2), present.contains('t') ? QString("COLORRED") : QString());
        QCOMPARE(line.attributes, (std::array<std::int32_t, 4>{7, -1, 0x7FFFFFFF, 3}));
        QCOMPARE(line.pointCount, points);
        QCOMPARE(line.extra, -7);
        QCOMPARE(int(line.shortValue), -307);
        QCOMPARE(line.stripColor.valid, present.contains('s'));
        if (line.stripColor.valid)
            QCOMPARE(line.stripColor.colors, (std::array<std::uint32_t, 3>{0xFF0000u, 0x00FF00u, 0x0000FFu}));
        QCOMPARE(line.rect.valid, present.contains('r'));
        if (line.rect.valid)
            QCOMPARE(line.rect.values, (std::array<std::int32_t, 4>{1, 2, 30, 40}));
    }

    void emptyInput_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("nullRecords");
        QTest::newRow("count 0") << 0 << false;
        QTest::newRow("null records") << 3 << true;
        QTest::newRow("negative count") << -1 << false;
    }

    // Nothing to read leaves the held lines alone but still sets the count.
    void emptyInput()
    {
        QFETCH(int, count);
        QFETCH(bool, nullRecords);
        RawLine held(2, "1", 1);
        tagFLINES first{&held.line, 1};
        FormulaResult result;
        result.parseFromFline(first);

        RawLine raw(2, "1", 2);
        tagFLINES lines{nullRecords ? nullptr : &raw.line, count};
        result.parseFromFline(lines);
        QCOMPARE(result.lineCount, count);
        QCOMPARE(result.lines.size(), std::size_t(1));
        QCOMPARE(int(result.lines.front().lineType), 1);
    }

    void secondCallAppends()
    {
        RawLine a(3, "1n", 1), b(2, "12", 2), c(1, "1", 3);
        tagFLINE pair[2] = {a.line, b.line};
        tagFLINES first{pair, 2};
        tagFLINES second{&c.line, 1};
        FormulaResult result;
        result.parseFromFline(first);
        result.parseFromFline(second);
        QCOMPARE(result.lineCount, 1);
        QCOMPARE(result.lines.size(), std::size_t(3));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(int(result.lines[i].lineType), i + 1);
        QCOMPARE(result.lines[1].series2.size(), std::size_t(2));

        // Through the base, as a host holding engines of several kinds would call it.
        FormulaResultBase& base = result;
        base.parseFromFline(first);
        QCOMPARE(base.lineCount, 2);
        QCOMPARE(base.lines.size(), std::size_t(5));

#if !defined(Q_PROCESSOR_ARM) && !defined(_MSC_VER)
        // Itanium member pointer to a virtual: table offset plus one. The parse owns slot 0.
        auto parse = &FormulaResultBase::parseFromFline;
        qptrdiff slot = 0;
        std::memcpy(&slot, &parse, sizeof slot);
        QCOMPARE(slot, qptrdiff(1));
#endif
    }

    void checkValue_data()
    {
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<bool>("valid");
        QTest::newRow("all ones") << 0xFFFFFFFFu << false;
        QTest::newRow("zero") << 0x00000000u << true;
        QTest::newRow("negative zero") << 0x80000000u << true;
        QTest::newRow("quiet NaN") << 0x7FC00000u << true;
        QTest::newRow("negative quiet NaN") << 0xFFC00000u << true;
        QTest::newRow("one bit short") << 0xFFFFFFFEu << true;
        QTest::newRow("infinity") << 0x7F800000u << true;
    }

    void checkValue()
    {
        QFETCH(quint32, bits);
        QFETCH(bool, valid);
        QCOMPARE(FormulaResult::CheckValue(fromBits(bits)), valid);
    }
};

QTEST_APPLESS_MAIN(tst_FormulaResult)
#include "tst_formularesult.moc"
