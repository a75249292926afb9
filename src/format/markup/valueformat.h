#pragma once

#include "format/markup/ztformat_global.h"

#include <QString>
#include <QVariant>

// The value-format mark-up: turns one field value into its display text.
// Each distinct format text is compiled once and kept in a bounded, thread-safe
// cache; the results are those of the plain reading in markupreference.h.

ZTFORMAT_EXPORT QString formatValue(const QVariant& value, const QString& format);
// The branch of the first conditional block whose condition holds, else the
// text with its conditional blocks removed.
ZTFORMAT_EXPORT QString selectConditionalFormat(const QVariant& value, const QString& format);
ZTFORMAT_EXPORT bool evaluateCondition(const QVariant& value, const QString& condition);
ZTFORMAT_EXPORT bool evaluateComparison(const QVariant& value, const QString& term);

// Places that show a number another way than its format says (a narrow grid
// cell, a security quoted to three decimals) reshape the number the format
// gives for this value, keeping its divisor, sign, prefix and suffix.
// The decimals of that number; -1 when the format shows no number for the value.
ZTFORMAT_EXPORT int formatDecimals(const QVariant& value, const QString& format);
// The text with the number to `decimals` places and, when `units`, scaled to
// 万/亿/兆 as "w" does; formatValue's text when the format shows no number.
ZTFORMAT_EXPORT QString formatValueAs(const QVariant& value, const QString& format, int decimals, bool units);
