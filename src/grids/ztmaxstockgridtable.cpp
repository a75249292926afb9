#include "grids/ztmaxstockgridtable.h"

#include <ztlib/ztfields.h>

#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>

ZtMaxStockGridTable::ZtMaxStockGridTable(ZtLayoutBase* parent, QList<GridField*> fields, bool fixedOrder,
                                         bool showTitle)
    : ZtLayoutStockBase(parent, QString())
{
    mGrid = new ZtWidgetStockGrid(&mStockData, this);
    setObjectName(QStringLiteral("PubMaxStockGridTable-") + (parent ? parent->objectName() : QString()));
    setAttribute(Qt::WA_MouseTracking);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mGrid);
    mGrid->setTitleEnable(showTitle);
    if (fixedOrder) {
        mGrid->setDrawLastRow(false);
        mGrid->setCanSort(false);
    } else {
        mGrid->setUseLocalSort(true);
        mGrid->setSortKey(ZtField::DetailPrice, true);
    }
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 10));
    mGrid->setData(&mStockData);
    mGrid->clearColumn();
    for (GridField* f : fields)
        mGrid->appendColumn(f);
    mGrid->resetColumn();
    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtMaxStockGridTable::doDataMousePressEvent);
    setMainChildWidget(mGrid);
}

void ZtMaxStockGridTable::setData(DQDDataList data)
{
    mStockData = data;
    mGrid->setData(&mStockData);
}

void ZtMaxStockGridTable::ResetData()
{
    if (mStockData.isEmpty())
        return;
    mStockData.DataClear();
    mGrid->setData(&mStockData);
    mGrid->setRowIndex(0);
    doDataRepaint();
}

void ZtMaxStockGridTable::clearFocusRow()
{
    mGrid->clearFocusRow(true);
}

GridField* ZtMaxStockGridTable::getColumn(unsigned int key) const
{
    return mGrid->getColumn(key);
}

int ZtMaxStockGridTable::getDrawRowCount() const
{
    return mGrid->getDrawRowCount();
}

int ZtMaxStockGridTable::getFocusRowIndex() const
{
    return mGrid->getFocusRowIndex();
}

void ZtMaxStockGridTable::setFocusRowIndex(int index, bool notify)
{
    mGrid->setFocusRowIndex(index, notify);
}

void ZtMaxStockGridTable::setStartIndex(int columns)
{
    mGrid->setStartIndex(columns);
}

void ZtMaxStockGridTable::doDataRepaint()
{
    mGrid->doLocalSort();
    mGrid->setData(&mStockData);
    mGrid->dataUpdate();
}

void ZtMaxStockGridTable::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    emit onMousePressEvent(this, event);
}

void ZtMaxStockGridTable::doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (!event)
        return;
    if (obj == this) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            mGrid->doKeyPressEvent(event);
            return;
        default:
            break;
        }
    }
    emit onKeyPressEvent(this, event);
}

void ZtMaxStockGridTable::focusInEvent(QFocusEvent* event)
{
    ZtLayoutBase::focusInEvent(event);
}

void ZtMaxStockGridTable::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
}
