#include "datareadthread.h"

#include "datareadbase.h"
#include "ztreaderlog.h"

#include <pubcache/pubcache.h>

namespace {
std::atomic<DataReadThread::WaitMode> gWaitMode{DataReadThread::WaitMode::Condition};
}

DataReadThread::DataReadThread(DataReadBase* owner) : QThread(nullptr), mOwner(owner) {}

DataReadThread::~DataReadThread()
{
    // The deferred deletion can be handled while run() is still returning.
    mRunning = false;
    wait();
}

void DataReadThread::setWaitMode(WaitMode mode)
{
    gWaitMode = mode;
}

DataReadThread::WaitMode DataReadThread::waitMode()
{
    return gWaitMode;
}

void DataReadThread::run()
{
    DataReadBase& owner = *mOwner;
    for (;;) {
        if (!PubCache::runFlag) {
            qCDebug(lcZtReader) << objectName() << "ends, runFlag" << PubCache::runFlag.load();
            break;
        }
        if (!mRunning)
            break;

        const int armed = owner.armWait();
        QString key;
        int tag = 0;
        owner.takeRequest(&key, &tag);
        const QString name = QStringLiteral("DataReadThread-") + key;
        if (objectName() != name)
            setObjectName(name);

        const bool ok = owner.DataReadOnDataReadBaseThread(tag, key);
        // After a stop the owner may be gone: touch nothing of it any more.
        if (!PubCache::runFlag || !mRunning)
            break;
        if (ok)
            owner.mErrorCount = 0;
        else
            owner.backOffAfterFailure(armed);

        owner.waitTicks(mRunning);
        if (!PubCache::runFlag) {
            qCDebug(lcZtReader) << objectName() << "ends, runFlag" << PubCache::runFlag.load();
            break;
        }
    }
    // Ended by the run flag rather than by a stop: the owner still points here and
    // must not keep a pointer to a deleted thread. (After a stop the owner has already
    // let go and may be gone.)
    if (mRunning) {
        DataReadThread* self = this;
        owner.mThread.compare_exchange_strong(self, nullptr);
    }
    deleteLater();
}
