#include "dqdquery.h"

#include "ztfields.h"

#include <QHash>
#include <QVector>

class DQDQueryData : public QSharedData
{
public:
    QVector<DQDUnionReader> rows;
    // Combined code -> row, kept current by every write so that const reads
    // never build anything (lists are read from several threads).
    QHash<QString, int> index;

    void indexRow(int i)
    {
        const QString key = rows.at(i).getUniqueValue(0);
        if (!key.isEmpty() && !index.contains(key))
            index.insert(key, i);
    }

    void reindex()
    {
        index.clear();
        index.reserve(rows.size());
        for (int i = 0; i < rows.size(); ++i)
            indexRow(i);
    }
};

DQDQuery::DQDQuery() : d(new DQDQueryData) {}
DQDQuery::DQDQuery(const DQDQuery& other) = default;
DQDQuery::DQDQuery(DQDQuery&& other) noexcept = default;
DQDQuery& DQDQuery::operator=(const DQDQuery& other) = default;
DQDQuery& DQDQuery::operator=(DQDQuery&& other) noexcept = default;
DQDQuery::~DQDQuery() = default;

int DQDQuery::count() const
{
    return d->rows.size();
}

DQDUnionReader* DQDQuery::at(int index)
{
    if (index < 0 || index >= d->rows.size())
        return nullptr;
    return &d->rows[index];
}

const DQDUnionReader* DQDQuery::at(int index) const
{
    if (index < 0 || index >= d->rows.size())
        return nullptr;
    return &d->rows.at(index);
}

int DQDQuery::indexOf(const QString& uniqueCode) const
{
    return d->index.value(uniqueCode, -1);
}

DQDUnionReader* DQDQuery::value(const QString& key1, const QString& key2, const QString& key3)
{
    const int i = indexOf(key1 + key2 + key3);
    return i < 0 ? nullptr : at(i);
}

const DQDUnionReader* DQDQuery::value(const QString& key1, const QString& key2,
                                      const QString& key3) const
{
    const int i = indexOf(key1 + key2 + key3);
    return i < 0 ? nullptr : at(i);
}

DQDUnionReader DQDQuery::valueCopy(const QString& key1, const QString& key2,
                                   const QString& key3) const
{
    const DQDUnionReader* row = value(key1, key2, key3);
    return row ? *row : DQDUnionReader();
}

DQDUnionReader* DQDQuery::value()
{
    return at(mPos);
}

const DQDUnionReader* DQDQuery::value() const
{
    return at(mPos);
}

void DQDQuery::setPos(int pos)
{
    mPos = pos;
}

void DQDQuery::append(const DQDUnionReader& row)
{
    d->rows.append(row);
    d->indexRow(d->rows.size() - 1);
}

void DQDQuery::InsertUnionReader(int index, const DQDUnionReader& row)
{
    index = qBound(0, index, d->rows.size());
    if (index == d->rows.size()) {
        append(row);
        return;
    }
    d->rows.insert(index, row);
    d->reindex();
}

void DQDQuery::DataRemove(int index, int count)
{
    if (index < 0 || count <= 0 || index >= d->rows.size())
        return;
    count = qMin(count, d->rows.size() - index);
    d->rows.remove(index, count);
    d->reindex();
}

void DQDQuery::replace(int index, const DQDUnionReader& row)
{
    if (index < 0 || index >= d->rows.size())
        return;
    const bool sameKey = d->rows.at(index).getUniqueValue(0) == row.getUniqueValue(0);
    d->rows[index] = row;
    if (!sameKey)
        d->reindex();
}

void DQDQuery::DataClear()
{
    d->rows.clear();
    d->index.clear();
    mStartIndex = 0;
    mTotalCount = -1;
}

void DQDQuery::clear()
{
    DataClear();
    mPos = 0;
    mIsUpdate = false;
    mDownTime = 0;
    mDownValid = false;
}

void DQDQuery::reserve(int rows)
{
    d->rows.reserve(rows);
    d->index.reserve(rows);
}
