#include "frame/ztmainfootothers.h"

#include "alerts/ztstockmsgnotice.h"
#include "controls/zttoolbutton.h"
#include "frame/ztmainhorseracelamp.h"
#include "frame/ztmainmenu.h"

#include <QGridLayout>
#include <QHBoxLayout>

ZtMainFootOthers::ZtMainFootOthers(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    setObjectName(QStringLiteral("ZtMainFootOthers"));
    setKeyFocus(false);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* container = new QWidget(this);
    grid->addWidget(container);
    auto* row = new QHBoxLayout(container);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    mMenu = new ZtMainMenu(this, true);
    mMenu->setObjectName(QStringLiteral("MainMenuFoot"));
    mMenu->setKeyFocus(false);
    mMenu->setFixedWidth(300);
    mMenu->setIsAutoSize(true);
    mLamp = new ZtMainHorseRaceLamp(this);
    mNotice = new ZtStockMsgNotice(this);
    mNotice->setKeyFocus(false);
    mNotice->setFixedWidth(200);
    row->addWidget(mMenu);
    row->addWidget(mLamp, 1);
    row->addSpacing(3);
    row->addWidget(mNotice);

    connect(mMenu, &ZtMainMenu::onSyncClicked, this, [this](ZtToolButton* button, bool) { emit onClicked(button); });
}
