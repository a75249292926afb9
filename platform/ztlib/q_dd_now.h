#pragma once

#include "dqdreader.h"

#include <QVector>

// One real-time quote, read like a row.
class Q_DD_Now : public DQDReader
{
public:
    Q_DD_Now() = default;
    Q_DD_Now(const DQDReader& reader) : DQDReader(reader) {}

    // True when the quote is not older than the market time given (both packed yyyyMMddHHmmssfff).
    bool CheckDataIsValid(qint64 marketDateTime) const;
};

Q_DECLARE_METATYPE(Q_DD_Now)
Q_DECLARE_METATYPE(QVector<Q_DD_Now>)
