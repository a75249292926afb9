#include "ztgridcell.h"

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/pubcachecustom.h>

namespace ZtGridCell {

QString text(const QVariant& value, const QString& format)
{
    return formatValue(value, format);
}

QColor colour(const QVariant& value, const DQDReader* row, const QString& rule)
{
    if (rule.isEmpty())
        return QColor();
    return valueColour(value, row, rule);
}

QColor named(const QString& colourName, const QColor& fallback)
{
    if (!PubCacheCustom::mCustomColor.contains(colourName) && !PubCacheCustom::mDefultColor.contains(colourName))
        return fallback;
    const QColor c = penFromColourName(colourName, Qt::SolidLine).color();
    return c.isValid() ? c : fallback;
}

}
