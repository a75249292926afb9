#include "grids/ztzhpmstockgridview.h"

#include "grids/stockgridactions.h"

#include <format/markup/valuecolour.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <ztlib/ztfields.h>

#include <QDebug>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace {

QString penColourText(const QString& name)
{
    return penFromColourName(name).color().name();
}

}

ZtZHPMStockGridView::ZtZHPMStockGridView(ZtLayoutBase* parent, enumZHPM_LX kind, bool showTitle)
    : ZtLayoutMarketBase(parent, QString())
{
    setObjectName(QStringLiteral("PubZHPMStockGridView-") + (parent ? parent->objectName() : QString()));
    setFocusPolicy(Qt::StrongFocus);
    mLayout = new QVBoxLayout();
    mLayout->setContentsMargins(1, 1, 1, 1);
    mLayout->setSpacing(0);
    setLayout(mLayout);

    mTitleLabel = new QLabel(this);
    mTitleLabel->setObjectName(QStringLiteral("ZHPM_Title"));
    mTitleLabel->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mTitleLabel->setFixedHeight(25);
    mTitleLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // "soild" is what the host's style sheets have always carried; Qt ignores the unknown style.
    mTitleLabel->setStyleSheet(QStringLiteral("border: 1px soild ") + penColourText(QStringLiteral("TableTitleBorde"))
                               + QStringLiteral(";background-color:")
                               + penColourText(QStringLiteral("TableTitleBackground")) + QStringLiteral(";color:")
                               + penColourText(QStringLiteral("TableTitle")) + QStringLiteral(";"));

    mGrid = new ZtWidgetStockGrid(&mMarketData, this);
    mGrid->setTitleEnable(showTitle);
    mGrid->setDrawLastRow(false);
    mLayout->addWidget(mTitleLabel);
    mLayout->addWidget(mGrid);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mGrid->setTopBottomPadding(1);
    mGrid->setCanSort(false);

    mKind = kind;
    const QList<GridField*> fields = getFieldList();
    mColumns.reserve(fields.size());
    mGrid->clearColumn();
    for (GridField* f : fields) {
        mColumns.push_back(*f);
        mGrid->appendColumn(&mColumns.back());
    }
    mGrid->resetColumn();
    mTitleLabel->setText(mTitle);

    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtZHPMStockGridView::doDataMousePressEvent);
    connect(mGrid, &ZtWidgetStockGrid::onDataMouseDoubleClickEvent, this,
            &ZtZHPMStockGridView::doDataMouseDoubleClickEvent);
    connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, &ZtZHPMStockGridView::doZxgRefresh);
    setMainChildWidget(mGrid);
}

QList<GridField*> ZtZHPMStockGridView::getFieldList()
{
    struct Kind
    {
        const char* title;
        unsigned int key;
        bool desc;
        QList<GridField*> (*columns)();
    };
    static const Kind kinds[] = {
        {"涨幅排名", ZtField::ChangeRatio, true, &PubConfig::getColumnZHPM_zdf},
        {"跌幅排名", ZtField::ChangeRatio, false, &PubConfig::getColumnZHPM_zdf},
        {"振幅排名", ZtField::Amplitude, true, &PubConfig::getColumnZHPM_zf},
        {"5分钟涨幅", ZtField::Change5Min, true, &PubConfig::getColumnZHPM_fzzdf05},
        {"5分钟跌幅", ZtField::Change5Min, false, &PubConfig::getColumnZHPM_fzzdf05},
        {"量比排名", ZtField::VolumeRatio, true, &PubConfig::getColumnZHPM_lb},
        {"委比前几名", ZtField::BidAskRatio, true, &PubConfig::getColumnZHPM_wb},
        {"委比后几名", ZtField::BidAskRatio, false, &PubConfig::getColumnZHPM_wb},
        {"总金额排名", ZtField::Turnover, true, &PubConfig::getColumnZHPM_zje},
    };
    if (mKind < 0 || mKind >= int(sizeof(kinds) / sizeof(kinds[0])))
        return {};
    const Kind& k = kinds[mKind];
    mTitle = QString::fromUtf8(k.title);
    mSortKey = k.key;
    mSortDesc = k.desc;
    return k.columns();
}

void ZtZHPMStockGridView::ResetData(QString title, QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs)
{
    if (marketCodes.isEmpty() || marketZqlxs.isEmpty())
        return;
    mTitleLabel->setText(title + mTitle);
    qDebug() << "ZtZHPMStockGridView::ResetData" << objectName() << mKind << marketCodes << mGrid->getDrawRowCount();
    InitZHPM(marketCodes, marketZqlxs, mSortKey, mGrid->getDrawRowCount(), mSortDesc);
    mGrid->resetColumn();
}

void ZtZHPMStockGridView::clearFocusRow()
{
    mGrid->clearFocusRow(true);
}

void ZtZHPMStockGridView::doZxgRefresh(QString, enumZxgOperate zxgType)
{
    if (zxgType != ZxgOperate_Note)
        mGrid->dataUpdate();
}

void ZtZHPMStockGridView::doDataRepaint()
{
    mGrid->setData(&mMarketData);
    mGrid->doLocalSort();
    mGrid->dataUpdate();
}

void ZtZHPMStockGridView::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!mGrid->getFocusRow().isEmpty())
        emit onFocusStock(this, mGrid->getFocusRow());
    emit onMousePressEvent(this, event);
}

void ZtZHPMStockGridView::doDataMouseDoubleClickEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!event || event->button() != Qt::LeftButton || mGrid->getFocusRow().isEmpty())
        return;
    emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Chart);
}

void ZtZHPMStockGridView::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event && !StockGridActions::handleKeyRelease(this, event, mGrid->getFocusRow(), mMarketData, true))
        emit onKeyReleaseEvent(obj, event);
}

void ZtZHPMStockGridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(penFromColourName(QStringLiteral("TLGrid"), Qt::SolidLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ZtZHPMStockGridView::resizeEvent(QResizeEvent* event)
{
    ZtLayoutMarketBase::resizeEvent(event);
    const QList<GridField*> fields = getFieldList();
    if (fields.isEmpty())
        return;
    const int share = width() / fields.size();
    const QList<GridField*> columns = mGrid->getFields();
    auto configured = [&fields](int i) { return i < fields.size() ? fields.at(i)->getWidth() : 0; };
    if (fields.size() > 1 && share < configured(1)) {
        for (int i = 0; i < columns.size(); ++i) {
            if (GridField* c = mGrid->getColumnByIndex(i))
                c->setWidth(i == 2 ? width() - configured(0) - configured(1) - configured(3) : configured(i));
        }
    } else {
        for (int i = 0; i < 4 && i < columns.size(); ++i) {
            if (GridField* c = mGrid->getColumnByIndex(i))
                c->setWidth(share);
        }
    }
    mGrid->resetColumn();
    ReSetZHPM(mGrid->getDrawRowCount());
}
