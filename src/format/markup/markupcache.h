#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <mutex>
#include <shared_mutex>

namespace ZtMarkupDetail {

constexpr int kCacheCapacity = 1024;
constexpr int kLongestCachedText = 1024;

// Entries of the format and condition caches (the colour cache counts its own).
int formatCacheEntries();

// Compiled forms by their text. A shared map, bounded by emptying it when it
// is full, behind a small direct-mapped table per thread so that the painting
// thread finds the texts it repeats without a lock or a reference-count change.
template <typename T, T (*Compile)(const QString&)>
class MarkupCache
{
public:
    using Ptr = std::shared_ptr<const T>;

    // The returned form stays valid until the next lookup in this cache on this
    // thread; `holder` keeps texts alive that are too long to be cached.
    static const T& get(const QString& text, Ptr& holder)
    {
        if (text.size() > kLongestCachedText) {
            holder = std::make_shared<const T>(Compile(text));
            return *holder;
        }
        const uint hash = qHash(text);
        Slot& slot = front()[hash & (kFrontSize - 1)];
        if (slot.form && slot.hash == hash && slot.text == text)
            return *slot.form;
        slot.form = shared(text);
        slot.text = text;
        slot.hash = hash;
        return *slot.form;
    }

    static int size()
    {
        Shared& s = store();
        std::shared_lock<std::shared_mutex> lock(s.mutex);
        return s.map.size();
    }

private:
    static constexpr int kFrontSize = 32;

    struct Slot
    {
        QString text;
        uint hash = 0;
        Ptr form;
    };

    struct Shared
    {
        std::shared_mutex mutex;
        QHash<QString, Ptr> map;
    };

    static std::array<Slot, kFrontSize>& front()
    {
        thread_local std::array<Slot, kFrontSize> table;
        return table;
    }

    static Shared& store()
    {
        static Shared s;
        return s;
    }

    static Ptr shared(const QString& text)
    {
        Shared& s = store();
        {
            std::shared_lock<std::shared_mutex> lock(s.mutex);
            const auto it = s.map.constFind(text);
            if (it != s.map.constEnd())
                return it.value();
        }
        // Compiled outside the lock: two threads may both compile a new text, and
        // either result is the same.
        Ptr form = std::make_shared<const T>(Compile(text));
        std::unique_lock<std::shared_mutex> lock(s.mutex);
        const auto it = s.map.constFind(text);
        if (it != s.map.constEnd())
            return it.value();
        if (s.map.size() >= kCacheCapacity)
            s.map.clear();
        s.map.insert(text, form);
        return form;
    }
};

}
