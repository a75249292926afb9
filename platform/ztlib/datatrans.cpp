#include "datatrans.h"

namespace {

quint64 pack(const QDate& date, const QTime& time)
{
    const quint64 ymd = quint64(date.year()) * 10000u + quint64(date.month()) * 100u + quint64(date.day());
    const quint64 hms = quint64(time.hour()) * 10000u + quint64(time.minute()) * 100u + quint64(time.second());
    return (ymd * 1000000u + hms) * 1000u + quint64(time.msec());
}

int digits(quint64 v)
{
    int n = 0;
    do {
        ++n;
        v /= 10;
    } while (v);
    return n;
}

}

quint64 DataTrans::getYYYYMMDDHHMMSSFFFCurrent()
{
    return getYYYYMMDDHHMMSSFFFFromDT(QDateTime::currentDateTime());
}

quint64 DataTrans::getYYYYMMDDHHMMSSFFFCurrentEnd()
{
    return pack(QDate::currentDate(), QTime(23, 59, 59, 999));
}

quint64 DataTrans::getYYYYMMDDHHMMSSFFFFromDT(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return 0;
    return pack(dateTime.date(), dateTime.time());
}

quint64 DataTrans::getYYYYMMDDHHMMSSFFFFromDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return pack(date, QTime(0, 0));
}

int DataTrans::datePart(quint64 value)
{
    switch (digits(value)) {
    case 8: return int(value);
    case 12: return int(value / 10000u);
    case 14: return int(value / 1000000u);
    case 17: return int(value / 1000000000u);
    default: return 0;
    }
}

QDateTime DataTrans::getDateTimeFromULL(quint64 value)
{
    quint64 full = 0;
    switch (digits(value)) {
    case 8: full = value * 1000000000u; break;
    case 12: full = value * 100000u; break;
    case 14: full = value * 1000u; break;
    case 17: full = value; break;
    default: return QDateTime();
    }
    const int msec = int(full % 1000u);
    const quint64 hms = (full / 1000u) % 1000000u;
    const quint64 ymd = full / 1000000000u;
    const QDate date(int(ymd / 10000u), int((ymd / 100u) % 100u), int(ymd % 100u));
    const QTime time(int(hms / 10000u), int((hms / 100u) % 100u), int(hms % 100u), msec);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time);
}
