#pragma once

#include "format/markup/ztformat_global.h"

#include <QColor>
#include <QString>
#include <QVariant>

class DQDReader;

// The mark-up read straight from the text on every call, step by step. Slow;
// it is the reference that the compiled, cached path must agree with.
namespace ZtMarkupReference {

ZTFORMAT_EXPORT QString formatValue(QVariant value, QString format);
ZTFORMAT_EXPORT QString selectConditionalFormat(const QVariant& value, QString format);
ZTFORMAT_EXPORT bool evaluateCondition(const QVariant& value, const QString& condition);
ZTFORMAT_EXPORT bool evaluateComparison(const QVariant& value, const QString& term);
ZTFORMAT_EXPORT QColor valueColour(QVariant value, const DQDReader* reader, const QString& rule);

}

// The compiled-form caches, for tests and diagnostics.
namespace ZtMarkupCache {

// Entries held by the shared caches (formats, conditions and colour rules together).
ZTFORMAT_EXPORT int entryCount();
// Most entries each of the three shared caches holds.
ZTFORMAT_EXPORT int capacity();
// Longest text that is cached; longer ones are compiled on every call.
ZTFORMAT_EXPORT int longestCachedText();

}
