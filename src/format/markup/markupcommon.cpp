#include "format/markup/markupcommon.h"

#include <ztlib/datatrans.h>

#include <QHash>

#include <charconv>
#include <cmath>

namespace ZtMarkupDetail {

int fixedChars(double value, int decimals, char* out)
{
    static constexpr double kScale[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (decimals < 0 || decimals > 15)
        return -1;
    const double scaled = std::fabs(value) * kScale[decimals];
    // Below 2^40 the scaled value is off by less than 2^-12; not finite fails too.
    if (!(scaled < 1e12))
        return -1;
    if (std::fabs(scaled - std::floor(scaled) - 0.5) < 1.0 / 4096)
        return -1;
    const std::to_chars_result r = std::to_chars(out, out + kFixedChars, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc())
        return -1;
    const int length = int(r.ptr - out);
    if (out[0] == '-') {
        bool zero = true;
        for (int i = 1; i < length && zero; ++i)
            zero = out[i] < '1' || out[i] > '9';
        if (zero)
            return -1;
    }
    return length;
}

int compareVariants(const QVariant& a, const QVariant& b)
{
    // QVariant::compare is private in Qt 5; its operators are the way in.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (a < b)
        return -1;
    if (a > b)
        return 1;
    QT_WARNING_POP
    return 0;
}

QString sysAlias(const QString& name)
{
    static const QHash<QString, QString> aliases = {
        {QStringLiteral("up"), QStringLiteral("Up")},
        {QStringLiteral("down"), QStringLiteral("Down")},
        {QStringLiteral("flat"), QStringLiteral("Flat")},
        {QStringLiteral("default"), QStringLiteral("Default")},
        {QStringLiteral("vol"), QStringLiteral("Vol")},
        {QStringLiteral("cross"), QStringLiteral("CrossCurvePen")},
        {QStringLiteral("crosstext"), QStringLiteral("CrossCurveText")},
        {QStringLiteral("crossborder"), QStringLiteral("CrossCurveBorderPen")},
        {QStringLiteral("crossbackground"), QStringLiteral("CrossCurveBackground")},
        {QStringLiteral("grid1"), QStringLiteral("Grid1")},
        {QStringLiteral("grid2"), QStringLiteral("Grid2")},
        {QStringLiteral("grid3"), QStringLiteral("Grid3")},
    };
    return aliases.value(name, name);
}

qint64 daysSince(const QVariant& value)
{
    const QDateTime then = DataTrans::getDateTimeFromULL(value.toULongLong());
    const QDateTime now = DataTrans::getDateTimeFromULL(DataTrans::getYYYYMMDDHHMMSSFFFCurrent());
    return then.daysTo(now);
}

}
