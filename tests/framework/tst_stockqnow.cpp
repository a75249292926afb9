#include "readertestsupport.h"

#include <framework/datareadthread.h>
#include <framework/stockqnow.h>
#include <pubcache/pubcache.h>

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kCode = QStringLiteral("SH600000");
const qint64 kMarketTime = 20261207100000000LL;

// Reads on the test thread are called directly; the worker is only started where a
// test is about the worker.
class Probe : public StockQNow
{
public:
    DataReadThread* thread() const { return mThread; }
    int errorCount() const { return mErrorCount; }
    bool read(const QString& key) { return DataReadOnDataReadBaseThread(getRefreshtag(), key); }
};

}

class tst_StockQNow : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        mMarket->setMarketDateTime(QString(), kMarketTime);
        mMarket->setQuote(kCode, ReaderTest::quote(kCode, 10.5, kMarketTime));
    }

    void cleanup() { ReaderTest::uninstallMarket(mMarket); }

    void singleQuoteEveryGoodRead()
    {
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNow(kCode);
        QVERIFY(q.read(QStringLiteral("QNow")));
        QVERIFY(q.read(QStringLiteral("QNow")));
        // Unchanged quotes are delivered again: owners repaint once a second.
        QCOMPARE(updates.count(), 2);
        QCOMPARE(q.mQNow.getUniqueValue(0), kCode);
        QCOMPARE(mMarket->calls(QStringLiteral("LBDG_QNowSingle")).first().args,
                 (QVariantList{kCode, false}));
    }

    void quoteTimeDecidesThePace_data()
    {
        QTest::addColumn<bool>("needCheck");
        QTest::addColumn<QVariant>("quoteTime");
        QTest::addColumn<bool>("good");
        QTest::newRow("current") << true << QVariant(kMarketTime) << true;
        QTest::newRow("lagging") << true << QVariant(kMarketTime - 3000) << false;
        QTest::newRow("no time field") << true << QVariant() << false;
        QTest::newRow("lagging, not checked") << false << QVariant(kMarketTime - 3000) << true;
    }

    void quoteTimeDecidesThePace()
    {
        QFETCH(bool, needCheck);
        QFETCH(QVariant, quoteTime);
        QFETCH(bool, good);
        Q_DD_Now quote = ReaderTest::quote(kCode, 10.5, 0);
        if (quoteTime.isValid())
            quote.setValue(ZtField::QuoteTime, quoteTime);
        else
            quote.removeValue(ZtField::QuoteTime);
        mMarket->setQuote(kCode, quote);
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.setNeedCheckQNow(needCheck);
        q.InitQNow(kCode);
        QCOMPARE(q.read(QStringLiteral("QNow")), good);
        QCOMPARE(updates.count(), 1);  // a lagging quote is still shown
    }

    void nothingToRead()
    {
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNow(QString());
        QVERIFY(!q.read(QStringLiteral("QNow")));
        QCOMPARE(mMarket->totalCalls(), 0);

        q.InitQNow(QStringLiteral("SZ000404"));  // no quote for it
        QVERIFY(!q.read(QStringLiteral("QNow")));
        QVERIFY(!q.read(QStringLiteral("unknown key")));
        QCOMPARE(updates.count(), 0);
    }

    void quoteList_data()
    {
        QTest::addColumn<qint64>("downTime");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("updates");
        QTest::newRow("new and complete") << qint64(100) << true << true << 1;
        QTest::newRow("new but incomplete") << qint64(100) << false << false << 1;
        QTest::newRow("nothing new") << qint64(0) << true << true << 0;
    }

    void quoteList()
    {
        QFETCH(qint64, downTime);
        QFETCH(bool, complete);
        QFETCH(bool, result);
        QFETCH(int, updates);
        mMarket->setQuotesDownTime(downTime, complete);
        Probe q;
        QSignalSpy spy(&q, &StockQNow::onDataUpdate);
        q.InitQNows({kCode, QStringLiteral("SZ000001")});
        QCOMPARE(q.read(QStringLiteral("QNows")), result);
        QCOMPARE(spy.count(), updates);
        QCOMPARE(q.mQNows.count(), updates);
        const ScriptedMarket::Call call = mMarket->calls(QStringLiteral("LBDG_QNow_DL")).first();
        QCOMPARE(call.args, (QVariantList{QStringList{kCode, QStringLiteral("SZ000001")}, qint64(0), true, 0}));
    }

    void emptyListGivesOneEmptyUpdate()
    {
        Probe q;
        q.mQNows = ReaderTest::rows(QStringLiteral("SH60"), 3);
        QSignalSpy results(&q, &StockQNow::onQNowsUpdate);
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNows({});
        QVERIFY(!q.read(QStringLiteral("QNows")));
        QCOMPARE(results.count(), 1);
        QCOMPARE(results.first().at(0).toInt(), -1);
        QCOMPARE(updates.count(), 1);
        QVERIFY(q.mQNows.isEmpty());
        QCOMPARE(mMarket->totalCalls(), 0);
    }

    void staleQuotesDropped()
    {
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNow(QStringLiteral("SZ000001"));
        const int oldTag = q.getRefreshtag();
        q.InitQNow(kCode);
        emit q.onQNowUpdate(oldTag, ReaderTest::quote(QStringLiteral("SZ000001"), 1, 0));
        QCOMPARE(updates.count(), 0);
        QVERIFY(q.mQNow.isEmpty());
        emit q.onQNowUpdate(q.getRefreshtag(), ReaderTest::quote(kCode, 1, 0));
        QCOMPARE(q.mQNow.getUniqueValue(0), kCode);
        emit q.onQNowsUpdate(-1, DQDDataList());
        QCOMPARE(updates.count(), 2);
    }

    void runReadsAtOnceAndStopEndsTheWorker()
    {
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNow(kCode);
        QCOMPARE(q.thread(), nullptr);  // inert until run()
        q.run();
        QVERIFY(updates.wait());
        QCOMPARE(q.mQNow.getValue(ZtField::Last).toDouble(), 10.5);
        QPointer<QThread> thread = q.thread();
        q.stop();
        QCOMPARE(q.thread(), nullptr);
        QTRY_VERIFY(thread.isNull());
    }

    void fastPaceWhileTheQuoteLags()
    {
        mMarket->setQuote(kCode, ReaderTest::quote(kCode, 10.5, kMarketTime - 3000));
        Probe q;
        QSignalSpy updates(&q, &StockQNow::onDataUpdate);
        q.InitQNow(kCode);
        q.run();
        // Lagging reads count as failures: the short back-off pace, still delivered.
        QTRY_VERIFY(q.errorCount() >= 2);
        QTRY_VERIFY(updates.count() >= 2);
        mMarket->setQuote(kCode, ReaderTest::quote(kCode, 10.6, kMarketTime));
        QTRY_COMPARE(q.errorCount(), 0);
        QTRY_COMPARE(q.mQNow.getValue(ZtField::Last).toDouble(), 10.6);
    }

    void appExitStopsAndDisconnects()
    {
        Probe q;
        q.InitQNow(kCode);
        q.run();
        QVERIFY(mMarket->waitForCalls(QStringLiteral("LBDG_QNowSingle"), 1, 5000));
        emit PubCache::SSignal.onAppExit();
        QCOMPARE(q.thread(), nullptr);
        const Q_DD_Now before = q.mQNow;
        emit q.onQNowUpdate(q.getRefreshtag(), ReaderTest::quote(kCode, 99, kMarketTime));
        QVERIFY(q.mQNow.sameValues(before));
    }
};

QTEST_GUILESS_MAIN(tst_StockQNow)
#include "tst_stockqnow.moc"
