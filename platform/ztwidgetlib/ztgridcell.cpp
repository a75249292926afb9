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
    // Most cells fit in their format: the decimals are looked up only for prices
    // and for texts too wide.
    const bool price = decimals > 0 && ZtField::isPriceKey(key);
    int places = price ? formatDecimals(value, format) : -1;
    const bool reshaped = price && places >= 0 && places != decimals;
    const QString full = reshaped ? formatValueAs(value, format, decimals, false) : formatValue(value, format);
    if (full.isEmpty() || painter.textWidth(full) <= width)
        return full;
    if (price)
        places = places >= 0 ? decimals : -1;
    else
        places = formatDecimals(value, format);
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
        if (full.at(n - 1).isHighSurrogate())
            continue;
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
