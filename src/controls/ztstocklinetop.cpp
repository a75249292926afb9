#include "controls/ztstocklinetop.h"

#include "controls/ztdiscolour.h"
#include "controls/ztstockgroupbox.h"

#include <pubcache/rightmenu.h>
#include <ztlib/ztfields.h>

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

ZtPushButton* checkableButton(QWidget* parent)
{
    auto* button = new ZtPushButton(parent);
    button->setCheckable(true);
    return button;
}

}

ZtStockLineTop::ZtStockLineTop(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    setMaximumHeight(28);
    setMinimumHeight(28);
    mButtonHeight = 26;
    mRow = new QWidget(this);
    grid->addWidget(mRow, 0, 0);
    auto* row = new QHBoxLayout(mRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    mFoldLeft = checkableButton(mRow);
    mFoldLeft->setIcon(QStringLiteral(":/images/SubFrom/img_FoldLeft.png"));
    mFoldLeft->setIconSize(QSize(16, 14));
    mFoldLeft->setFixedSize(25, mButtonHeight);

    mCodeLabel = new ZtDisColour(mRow);
    mCodeLabel->setIsExchange(true);
    mCodeLabel->setIsRepaint(false);
    mCodeLabel->setFixedSize(80, mButtonHeight);

    mLineBox = new ZtStockGroupBox(this);
    mLineBox->setMaximumHeight(mButtonHeight);
    connect(mLineBox, &ZtStockGroupBox::onSyncClicked, this, &ZtStockLineTop::onLineBoxClicked);
    connect(mLineBox, &ZtStockGroupBox::onCliclButtonMenu, this, &ZtStockLineTop::onCliclButtonMenu);

    mDisplay = new ZtPushButton(mRow);
    mDisplay->setDatas(PushDataMenu(QStringLiteral("显示"), QStringLiteral("dgtl")));
    mDisplay->setMenu({RightMenu(QStringLiteral("一图组合"), 1), RightMenu(QStringLiteral("二图组合"), 2),
                       RightMenu(QStringLiteral("四图组合"), 4)});
    mDisplay->setFixedSize(50, mButtonHeight);

    mTool = checkableButton(mRow);
    mTool->setText(QStringLiteral("画线"));
    mTool->setFixedSize(40, mButtonHeight);

    mF10 = new ZtPushButton(mRow);
    mF10->setText(QStringLiteral("F10"));
    mF10->setFixedSize(40, mButtonHeight);

    mFoldFull = checkableButton(mRow);
    mFoldFull->setCursor(Qt::ArrowCursor);
    mFoldFull->setFocusPolicy(Qt::NoFocus);
    mFoldFull->setFixedSize(25, mButtonHeight);
    mFoldFull->setIcon(QStringLiteral(":/images/SubFrom/img_FoldFull.png"));
    mFoldFull->setIconSize(QSize(14, 14));

    mFoldRight = checkableButton(mRow);
    mFoldRight->setFixedSize(25, mButtonHeight);
    mFoldRight->setIcon(QStringLiteral(":/images/SubFrom/img_FoldRigh.png"));
    mFoldRight->setIconSize(QSize(16, 14));

    row->addSpacing(2);
    row->addWidget(mFoldLeft);
    row->addWidget(mCodeLabel);
    row->addWidget(mLineBox);
    row->addStretch();
    row->addWidget(mDisplay);
    row->addWidget(mTool);
    row->addWidget(mF10);
    row->addWidget(mFoldFull);
    row->addWidget(mFoldRight);
    row->addSpacing(2);

    for (ZtPushButton* button : {mFoldLeft, mFoldFull, mFoldRight, mF10, mTool})
        connect(button, &ZtPushButton::onSyncClicked, this, &ZtStockLineTop::doSyncClicked);
    connect(mDisplay, &ZtPushButton::onCliclButtonMenu, this, &ZtStockLineTop::onCliclButtonMenu);
}

void ZtStockLineTop::appendGroup(QList<PushDataMenu> records)
{
    mLineBox->appendGroup(records);
}

void ZtStockLineTop::setChecked(int index)
{
    const QList<ZtPushButton*> buttons = mLineBox->getButtons();
    if (index < 0 || index >= buttons.size())
        return;
    ZtPushButton* button = buttons.at(index);
    if (!button->isChecked())
        button->click();
}

void ZtStockLineTop::setChecked(QString name)
{
    mLineBox->setChecked(name, false);
}

int ZtStockLineTop::getCheckedMenu(int index) const
{
    const QList<ZtPushButton*> buttons = mLineBox->getButtons();
    if (index < 0 || index >= buttons.size())
        return -1;
    return buttons.at(index)->getCheckedMenuIndex();
}

bool ZtStockLineTop::setCheckedMenu(int index, bool forward)
{
    const QList<ZtPushButton*> buttons = mLineBox->getButtons();
    if (index < 0 || index >= buttons.size())
        return false;
    ZtPushButton* button = buttons.at(index);
    return button->setCheckedMenu(button->getCheckedMenuIndex() + (forward ? 1 : -1));
}

void ZtStockLineTop::resetStock(DQDUnionReader row)
{
    if (row.isEmpty() || row == mStock)
        return;
    mStock = row;
    showCode(row);
}

void ZtStockLineTop::replaceStock(DQDUnionReader row)
{
    showCode(row);
}

void ZtStockLineTop::showCode(const DQDUnionReader& row)
{
    const QString code = row.getValue(ZtField::UniqueCode).toString();
    mCodeLabel->setText(QStringLiteral("%1 %2").arg(code.mid(2), code.left(2)));
    mCodeLabel->setToolTip(row.getValue(ZtField::Name).toString());
}

void ZtStockLineTop::setFixedHeight(int h)
{
    setMaximumHeight(h);
    setMinimumHeight(h);
}

void ZtStockLineTop::setVisableGroup(bool visible)
{
    mLineBox->setVisible(visible);
    mCodeLabel->setVisible(visible);
    mTool->setVisible(visible);
}

void ZtStockLineTop::doSetPushsToolFalse()
{
    mTool->setChecked(false);
}

void ZtStockLineTop::doSetPushsToolTrue()
{
    mTool->setChecked(true);
}

void ZtStockLineTop::doSyncClicked(ZtPushButton* button, bool ischecked)
{
    if (button == mFoldLeft)
        emit onFoldLeftClick(ischecked);
    else if (button == mFoldFull)
        emit onFoldFullClick(ischecked);
    else if (button == mFoldRight)
        emit onFoldRighClick(ischecked);
    else if (button == mF10)
        emit onPushsF10Click(ischecked);
    else if (button == mTool)
        emit onPushsToolClick(ischecked);
}
