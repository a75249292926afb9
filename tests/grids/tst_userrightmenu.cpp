#include <grids/userrightmenu.h>

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

namespace {

// 光标跟随 (2008) holds leaves and the sub-menu 2100, which holds a leaf and the sub-menu 2200.
QList<RightMenu> followTree()
{
    const RightMenu level3(QStringLiteral("第三层"), 2200, QList<RightMenu>{RightMenu(QStringLiteral("深层"), QStringLiteral("deep"))});
    const RightMenu level2(QStringLiteral("更多"), 2100, QList<RightMenu>{RightMenu(QStringLiteral("其他"), 3601), level3});
    const RightMenu follow(QStringLiteral("光标跟随"), RightMenuType_CursorFollow,
                           QList<RightMenu>{RightMenu(QStringLiteral("跟随行"), RightMenuType_FollowRow, true, false, QString()),
                                            RightMenu(QStringLiteral("跟随目标"), RightMenuType_FollowTarget, true, false, QString()),
                                            level2});
    return {RightMenu(QStringLiteral("打开"), RightMenuType_Open), RightMenu(true), follow,
            RightMenu(QStringLiteral("F10基本资料"), QStringLiteral("2002"))};
}

// Walks sub-menus as an owner does: QAction::menu() and the sub-menu's own actions.
QAction* actionAt(QMenu* menu, const QStringList& path)
{
    QAction* found = nullptr;
    for (const QString& text : path) {
        const QList<QAction*> level = found ? found->menu()->actions() : menu->actions();
        auto it = std::find_if(level.begin(), level.end(), [&](QAction* a) { return a->text() == text; });
        if (it == level.end())
            return nullptr;
        found = *it;
    }
    return found;
}

}

class tst_UserRightMenu : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<int>("parentReports");
        QTest::addColumn<int>("childParentId");  // -1: no report through onCliclChileMenu

        QTest::newRow("top level, integer data") << QStringList{QStringLiteral("打开")} << 1 << -1;
        QTest::newRow("top level, string data") << QStringList{QStringLiteral("F10基本资料")} << 1 << -1;
        QTest::newRow("one level") << QStringList{QStringLiteral("光标跟随"), QStringLiteral("跟随目标")} << 0
                                   << int(RightMenuType_CursorFollow);
        QTest::newRow("three levels")
            << QStringList{QStringLiteral("光标跟随"), QStringLiteral("更多"), QStringLiteral("第三层"), QStringLiteral("深层")}
            << 0 << 2200;
        QTest::newRow("sub-menu entry") << QStringList{QStringLiteral("光标跟随"), QStringLiteral("更多")} << 0 << -1;
    }

    void choice()
    {
        QFETCH(QStringList, path);
        QFETCH(int, parentReports);
        QFETCH(int, childParentId);

        UserRightMenu menu(nullptr);
        menu.appendRightMenu(followTree());
        QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
        QSignalSpy childSpy(&menu, &UserRightMenu::onCliclChileMenu);

        QAction* action = actionAt(&menu, path);
        QVERIFY(action);
        action->trigger();

        QCOMPARE(parentSpy.count(), parentReports);
        if (parentReports)
            QCOMPARE(parentSpy.at(0).at(0).value<UserMenuAction*>(), action);
        QCOMPARE(childSpy.count(), childParentId == -1 ? 0 : 1);
        if (childParentId != -1) {
            QCOMPARE(childSpy.at(0).at(0).value<UserMenuAction*>(), action);
            QCOMPARE(int(childSpy.at(0).at(1).value<enumRightMenuType>()), childParentId);
        }
    }

    void shownMenuAndMouseChoice()
    {
        UserRightMenu menu(nullptr);
        menu.appendRightMenu(followTree());
        QSignalSpy showSpy(&menu, &UserRightMenu::onAboutToShowMenu);
        QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));

        // Only the top-level items, the sub-menu entry among them.
        QCOMPARE(showSpy.count(), 1);
        const auto list = showSpy.at(0).at(0).value<QList<UserMenuAction*>>();
        QCOMPARE(list, menu.actions());

        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(list.at(0)).center());
        QCOMPARE(parentSpy.count(), 1);
        QCOMPARE(parentSpy.at(0).at(0).value<UserMenuAction*>(), list.at(0));
    }

    void secondAppendKeepsOldItems()
    {
        UserRightMenu menu(nullptr);
        menu.appendRightMenu({});
        QVERIFY(menu.isEmpty());
        menu.appendRightMenu(followTree());
        menu.appendRightMenu({RightMenu(QStringLiteral("清空记录"), RightMenuType_HisClear)});

        QCOMPARE(menu.QWidget::actions().size(), 5);
        QCOMPARE(menu.QWidget::actions().last(), menu.actions().value(0));
        QCOMPARE(menu.actions().size(), 1);
        QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
        actionAt(&menu, {QStringLiteral("打开")})->trigger();
        QCOMPARE(parentSpy.count(), 1);
    }
};

QTEST_MAIN(tst_UserRightMenu)
#include "tst_userrightmenu.moc"
