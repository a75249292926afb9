#pragma once

#include <QColor>
#include <QString>
#include <QVariant>

class DQDReader;

// Every cell's text and colour go through here, so the grid paints a value
// exactly as the field labels of the library do.
namespace ZtGridCell {

QString text(const QVariant& value, const QString& format);
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
