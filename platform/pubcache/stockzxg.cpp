#include "stockzxg.h"

#include <ztlib/datatrans.h>

StockZxg::StockZxg(const QString& code) : mCode(code), mAddTime(DataTrans::getYYYYMMDDHHMMSSFFFCurrent()) {}

StockZxg::StockZxg(const QString& code, quint64 addTime, const QString& note)
    : mCode(code), mAddTime(addTime), mNote(note)
{
}

QString StockZxg::getAddTimeText() const
{
    return mAddTime > 0 ? QString::number(mAddTime) : QString();
}
