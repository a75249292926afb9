#include "grids/ztminstockgridtable.h"

#include <ztlib/ztfields.h>

#include <QAction>
#include <QDebug>
#include <QFont>
#include <QGridLayout>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

ZtMinStockGridTable::ZtMinStockGridTable(ZtLayoutBase* parent, TableType tableType, QList<GridField*> fields)
    : ZtLayoutStockBase(parent, QString())
{
    setObjectName(QStringLiteral("PubMinStockGridTable-") + (parent ? parent->objectName() : QString()));
    setFocusPolicy(Qt::StrongFocus);
    mTableType = tableType;
    mLayout = new QGridLayout();
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    setLayout(mLayout);

    mGrid = new ZtWidgetStockGrid(&mStockData, this);
    mLayout->addWidget(mGrid, 0, 0);
    mGrid->setTitleEnable(false);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 10));
    mGrid->setCanSort(false);
    if (mTableType == TableType_Newest) {
        mGrid->setTopBottomPadding(0);
        mGrid->setDrawLastRow(false);
    } else {
        auto* vbar = new QScrollBar(Qt::Vertical, this);
        mGrid->setVScrollBar(vbar);
        mLayout->addWidget(vbar, 0, 1);
        mGrid->setUseLocalSort(true);
        mGrid->setSortKey(ZtField::DetailPrice, true);
    }

    mColumns.reserve(fields.size());
    mGrid->clearColumn();
    for (GridField* f : fields) {
        if (!f)
            continue;
        mColumns.push_back(*f);
        mGrid->appendColumn(&mColumns.back());
    }
    mGrid->resetColumn();

    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtMinStockGridTable::doDataMousePressEvent);
    connect(mGrid, &ZtWidgetStockGrid::onDataMouseDoubleClickEvent, this,
            &ZtMinStockGridTable::doDataMouseDoubleClickEvent);
    setMainChildWidget(mGrid);
}

void ZtMinStockGridTable::resetStock(DQDUnionReader stock, ZtE_RegDataType type)
{
    if (stock.isEmpty() || stock == mStock)
        return;
    mStock = stock;
    const QString format = mStock.isShowPlaces3() ? QStringLiteral("d3") : QStringLiteral("d2");
    const unsigned int priceKey = mTableType == TableType_VolumeBar ? ZtField::DetailPrice
                                  : mTableType == TableType_Newest  ? ZtField::Price
                                                                    : 0;
    if (priceKey != 0) {
        if (GridField* column = mGrid->getColumn(priceKey)) {
            column->field().mColorRule =
                QStringLiteral("case:") + mStock.getValue(ZtField::PrevClose).toString();
            column->field().mFormat = format;
        }
    }
    const QString code = mStock.getValue(ZtField::UniqueCode).toString();
    qDebug() << "ZtMinStockGridTable::resetStock" << objectName() << code << int(type);
    InitDataStocks_RegDataType(code, type, false);
    setGetDataFlag(true);
}

void ZtMinStockGridTable::replaceStock()
{
    setGetDataFlag(false);
    mStockData.DataClear();
    mGrid->setData(&mStockData);
    mGrid->dataUpdate();
}

void ZtMinStockGridTable::ResetData()
{
    mStockData.DataClear();
    mGrid->setData(&mStockData);
    mGrid->setRowIndex(0);
    if (QScrollBar* bar = mGrid->getVScrollBar())
        bar->setValue(bar->maximum());
    doDataRepaint();
}

void ZtMinStockGridTable::doChildDataBind()
{
    if (mTableType == TableType_VolumeBar) {
        double most = 0;
        for (int i = 0; i < mStockData.count(); ++i)
            most = std::max(most, std::as_const(mStockData).at(i)->getValue(ZtField::SeriesVolume).toDouble());
        if (GridField* bar = mGrid->getColumnByIndex(3)) {
            bar->field().mFormat =
                QStringLiteral("!![box:%1:sys:Pen_BuyVolColor,%2:sys:Pen_SellVolColor[max:%3][vpis:r]"
                               "[fmt:[ss:[@%4;d2[ls:%竞]]]/fmt]/box]")
                    .arg(ZtField::BuyVolume)
                    .arg(ZtField::SellVolume)
                    .arg(most)
                    .arg(ZtField::BuyVolume);
        }
    }
    mGrid->setData(&mStockData);
    if (mTableType == TableType_Newest)
        showNewest();
}

void ZtMinStockGridTable::showNewest()
{
    const int rows = mStockData.count();
    const int visible = mGrid->getDrawRowCount();
    mGrid->setRowIndex(rows > visible ? rows - visible : 0);
}

void ZtMinStockGridTable::doDataRepaint()
{
    mGrid->doLocalSort();
    mGrid->dataUpdate();
}

void ZtMinStockGridTable::doCliclParentMenu(QAction* mClickAction)
{
    if (!mClickAction)
        return;
    switch (mClickAction->data().toInt()) {
    case 3000:
        emit onOpenStockDialog(this, mStock, StockSubType_TickDetail);
        break;
    case 3001:
        emit onOpenStockDialog(this, mStock, StockSubType_PriceVolume);
        break;
    case 3002:
        emit onChangeLineMode();
        break;
    default:
        break;
    }
}

void ZtMinStockGridTable::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    // The owner reacts to the release of a press in the table (its context menu).
    emit onMouseReleaseEvent(this, event);
}

void ZtMinStockGridTable::doDataMouseDoubleClickEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!event || event->button() != Qt::LeftButton || mGrid->getFocusRow().isEmpty())
        return;
    emit onOpenStockDialog(this, mStock,
                           mTableType == TableType_Newest ? StockSubType_TickDetail : StockSubType_PriceVolume);
}

void ZtMinStockGridTable::doWheelEvent(ZtLayoutBase*, QWheelEvent* event)
{
    QScrollBar* bar = mGrid->getVScrollBar();
    if (!bar || !event)
        return;
    const int delta = event->angleDelta().y();
    if (delta != 0)
        bar->setValue(bar->value() - delta / qAbs(delta));
}

void ZtMinStockGridTable::resizeEvent(QResizeEvent* event)
{
    if (mTableType == TableType_Newest)
        showNewest();
    ZtLayoutStockBase::resizeEvent(event);
}
