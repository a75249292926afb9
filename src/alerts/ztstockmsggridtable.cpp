#include "ztstockmsggridtable.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr unsigned int kMsgCode = 70020;
}

ZtStockMsgGridTable::ZtStockMsgGridTable(ZtLayoutBase* parent)
    : ZtLayoutMarketBase(parent, QStringLiteral("ZtStockMsgGridTable"))
{
    mGrid = new ZtWidgetStockGrid(&mMarketData, this);
    mScrollBar = new QScrollBar(Qt::Vertical, this);
    mScrollBar->setFixedWidth(10);
    mScrollBar->setRange(0, 0);
    mGrid->setVScrollBar(mScrollBar);
    setAttribute(Qt::WA_MouseTracking);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mGrid);
    layout->addWidget(mScrollBar);

    mGrid->setTitleEnable(false);
    mGrid->setDrawLastRow(false);
    mGrid->setCanSort(false);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mGrid->clearColumn();
    for (GridField* f : PubConfig::getStockMsg())
        mGrid->appendColumn(f);
    mGrid->resetColumn();

    connect(mScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { mFollowTail = value == mScrollBar->maximum(); });
    connect(mGrid, &ZtWidgetStockGrid::onDataMouseDoubleClickEvent, this,
            &ZtStockMsgGridTable::doDataMouseDoubleClickEvent);
    setMainChildWidget(mGrid);
}

void ZtStockMsgGridTable::setData(DQDDataList list)
{
    mMarketData = list;
    mGrid->setData(&mMarketData);
    doDataRepaint();
}

void ZtStockMsgGridTable::doDataRepaint()
{
    if (mFollowTail)
        followTail();
    else
        mGrid->dataUpdate();
}

void ZtStockMsgGridTable::followTail()
{
    mGrid->setData(&mMarketData);
    const int first = std::max(0, mMarketData.count() - mGrid->getDrawRowCount());
    mGrid->dataUpdate();
    mScrollBar->setMaximum(std::max(mScrollBar->maximum(), first));
    mScrollBar->setValue(first);
    mGrid->setRowIndex(first);
    mFollowTail = true;
    mGrid->update();
}

void ZtStockMsgGridTable::toEnd()
{
    mFollowTail = true;
    followTail();
}

void ZtStockMsgGridTable::ResetData()
{
    mFollowTail = true;
    if (mMarketData.isEmpty())
        return;
    mMarketData.DataClear();
    mGrid->setData(&mMarketData);
    mGrid->setRowIndex(0);
    mGrid->dataUpdate();
}

int ZtStockMsgGridTable::getFocusRowIndex() const
{
    return mGrid->getFocusRowIndex();
}

void ZtStockMsgGridTable::setFocusRowIndex(int index, bool notify)
{
    mGrid->setFocusRowIndex(index, notify);
}

void ZtStockMsgGridTable::keyPressEvent(QKeyEvent* event)
{
    doKeyPressEvent(this, event);
}

void ZtStockMsgGridTable::wheelEvent(QWheelEvent* event)
{
    doWheelEvent(this, event);
}

void ZtStockMsgGridTable::doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (obj == this) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            mFollowTail = false;
            mGrid->doKeyPressEvent(event);
            return;
        default:
            break;
        }
    }
    ZtLayoutMarketBase::doKeyPressEvent(obj, event);
}

void ZtStockMsgGridTable::doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event)
{
    if (obj != this) {
        ZtLayoutMarketBase::doWheelEvent(obj, event);
        return;
    }
    const int delta = event->angleDelta().y();
    if (delta > 0)
        mScrollBar->setValue(mScrollBar->value() - 1);
    else if (delta < 0)
        mScrollBar->setValue(mScrollBar->value() + 1);
    event->accept();
}

void ZtStockMsgGridTable::doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key)
{
    Q_UNUSED(code)
    Q_UNUSED(key)
    const DQDUnionReader row = mGrid->getFocusRow();
    if (event->button() == Qt::LeftButton) {
        if (row.isEmpty())
            return;
        const DQDUnionReader stock =
            PubCache::mDataQueryAll.valueCopy(row.getValue(kMsgCode).toString(), QString(), QString());
        emit onGotoStock(this, stock, PubCache::mDataQueryAll, enumStockSubType(3));
        return;
    }
    emit onMouseDoubleClickEvent(this, event);
}
