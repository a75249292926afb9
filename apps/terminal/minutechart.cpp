#include "minutechart.h"

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/ztfields.h>

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// A trading day has 241 minute bars (9:30 to 11:30 and 13:00 to 15:00).
constexpr int kDayBars = 241;

}

MinuteChart::MinuteChart(ZtLayoutBase* parent) : ZtLayoutStockBase(parent, QStringLiteral("MinuteChart"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(300, 200);
}

void MinuteChart::showStock(const DQDUnionReader& stock)
{
    if (stock.isEmpty() || stock.getUniqueValue(0) == mStock.getUniqueValue(0))
        return;
    mStock = stock;
    mStockData.DataClear();
    InitDataStocks_PeriodDLine(stock.getUniqueValue(0), ZtE_Period_DLine, false, 1, false);
    setGetDataFlag(true);
    update();
}

void MinuteChart::setQuote(const DQDUnionReader& quote)
{
    if (quote.getUniqueValue(0) != mStock.getUniqueValue(0))
        return;
    const bool first = mStock.getValue(ZtField::PrevClose).toDouble() <= 0;
    mStock = quote;
    if (first)
        update();
}

void MinuteChart::doDataRepaint()
{
    update();
}

void MinuteChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), colourFromSpec(QStringLiteral("Background")));
    const QRect area = rect().adjusted(56, 8, -56, -8);
    if (area.width() < 20 || area.height() < 40)
        return;
    const int priceHeight = area.height() * 7 / 10;
    const QRect priceArea(area.left(), area.top(), area.width(), priceHeight - 16);
    const QRect volumeArea(area.left(), area.top() + priceHeight, area.width(), area.height() - priceHeight);
    const QColor grid = colourFromSpec(QStringLiteral("ChartGrid"));
    p.setPen(grid);
    p.drawRect(priceArea);
    p.drawRect(volumeArea);
    p.drawLine(priceArea.left(), priceArea.center().y(), priceArea.right(), priceArea.center().y());
    for (int i = 1; i < 4; ++i) {
        const int x = priceArea.left() + priceArea.width() * i / 4;
        p.drawLine(x, priceArea.top(), x, priceArea.bottom());
        p.drawLine(x, volumeArea.top(), x, volumeArea.bottom());
    }

    const double prevClose = mStock.getValue(ZtField::PrevClose).toDouble();
    const QString decimals = mStock.isShowPlaces3() ? QStringLiteral("d3") : QStringLiteral("d2");
    const DQDDataList& data = mStockData;
    const int n = data.count();
    if (n == 0 || prevClose <= 0)
        return;

    double span = 0;
    double maxVolume = 0;
    for (int i = 0; i < n; ++i) {
        const DQDUnionReader* row = data.at(i);
        span = std::max(span, std::abs(row->getValue(ZtField::Price).toDouble() - prevClose));
        span = std::max(span, std::abs(row->getValue(ZtField::AvgPrice).toDouble() - prevClose));
        maxVolume = std::max(maxVolume, row->getValue(ZtField::SeriesVolume).toDouble());
    }
    span = std::max(span, prevClose * 0.002);
    const double step = double(priceArea.width()) / (kDayBars - 1);
    auto yOf = [&](double price) {
        return priceArea.center().y() - (price - prevClose) / span * (priceArea.height() / 2.0 - 2);
    };

    // Scale labels: the top, the reference and the bottom, coloured as prices are.
    p.setFont(QFont(QStringLiteral("微软雅黑"), 9));
    const QColor up = colourFromSpec(QStringLiteral("Up"));
    const QColor down = colourFromSpec(QStringLiteral("Down"));
    const QColor flat = colourFromSpec(QStringLiteral("Flat"));
    const struct
    {
        double price;
        QColor colour;
    } marks[] = {{prevClose + span, up}, {prevClose, flat}, {prevClose - span, down}};
    for (const auto& m : marks) {
        const int y = int(yOf(m.price));
        p.setPen(m.colour);
        p.drawText(QRect(0, y - 8, area.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   formatValue(m.price, decimals));
        p.drawText(QRect(priceArea.right() + 4, y - 8, 52, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   formatValue((m.price - prevClose) / prevClose * 100, QStringLiteral("d2[ls:%]")));
    }

    QPainterPath price;
    QPainterPath average;
    for (int i = 0; i < n && i < kDayBars; ++i) {
        const DQDUnionReader* row = data.at(i);
        const double x = priceArea.left() + i * step;
        const double last = row->getValue(ZtField::Price).toDouble();
        const double avg = row->getValue(ZtField::AvgPrice).toDouble();
        if (i == 0) {
            price.moveTo(x, yOf(last));
            average.moveTo(x, yOf(avg));
        } else {
            price.lineTo(x, yOf(last));
            average.lineTo(x, yOf(avg));
        }
        if (maxVolume > 0) {
            const double volume = row->getValue(ZtField::SeriesVolume).toDouble();
            const double prev = i > 0 ? data.at(i - 1)->getValue(ZtField::Price).toDouble() : prevClose;
            const int h = int(volume / maxVolume * (volumeArea.height() - 2));
            p.setPen(last >= prev ? up : down);
            p.drawLine(QPointF(x, volumeArea.bottom()), QPointF(x, volumeArea.bottom() - h));
        }
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colourFromSpec(QStringLiteral("PriceLine")), 1.2));
    p.drawPath(price);
    p.setPen(QPen(colourFromSpec(QStringLiteral("AvgLine")), 1.2));
    p.drawPath(average);

    ++mPaintedSerial;
    mPaintedCode = mStock.getUniqueValue(0);
    emit onPainted(mPaintedCode);
}
