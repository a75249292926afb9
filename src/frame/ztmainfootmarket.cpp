#include "frame/ztmainfootmarket.h"

#include "format/markup/valuecolour.h"
#include "format/markup/valueformat.h"

#include <pubcache/pubcache.h>
#include <ztlib/ztfields.h>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

#include <cmath>

namespace {

struct Slot
{
    const char* code;
    const char* name;
};

const Slot kSlots[ZtMainFootMarket::SlotCount] = {
    {"SH000001", "沪"},
    {"SZ399001", "深"},
    {"SZ399006", "创"},
    {"SZ399005", "中小"},
};

const int kHeight = 22;
const int kCellPadding = 14;

}

ZtMainFootMarket::ZtMainFootMarket(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    setObjectName(QStringLiteral("ZtMainFootMarket"));
    // A strip of the footer: showing it must not take the keyboard from the page.
    setKeyFocus(false);
    setFixedHeight(kHeight);
    setMouseTracking(true);
}

ZtMainFootMarket::~ZtMainFootMarket()
{
    setHand(false);
}

QVector<QString> ZtMainFootMarket::codes()
{
    QVector<QString> list;
    for (const Slot& s : kSlots)
        list << QString::fromLatin1(s.code);
    return list;
}

int ZtMainFootMarket::slotLeft(int slot, int width)
{
    return slot == 0 ? 20 : slot * (width / 4);
}

void ZtMainFootMarket::start()
{
    if (!mStarted) {
        connect(&mQNow, &StockQNow::onDataUpdate, this, &ZtMainFootMarket::doDataUpdate);
        mStarted = true;
    }
    mQNow.InitQNows(codes());
}

void ZtMainFootMarket::doDataUpdate()
{
    mQuotes = mQNow.mQNows;
    repaint();
}

void ZtMainFootMarket::doDataRepaint()
{
    repaint();
}

void ZtMainFootMarket::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 11));
    const QFontMetrics fm = painter.fontMetrics();
    const QTextOption centred(Qt::AlignCenter);
    const QPen namePen = penFromColourName(QStringLiteral("Vol"));
    const int h = height();
    for (int i = 0; i < SlotCount; ++i) {
        const DQDUnionReader* row = mQuotes.value(QString::fromLatin1(kSlots[i].code), QString(), QString());
        if (!row)
            continue;
        const int left = slotLeft(i, width());
        QRect hit(left, 0, 0, h);
        const QVariant ratio = row->getValue(ZtField::ChangeRatio);
        // The change is rounded to cents first, so 0.125 shows as 0.13 whatever the format rounds.
        const double change = std::round(row->getValue(ZtField::Change).toDouble() * 100.0) / 100.0;
        const QPen trend(valueColour(ratio, row, QStringLiteral("case:0")));
        const std::pair<QString, const QPen*> cells[] = {
            {QString::fromUtf8(kSlots[i].name), &namePen},
            {formatValue(row->getValue(ZtField::Last), QStringLiteral("d2")), &trend},
            {formatValue(change, QStringLiteral("d2")), &trend},
            {formatValue(ratio, QStringLiteral("d2[ls:%]")), &trend},
            {formatValue(row->getValue(ZtField::Turnover), QStringLiteral("dw")), &namePen},
        };
        int x = left;
        for (const auto& cell : cells) {
            const int w = fm.horizontalAdvance(cell.first) + kCellPadding;
            painter.setPen(*cell.second);
            painter.drawText(QRect(x, 0, w, h), cell.first, centred);
            x += w;
            hit.setWidth(hit.width() + w);
        }
        mHitRects[i] = hit;
    }
}

void ZtMainFootMarket::doMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event)
{
    const QPoint at = obj == this ? event->pos() : mapFromGlobal(event->globalPos());
    for (int i = 0; i < SlotCount; ++i) {
        if (!mHitRects[i].contains(at))
            continue;
        const DQDUnionReader* row = mQuotes.value(QString::fromLatin1(kSlots[i].code), QString(), QString());
        if (row)
            emit onGotoStock(this, *row, PubCache::mDataQueryAll, StockSubType_Chart);
        break;
    }
    emit onMousePressEvent(obj, event);
}

void ZtMainFootMarket::mouseMoveEvent(QMouseEvent* event)
{
    bool over = false;
    for (const QRect& r : mHitRects)
        over = over || r.contains(event->pos());
    setHand(over);
    ZtLayoutBase::mouseMoveEvent(event);
}

void ZtMainFootMarket::leaveEvent(QEvent* event)
{
    setHand(false);
    ZtLayoutBase::leaveEvent(event);
}

void ZtMainFootMarket::showEvent(QShowEvent* event)
{
    mQNow.run();
    ZtLayoutBase::showEvent(event);
}

void ZtMainFootMarket::hideEvent(QHideEvent* event)
{
    mQNow.stop();
    setHand(false);
    ZtLayoutBase::hideEvent(event);
}

void ZtMainFootMarket::setHand(bool hand)
{
    // One override while over an index, taken back when off it, so moves never stack them.
    if (hand == mHandPushed)
        return;
    if (hand)
        QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    else
        QGuiApplication::restoreOverrideCursor();
    mHandPushed = hand;
}
