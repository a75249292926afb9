#pragma once

#include "stockzxg.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

// One watchlist group: a name and its entries in the user's manual order.
class StockZxgBK
{
public:
    StockZxgBK() = default;
    explicit StockZxgBK(const QString& name, const QList<StockZxg>& list = QList<StockZxg>());

    QString getName() const { return mName; }
    void setName(const QString& name) { mName = name; }
    QList<StockZxg> getList() const { return mList; }
    void setList(const QList<StockZxg>& list) { mList = list; }

    // False when the code is already in the group.
    bool append(const StockZxg& entry);
    bool remove(const QString& code);
    bool contains(const QString& code) const { return indexOf(code) >= 0; }
    int indexOf(const QString& code) const;
    int count() const { return mList.size(); }
    bool isEmpty() const { return mList.isEmpty(); }
    QStringList getCodes() const;

    bool operator==(const StockZxgBK& other) const { return mName == other.mName && mList == other.mList; }
    bool operator!=(const StockZxgBK& other) const { return !(*this == other); }

private:
    QString mName;
    QList<StockZxg> mList;
};

Q_DECLARE_METATYPE(StockZxgBK)
