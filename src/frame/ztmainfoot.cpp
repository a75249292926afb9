#include "frame/ztmainfoot.h"

#include "controls/zttoolbutton.h"
#include "frame/ztmainfootmarket.h"
#include "frame/ztmainfootothers.h"
#include "frame/ztmainhorseracelamp.h"
#include "frame/ztmainmenu.h"

#include <QGridLayout>
#include <QVBoxLayout>

ZtMainFoot::ZtMainFoot(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    setObjectName(QStringLiteral("ZtMainFoot"));
    setKeyFocus(false);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* container = new QWidget(this);
    grid->addWidget(container);
    auto* column = new QVBoxLayout(container);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    mMarket = new ZtMainFootMarket(this);
    mOthers = new ZtMainFootOthers(this);
    column->addWidget(mMarket);
    column->addWidget(mOthers);
    connect(mOthers, &ZtMainFootOthers::onClicked, this, &ZtMainFoot::onClicked);
}

void ZtMainFoot::load(const QString& menuName)
{
    mMarket->start();
    mOthers->menu()->load(menuName);
}

void ZtMainFoot::setFootText(const QString& objectName, const QString& text)
{
    mOthers->menu()->setText(objectName, text);
}

void ZtMainFoot::appendNews(QMap<QString, QVariant> item)
{
    mOthers->horseRaceLamp()->appendNews(std::move(item));
}
