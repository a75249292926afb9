#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>

#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <atomic>

// Painting threads share the compiled-form caches. Each thread checks its
// results against answers worked out before the threads start; with more
// distinct texts than the cache holds, entries are dropped while others read.
class tst_MarkupThreads : public QObject
{
    Q_OBJECT

private slots:
    void sharedCaches()
    {
        struct Case
        {
            QString format;
            QString condition;
            QString rule;
            QVariant value;
            QString text;
            bool holds;
            QColor colour;
        };
        QRandomGenerator rng(5);
        QVector<Case> cases;
        const int distinct = ZtMarkupCache::capacity() + 500;
        for (int i = 0; i < distinct; ++i) {
            Case c;
            const int n = int(rng.bounded(1, 500));
            c.format = QStringLiteral("{if#>=%1;fd2[ls:%]}{if#<-%1;%1d1}[ps:%2]dw").arg(n).arg(i);
            c.condition = QStringLiteral("(>%1||<-%1)&&!=%2").arg(n).arg(i % 7);
            c.rule = i % 2 ? QStringLiteral("case:%1").arg(n) : QStringLiteral("self:x,#%1").arg(i % 0xffffff, 6, 16, QLatin1Char('0'));
            c.value = QVariant(rng.generateDouble() * 2000 - 1000);
            c.text = ZtMarkupReference::formatValue(c.value, c.format);
            c.holds = ZtMarkupReference::evaluateCondition(c.value, c.condition);
            c.colour = ZtMarkupReference::valueColour(c.value, nullptr, c.rule);
            cases.append(c);
        }
        std::atomic<int> mismatches{0};
        QVector<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads.append(QThread::create([&cases, &mismatches, t]() {
                for (int round = 0; round < 3; ++round) {
                    for (int i = t; i < cases.size(); i += 1 + (round + t) % 3) {
                        const Case& c = cases[i];
                        if (formatValue(c.value, c.format) != c.text)
                            ++mismatches;
                        if (evaluateCondition(c.value, c.condition) != c.holds)
                            ++mismatches;
                        if (valueColour(c.value, nullptr, c.rule) != c.colour)
                            ++mismatches;
                    }
                }
            }));
            threads.last()->start();
        }
        for (QThread* thread : threads) {
            QVERIFY(thread->wait());
            delete thread;
        }
        QCOMPARE(mismatches.load(), 0);
        QVERIFY(ZtMarkupCache::entryCount() <= 3 * ZtMarkupCache::capacity());
    }
};

QTEST_APPLESS_MAIN(tst_MarkupThreads)
#include "tst_markupthreads.moc"
