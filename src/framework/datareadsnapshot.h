#pragma once

#include <memory>
#include <mutex>

// The stored arguments of a read, handed to the worker thread as one immutable set:
// the GUI thread replaces the whole set, the worker takes a reference to whichever
// set is current, so it never sees half of an old request and half of a new one.
template <typename T>
class DataReadSnapshot
{
public:
    DataReadSnapshot() : mValue(std::make_shared<const T>()) {}
    DataReadSnapshot(const DataReadSnapshot& other) : mValue(other.load()) {}
    DataReadSnapshot& operator=(const DataReadSnapshot& other)
    {
        if (this != &other)
            store(other.load());
        return *this;
    }

    void store(T value) { store(std::make_shared<const T>(std::move(value))); }

    std::shared_ptr<const T> load() const
    {
        std::lock_guard<std::mutex> lock(mLock);
        return mValue;
    }

private:
    void store(std::shared_ptr<const T> value)
    {
        {
            std::lock_guard<std::mutex> lock(mLock);
            mValue.swap(value);
        }
        // The old set is released here, outside the lock.
    }

    mutable std::mutex mLock;
    std::shared_ptr<const T> mValue;
};
