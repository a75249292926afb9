#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>

class DataReadThread;

// Gives its owner one worker thread that polls the data library for the owner's
// current read, with a pause between reads and a back-off after failures.
//
// The GUI thread writes the request state and the worker reads it while it runs:
// the integers and flags are atomics, the read key travels together with the tag of
// the request it belongs to, and owners hand their stored arguments over as one
// snapshot (DataReadSnapshot). The refresh tag decides which results count.
class ZTCONTROLLIB_EXPORT DataReadBase
{
public:
    DataReadBase();
    // Member-wise, the thread pointer included; never copy a reader that has a thread.
    DataReadBase(const DataReadBase& other);
    DataReadBase& operator=(const DataReadBase& other);

    // Runs on the worker thread. False when the read failed (the next one comes sooner).
    virtual bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) = 0;

    bool getGetDataFlag() const;
    void setGetDataFlag(bool flag);
    QString getReadKey() const;
    int getRefreshtag() const;
    int getWaitTime() const;
    void initErrorCount();
    void initErrorWaitTime();
    void initWaitTime();
    bool onWaitLoop();
    void setReadWaitTime(int ticks);

    // The tag after t: 1 ... 1,000,000, then 1 again.
    static int nextRefreshtag(int t);
    // Ticks of 10 ms to wait after a failed read when `errors` failures preceded it.
    static int errorWaitTicks(int errors, int errorCountMax);

protected:
    virtual bool runCheck(int refreshtag);

public:
    // Declared after the read operations so that they keep the first virtual slots,
    // which hosts built against this class rely on.
    virtual ~DataReadBase();

protected:

    void Run(QString readKey);
    void refresh_begin();
    void refresh_end();
    bool isRefresh(int refreshtag) const;
    bool checkDT(DQDDataList* list);
    void setDRBVisible(bool visible);
    void dispose();
    // setGetDataFlag(false) for a read that is done for good, made from inside that
    // read; ignored when a newer request has come in meanwhile.
    void turnReadingOff(int refreshtag);

    std::atomic<qint64> mllCheckDT{0};
    std::atomic<int> mRefreshtag{0};
    std::atomic<int> mErrorCount{0};
    int mErrorCountMax = 10;
    QString mReadKey;  // guarded by mRequestLock
    std::atomic<int> mWaitTime{0};
    std::atomic<int> mReadWaitTime{100};
    std::atomic<bool> mGetDataFlag{true};
    std::atomic<bool> mDRBVisible{false};
    std::atomic<DataReadThread*> mThread{nullptr};

private:
    friend class DataReadThread;

    void startThread();
    void stopThread();
    // Both flags set: new tag, read at once (starting the worker if needed); else stop.
    void applyReadingWanted();
    // Makes the current tag the one the worker stamps its reads with.
    void publishRequest();
    // The worker's copy of the key and of the tag of the last complete request.
    void takeRequest(QString* key, int* tag) const;
    // Writes mWaitTime and wakes a worker that waits on it.
    void setWaitTicks(int ticks);
    // Worker side: arms the normal pause and returns it.
    int armWait();
    // Worker side: the back-off after a failure, unless the GUI thread has changed
    // the wait since `armed` (a new request or a pause owns it then).
    void backOffAfterFailure(int armed);
    // Worker side: waits out mWaitTime while the loop is wanted.
    void waitTicks(const std::atomic<bool>& running);
    // Wakes a worker waiting in waitTicks so it re-reads its state.
    void wake();

    mutable std::mutex mRequestLock;
    int mRequestTag = 0;  // guarded by mRequestLock

    std::mutex mWakeLock;
    std::condition_variable mWake;
    quint64 mWakeGeneration = 0;  // guarded by mWakeLock
};
