#include "readertestsupport.h"

#include <framework/datareadbase.h>
#include <framework/datareadthread.h>
#include <pubcache/pubcache.h>

#include <QPointer>
#include <QScopeGuard>
#include <QtTest>

#include <climits>
#include <thread>

namespace {

const QString kQuery = QStringLiteral("LBGD_QNowForBk_DL");

// A reader whose read asks the scripted market for the list named by the read key
// and delivers new lists to the GUI thread, where stale ones are dropped.
class TestReader : public QObject, public DataReadBase
{
    Q_OBJECT
public:
    TestReader()
    {
        connect(this, &TestReader::delivered, this, &TestReader::accept);
    }
    ~TestReader() override { dispose(); }

    using DataReadBase::dispose;
    using DataReadBase::isRefresh;
    using DataReadBase::refresh_begin;
    using DataReadBase::refresh_end;
    using DataReadBase::Run;
    using DataReadBase::runCheck;
    using DataReadBase::setDRBVisible;

    DataReadThread* thread() const { return mThread; }
    int errorCount() const { return mErrorCount; }
    qint64 checkTime() const { return mllCheckDT; }
    void setTag(int tag) { mRefreshtag = tag; }
    void setCheckTime(qint64 t) { mllCheckDT = t; }

    bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) override
    {
        DQDDataList list = PBDataChange::LBGD_QNowForBk_DL(readKey, mllCheckDT, 0, true);
        if (mTurnOffWhenComplete && list.getDataDownValid()) {
            turnReadingOff(refreshtag);
            return true;
        }
        const bool updated = checkDT(&list);
        if (!runCheck(refreshtag))
            return false;
        if (updated)
            emit delivered(refreshtag, list);
        return list.getDataDownValid();
    }

    std::atomic<bool> mTurnOffWhenComplete{false};
    QList<int> mAccepted;

signals:
    void delivered(int tag, DQDDataList list);

private slots:
    void accept(int tag, DQDDataList)
    {
        if (!isRefresh(tag))
            mAccepted.append(tag);
    }
};

}

class tst_DataReadBase : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

    // The key goes in before the worker starts, so its first read is of that key.
    static void start(TestReader& reader, const QString& key)
    {
        reader.refresh_begin();
        reader.Run(key);
        reader.setDRBVisible(true);
    }

    void answer(qint64 downTime, bool complete)
    {
        mMarket->setAnswer(kQuery, ReaderTest::rows(QStringLiteral("BK"), 2), downTime, complete);
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<int>("waitMode");
        QTest::newRow("condition") << int(DataReadThread::WaitMode::Condition);
        QTest::newRow("tick") << int(DataReadThread::WaitMode::Tick);
    }

    void init()
    {
        QFETCH_GLOBAL(int, waitMode);
        DataReadThread::setWaitMode(DataReadThread::WaitMode(waitMode));
        mMarket = ReaderTest::installMarket();
        answer(100, true);
    }

    void cleanup()
    {
        PubCache::runFlag = true;
        ReaderTest::uninstallMarket(mMarket);
    }

    void staleTags_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("stale");
        QTest::newRow("current") << 7 << false;
        QTest::newRow("older") << 6 << true;
        QTest::newRow("newer") << 8 << true;
        QTest::newRow("unusable request") << -1 << false;
    }

    void staleTags()
    {
        QFETCH(int, tag);
        QFETCH(bool, stale);
        TestReader reader;
        reader.setTag(7);
        reader.setCheckTime(55);
        QCOMPARE(reader.isRefresh(tag), stale);
        // A read with a stale tag also forgets the time-stamp it built on.
        QCOMPARE(reader.runCheck(tag), tag == 7);
        QCOMPARE(reader.checkTime(), tag == 7 ? 55 : 0);
    }

    void hiddenReaderStartsOnShow()
    {
        TestReader reader;
        reader.refresh_begin();
        reader.Run(QStringLiteral("BK0001"));
        QCOMPARE(reader.thread(), nullptr);
        QCOMPARE(reader.getReadKey(), QStringLiteral("BK0001"));
        const int tagBefore = reader.getRefreshtag();

        reader.setDRBVisible(true);
        QVERIFY(reader.thread());
        QVERIFY(mMarket->waitForCalls(kQuery, 1, 5000));
        QCOMPARE(mMarket->calls(kQuery).first().args.first().toString(), QStringLiteral("BK0001"));
        // Showing takes a new tag, so results from before the pause are dropped.
        QCOMPARE(reader.getRefreshtag(), tagBefore + 1);
        QTRY_COMPARE(reader.mAccepted, QList<int>{tagBefore + 1});
    }

    void getDataFlagGatesTheThread()
    {
        TestReader reader;
        reader.setGetDataFlag(false);
        reader.refresh_begin();
        reader.Run(QStringLiteral("BK0001"));
        reader.setDRBVisible(true);
        QCOMPARE(reader.thread(), nullptr);

        reader.setGetDataFlag(true);
        QVERIFY(reader.thread());
        QVERIFY(mMarket->waitForCalls(kQuery, 1, 5000));

        QPointer<QThread> thread = reader.thread();
        reader.setGetDataFlag(false);
        QCOMPARE(reader.thread(), nullptr);
        QTRY_VERIFY(thread.isNull());
    }

    void runRenamesTheRunningThread()
    {
        TestReader reader;
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitForCalls(kQuery, 1, 5000));
        DataReadThread* first = reader.thread();

        reader.refresh_begin();
        reader.Run(QStringLiteral("BK0002"));
        QCOMPARE(reader.thread(), first);
        QVERIFY(mMarket->waitForCalls(kQuery, 2, 5000));
        QCOMPARE(mMarket->calls(kQuery).at(1).args.first().toString(), QStringLiteral("BK0002"));
    }

    void newRequestIsReadAtOnce()
    {
        TestReader reader;
        reader.setReadWaitTime(1000000);  // the normal pause alone would take hours
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitForCalls(kQuery, 1, 5000));
        QTRY_VERIFY(reader.getWaitTime() > 1000);  // the worker waits

        reader.refresh_begin();
        reader.refresh_end();
        QVERIFY(mMarket->waitForCalls(kQuery, 2, 5000));
    }

    void failuresCountUpAndSuccessResets()
    {
        // Each call waits at the gate until the test lets exactly one through.
        QSemaphore gate;
        std::atomic<int> entered{0};
        std::atomic<bool> complete{false};
        mMarket->setAnswerFunction(kQuery, [&](const ScriptedMarket::Call&) {
            ++entered;
            gate.acquire();
            return ScriptedMarket::Answer{ReaderTest::rows(QStringLiteral("BK"), 1), 100 + entered, complete};
        });
        TestReader reader;
        const auto openGate = qScopeGuard([&] { gate.release(1000); });
        reader.setReadWaitTime(1);
        start(reader, QStringLiteral("BK0001"));
        const QList<int> errorsBeforeCall = {0, 1, 2, 0};
        for (int i = 0; i < errorsBeforeCall.size(); ++i) {
            QTRY_COMPARE(entered.load(), i + 1);
            QCOMPARE(reader.errorCount(), errorsBeforeCall.at(i));
            complete = i == 2;
            gate.release();
        }
    }

    void staleFailureKeepsThePause()
    {
        answer(100, false);
        TestReader reader;
        ReaderTest::Hold hold(*mMarket, kQuery);
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitUntilHeld(kQuery, 5000));

        // A request that is parked (begun, never completed) while a read is running.
        reader.refresh_begin();
        hold.release();
        // The stale read fails, but its back-off must not end the pause.
        QTRY_VERIFY(reader.getWaitTime() < INT_MAX && reader.getWaitTime() > INT_MAX / 2);
        QCOMPARE(mMarket->callCount(kQuery), 1);
        QVERIFY(reader.mAccepted.isEmpty());
    }

    void hidingWaitsForTheRunningRead()
    {
        TestReader reader;
        ReaderTest::Hold hold(*mMarket, kQuery);
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitUntilHeld(kQuery, 5000));
        DataReadThread* thread = reader.thread();

        std::atomic<bool> released{false};
        std::thread helper([&] {
            // Release only once the GUI thread has begun to stop the worker.
            while (thread->mRunning)
                std::this_thread::yield();
            released = true;
            hold.release();
        });
        reader.setDRBVisible(false);
        QVERIFY(released);
        QVERIFY(thread->isFinished());
        QCOMPARE(reader.thread(), nullptr);
        helper.join();
    }

    void readTurnsItselfOffWithoutWaiting()
    {
        TestReader reader;
        reader.mTurnOffWhenComplete = true;
        ReaderTest::Hold hold(*mMarket, kQuery);
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitUntilHeld(kQuery, 5000));
        QPointer<QThread> thread = reader.thread();
        QVERIFY(thread);
        hold.release();
        QTRY_VERIFY(thread.isNull());
        QVERIFY(!reader.getGetDataFlag());
        QCOMPARE(reader.thread(), nullptr);
        QCOMPARE(mMarket->callCount(kQuery), 1);

        reader.mTurnOffWhenComplete = false;
        reader.setGetDataFlag(true);
        QVERIFY(mMarket->waitForCalls(kQuery, 2, 5000));
    }

    void exitFlagEndsTheLoop()
    {
        TestReader reader;
        start(reader, QStringLiteral("BK0001"));
        QVERIFY(mMarket->waitForCalls(kQuery, 1, 5000));
        QPointer<QThread> thread = reader.thread();
        PubCache::runFlag = false;
        QTRY_VERIFY(thread.isNull());
        QCOMPARE(reader.thread(), nullptr);

        reader.dispose();
        reader.setDRBVisible(true);
        QCOMPARE(reader.thread(), nullptr);  // no new worker after exit
    }
};

QTEST_GUILESS_MAIN(tst_DataReadBase)
#include "tst_datareadbase.moc"
