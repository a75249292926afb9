#include "web/autosaver.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QTimerEvent>

namespace {

qint64 monotonicMs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

}

AutoSaver::AutoSaver(QObject* parent) : QObject(parent), mClock(monotonicMs) {}

AutoSaver::~AutoSaver() = default;

void AutoSaver::setDelays(int delayMs, int maxDelayMs)
{
    mDelay = qMax(0, delayMs);
    mMaxDelay = qMax(0, maxDelayMs);
}

void AutoSaver::setClock(Clock clock)
{
    mClock = clock ? std::move(clock) : Clock(monotonicMs);
}

void AutoSaver::changeOccurred()
{
    const qint64 now = mClock();
    if (mFirstChange < 0)
        mFirstChange = now;
    const qint64 left = mMaxDelay - (now - mFirstChange);
    if (left < 0)
        saveNow();
    else
        // A burst that goes on is still saved by the maximum delay after its first change.
        mTimer.start(int(qMin<qint64>(mDelay, left)), this);
}

void AutoSaver::saveIfNeeded()
{
    if (hasPendingChange())
        saveNow();
}

void AutoSaver::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == mTimer.timerId())
        saveNow();
    else
        QObject::timerEvent(event);
}

void AutoSaver::saveNow()
{
    mTimer.stop();
    mFirstChange = -1;
    if (!parent() || !QMetaObject::invokeMethod(parent(), "save", Qt::DirectConnection))
        qWarning() << "AutoSaver: error invoking slot save() on parent";
}
