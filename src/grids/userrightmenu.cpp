#include "grids/userrightmenu.h"

#include <QIcon>

UserRightMenu::UserRightMenu(QWidget* parent) : QMenu(parent)
{
    connect(this, &QMenu::aboutToShow, this, &UserRightMenu::doAboutToShow);
}

UserRightMenu::UserRightMenu(const QString& title, UserRightMenu* parent) : QMenu(title, parent)
{
    connect(this, &QMenu::aboutToShow, this, &UserRightMenu::doAboutToShow);
}

void UserRightMenu::appendRightMenu(const QList<RightMenu>& list)
{
    // Items of an earlier call stay in the menu; only the list restarts.
    mActions.clear();
    for (const RightMenu& record : list) {
        UserMenuAction* action = nullptr;
        if (record.hasChildren()) {
            action = createSubMenuAction(record, this);
        } else {
            action = createLeaf(record, this);
            connect(action, &UserMenuAction::onCliclParentMenu, this, &UserRightMenu::onCliclParentMenu);
        }
        mActions.append(action);
    }
}

void UserRightMenu::doAboutToShow()
{
    emit onAboutToShowMenu(mActions);
}

UserRightMenu* UserRightMenu::createChileMenu(const RightMenu& record)
{
    // Every level hangs off the root, so all leaves report through it.
    auto* menu = new UserRightMenu(record.getText(), this);
    if (record.getWidth() > 0)
        menu->setFixedWidth(record.getWidth());
    for (const RightMenu& child : record.getChildren()) {
        if (child.hasChildren()) {
            createSubMenuAction(child, menu);
            continue;
        }
        UserMenuAction* leaf = createLeaf(child, menu);
        leaf->setParentData(record.getData());
        connect(leaf, &UserMenuAction::onCliclChileMenu, this, &UserRightMenu::onCliclChileMenu);
    }
    return menu;
}

// The entry that opens a sub-menu. It is a UserMenuAction like every other
// entry, so owners can treat the top-level list uniformly; it never reports
// a choice itself.
UserMenuAction* UserRightMenu::createSubMenuAction(const RightMenu& record, QMenu* owner)
{
    UserRightMenu* sub = createChileMenu(record);
    auto* action = new UserMenuAction(record.getText(), owner);
    action->setMenu(sub);
    if (!record.getIconPath().isEmpty())
        action->setIcon(QIcon(record.getIconPath()));
    action->setSeparator(record.isSeparator());
    action->setData(record.getData());
    owner->addAction(action);
    return action;
}

UserMenuAction* UserRightMenu::createLeaf(const RightMenu& record, QMenu* owner)
{
    auto* action = new UserMenuAction(record.getText(), owner);
    action->setCheckable(record.isCheckable());
    action->setChecked(record.isChecked());
    action->setSeparator(record.isSeparator());
    action->setData(record.getData());
    if (!record.getIconPath().isEmpty())
        action->setIcon(QIcon(record.getIconPath()));
    owner->addAction(action);
    return action;
}
