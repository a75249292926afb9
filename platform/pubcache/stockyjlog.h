#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// One fired alert, as the alert log keeps it.
class StockYJLog
{
public:
    StockYJLog() = default;
    // time: packed yyyyMMddHHmmssfff.
    StockYJLog(const QString& title, const QString& condition, const QString& code, const QString& name,
               quint64 time);

    QString getTitle() const { return mTitle; }
    // The threshold text with its unit.
    QString getCondition() const { return mCondition; }
    QString getCode() const { return mCode; }
    QString getName() const { return mName; }
    quint64 getTime() const { return mTime; }

    bool operator==(const StockYJLog& other) const
    {
        return mTitle == other.mTitle && mCondition == other.mCondition && mCode == other.mCode
               && mName == other.mName && mTime == other.mTime;
    }
    bool operator!=(const StockYJLog& other) const { return !(*this == other); }

private:
    QString mTitle;
    QString mCondition;
    QString mCode;
    QString mName;
    quint64 mTime = 0;
};

Q_DECLARE_METATYPE(StockYJLog)
