#include "format/markup/markupcommon.h"

#include <ztlib/datatrans.h>

#include <QHash>

namespace ZtMarkupDetail {

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
