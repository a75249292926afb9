#include "q_dd_now.h"

#include "ztfields.h"

bool Q_DD_Now::CheckDataIsValid(qint64 marketDateTime) const
{
    if (isEmpty() || !hasValue(ZtField::QuoteTime))
        return false;
    return getValue(ZtField::QuoteTime).toLongLong() >= marketDateTime;
}
