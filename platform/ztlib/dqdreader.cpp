#include "dqdreader.h"

#include "ztenums.h"
#include "ztfields.h"

#include <algorithm>

namespace {
struct Entry
{
    unsigned int key;
    QVariant value;
};
}

// Sorted by key: rows hold a few dozen fields, so a binary search over a flat
// vector beats a hash in both memory and look-up time.
class DQDReaderData : public QSharedData
{
public:
    QVector<Entry> entries;

    int find(unsigned int key) const
    {
        auto it = std::lower_bound(entries.cbegin(), entries.cend(), key,
                                   [](const Entry& e, unsigned int k) { return e.key < k; });
        if (it != entries.cend() && it->key == key)
            return int(it - entries.cbegin());
        return -1;
    }
};

DQDReader::DQDReader() : d(new DQDReaderData) {}
DQDReader::DQDReader(const DQDReader& other) = default;
DQDReader::DQDReader(DQDReader&& other) noexcept = default;
DQDReader& DQDReader::operator=(const DQDReader& other) = default;
DQDReader& DQDReader::operator=(DQDReader&& other) noexcept = default;
DQDReader::~DQDReader() = default;

QVariant DQDReader::getValue(unsigned int key) const
{
    const int i = d->find(key);
    if (i < 0)
        return QVariant(QStringLiteral("-"));
    return d->entries.at(i).value;
}

bool DQDReader::hasValue(unsigned int key) const
{
    return d->find(key) >= 0;
}

void DQDReader::setValue(unsigned int key, const QVariant& value)
{
    const int i = d->find(key);
    if (i >= 0) {
        d->entries[i].value = value;
        return;
    }
    auto& entries = d->entries;
    auto it = std::lower_bound(entries.begin(), entries.end(), key,
                               [](const Entry& e, unsigned int k) { return e.key < k; });
    entries.insert(it, Entry{key, value});
}

void DQDReader::removeValue(unsigned int key)
{
    const int i = d->find(key);
    if (i >= 0)
        d->entries.remove(i);
}

QVector<unsigned int> DQDReader::keys() const
{
    QVector<unsigned int> out;
    out.reserve(d->entries.size());
    for (const Entry& e : d->entries)
        out.append(e.key);
    return out;
}

int DQDReader::fieldCount() const
{
    return d->entries.size();
}

QString DQDReader::getUniqueValue(int index) const
{
    unsigned int key = ZtField::UniqueCode;
    if (index == 1)
        key = ZtField::Code;
    else if (index == 2)
        key = ZtField::Market;
    const int i = d->find(key);
    return i < 0 ? QString() : d->entries.at(i).value.toString();
}

bool DQDReader::isEmpty() const
{
    return d->entries.isEmpty();
}

bool DQDReader::isStock() const
{
    const int i = d->find(ZtField::Type);
    if (i < 0)
        return false;
    const int type = d->entries.at(i).value.toInt();
    return type == ZtE_ZQLX_AShare || type == ZtE_ZQLX_BShare;
}

bool DQDReader::isShowPlaces3() const
{
    const int i = d->find(ZtField::Decimals);
    return i >= 0 && d->entries.at(i).value.toInt() == 3;
}

bool DQDReader::sameValues(const DQDReader& other) const
{
    if (d == other.d)
        return true;
    const auto& a = d->entries;
    const auto& b = other.d->entries;
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).key != b.at(i).key || a.at(i).value != b.at(i).value)
            return false;
    }
    return true;
}
