#include <format/markup/markupcommon.h>
#include <format/markup/markupreference.h>
#include <format/markup/valueformat.h>
#include <ztlib/datatrans.h>

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <limits>

static QVariant packed(int h, int m)
{
    return QVariant(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime(QDate(2024, 3, 15), QTime(h, m))));
}

class tst_FormatValue : public QObject
{
    Q_OBJECT

private slots:
    void format_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("d2 rounds") << "d2" << QVariant(12.346) << "12.35";
        QTest::newRow("divisor") << "100d2" << QVariant(1234) << "12.34";
        QTest::newRow("suffix") << "d2[ls:%]" << QVariant(3.1) << "3.10%";
        QTest::newRow("sign") << "fd2[ls:%]" << QVariant(0.5) << "+0.50%";
        QTest::newRow("dw 1e8") << "dw" << QVariant(123456789) << "1亿";
        QTest::newRow("dw below 1e4 keeps d text") << "dw" << QVariant(9876) << "9876";
        QTest::newRow("d2w") << "d2w" << QVariant(123456789) << "1.23亿";
        QTest::newRow("d1w negative") << "d1w" << QVariant(-123456) << "-12.3万";
        QTest::newRow("wc integral") << "wc" << QVariant(9876.4) << "9876";
        QTest::newRow("wc negative integral") << "wc" << QVariant(-9876.4) << "-9876";
        QTest::newRow("time") << "[tn:hh:mm]" << packed(9, 30) << "09:30";
        QTest::newRow("d2wc trillion") << "d2wc" << QVariant(1.5e12) << "1.50兆";
        QTest::newRow("w alone below 1e4") << "w" << QVariant(9876) << "";
        QTest::newRow("w alone above") << "w" << QVariant(12345) << "1万";
        QTest::newRow("no flags: suffix only") << "[ls:%]" << QVariant(5) << "%";
        QTest::newRow("empty format") << "" << QVariant(5) << "";
        QTest::newRow("prefix and suffix") << "[ps:¥]d2[ls:元]" << QVariant(5) << "¥5.00元";
        QTest::newRow("!! wins") << "!pd2[ss:x]!!" << QVariant(5) << "";
        QTest::newRow("!p over static") << "[ss:x]!p" << QVariant(3.14159) << "3.14159";
        QTest::newRow("static over flags") << "fd2[ss:--][ls:%]" << QVariant(5) << "--";
        QTest::newRow("no plus on zero") << "fd2" << QVariant(0) << "0.00";
        QTest::newRow("no plus on negative") << "fd2" << QVariant(-1) << "-1.00";
        QTest::newRow("string value") << "d2" << QVariant(QStringLiteral("7.5")) << "7.50";
        QTest::newRow("text value counts as 0") << "d2" << QVariant(QStringLiteral("abc")) << "0.00";
        QTest::newRow("placeholder counts as 0") << "d2" << QVariant(QStringLiteral("-")) << "0.00";
        QTest::newRow("placeholder, !p") << "!p" << QVariant(QStringLiteral("-")) << "0";
        QTest::newRow("divide by zero") << "0d2" << QVariant(5) << "inf";
        QTest::newRow("zero by zero") << "0d2" << QVariant(0) << "nan";
        // Every copy of the first tag is removed, a different one stays and hides the decimals.
        QTest::newRow("repeated tag removed") << "[ls:%]d2[ls:%]" << QVariant(1) << "1.00%";
        QTest::newRow("second different tag stays") << "[ls:a]d2[ls:b]" << QVariant(1) << "1a";
        QTest::newRow("unclosed tag not removed") << "d2[ls:%" << QVariant(3.14) << "3%";
        QTest::newRow("date tag hides its letters") << "[tn:dd]" << packed(9, 30) << "15";
        QTest::newRow("invalid date") << "[tn:yyyy]" << QVariant(0) << "";
        QTest::newRow("negative decimals as none") << "d-2" << QVariant(3.7) << "4";
        QTest::newRow("block picks branch") << "{if#>10&&<20;d1}d0" << QVariant(15) << "15.0";
        QTest::newRow("two blocks positive") << "{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}" << QVariant(1.234) << "+1.23%";
        QTest::newRow("two blocks negative") << "{if#>=0;fd2[ls:%]}{if#<0;d2[ls:%]}" << QVariant(-1.234) << "-1.23%";
        QTest::newRow("default outside blocks") << "{if#=0;[ss:--]}d2" << QVariant(1.5) << "1.50";
        QTest::newRow("zero block") << "{if#=0;[ss:--]}d2" << QVariant(0) << "--";
        QTest::newRow("placeholder hits zero block") << "{if#=0;[ss:--]}d2" << QVariant(QStringLiteral("-")) << "--";
    }

    void format()
    {
        QFETCH(QString, format);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(formatValue(value, format), expected);
        QCOMPARE(ZtMarkupReference::formatValue(value, format), expected);
    }

    // The digits written without QString::number are its digits, or left to it.
    void fixedCharsAsNumber_data()
    {
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<bool>("mostlyQuick");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("edges") << QVector<double>{0.0, -0.0, 0.125, 0.375, 2.5, -2.5, 1.005, 0.045, -0.004, -0.005,
                                                  1e-20, 999999999.995, 1e11, 1e12, -1e15, 5e-324, inf, -inf,
                                                  std::nan("")}
                               << false;
        QVector<double> prices;
        QVector<double> wide;
        QRandomGenerator rng(5);
        for (int i = 0; i < 20000; ++i) {
            prices << std::round(rng.generateDouble() * 400000.0 - 200000.0) / 1000.0;
            wide << (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(-6, 16));
        }
        QTest::newRow("prices of three decimals") << prices << true;
        QTest::newRow("any size") << wide << true;
    }

    void fixedCharsAsNumber()
    {
        QFETCH(QVector<double>, values);
        QFETCH(bool, mostlyQuick);
        int written = 0;
        for (double v : values) {
            for (int d : {0, 1, 2, 3, 4, 8, 15, 16}) {
                char out[ZtMarkupDetail::kFixedChars];
                const int n = ZtMarkupDetail::fixedChars(v, d, out);
                if (n < 0)
                    continue;
                ++written;
                const QString expected = QString::number(v, 'f', d);
                if (QLatin1String(out, n) != expected)
                    QFAIL(qPrintable(QStringLiteral("%1 d%2: %3, expected %4")
                                         .arg(v, 0, 'g', 17)
                                         .arg(d)
                                         .arg(QLatin1String(out, n), expected)));
            }
        }
        // Most values take the quick way.
        if (mostlyQuick)
            QVERIFY(written > values.size() * 4);
    }

    void locale_independent()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = formatValue(1234567.891, QStringLiteral("d2"));
        const QString units = formatValue(-123456.7, QStringLiteral("d1w"));
        QLocale::setDefault(saved);
        QCOMPARE(text, QStringLiteral("1234567.89"));
        QCOMPARE(units, QStringLiteral("-12.3万"));
    }

    void select_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");

        QTest::newRow("default") << "{if#>0;a}{if#<0;b}c" << QVariant(0) << "c";
        QTest::newRow("no blocks") << "d2" << QVariant(1) << "d2";
        QTest::newRow("every copy removed") << "{if#>0;a}x{if#>0;a}" << QVariant(-1) << "x";
        QTest::newRow("branch stops at ;") << "{if#>0;a;b}" << QVariant(1) << "a";
        QTest::newRow("block ends at first }") << "{if#>0;a{if#<0;b}c}" << QVariant(1) << "a{if#<0";
        QTest::newRow("rest after odd block") << "{if#>0;a{if#<0;b}c}" << QVariant(-1) << "c}";
        QTest::newRow("unclosed is the default") << "{if#>0;d2" << QVariant(1) << "{if#>0;d2";
        QTest::newRow("unclosed after a block") << "{if#<0;a}{if#>0;d2" << QVariant(1) << "{if#>0;d2";
        QTest::newRow("empty condition is false") << "{if#;a}b" << QVariant(1) << "b";
        QTest::newRow("unclosed group: the block is false") << "{if#(>0;a}b" << QVariant(1) << "b";
        QString many;
        for (int i = 0; i < 100; ++i)
            many += QStringLiteral("{if#=%1;[ss:v%1]}").arg(i);
        QTest::newRow("block 100 of 100") << many + "d2" << QVariant(99) << "[ss:v99]";
        QTest::newRow("after 100 blocks, the rest") << many + "d2" << QVariant(100) << "d2";
        QTest::newRow("copies skipped among many") << many + many + "x" << QVariant(-1) << "x";
        QTest::newRow("text between blocks kept") << "a{if#=1;b}c{if#=2;d}e" << QVariant(3) << "ace";
        QTest::newRow("removal joins an opener") << "{i{if#=1;x}f#=2;y}z" << QVariant(2) << "y";
        QTest::newRow("opener inside a block") << "{if#=1{if#=2;y}z" << QVariant(3) << "z";
    }

    void select()
    {
        QFETCH(QString, format);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QCOMPARE(selectConditionalFormat(value, format), expected);
        QCOMPARE(ZtMarkupReference::selectConditionalFormat(value, format), expected);
    }

    void condition_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("expected");

        QTest::newRow("and inside") << ">10&&<20" << QVariant(15) << true;
        QTest::newRow("and outside") << ">10&&<20" << QVariant(25) << false;
        // a && b || c groups as a && (b || c): no precedence of && over ||.
        QTest::newRow("right grouping, a false") << "<0&&>5||=10" << QVariant(10) << false;
        QTest::newRow("right grouping, c true") << ">0&&<5||=10" << QVariant(10) << true;
        QTest::newRow("right grouping, b true") << ">0&&<5||=10" << QVariant(3) << true;
        QTest::newRow("right grouping, c false") << ">0&&<5||=10" << QVariant(7) << false;
        QTest::newRow("or then and") << "<0||>5&&<10" << QVariant(20) << false;
        QTest::newRow("or short-circuits") << "<0||>5&&<10" << QVariant(-1) << true;
        QTest::newRow("group excludes 3") << "(>0||<-5)&&!=3" << QVariant(3) << false;
        QTest::newRow("group admits 4") << "(>0||<-5)&&!=3" << QVariant(4) << true;
        QTest::newRow("nested groups") << "((>0&&<5)||(>10&&<15))&&!=12" << QVariant(13) << true;
        QTest::newRow("nested groups excluded") << "((>0&&<5)||(>10&&<15))&&!=12" << QVariant(12) << false;
        QTest::newRow("group beside text") << ">(<5)" << QVariant(3) << true;
        QTest::newRow("empty") << "" << QVariant(1) << false;
        QTest::newRow("grouped true") << "(true)" << QVariant(1) << true;
        QTest::newRow("double parentheses") << "((<5))" << QVariant(3) << true;
        QTest::newRow("unclosed group is malformed") << "(>0" << QVariant(1) << false;
        QTest::newRow("unclosed group after a closed one") << "(>0)||(<5" << QVariant(1) << false;
        QTest::newRow("unclosed outer group") << "((>0)" << QVariant(1) << false;
        QTest::newRow("unclosed group at the end") << ">0||(" << QVariant(1) << false;
        QTest::newRow("stray close is text") << ">0)" << QVariant(1) << true;
        QTest::newRow("both sides given") << "5>3" << QVariant(-100) << true;
        QTest::newRow("no operator") << "abc" << QVariant(1) << false;
    }

    void condition()
    {
        QFETCH(QString, condition);
        QFETCH(QVariant, value);
        QFETCH(bool, expected);
        QCOMPARE(evaluateCondition(value, condition), expected);
        QCOMPARE(ZtMarkupReference::evaluateCondition(value, condition), expected);
    }

    void comparison_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("expected");

        QTest::newRow(">= string equality 1.0") << ">=1.0" << QVariant(1.0) << false;
        QTest::newRow(">= string equality 1") << ">=1" << QVariant(1.0) << true;
        QTest::newRow("<= string equality") << "<=1" << QVariant(1.0) << true;
        QTest::newRow("<= below") << "<=1" << QVariant(0.5) << true;
        QTest::newRow("<= above") << "<=1" << QVariant(1.5) << false;
        QTest::newRow("= is string equality") << "=1.50" << QVariant(1.5) << false;
        QTest::newRow("= shortest form") << "=1.5" << QVariant(1.5) << true;
        QTest::newRow("= on int") << "=3" << QVariant(3) << true;
        QTest::newRow("= zero and negative zero") << "=0" << QVariant(-0.0) << true;
        QTest::newRow("!=") << "!=3" << QVariant(4) << true;
        QTest::newRow("!= equal") << "!=3" << QVariant(3) << false;
        QTest::newRow("contains") << "><3" << QVariant(1234) << true;
        QTest::newRow("contains is case-sensitive") << "><A" << QVariant(QStringLiteral("abc")) << false;
        QTest::newRow("left given") << "abc><b" << QVariant(0) << true;
        QTest::newRow("<") << "<2" << QVariant(1) << true;
        QTest::newRow(">") << ">2" << QVariant(1) << false;
        QTest::newRow("text counts as 0") << ">-1" << QVariant(QStringLiteral("abc")) << true;
        QTest::newRow("string value equality") << "=abc" << QVariant(QStringLiteral("abc")) << true;
        QTest::newRow("true") << "true" << QVariant() << true;
        QTest::newRow("false") << "false" << QVariant() << false;
        QTest::newRow("True is no keyword") << "True" << QVariant() << false;
        QTest::newRow("nan value") << ">=0" << QVariant(qQNaN()) << false;
        QTest::newRow("inf value") << ">=0" << QVariant(qInf()) << true;
        QTest::newRow("inf text equality") << "=inf" << QVariant(qInf()) << true;
    }

    void comparison()
    {
        QFETCH(QString, term);
        QFETCH(QVariant, value);
        QFETCH(bool, expected);
        QCOMPARE(evaluateComparison(value, term), expected);
        // Inside a block the compiled term is used; it must agree.
        QCOMPARE(evaluateCondition(value, term), expected);
    }

    void malformed_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("unclosed block") << "{if#>0;d2";
        QTest::newRow("unclosed after closed") << "{if#<0;d1}{if#>0;d2";
        QTest::newRow("only opener") << "{if#";
        QTest::newRow("block inside tag") << "[ls:{if#]d2";
        QTest::newRow("unbalanced groups") << "{if#((((>0;d2}";
        QTest::newRow("closers only") << "{if#))))>0;d2}";
        QTest::newRow("operators only") << "{if#&&||&&;d2}{if#||;d1}";
        QTest::newRow("tags without ends") << "[ls:[ps:[tn:[ss:";
        QTest::newRow("huge decimals") << "d2147483647";
        QTest::newRow("huge divisor") << "1e400d2";
        QString blocks;
        for (int i = 0; i < 200; ++i)
            blocks += QStringLiteral("{if#<%1;d%1}").arg(-i);
        QTest::newRow("many blocks") << blocks;
    }

    void malformed()
    {
        QFETCH(QString, format);
        for (const QVariant& value : {QVariant(1.5), QVariant(-3), QVariant(QStringLiteral("-")), QVariant()}) {
            QCOMPARE(formatValue(value, format), ZtMarkupReference::formatValue(value, format));
            QCOMPARE(evaluateCondition(value, format), ZtMarkupReference::evaluateCondition(value, format));
        }
    }

    void hugeTexts()
    {
        // Longer than any cached text: compiled on every call, still in linear time.
        const QString deep = QString(200000, QLatin1Char('(')) + QStringLiteral(">0") + QString(200000, QLatin1Char(')'));
        QVERIFY(evaluateCondition(1, deep));
        QVERIFY(!evaluateCondition(1, QLatin1Char('(') + deep));
        QCOMPARE(formatValue(1, QStringLiteral("{if#") + deep + QStringLiteral(";d1}")), QStringLiteral("1.0"));
        // Distinct blocks, so each try removes only one of them; no block is the
        // last one tried.
        QString blocks;
        for (int i = 0; i < 100000; ++i)
            blocks += QStringLiteral("{if#=x%1;a}").arg(i);
        QCOMPARE(formatValue(2, blocks + QStringLiteral("d2")), QStringLiteral("2.00"));
        QCOMPARE(formatValue(QStringLiteral("x99999"), blocks + QStringLiteral("d2")), QStringLiteral(""));
    }

    void cacheStaysBounded()
    {
        const int capacity = ZtMarkupCache::capacity();
        for (int i = 0; i < capacity * 3; ++i) {
            const QString format = QStringLiteral("%1d2").arg(i + 1);
            QCOMPARE(formatValue(100.0 * (i + 1), format), QStringLiteral("100.00"));
        }
        QVERIFY(ZtMarkupCache::entryCount() <= 3 * capacity);
        QVERIFY(ZtMarkupCache::entryCount() > 0);
    }
};

QTEST_APPLESS_MAIN(tst_FormatValue)
#include "tst_formatvalue.moc"
