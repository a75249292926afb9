#pragma once

#include "format/markup/ztformat_global.h"

#include <QColor>
#include <QString>
#include <QVariant>

// Pieces that the plain reading and the compiled path must share exactly:
// number text, variant ordering, the clock of date rules and the limits that
// keep hostile texts from running away.
namespace ZtMarkupDetail {

// Decimals beyond this carry no information for a double and would let a
// text like "d999999999" allocate without bound.
constexpr int kMaxDecimals = 64;

inline int clampDecimals(int decimals)
{
    return decimals < 0 ? 0 : decimals > kMaxDecimals ? kMaxDecimals : decimals;
}

// Fixed notation in the C locale: '.' point, no grouping, exactly `decimals` digits.
inline QString fixedText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// Room fixedChars needs.
constexpr int kFixedChars = 64;

// fixedText written into `out` without a QString, for the values a grid shows
// (finite, up to 15 decimals, below 1e12 once scaled by them); -1 for the rest,
// which fixedText writes: halves that round either way (QString::number rounds
// them its own way) and negative values that round to zero.
ZTFORMAT_EXPORT int fixedChars(double value, int decimals, char* out);

// QVariant's own ordering: <0, 0 or >0.
int compareVariants(const QVariant& a, const QVariant& b);

// The lower-case names that "sys:" translates; anything else is returned as is.
QString sysAlias(const QString& name);

// Whole days from the value (a packed date-time) to today; positive for the past.
qint64 daysSince(const QVariant& value);

inline QColor namedColour(const QString& text)
{
    QColor colour;
    colour.setNamedColor(text);
    return colour;
}

}
