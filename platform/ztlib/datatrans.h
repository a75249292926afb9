#pragma once

#include <QDateTime>
#include <QtGlobal>

// Date-times exchanged with the data library are numbers of the form
// yyyyMMddHHmmssfff. Shorter forms are accepted when reading: yyyyMMdd,
// yyyyMMddHHmm and yyyyMMddHHmmss.
class DataTrans
{
public:
    static quint64 getYYYYMMDDHHMMSSFFFCurrent();
    // The last millisecond of the current day.
    static quint64 getYYYYMMDDHHMMSSFFFCurrentEnd();
    static quint64 getYYYYMMDDHHMMSSFFFFromDT(const QDateTime& dateTime);
    static quint64 getYYYYMMDDHHMMSSFFFFromDate(const QDate& date);
    // An invalid QDateTime for zero or a number that is not a valid date-time.
    static QDateTime getDateTimeFromULL(quint64 value);
    // yyyyMMdd part of a packed value, whatever its length.
    static int datePart(quint64 value);
};
