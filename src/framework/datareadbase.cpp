#include "datareadbase.h"

#include "datareadthread.h"
#include "ztreaderlog.h"

#include <pubcache/pubcache.h>

#include <QThread>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>

Q_LOGGING_CATEGORY(lcZtReader, "zt.reader", QtInfoMsg)

namespace {
constexpr int kLastTag = 1000000;
constexpr int kLongBackOffTicks = 500;
}

DataReadBase::DataReadBase() = default;

DataReadBase::DataReadBase(const DataReadBase& other)
{
    *this = other;
}

DataReadBase& DataReadBase::operator=(const DataReadBase& other)
{
    if (this == &other)
        return *this;
    mllCheckDT = other.mllCheckDT.load();
    mRefreshtag = other.mRefreshtag.load();
    mErrorCount = other.mErrorCount.load();
    mErrorCountMax = other.mErrorCountMax;
    QString key;
    int tag = 0;
    other.takeRequest(&key, &tag);
    {
        std::lock_guard<std::mutex> lock(mRequestLock);
        mReadKey = key;
        mRequestTag = tag;
    }
    mWaitTime = other.mWaitTime.load();
    mReadWaitTime = other.mReadWaitTime.load();
    mGetDataFlag = other.mGetDataFlag.load();
    mDRBVisible = other.mDRBVisible.load();
    mThread = other.mThread.load();
    return *this;
}

DataReadBase::~DataReadBase()
{
    // Owners stop their reader in their own destructor, while the read function still
    // exists; this only covers an owner that forgot.
    dispose();
}

int DataReadBase::nextRefreshtag(int t)
{
    return t < kLastTag ? t + 1 : 1;
}

int DataReadBase::errorWaitTicks(int errors, int errorCountMax)
{
    if (errors > errorCountMax)
        return kLongBackOffTicks;
    if (errors <= 0)
        return 25;
    if (errors <= 2)
        return 20;
    return std::min((std::abs(5 - errors) + 1) * 10, kLongBackOffTicks);
}

bool DataReadBase::getGetDataFlag() const
{
    return mGetDataFlag;
}

void DataReadBase::setGetDataFlag(bool flag)
{
    mGetDataFlag = flag;
    applyReadingWanted();
}

void DataReadBase::setDRBVisible(bool visible)
{
    mDRBVisible = visible;
    applyReadingWanted();
}

void DataReadBase::applyReadingWanted()
{
    if (mGetDataFlag && mDRBVisible) {
        // Results still in flight from before belong to the old tag and are dropped.
        {
            std::lock_guard<std::mutex> lock(mRequestLock);
            mRefreshtag = nextRefreshtag(mRefreshtag);
            mRequestTag = mRefreshtag;
        }
        mllCheckDT = 0;
        mErrorCount = 0;
        setWaitTicks(0);
        startThread();
    } else {
        stopThread();
    }
}

QString DataReadBase::getReadKey() const
{
    std::lock_guard<std::mutex> lock(mRequestLock);
    return mReadKey;
}

int DataReadBase::getRefreshtag() const
{
    return mRefreshtag;
}

int DataReadBase::getWaitTime() const
{
    return mWaitTime;
}

void DataReadBase::initErrorCount()
{
    mErrorCount = 0;
}

void DataReadBase::initErrorWaitTime()
{
    const int e = mErrorCount;
    setWaitTicks(errorWaitTicks(e, mErrorCountMax));
    mErrorCount = e + 1;
}

void DataReadBase::initWaitTime()
{
    armWait();
}

bool DataReadBase::onWaitLoop()
{
    return mWaitTime.fetch_sub(1) > 0;
}

void DataReadBase::setReadWaitTime(int ticks)
{
    mReadWaitTime = ticks;
}

void DataReadBase::Run(QString readKey)
{
    {
        std::lock_guard<std::mutex> lock(mRequestLock);
        mReadKey = readKey;
        mRequestTag = mRefreshtag;
    }
    startThread();
    mllCheckDT = 0;
    mErrorCount = 0;
    setWaitTicks(0);
}

void DataReadBase::refresh_begin()
{
    mErrorCount = 0;
    setWaitTicks(INT_MAX);
    std::lock_guard<std::mutex> lock(mRequestLock);
    mRefreshtag = nextRefreshtag(mRefreshtag);
}

void DataReadBase::refresh_end()
{
    publishRequest();
    mllCheckDT = 0;
    mErrorCount = 0;
    setWaitTicks(0);
}

bool DataReadBase::isRefresh(int refreshtag) const
{
    return refreshtag != mRefreshtag && refreshtag != -1;
}

bool DataReadBase::runCheck(int refreshtag)
{
    if (!PubCache::runFlag)
        return false;
    if (refreshtag == mRefreshtag)
        return true;
    mllCheckDT = 0;
    return false;
}

bool DataReadBase::checkDT(DQDDataList* list)
{
    if (!list || !list->getDataIsUpdate())
        return false;
    mllCheckDT = list->getDataDownTime();
    return true;
}

void DataReadBase::startThread()
{
    if (mThread.load()) {
        // The running worker names itself after the key of each read it makes.
        return;
    }
    if (!mGetDataFlag || !mDRBVisible || !PubCache::runFlag)
        return;
    auto* thread = new DataReadThread(this);
    thread->setObjectName(QStringLiteral("DataReadThread-") + getReadKey());
    mThread = thread;
    thread->start();
}

void DataReadBase::stopThread()
{
    DataReadThread* thread = mThread.exchange(nullptr);
    if (!thread)
        return;
    thread->mRunning = false;
    wake();
    // The read itself turned reading off: its loop ends after this read, and a
    // thread cannot wait for itself.
    if (QThread::currentThread() == thread)
        return;
    thread->wait();
}

void DataReadBase::dispose()
{
    stopThread();
}

void DataReadBase::turnReadingOff(int refreshtag)
{
    DataReadThread* thread = nullptr;
    {
        // Under the lock that tags change with, so a request arriving now either
        // comes first (and keeps reading on) or finds the flag off and the thread gone.
        std::lock_guard<std::mutex> lock(mRequestLock);
        if (refreshtag != mRefreshtag)
            return;
        mGetDataFlag = false;
        thread = mThread.exchange(nullptr);
    }
    if (!thread)
        return;
    thread->mRunning = false;
    wake();
    if (QThread::currentThread() != thread)
        thread->wait();
}

void DataReadBase::publishRequest()
{
    std::lock_guard<std::mutex> lock(mRequestLock);
    mRequestTag = mRefreshtag;
}

void DataReadBase::takeRequest(QString* key, int* tag) const
{
    std::lock_guard<std::mutex> lock(mRequestLock);
    *key = mReadKey;
    *tag = mRequestTag;
}

void DataReadBase::setWaitTicks(int ticks)
{
    mWaitTime = ticks;
    wake();
}

void DataReadBase::wake()
{
    {
        std::lock_guard<std::mutex> lock(mWakeLock);
        ++mWakeGeneration;
    }
    mWake.notify_all();
}

int DataReadBase::armWait()
{
    const int ticks = mReadWaitTime;
    mWaitTime = ticks;
    return ticks;
}

void DataReadBase::backOffAfterFailure(int armed)
{
    const int e = mErrorCount;
    int expected = armed;
    if (mWaitTime.compare_exchange_strong(expected, errorWaitTicks(e, mErrorCountMax)))
        mErrorCount = e + 1;
}

void DataReadBase::waitTicks(const std::atomic<bool>& running)
{
    if (DataReadThread::waitMode() == DataReadThread::WaitMode::Tick) {
        while (PubCache::runFlag && running) {
            if (!onWaitLoop())
                break;
            QThread::msleep(10);
        }
        return;
    }

    // The run flag wakes the wait when it turns, so the worker sleeps through the
    // whole wait instead of waking now and then to look at it.
    PubCache::runFlag.watch([](void* self) { static_cast<DataReadBase*>(self)->wake(); }, this);
    {
        std::unique_lock<std::mutex> lock(mWakeLock);
        while (PubCache::runFlag && running) {
            const int w = mWaitTime;
            if (w <= 0) {
                mWaitTime.fetch_sub(1);
                break;
            }
            // The tick that starts now counts at once, so a running wait shows as such.
            int expected = w;
            if (!mWaitTime.compare_exchange_strong(expected, w - 1))
                continue;
            const quint64 generation = mWakeGeneration;
            const auto start = std::chrono::steady_clock::now();
            const bool woken = mWake.wait_for(lock, std::chrono::milliseconds(qint64(w) * 10), [&] {
                return mWakeGeneration != generation || !running;
            });
            // Count the ticks that passed, unless another thread wrote a new wait meanwhile.
            const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start).count() / 10;
            expected = w - 1;
            mWaitTime.compare_exchange_strong(expected, woken ? int(std::max<qint64>(0, w - 1 - passed)) : 0);
        }
    }
    PubCache::runFlag.unwatch(this);
}
