#pragma once

#include "ztcontrollib_global.h"

#include <QThread>

#include <atomic>

class DataReadBase;

// The worker of one DataReadBase. Created without a parent; deletes itself
// (deleteLater) when its loop ends, and its owner forgets it only after waiting.
class ZTCONTROLLIB_EXPORT DataReadThread : public QThread
{
    Q_OBJECT
public:
    // How a worker waits between reads: on a condition that every change of the
    // wait wakes (the default), or in plain 10 ms sleeps.
    enum class WaitMode { Condition, Tick };

    explicit DataReadThread(DataReadBase* owner);
    ~DataReadThread() override;

    static void setWaitMode(WaitMode mode);
    static WaitMode waitMode();

    std::atomic<bool> mRunning{true};
    DataReadBase* mOwner = nullptr;

protected:
    void run() override;
};
