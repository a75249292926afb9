#include "keyboardreference.h"

#include <fairy/ztkeyboardsearch.h>
#include <pubcache/pubkeyboard.h>
#include <ztlib/simulatedmarket.h>

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

namespace {

// Entry names of a result, to compare with a readable expectation.
QStringList names(const QVector<KeyboardSample>& list, const QVector<int>& result)
{
    QStringList out;
    for (int i : result)
        out << list.at(i).name;
    return out;
}

// Random inputs of 1 to 8 characters: half drawn freely from the characters of the
// list, half cut from its strings (so that many inputs match), some lower-cased.
QStringList randomInputs(const QVector<KeyboardSample>& list, int count, quint32 seed)
{
    QSet<QChar> charSet;
    for (const KeyboardSample& e : list) {
        for (const QString& s : {e.keys, e.code, e.name})
            for (QChar c : s)
                charSet.insert(c);
    }
    QVector<QChar> chars = charSet.values().toVector();
    std::sort(chars.begin(), chars.end());
    QRandomGenerator rng(seed);
    QStringList out;
    while (out.size() < count) {
        const int length = rng.bounded(1, 9);
        QString s;
        if (rng.bounded(2) == 0) {
            for (int i = 0; i < length; ++i)
                s += chars.at(rng.bounded(chars.size()));
        } else {
            const KeyboardSample& e = list.at(rng.bounded(list.size()));
            const QString source = QStringList{e.keys, e.secondKey, e.code, e.name}.at(rng.bounded(4));
            if (source.isEmpty())
                continue;
            s = source.mid(rng.bounded(source.size()), length);
        }
        if (rng.bounded(8) == 0)
            s = s.toLower();
        out << s;
    }
    return out;
}

}

class tst_ZtKeyboardSearch : public QObject
{
    Q_OBJECT

private slots:
    void ranking_data()
    {
        QTest::addColumn<QVector<KeyboardSample>>("list");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("expected");

        const QString a = QStringLiteral("A股");
        const QString b = QStringLiteral("B股");
        const QString index = QStringLiteral("指数");

        QTest::newRow("exact keys first, in list order")
            << QVector<KeyboardSample>{{"PAX", "S", "S", "other", QStringLiteral("其他")},
                                       {"600001|PAYH", "SH600001", "600001", "a-at0", a},
                                       {"XX|PA", "SZ000002", "000002", "exact1", a},
                                       {"PA", "BK0001", "BK0001", "exact2", QStringLiteral("板块")},
                                       {"1PA", "SH600003", "600003", "a-at1", a}}
            << QStringLiteral("PA") << QStringList{"exact1", "exact2", "a-at0", "a-at1", "other"};

        QTest::newRow("code prefix before position 1")
            << QVector<KeyboardSample>{{"X", "SH160000", "160000", "pos1", a}, {"X", "SH600000", "600000", "pos0", a}}
            << QStringLiteral("60") << QStringList{"pos0", "pos1"};

        QTest::newRow("first occurrence decides the position")
            << QVector<KeyboardSample>{{"X", "ZZ60", "X", "at2", b}, {"X", "Z6060", "X", "at1and3", b}}
            << QStringLiteral("60") << QStringList{"at1and3", "at2"};

        QTest::newRow("index only at position 1")
            << QVector<KeyboardSample>{{"X", "H1", "X", "idx-at0", index},
                                       {"X", "ZH", "X", "plain", QStringLiteral("其他")},
                                       {"X|XH", "Q1", "X", "idx-at1", index},
                                       {"X", "SSH", "X", "b-at2", b},
                                       {"X", "SSH", "X", "a-at2", a}}
            << QStringLiteral("H") << QStringList{"idx-at1", "a-at2", "b-at2", "idx-at0", "plain"};

        QTest::newRow("input with a bar matches only the whole key string")
            << QVector<KeyboardSample>{{"AB|CD", "S", "S", "across", a}, {"ABCD", "S", "S", "none", a}}
            << QStringLiteral("B|C") << QStringList{"across"};

        QTest::newRow("empty key parts are skipped")
            << QVector<KeyboardSample>{{"|Q||", "S", "S", "exact", QStringLiteral("功能")}, {"||", "S", "S", "none", a}}
            << QStringLiteral("Q") << QStringList{"exact"};

        QTest::newRow("code alone does not match")
            << QVector<KeyboardSample>{{"K", "S", "777", "code-only", a}} << QStringLiteral("77") << QStringList{};

        QTest::newRow("longer than eight characters")
            << QVector<KeyboardSample>{{"ABCDEFGHIJ", "S", "S", "ten", a}, {"ABCDEFGHIK", "S", "S", "other", a}}
            << QStringLiteral("ABCDEFGHIJ") << QStringList{"ten"};

        // Rebuilding for a new list is covered where the fairy's list changes.
        QTest::newRow("no entries") << QVector<KeyboardSample>{} << QStringLiteral("B") << QStringList{};
    }

    void ranking()
    {
        QFETCH(QVector<KeyboardSample>, list);
        QFETCH(QString, input);
        QFETCH(QStringList, expected);

        ZtKeyboardSearch search;
        search.setEntries(list);
        QCOMPARE(names(list, search.search(input.toUpper())), expected);
        QCOMPARE(names(list, ZtKeyboardSearch::scan(list, input.toUpper(), {})), expected);
        QCOMPARE(names(list, referenceKeyboardSearch(list, input, {})), expected);
    }

    void filterWords()
    {
        const QVector<KeyboardSample> list = {{"PA", "BK1", "BK1", "sector", QStringLiteral("板块")},
                                              {"PA", "SH1", "1", "share", QStringLiteral("A股")},
                                              {"PA", "F", "F", "near", QStringLiteral("板块X")}};
        ZtKeyboardSearch search;
        search.setEntries(list);
        search.setFilterWords({QStringLiteral("板块")});
        // Equality, not containment, decides; "板块X" still counts as a sector when ranking.
        QCOMPARE(names(list, search.search(QStringLiteral("PA"))), (QStringList{"share", "near"}));
        QCOMPARE(names(list, search.search(QStringLiteral("P"))), (QStringList{"near", "share"}));
        QCOMPARE(ZtKeyboardSearch::scan(list, QStringLiteral("PA"), {QStringLiteral("板块")}),
                 search.search(QStringLiteral("PA")));
        search.setFilterWords({});
        QCOMPARE(search.search(QStringLiteral("PA")).size(), 3);
    }

    void matchesReference_data()
    {
        QTest::addColumn<QVector<KeyboardSample>>("list");
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("inputs");

        // The list the terminal builds from the simulated market, functions and indicators.
        QVector<KeyboardSample> market;
        SimulatedMarket source;
        for (const UserKeyBoard& k : PubKeyboard::build(source.securityList()))
            market.append({k.getKeys(), k.getSecondKey(), k.getCode(), k.getName(), k.getType()});
        QTest::newRow("market") << market << QStringList{} << 3u << 3000;
        QTest::newRow("market, functions filtered") << market << QStringList{QStringLiteral("功能")} << 4u << 1000;

        const QVector<KeyboardSample> generated = generatedKeyboardEntries(3000, 11);
        QTest::newRow("generated") << generated << QStringList{} << 1u << 1000;
        QTest::newRow("generated, sectors filtered") << generated << QStringList{QStringLiteral("板块")} << 2u << 1000;
    }

    void matchesReference()
    {
        QFETCH(QVector<KeyboardSample>, list);
        QFETCH(QStringList, filter);
        QFETCH(quint32, seed);
        QFETCH(int, inputs);
        if (list.size() < 100)
            QSKIP("the market offers no securities yet");

        ZtKeyboardSearch search;
        search.setEntries(list);
        search.setFilterWords(filter);
        int nonEmpty = 0;
        for (const QString& input : randomInputs(list, inputs, seed)) {
            const QVector<int> expected = referenceKeyboardSearch(list, input, filter);
            const QVector<int> actual = search.search(input.toUpper());
            if (actual != expected) {
                qWarning() << "input" << input << "reference" << expected.mid(0, 20) << "fast" << actual.mid(0, 20);
                QFAIL("fast search differs from the reference");
            }
            // The scan that answers while the index is built.
            const QVector<int> scanned = ZtKeyboardSearch::scan(list, input.toUpper(), filter);
            if (scanned != expected) {
                qWarning() << "input" << input << "reference" << expected.mid(0, 20) << "scan" << scanned.mid(0, 20);
                QFAIL("scan differs from the reference");
            }
            nonEmpty += expected.isEmpty() ? 0 : 1;
        }
        // Most of the cut inputs match, so the comparison is not of empty lists only.
        QVERIFY2(nonEmpty > inputs / 3, qPrintable(QString::number(nonEmpty)));
    }
};

QTEST_APPLESS_MAIN(tst_ZtKeyboardSearch)
#include "tst_ztkeyboardsearch.moc"
