#include "stockyjlog.h"

StockYJLog::StockYJLog(const QString& title, const QString& condition, const QString& code, const QString& name,
                       quint64 time)
    : mTitle(title), mCondition(condition), mCode(code), mName(name), mTime(time)
{
}
