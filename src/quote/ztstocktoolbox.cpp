#include "quote/ztstocktoolbox.h"

#include "grids/ztstockmingridview.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>

#include <QDebug>
#include <QGridLayout>
#include <QToolBox>

namespace {

QWidget* newSection()
{
    auto* section = new QWidget;
    auto* layout = new QGridLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return section;
}

}

ZtStockToolBox::ZtStockToolBox(BoxDataType type, ZtLayoutBase* parent) : ZtLayoutBase(parent), mType(type)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mToolBox = new QToolBox(this);
    layout->addWidget(mToolBox, 0, 0);

    mGrid = new ZtStockMinGridView(this);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 10));
    mGrid->setShowXXDL(false);
    mGrid->setTitleEnable(false);
    mGrid->hide();
    mGrid->appendColumn(PubConfig::getColumnStokMin());
    mGrid->setFirstInit(mType == BoxDataType_Zxg);
    if (mType == BoxDataType_Zxg)
        mGrid->removeZxgStockColor();
    setMainChildWidget(mGrid);

    if (mType == BoxDataType_Zxg) {
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, &ZtStockToolBox::doZxgRefresh);
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgGroupUpdate, this, [this] { reload(); });
    } else if (mType == BoxDataType_Alerts) {
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyRegister, this, &ZtStockToolBox::doYjsRefresh);
    }
    connect(mToolBox, &QToolBox::currentChanged, this, &ZtStockToolBox::doCurrentChanged);
    reload();
}

void ZtStockToolBox::reload()
{
    disconnect(mToolBox, &QToolBox::currentChanged, this, &ZtStockToolBox::doCurrentChanged);
    mGrid->hide();
    mGrid->setParent(this);
    while (mToolBox->count() > 0) {
        QWidget* section = mToolBox->widget(mToolBox->currentIndex());
        mToolBox->removeItem(mToolBox->currentIndex());
        PubStaticFunc::ClearWidget(section);
    }
    connect(mToolBox, &QToolBox::currentChanged, this, &ZtStockToolBox::doCurrentChanged);
    switch (mType) {
    case BoxDataType_Zxg:
        for (const StockZxgBK& group : PubStaticFunc::getZxgCodeList())
            mToolBox->addItem(newSection(), group.getName());
        break;
    case BoxDataType_History:
        mToolBox->addItem(newSection(), QStringLiteral("浏览历史"));
        break;
    case BoxDataType_Alerts:
        mToolBox->addItem(newSection(), QStringLiteral("预警列表"));
        break;
    }
    qDebug() << "ZtStockToolBox::reload" << objectName() << int(mType) << mToolBox->count();
}

void ZtStockToolBox::reloadData(int)
{
    switch (mType) {
    case BoxDataType_Zxg:
        if (mToolBox->currentIndex() >= 0)
            mGrid->InitZxgQNows(PubStaticFunc::ZxgGet(mToolBox->itemText(mToolBox->currentIndex())));
        break;
    case BoxDataType_History:
        mGrid->InitHisQNows(PubStaticFunc::HisGetAll());
        break;
    case BoxDataType_Alerts:
        mGrid->InitHisQNows(PubStaticFunc::getYJRegister());
        break;
    }
}

void ZtStockToolBox::setFirstInit(bool first)
{
    mGrid->setFirstInit(first);
}

void ZtStockToolBox::setFocusRowIndex(DQDUnionReader row)
{
    mGrid->setFocusRowIndex(row);
}

void ZtStockToolBox::clearFocusRow()
{
    mGrid->clearFocusRow();
}

void ZtStockToolBox::doCurrentChanged(int index)
{
    QWidget* section = mToolBox->widget(index);
    if (!section)
        return;
    section->layout()->addWidget(mGrid);
    reloadData(index);
    mGrid->show();
}

void ZtStockToolBox::doZxgRefresh(QString, enumZxgOperate zxgType)
{
    if (mType == BoxDataType_Zxg && zxgType != ZxgOperate_Note)
        reloadData(mToolBox->currentIndex());
}

void ZtStockToolBox::doYjsRefresh()
{
    reloadData(mToolBox->currentIndex());
}
