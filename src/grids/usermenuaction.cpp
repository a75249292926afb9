#include "grids/usermenuaction.h"

#include <QList>

static void registerUserMenuActionTypes()
{
    qRegisterMetaType<enumRightMenuType>("enumRightMenuType");
    qRegisterMetaType<UserMenuAction*>("UserMenuAction*");
    qRegisterMetaType<QList<UserMenuAction*>>("QList<UserMenuAction*>");
}
Q_CONSTRUCTOR_FUNCTION(registerUserMenuActionTypes)

UserMenuAction::UserMenuAction(QObject* parent) : QAction(parent)
{
    connect(this, &QAction::triggered, this, &UserMenuAction::doAsyncTriggered);
}

UserMenuAction::UserMenuAction(const QString& text, QObject* parent) : QAction(text, parent)
{
    connect(this, &QAction::triggered, this, &UserMenuAction::doAsyncTriggered);
}

void UserMenuAction::setParentData(const QVariant& data)
{
    mParentData = data.toInt();
}

void UserMenuAction::doAsyncTriggered(bool checked)
{
    Q_UNUSED(checked)
    if (mParentData != -1)
        emit onCliclChileMenu(this, enumRightMenuType(mParentData));
    else
        emit onCliclParentMenu(this);
}
