#include "grids/ztstockmingridview.h"

#include "grids/stockgridactions.h"

#include <pubcache/pubcache.h>

#include <QDebug>
#include <QFont>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <utility>

ZtStockMinGridView::ZtStockMinGridView(ZtLayoutBase* parent) : ZtLayoutMarketBase(parent, QString())
{
    setObjectName(QStringLiteral("ZtStockMinGridView-") + (parent ? parent->objectName() : QString()));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_MouseTracking);
    mLayout = new QGridLayout();
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    setLayout(mLayout);

    mGrid = new ZtWidgetStockGrid(&mMarketData, this);
    auto* vbar = new QScrollBar(Qt::Vertical, this);
    mGrid->setVScrollBar(vbar);
    mLayout->addWidget(mGrid, 0, 0);
    mLayout->addWidget(vbar, 0, 1);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mGrid->setRowEmitMode(true);

    connect(&mStockQNow, &StockQNow::onDataUpdate, this, &ZtStockMinGridView::doDataUpdate);
    connect(mGrid, &ZtWidgetStockGrid::onDataSort, this, &ZtStockMinGridView::doDataSort);
    connect(mGrid, &ZtWidgetStockGrid::onDataResize, this, &ZtStockMinGridView::doDataResize);
    connect(mGrid, &ZtWidgetStockGrid::onDataIndexChange, this, &ZtStockMinGridView::doDataIndexChange);
    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtStockMinGridView::doDataMousePressEvent);
    setMainChildWidget(mGrid);
}

ZtStockMinGridView::~ZtStockMinGridView()
{
    mStockQNow.stop();
}

void ZtStockMinGridView::InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs)
{
    ZtLayoutMarketBase::InitDataMarkets(marketCodes, marketZqlxs, mGrid->getSortValueKey(), mGrid->getRowIndex(),
                                        mGrid->getDrawRowCount(), mGrid->getSortDesc(), false);
}

void ZtStockMinGridView::InitQNow(QString stockCode)
{
    mPanelFlag = true;
    qDebug() << "ZtStockMinGridView::InitQNow" << objectName() << stockCode;
    mStockQNow.InitQNow(stockCode);
}

void ZtStockMinGridView::InitZxgQNows(QPair<QStringList, QHash<QString, QString>> zxg)
{
    mZxgCodes = zxg.first;
    mZxgTimes = zxg.second;
    qDebug() << "ZtStockMinGridView::InitZxgQNows" << objectName() << mZxgCodes.size();
    mStockQNow.InitQNows(QVector<QString>(mZxgCodes.begin(), mZxgCodes.end()));
}

void ZtStockMinGridView::InitHisQNows(QVector<QString> codes)
{
    qDebug() << "ZtStockMinGridView::InitHisQNows" << objectName() << codes.size();
    mStockQNow.InitQNows(codes);
}

void ZtStockMinGridView::appendColumn(QList<GridField*> fields)
{
    mGrid->clearColumn();
    for (GridField* f : fields)
        mGrid->appendColumn(f);
    mGrid->resetColumn();
}

void ZtStockMinGridView::resetData(bool clear)
{
    if (clear) {
        mPanelFlag = true;
        mMarketData.DataClear();
        mGrid->setData(&mMarketData);
    }
    mGrid->clearFocusRow(true);
    mGrid->dataUpdate();
}

void ZtStockMinGridView::clearFocusRow()
{
    mGrid->clearFocusRow(true);
}

void ZtStockMinGridView::setFocusRowIndex(DQDUnionReader row)
{
    mGrid->setFocusRowIndex(row, true);
}

void ZtStockMinGridView::setFirstInit(bool first)
{
    mPanelFlag = first;
}

void ZtStockMinGridView::removeZxgStockColor()
{
    mGrid->removeZxgStockColor();
}

void ZtStockMinGridView::setShowXXDL(bool on)
{
    mGrid->setShowXXDL(on);
}

void ZtStockMinGridView::setTitleEnable(bool on)
{
    mGrid->setTitleEnable(on);
}

void ZtStockMinGridView::setFont(const QFont& font)
{
    mGrid->setFont(font);
}

void ZtStockMinGridView::doDataSort(unsigned int, bool)
{
    ReSetDataMarkets(mGrid->getSortValueKey(), mGrid->getRowIndex(), mGrid->getDrawRowCount(), mGrid->getSortDesc());
}

void ZtStockMinGridView::doDataResize(int, int)
{
    if (isVisible())
        doDataRepaint();
}

void ZtStockMinGridView::doDataIndexChange(int _index)
{
    if (isVisible() && mGrid->getRowIndex() != _index && _index != 0)
        doDataRepaint();
}

void ZtStockMinGridView::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!event || event->button() != Qt::LeftButton || mGrid->getFocusRow().isEmpty())
        return;
    emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Default);
}

void ZtStockMinGridView::doDataUpdate()
{
    mMarketData = mStockQNow.mQNows;
    mGrid->setData(&mMarketData);
    mGrid->doLocalSort();
    doDataRepaint();
}

void ZtStockMinGridView::doDataRepaint()
{
    if (mPanelFlag && mMarketData.count() == mStockQNow.getStockCodeCount()) {
        // The list is complete for the first time: open its focused row.
        mPanelFlag = false;
        if (!mMarketData.isEmpty()) {
            if (mGrid->getFocusRow().isEmpty())
                mGrid->setFocusRowIndex(0, true);
            emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Default);
        } else {
            const DQDUnionReader index = std::as_const(PubCache::mDataQueryAll).valueCopy(QStringLiteral("SH000001"));
            if (!index.isEmpty())
                emit onGotoStock(this, index, mMarketData, StockSubType_Default);
        }
    } else {
        mGrid->setFocusRowIndex(mGrid->getFocusRow(), true);
    }
    mGrid->dataUpdate();
}

void ZtStockMinGridView::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (!event)
        return;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!event->isAutoRepeat() && !mGrid->getFocusRow().isEmpty())
            emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Default);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return;
    default:
        emit onKeyReleaseEvent(obj, event);
    }
}

void ZtStockMinGridView::doWheelEvent(ZtLayoutBase*, QWheelEvent* event)
{
    StockGridActions::scrollByWheel(mGrid->getVScrollBar(), event);
}

void ZtStockMinGridView::showEvent(QShowEvent* event)
{
    mStockQNow.run();
    ZtLayoutMarketBase::showEvent(event);
}

void ZtStockMinGridView::hideEvent(QHideEvent* event)
{
    mStockQNow.stop();
    ZtLayoutMarketBase::hideEvent(event);
}

void ZtStockMinGridView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
}
