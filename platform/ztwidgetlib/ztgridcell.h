#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

class DQDReader;
class ZtGridTextPainter;

// Every cell's text and colour go through here, so the grid paints a value
// exactly as the field labels of the library do.
namespace ZtGridCell {

QString text(const QVariant& value, const QString& format);
// The text of a cell `width` pixels wide. Prices show the decimals of their
// security (decimals > 0) whatever the column's format says. A text that does
// not fit is never cut silently; it falls back, in this order, to the first
// form that fits:
//   1. the same number with fewer decimals, one at a time down to none;
//   2. the number scaled to 万/亿/兆, from its own decimals down to none;
//   3. the text cut at the end and marked with "…" (or nothing when even that
//      does not fit).
// The first two are true readings of the value, and the cut is visible.
QString fitted(ZtGridTextPainter& painter, const QVariant& value, const QString& format, unsigned int key,
               int decimals, int width);
// Invalid when the rule yields no usable colour; the caller then uses "Default".
QColor colour(const QVariant& value, const DQDReader* row, const QString& rule);
// The colour of a colour name, or the fallback when neither colour table has it.
QColor named(const QString& colourName, const QColor& fallback);
// Texts starting with "!!" are drawn by the grid itself (bars with a text).
inline bool isGridOnly(const QString& format)
{
    return format.startsWith(QLatin1String("!!"));
}

}
