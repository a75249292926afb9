#include "controls/ztstocklinelast.h"

#include "controls/ztstockgroupbox.h"

#include <QGridLayout>
#include <QHBoxLayout>

ZtStockLineLast::ZtStockLineLast(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    setMaximumHeight(20);
    setMinimumHeight(20);
    mButtonHeight = 18;
    mRow = new QWidget(this);
    grid->addWidget(mRow, 0, 0);
    auto* row = new QHBoxLayout(mRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    mFoldDown = new ZtPushButton(mRow);
    mFoldDown->setCheckable(true);
    mFoldDown->setIcon(QStringLiteral(":/images/SubFrom/img_FoldLast.png"));
    mFoldDown->setIconSize(QSize(16, 14));
    mFoldDown->setFixedSize(25, mButtonHeight);

    mLineBox = new ZtStockGroupBox(this);
    mLineBox->setMaximumHeight(mButtonHeight);
    mLineBox->setMinimumHeight(mButtonHeight);

    row->addSpacing(2);
    row->addWidget(mFoldDown);
    row->addWidget(mLineBox);

    connect(mFoldDown, &ZtPushButton::onSyncClicked, this, &ZtStockLineLast::doSyncClicked);
    connect(mLineBox, &ZtStockGroupBox::onSyncClicked, this, &ZtStockLineLast::onLineBoxClicked);
}

void ZtStockLineLast::appendGroup(QList<PushDataMenu> records)
{
    mLineBox->appendGroup(records);
}

QList<PushDataMenu> ZtStockLineLast::getGroupList(QVariant group) const
{
    return mLineBox->getGroupList(group);
}

void ZtStockLineLast::setChecked(QList<QVariant> datas)
{
    mLineBox->setChecked(datas);
}

void ZtStockLineLast::setChecked(QString name)
{
    mLineBox->setChecked(name, false);
}

void ZtStockLineLast::doSyncClicked(ZtPushButton* button, bool checked)
{
    if (button == mFoldDown)
        emit onFoldDownClick(checked);
}
