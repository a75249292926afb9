#include "ztgridbarcell.h"

#include "ztgridcell.h"

#include <ztlib/dqdreader.h>

#include <QPainter>

#include <cmath>

namespace {

// Content of "[name:" up to `close` (or the end of the text when it is missing).
QString tagContent(const QString& text, const QString& open, const QString& close, bool* found = nullptr)
{
    const int p = text.indexOf(open);
    if (found)
        *found = p >= 0;
    if (p < 0)
        return QString();
    const int from = p + open.size();
    const int end = text.indexOf(close, from);
    return end < 0 ? text.mid(from) : text.mid(from, end - from);
}

double numberOf(const QVariant& value)
{
    bool ok = false;
    const double v = value.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

}

ZtGridBarCell ZtGridBarCell::parse(const QString& format)
{
    ZtGridBarCell cell;
    bool hasBox = false;
    const QString box = tagContent(format, QStringLiteral("[box:"), QStringLiteral("/box]"), &hasBox);
    if (hasBox) {
        const QString list = box.left(box.indexOf(QLatin1Char('[')) < 0 ? box.size()
                                                                         : box.indexOf(QLatin1Char('[')));
        const QStringList items = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& item : items) {
            bool ok = false;
            Segment s;
            s.key = item.section(QLatin1Char(':'), 0, 0).trimmed().toUInt(&ok);
            if (!ok)
                continue;
            s.rule = item.section(QLatin1Char(':'), 1);
            cell.mSegments.append(s);
        }
    }
    bool ok = false;
    const double max = tagContent(format, QStringLiteral("[max:"), QStringLiteral("]")).toDouble(&ok);
    cell.mMax = ok && std::isfinite(max) && max > 0 ? max : 0;
    const QString side = tagContent(format, QStringLiteral("[vpis:"), QStringLiteral("]")).trimmed();
    if (side == QLatin1String("l"))
        cell.mTextSide = TextSide::Left;
    else if (side == QLatin1String("c"))
        cell.mTextSide = TextSide::Centre;
    cell.mTextFormat = tagContent(format, QStringLiteral("[fmt:"), QStringLiteral("/fmt]"));
    return cell;
}

QVector<int> ZtGridBarCell::segmentWidths(const DQDReader& row, int cellWidth) const
{
    QVector<int> widths(mSegments.size(), 0);
    if (cellWidth <= 0 || mSegments.isEmpty())
        return widths;
    QVector<double> values(mSegments.size());
    double sum = 0;
    for (int i = 0; i < mSegments.size(); ++i) {
        values[i] = std::max(0.0, numberOf(row.getValue(mSegments.at(i).key)));
        sum += values[i];
    }
    const double scale = mMax > 0 ? mMax : sum;
    if (scale <= 0)
        return widths;
    int used = 0;
    for (int i = 0; i < values.size(); ++i) {
        const int w = int(std::lround(std::min(1.0, values.at(i) / scale) * cellWidth));
        widths[i] = std::min(w, cellWidth - used);
        used += widths[i];
    }
    return widths;
}

QString ZtGridBarCell::text(const DQDReader& row) const
{
    QString out = mTextFormat;
    // Each pass replaces one reference; a reference cannot produce another.
    for (int guard = 0; guard < 32; ++guard) {
        const int p = out.indexOf(QLatin1String("[@"));
        if (p < 0)
            break;
        int depth = 0;
        int end = -1;
        for (int i = p; i < out.size(); ++i) {
            if (out.at(i) == QLatin1Char('['))
                ++depth;
            else if (out.at(i) == QLatin1Char(']') && --depth == 0) {
                end = i;
                break;
            }
        }
        if (end < 0)
            end = out.size();
        const QString inner = out.mid(p + 2, end - p - 2);
        const unsigned int key = inner.section(QLatin1Char(';'), 0, 0).toUInt();
        const QString valueText = ZtGridCell::text(row.getValue(key), inner.section(QLatin1Char(';'), 1));
        out.replace(p, end - p + 1, valueText);
    }
    if (out.contains(QLatin1Char('[')))
        return ZtGridCell::text(QVariant(0), out);
    return out;
}

void ZtGridBarCell::paint(QPainter* painter, const QRect& cell, const DQDReader& row, const QColor& textColour) const
{
    const QRect inner = cell.adjusted(2, 0, -2, 0);
    const int barHeight = std::max(2, inner.height() * 3 / 5);
    const int top = inner.top() + (inner.height() - barHeight) / 2;
    const QVector<int> widths = segmentWidths(row, inner.width());
    const bool fromRight = mTextSide == TextSide::Left;
    int x = fromRight ? inner.right() + 1 : inner.left();
    for (int i = 0; i < widths.size(); ++i) {
        const int w = widths.at(i);
        if (w <= 0)
            continue;
        QColor c = ZtGridCell::colour(row.getValue(mSegments.at(i).key), &row, mSegments.at(i).rule);
        if (!c.isValid())
            c = textColour;
        if (fromRight)
            x -= w;
        painter->fillRect(QRect(x, top, w, barHeight), c);
        if (!fromRight)
            x += w;
    }
    const QString t = text(row);
    if (t.isEmpty())
        return;
    const Qt::Alignment h = mTextSide == TextSide::Left    ? Qt::AlignLeft
                            : mTextSide == TextSide::Right ? Qt::AlignRight
                                                           : Qt::AlignHCenter;
    painter->setPen(textColour);
    painter->drawText(inner.adjusted(2, 0, -2, 0), int(h | Qt::AlignVCenter), t);
}
