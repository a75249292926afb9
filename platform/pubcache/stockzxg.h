#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

// One watchlist entry: a combined code ("SH600000"), the time it was added as a
// packed yyyyMMddHHmmssfff number (0: unknown) and the user's note.
class StockZxg
{
public:
    StockZxg() = default;
    // A newly added entry: the add time is now.
    explicit StockZxg(const QString& code);
    StockZxg(const QString& code, quint64 addTime, const QString& note = QString());

    QString getCode() const { return mCode; }
    quint64 getAddTime() const { return mAddTime; }
    // The add time as the decimal text the grids format with "[tn:...]"; empty when unknown.
    QString getAddTimeText() const;
    QString getNote() const { return mNote; }

    void setCode(const QString& code) { mCode = code; }
    void setAddTime(quint64 addTime) { mAddTime = addTime; }
    void setNote(const QString& note) { mNote = note; }

    bool operator==(const StockZxg& other) const
    {
        return mCode == other.mCode && mAddTime == other.mAddTime && mNote == other.mNote;
    }
    bool operator!=(const StockZxg& other) const { return !(*this == other); }

private:
    QString mCode;
    quint64 mAddTime = 0;
    QString mNote;
};

Q_DECLARE_METATYPE(StockZxg)
