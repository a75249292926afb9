#pragma once

#include "grids/usermenuaction.h"
#include "ztcontrollib_global.h"

#include <pubcache/rightmenu.h>

#include <QList>
#include <QMenu>

// A menu built from RightMenu records. The root menu reports every choice of
// the tree: top-level leaves through onCliclParentMenu, leaves inside
// sub-menus (at any depth) through onCliclChileMenu with the id of their
// innermost sub-menu.
class ZTCONTROLLIB_EXPORT UserRightMenu : public QMenu
{
    Q_OBJECT

public:
    explicit UserRightMenu(QWidget* parent = nullptr);
    UserRightMenu(const QString& title, UserRightMenu* parent);

    void appendRightMenu(const QList<RightMenu>& list);
    // The top-level items of the last appendRightMenu, in order; a sub-menu
    // entry is the action that opens it.
    QList<UserMenuAction*> actions() const { return mActions; }

signals:
    void onAboutToShowMenu(QList<UserMenuAction*> mList);
    void onCliclParentMenu(UserMenuAction* mClickAction);
    void onCliclChileMenu(UserMenuAction* mClickAction, enumRightMenuType mParentData);

public slots:
    void doAboutToShow();

private:
    UserRightMenu* createChileMenu(const RightMenu& record);
    UserMenuAction* createSubMenuAction(const RightMenu& record, QMenu* owner);
    UserMenuAction* createLeaf(const RightMenu& record, QMenu* owner);

    QList<UserMenuAction*> mActions;
};
