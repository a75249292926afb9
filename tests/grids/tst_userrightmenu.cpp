#include <grids/userrightmenu.h>

#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// 光标跟随 (2008) holds two leaves and a sub-menu 2100, which holds a leaf and a
// sub-menu 2200 with one leaf: three depths of sub-menu leaves.
QList<RightMenu> followTree()
{
    const RightMenu deepest(QStringLiteral("深层"), QStringLiteral("deep"));
    const RightMenu level3(QStringLiteral("第三层"), 2200, QList<RightMenu>{deepest});
    const RightMenu level2(QStringLiteral("更多"), 2100,
                           QList<RightMenu>{RightMenu(QStringLiteral("其他"), 3601), level3});
    const RightMenu follow(QStringLiteral("光标跟随"), RightMenuType_CursorFollow,
                           QList<RightMenu>{RightMenu(QStringLiteral("跟随行"), RightMenuType_FollowRow, true, false, QString()),
                                            RightMenu(QStringLiteral("跟随目标"), RightMenuType_FollowTarget, true, false, QString()),
                                            level2});
    return {RightMenu(QStringLiteral("打开"), RightMenuType_Open), RightMenu(true), follow,
            RightMenu(QStringLiteral("F10基本资料"), QStringLiteral("2002"))};
}

QAction* findIn(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// Walks sub-menus as an owner does: QAction::menu() and the sub-menu's own actions.
UserMenuAction* actionAt(UserRightMenu& root, const QStringList& path)
{
    QList<QAction*> level = root.QWidget::actions();
    QAction* action = nullptr;
    for (const QString& text : path) {
        action = findIn(level, text);
        if (!action)
            return nullptr;
        if (action->menu())
            level = action->menu()->actions();
    }
    return qobject_cast<UserMenuAction*>(action);
}

}

class tst_UserRightMenu : public QObject
{
    Q_OBJECT

private slots:
    void topLevelLeafReportsItself_data();
    void topLevelLeafReportsItself();
    void mouseChoiceInShownMenu();
    void subMenuLeafReportsInnermostId_data();
    void subMenuLeafReportsInnermostId();
    void subMenuEntryReportsNothing();
    void aboutToShowListsTopLevelOnly();
    void recordAttributes();
    void subMenuWidth_data();
    void subMenuWidth();
    void secondAppendKeepsOldItems();
    void emptyListBuildsEmptyMenu();
};

void tst_UserRightMenu::topLevelLeafReportsItself_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("integer data") << QStringLiteral("打开");
    QTest::newRow("string data") << QStringLiteral("F10基本资料");
}

void tst_UserRightMenu::topLevelLeafReportsItself()
{
    QFETCH(QString, text);
    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
    QSignalSpy childSpy(&menu, &UserRightMenu::onCliclChileMenu);

    UserMenuAction* action = actionAt(menu, {text});
    QVERIFY(action);
    QCOMPARE(action->getParentData(), -1);
    action->trigger();

    QCOMPARE(parentSpy.count(), 1);
    QCOMPARE(parentSpy.at(0).at(0).value<UserMenuAction*>(), action);
    QCOMPARE(childSpy.count(), 0);
}

void tst_UserRightMenu::mouseChoiceInShownMenu()
{
    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));

    UserMenuAction* open = actionAt(menu, {QStringLiteral("打开")});
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(open).center());

    QCOMPARE(parentSpy.count(), 1);
    QCOMPARE(parentSpy.at(0).at(0).value<UserMenuAction*>(), open);
    QCOMPARE(open->data().toInt(), int(RightMenuType_Open));
}

void tst_UserRightMenu::subMenuLeafReportsInnermostId_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("parentId");
    QTest::addColumn<QVariant>("data");

    QTest::newRow("one level") << QStringList{QStringLiteral("光标跟随"), QStringLiteral("跟随目标")}
                               << int(RightMenuType_CursorFollow) << QVariant(int(RightMenuType_FollowTarget));
    QTest::newRow("two levels") << QStringList{QStringLiteral("光标跟随"), QStringLiteral("更多"), QStringLiteral("其他")}
                                << 2100 << QVariant(3601);
    QTest::newRow("three levels")
        << QStringList{QStringLiteral("光标跟随"), QStringLiteral("更多"), QStringLiteral("第三层"), QStringLiteral("深层")}
        << 2200 << QVariant(QStringLiteral("deep"));
}

void tst_UserRightMenu::subMenuLeafReportsInnermostId()
{
    QFETCH(QStringList, path);
    QFETCH(int, parentId);
    QFETCH(QVariant, data);

    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
    QSignalSpy childSpy(&menu, &UserRightMenu::onCliclChileMenu);

    UserMenuAction* leaf = actionAt(menu, path);
    QVERIFY(leaf);
    leaf->trigger();

    QCOMPARE(parentSpy.count(), 0);
    QCOMPARE(childSpy.count(), 1);
    QCOMPARE(childSpy.at(0).at(0).value<UserMenuAction*>(), leaf);
    QCOMPARE(int(childSpy.at(0).at(1).value<enumRightMenuType>()), parentId);
    QCOMPARE(leaf->data(), data);
}

void tst_UserRightMenu::subMenuEntryReportsNothing()
{
    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
    QSignalSpy childSpy(&menu, &UserRightMenu::onCliclChileMenu);

    for (const QStringList& path : {QStringList{QStringLiteral("光标跟随")},
                                    QStringList{QStringLiteral("光标跟随"), QStringLiteral("更多")}}) {
        QAction* entry = actionAt(menu, path);
        QVERIFY(entry && entry->menu());
        entry->trigger();
    }
    QCOMPARE(parentSpy.count() + childSpy.count(), 0);
}

void tst_UserRightMenu::aboutToShowListsTopLevelOnly()
{
    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    QSignalSpy spy(&menu, &UserRightMenu::onAboutToShowMenu);
    menu.popup(QPoint(0, 0));
    menu.hide();

    QCOMPARE(spy.count(), 1);
    const auto list = spy.at(0).at(0).value<QList<UserMenuAction*>>();
    QCOMPARE(list, menu.actions());
    QStringList texts;
    for (UserMenuAction* a : list)
        texts << a->text();
    QCOMPARE(texts, (QStringList{QStringLiteral("打开"), QString(), QStringLiteral("光标跟随"), QStringLiteral("F10基本资料")}));
    QVERIFY(list.at(2)->menu());
    QCOMPARE(list.at(2)->data().toInt(), int(RightMenuType_CursorFollow));
}

void tst_UserRightMenu::recordAttributes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString iconPath = dir.filePath(QStringLiteral("mark.png"));
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    QVERIFY(pixmap.save(iconPath));

    RightMenu marked(QStringLiteral("标记"), 1, true, true, iconPath);
    RightMenu sub(QStringLiteral("标记股票"), RightMenuType_StockSign,
                  QList<RightMenu>{RightMenu(QStringLiteral("①"), QStringLiteral("1"), true, false, QString())});
    sub.setIconPath(iconPath);
    UserRightMenu menu(nullptr);
    menu.appendRightMenu({RightMenu(QStringLiteral("打开"), RightMenuType_Open), RightMenu(true), marked, sub});
    const QList<UserMenuAction*> list = menu.actions();
    QCOMPARE(list.size(), 4);

    QVERIFY(list.at(0)->icon().isNull());
    QVERIFY(!list.at(0)->isCheckable());
    QVERIFY(list.at(1)->isSeparator());
    QCOMPARE(menu.QWidget::actions().at(1), list.at(1));
    QVERIFY(!list.at(2)->icon().isNull());
    QVERIFY(list.at(2)->isCheckable());
    QVERIFY(list.at(2)->isChecked());
    QVERIFY(!list.at(3)->icon().isNull());

    // The grids' sub-menu items: checkable and unchecked, toggled by Qt on a choice.
    QAction* first = list.at(3)->menu()->actions().at(0);
    QVERIFY(first->isCheckable());
    QVERIFY(!first->isChecked());
    first->trigger();
    QVERIFY(first->isChecked());
}

void tst_UserRightMenu::subMenuWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("natural") << 0;
    QTest::newRow("fixed") << 180;
    QTest::newRow("negative is natural") << -20;
}

void tst_UserRightMenu::subMenuWidth()
{
    QFETCH(int, width);
    UserRightMenu menu(nullptr);
    menu.appendRightMenu({RightMenu(QStringLiteral("移动到"), RightMenuType_ZxgMoveTo,
                                    QList<RightMenu>{RightMenu(QStringLiteral("自选股"), 0)}, width)});
    QMenu* sub = menu.actions().at(0)->menu();
    QVERIFY(sub);
    if (width > 0) {
        QCOMPARE(sub->minimumWidth(), width);
        QCOMPARE(sub->maximumWidth(), width);
    } else {
        QCOMPARE(sub->minimumWidth(), 0);
        QCOMPARE(sub->maximumWidth(), QWIDGETSIZE_MAX);
    }
}

void tst_UserRightMenu::secondAppendKeepsOldItems()
{
    UserRightMenu menu(nullptr);
    menu.appendRightMenu(followTree());
    const int before = menu.QWidget::actions().size();
    menu.appendRightMenu({RightMenu(QStringLiteral("清空记录"), RightMenuType_HisClear)});

    QCOMPARE(menu.QWidget::actions().size(), before + 1);
    QCOMPARE(menu.QWidget::actions().last()->text(), QStringLiteral("清空记录"));
    QCOMPARE(menu.actions().size(), 1);

    QSignalSpy showSpy(&menu, &UserRightMenu::onAboutToShowMenu);
    QSignalSpy parentSpy(&menu, &UserRightMenu::onCliclParentMenu);
    menu.popup(QPoint(0, 0));
    menu.hide();
    QCOMPARE(showSpy.at(0).at(0).value<QList<UserMenuAction*>>(), menu.actions());

    // Items of the first build still report.
    actionAt(menu, {QStringLiteral("打开")})->trigger();
    QCOMPARE(parentSpy.count(), 1);
}

void tst_UserRightMenu::emptyListBuildsEmptyMenu()
{
    UserRightMenu menu(nullptr);
    menu.appendRightMenu({});
    QVERIFY(menu.actions().isEmpty());
    QVERIFY(menu.isEmpty());
}

QTEST_MAIN(tst_UserRightMenu)
#include "tst_userrightmenu.moc"
