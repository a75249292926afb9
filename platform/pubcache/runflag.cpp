#include "runflag.h"

#include <algorithm>

void RunFlag::store(bool value)
{
    std::lock_guard<std::mutex> lock(mLock);
    if (mValue.exchange(value) == value)
        return;
    for (const auto& watcher : mWatchers)
        watcher.first(watcher.second);
}

void RunFlag::watch(Wake wake, void* context)
{
    std::lock_guard<std::mutex> lock(mLock);
    mWatchers.emplace_back(wake, context);
}

void RunFlag::unwatch(void* context)
{
    std::lock_guard<std::mutex> lock(mLock);
    const auto gone = std::remove_if(mWatchers.begin(), mWatchers.end(),
                                     [context](const auto& watcher) { return watcher.second == context; });
    mWatchers.erase(gone, mWatchers.end());
}
