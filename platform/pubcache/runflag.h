#pragma once

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

// The application's run flag: an atomic bool that also tells waiting workers when
// it changes, so a worker can sleep until its next read instead of waking up now
// and then to look at the flag.
class RunFlag
{
public:
    using Wake = void (*)(void* context);

    explicit RunFlag(bool initial) : mValue(initial) {}
    RunFlag(const RunFlag&) = delete;
    RunFlag& operator=(const RunFlag&) = delete;

    operator bool() const noexcept { return mValue.load(); }
    bool load() const noexcept { return mValue.load(); }
    RunFlag& operator=(bool value)
    {
        store(value);
        return *this;
    }
    // Sets the flag, then calls every watcher (on this thread) if it changed.
    void store(bool value);

    // A watcher is called with its context after each change until unwatch(context)
    // returns; no call is running once unwatch has returned.
    void watch(Wake wake, void* context);
    void unwatch(void* context);

private:
    std::atomic<bool> mValue;
    std::mutex mLock;
    std::vector<std::pair<Wake, void*>> mWatchers;
};
