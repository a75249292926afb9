#pragma once

#include "dqdreader.h"

#include <QMetaType>
#include <QSharedDataPointer>
#include <QString>

class DQDQueryData;

// A list of rows with the outcome flags of the query that produced it.
// Implicitly shared: copies (and queued signals carrying them) are O(1).
class DQDQuery
{
public:
    DQDQuery();
    DQDQuery(const DQDQuery& other);
    DQDQuery(DQDQuery&& other) noexcept;
    DQDQuery& operator=(const DQDQuery& other);
    DQDQuery& operator=(DQDQuery&& other) noexcept;
    ~DQDQuery();

    int count() const;
    bool isEmpty() const { return count() == 0; }

    // Pointers stay owned by the list and are valid until the list changes.
    // The non-const forms detach a shared list first, so writes stay private.
    DQDUnionReader* at(int index);
    const DQDUnionReader* at(int index) const;

    // Finds a security row by key texts joined together ("SH", "600000" or "SH600000");
    // a hash look-up. Null when absent.
    DQDUnionReader* value(const QString& key1, const QString& key2 = QString(),
                          const QString& key3 = QString());
    const DQDUnionReader* value(const QString& key1, const QString& key2 = QString(),
                                const QString& key3 = QString()) const;
    // The same as a copy; an empty reader when absent.
    DQDUnionReader valueCopy(const QString& key1, const QString& key2 = QString(),
                             const QString& key3 = QString()) const;
    int indexOf(const QString& uniqueCode) const;

    // A cursor over the rows: value() gives the row at the cursor, null past the end.
    DQDUnionReader* value();
    const DQDUnionReader* value() const;
    void setPos(int pos);
    int pos() const { return mPos; }

    void append(const DQDUnionReader& row);
    void InsertUnionReader(int index, const DQDUnionReader& row);
    void DataRemove(int index, int count);
    void replace(int index, const DQDUnionReader& row);
    // Removes the rows; the outcome flags stay.
    void DataClear();
    // Removes the rows and resets the flags and the cursor.
    void clear();
    void reserve(int rows);

    bool getDataIsUpdate() const { return mIsUpdate; }
    qint64 getDataDownTime() const { return mDownTime; }
    bool getDataDownValid() const { return mDownValid; }
    void setDataIsUpdate(bool updated) { mIsUpdate = updated; }
    void setDataDownTime(qint64 time) { mDownTime = time; }
    void setDataDownValid(bool valid) { mDownValid = valid; }

    // A list query may answer one window of a longer list: row 0 is then list
    // position getDataStartIndex() of getDataTotalCount() rows. Without a window
    // the rows are the whole list.
    int getDataStartIndex() const { return mStartIndex; }
    int getDataTotalCount() const
    {
        return mTotalCount > mStartIndex + count() ? mTotalCount : mStartIndex + count();
    }
    void setDataWindow(int startIndex, int totalCount)
    {
        mStartIndex = startIndex < 0 ? 0 : startIndex;
        mTotalCount = totalCount;
    }

    bool sharesDataWith(const DQDQuery& other) const { return d == other.d; }

private:
    QSharedDataPointer<DQDQueryData> d;
    int mPos = 0;
    bool mIsUpdate = false;
    qint64 mDownTime = 0;
    bool mDownValid = false;
    int mStartIndex = 0;
    int mTotalCount = -1;
};

// A query result held by value, as panels keep and signal it.
class DQDDataList : public DQDQuery
{
public:
    DQDDataList() = default;
    DQDDataList(const DQDQuery& query) : DQDQuery(query) {}
};

// The grid widget's view of a list.
using DQDSelection = DQDQuery;

Q_DECLARE_METATYPE(DQDQuery)
Q_DECLARE_METATYPE(DQDDataList)
