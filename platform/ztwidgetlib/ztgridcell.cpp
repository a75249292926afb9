#include "ztgridcell.h"

#include "ztgridtextpainter.h"

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

namespace ZtGridCell {

QString text(const QVariant& value, const QString& format)
{
    return formatValue(value, format);
}

QString fitted(ZtGridTextPainter& painter, const QVariant& value, const QString& format, unsigned int key,
               int decimals, int width)
{
    int places = formatDecimals(value, format);
    QString full = places >= 0 && decimals > 0 && places != decimals && ZtField::isPriceKey(key)
                       ? formatValueAs(value, format, decimals, false)
                       : formatValue(value, format);
    if (places >= 0 && decimals > 0 && ZtField::isPriceKey(key))
        places = decimals;
    if (full.isEmpty() || painter.textWidth(full) <= width)
        return full;
    if (places >= 0) {
        for (int p = places - 1; p >= 0; --p) {
            const QString shorter = formatValueAs(value, format, p, false);
            if (painter.textWidth(shorter) <= width)
                return shorter;
        }
        for (int p = places; p >= 0; --p) {
            const QString scaled = formatValueAs(value, format, p, true);
            if (painter.textWidth(scaled) <= width)
                return scaled;
        }
    }
    const QString ellipsis(QChar(0x2026));
    for (int n = full.size() - 1; n > 0; --n) {
        const QString cut = full.left(n) + ellipsis;
        if (painter.textWidth(cut) <= width)
            return cut;
    }
    return painter.textWidth(ellipsis) <= width ? ellipsis : QString();
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
