#include "stockzxgbk.h"

StockZxgBK::StockZxgBK(const QString& name, const QList<StockZxg>& list) : mName(name), mList(list) {}

bool StockZxgBK::append(const StockZxg& entry)
{
    if (contains(entry.getCode()))
        return false;
    mList.append(entry);
    return true;
}

bool StockZxgBK::remove(const QString& code)
{
    const int i = indexOf(code);
    if (i < 0)
        return false;
    mList.removeAt(i);
    return true;
}

int StockZxgBK::indexOf(const QString& code) const
{
    for (int i = 0; i < mList.size(); ++i) {
        if (mList.at(i).getCode() == code)
            return i;
    }
    return -1;
}

QStringList StockZxgBK::getCodes() const
{
    QStringList codes;
    codes.reserve(mList.size());
    for (const StockZxg& e : mList)
        codes.append(e.getCode());
    return codes;
}
