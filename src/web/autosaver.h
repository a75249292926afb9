#pragma once

#include "ztcontrollib_global.h"

#include <QBasicTimer>
#include <QObject>

#include <functional>

// Saves its parent lazily: a burst of changes is saved a short delay after
// the last one, but never later than a maximum delay after the first. The
// parent must have a slot save().
class ZTCONTROLLIB_EXPORT AutoSaver : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<qint64()>;  // monotonic milliseconds

    explicit AutoSaver(QObject* parent);
    ~AutoSaver() override;

    // Delays in milliseconds; 3000 and 15000 unless changed (tests shorten them).
    void setDelays(int delayMs, int maxDelayMs);
    int delay() const { return mDelay; }
    int maxDelay() const { return mMaxDelay; }
    // Replaces the clock that measures the time since the first unsaved change.
    void setClock(Clock clock);

    bool hasPendingChange() const { return mFirstChange >= 0; }
    // Saves at once when a change is waiting.
    void saveIfNeeded();

public slots:
    void changeOccurred();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void saveNow();

    QBasicTimer mTimer;
    qint64 mFirstChange = -1;  // clock time of the first unsaved change, -1 when none
    int mDelay = 3000;
    int mMaxDelay = 15000;
    Clock mClock;
};
