#include "settingsdialog.h"
#include "terminaldialog.h"
#include "terminalfixture.h"
#include "terminalhost.h"
#include "terminalwindow.h"

#include "stockpage.h"

#include <controls/ztpushbutton.h>
#include <controls/ztuserlabel.h>
#include <controls/zttoolbutton.h>
#include <frame/ztformtitle.h>
#include <frame/ztmainboxbase.h>
#include <frame/ztmainboxs.h>
#include <frame/ztmainfoot.h>
#include <frame/ztmainfootmarket.h>
#include <frame/ztmainfootothers.h>
#include <frame/ztmainhorseracelamp.h>
#include <frame/ztmainmenu.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// The demo's main window: a frameless window whose left menu switches page groups.
class tst_TerminalWindow : public QObject
{
    Q_OBJECT

private:
    ZtToolButton* menuButton(const QString& name) const
    {
        return mT.window->leftMenu()->innerWidget()->findChild<ZtToolButton*>(name);
    }

    ZtMainMenu* footMenu() const { return mT.window->boxs()->foot()->others()->menu(); }

    static QString checkedTab(ZtMainMenu* menu)
    {
        const int at = menu->getCheckedMenu();
        return at < 0 ? QString() : menu->buttons().at(at)->getXmlData().getTabName();
    }


    TerminalFixture mT;

private slots:
    void initTestCase()
    {
        // A first run: no history, a fresh watchlist.
        QVERIFY(mT.start());
    }

    void cleanupTestCase()
    {
        mT.stop();
    }

    // An entry whose page this build lacks says so in the status line and leaves the
    // group on screen, and its mark, where they were.
    void unbuiltEntrySaysSo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("status");
        QTest::newRow("alerts, built") << "MenuYj" << "";
        QTest::newRow("sectors, built") << "MenuBk" << "";
        QTest::newRow("rankings, built") << "MenuZhpm" << "";
        QTest::newRow("news, built") << "MenuNews" << "";
        QTest::newRow("movements, built") << "MenuDxjl" << "";
        QTest::newRow("F10, not built") << "MenuF10" << "“F10”页面尚未建成";
    }

    void unbuiltEntrySaysSo()
    {
        QFETCH(QString, button);
        QFETCH(QString, status);
        QVERIFY(mT.window->showPage(QStringLiteral("history")));
        mT.window->showStatus(QString());
        ZtToolButton* b = menuButton(button);
        QVERIFY(b);
        QVERIFY(b->isVisible());
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(mT.window->statusText(), status);
        if (status.isEmpty())
            return;
        QCOMPARE(mT.window->currentGroup(), QStringLiteral("PageZxg"));
        QCOMPARE(mT.window->currentPage(), mT.window->page(QStringLiteral("history")));
        QVERIFY(menuButton(QStringLiteral("MenuZxg"))->isChecked());
        QVERIFY(!b->isChecked());
    }

    // Unticking "显示底部滚动资讯" and saving hides the footer's marquee; ticking it
    // again shows it; cancelling leaves it.
    void marqueeFollowsItsSetting_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("shownAfter");
        QTest::newRow("untick, 取消") << "BtnCancel" << true;
        QTest::newRow("untick, 确定") << "BtnConfirm" << false;
        QTest::newRow("tick, 确定") << "BtnConfirm" << true;
    }

    void marqueeFollowsItsSetting()
    {
        QFETCH(QString, button);
        QFETCH(bool, shownAfter);
        QVERIFY(mT.window->showPage(QStringLiteral("history")));
        ZtMainHorseRaceLamp* lamp = mT.window->boxs()->foot()->others()->horseRaceLamp();
        QString title;
        QTimer::singleShot(0, [button, &title] {
            auto* dialog = qobject_cast<SettingsDialog*>(TerminalFixture::openDialog());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            QCheckBox* option = nullptr;
            for (QCheckBox* b : dialog->findChildren<QCheckBox*>())
                option = b->text() == QStringLiteral("显示底部滚动资讯") ? b : option;
            QVERIFY(option && option->isVisible());
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            for (ZtPushButton* b : dialog->findChildren<ZtPushButton*>(button))
                if (b->isVisible())
                    QTest::mouseClick(b, Qt::LeftButton);
        });
        QTest::mouseClick(menuButton(QStringLiteral("MenuSetup")), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("系统设置"));
        QCOMPARE(lamp->isVisibleTo(mT.window.get()), shownAfter);
        // The dialog opens over the page on screen, which stays, as does its group's mark.
        QCOMPARE(mT.window->currentPage(), mT.window->page(QStringLiteral("history")));
        QVERIFY(menuButton(QStringLiteral("MenuZxg"))->isChecked());
    }

    // Digits typed anywhere in the window go to the quick search in the title; Enter
    // opens the function's tab, or says the page is not built yet.
    void typedFunctionOpensItsTab_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("page");  // empty: the group's page as it was
        QTest::addColumn<QString>("status");
        QTest::newRow("63, a board") << "63" << "PageHq" << "HqSZ" << "";
        QTest::newRow("91, a page of another group") << "91" << "PageZxg" << "history" << "";
        QTest::newRow("06, a group") << "06" << "PageZxg" << "" << "";
        QTest::newRow("10, not built") << "10" << "PageHq" << "HqAll" << "“个股资料”页面尚未建成";
    }

    void typedFunctionOpensItsTab()
    {
        QFETCH(QString, keys);
        QFETCH(QString, group);
        QFETCH(QString, page);
        QFETCH(QString, status);
        QVERIFY(mT.window->showPage(QStringLiteral("market")));
        mT.window->showStatus(QString());
        QApplication::setActiveWindow(mT.window.get());
        QVERIFY(QTest::qWaitForWindowActive(mT.window.get()));
        mT.window->currentPage()->setFocus();
        auto* input = mT.window->getFormTitle()->findChild<QLineEdit*>();
        QVERIFY(input);
        // Each key goes where the focus is then, as the user's keys do.
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTRY_COMPARE(input->text(), keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(mT.window->currentGroup(), group);
        if (!page.isEmpty())
            QTRY_COMPARE(mT.window->currentPage(), mT.window->page(page));
        QCOMPARE(mT.window->statusText(), status);
    }

    // A lasting line comes back once a passing one has had its time.
    void passingStatusGivesWayToLasting()
    {
        mT.window->showStatus(QStringLiteral("用户数据只读"));
        mT.window->showStatus(QStringLiteral("“排名”页面尚未建成"), 50);
        QCOMPARE(mT.window->statusText(), QStringLiteral("“排名”页面尚未建成"));
        QTRY_COMPARE(mT.window->statusText(), QStringLiteral("用户数据只读"));
        mT.window->showStatus(QString());
    }

    // On a first run the history is empty and says why; a stock opened lists it.
    void emptyHistorySaysWhy()
    {
        QVERIFY(PubStaticFunc::HisGetAll().isEmpty());
        QVERIFY(mT.window->showPage(QStringLiteral("history")));
        auto* hint = mT.window->currentPage()->findChild<QLabel*>(QStringLiteral("EmptyHint"));
        QVERIFY(hint);
        QVERIFY(hint->isVisible());
        QVERIFY(hint->text().startsWith(QStringLiteral("还没有打开过股票")));

        QVERIFY(mT.window->showPage(QStringLiteral("market")));
        PubStaticFunc::HisAdd(QStringLiteral("SH600000"));
        QVERIFY(mT.window->showPage(QStringLiteral("history")));
        QVERIFY(!hint->isVisible());
    }

    // Several entries may open one group; it is built once, and each entry shows it.
    void entriesOfOneGroupShareIt()
    {
        QTemporaryDir config;
        QFile menus(config.filePath(QStringLiteral("menus.xml")));
        QVERIFY(menus.open(QIODevice::WriteOnly));
        menus.write("<menus><menu name=\"LeftMenu\">"
                    "<item name=\"HqA\" text=\"A\" tabName=\"PageHq\" isChecked=\"true\" type=\"0\"/>"
                    "<item name=\"HqB\" text=\"B\" tabName=\"PageHq\" isChecked=\"true\" type=\"0\"/>"
                    "<item name=\"HqC\" text=\"C\" tabName=\"PageHq\" isChecked=\"true\" type=\"0\"/>"
                    "<item name=\"Bk\" text=\"D\" tabName=\"PageBk\" isChecked=\"true\" type=\"0\"/>"
                    "</menu></menus>");
        menus.close();
        PubConfig::setConfigDir(config.path());
        TerminalWindow window;
        PubConfig::setConfigDir(QString());
        QCOMPARE(window.findChildren<ZtMainBoxBase*>(QStringLiteral("PageHq")).size(), 1);
        QCOMPARE(window.findChildren<ZtMainBoxBase*>(QStringLiteral("PageBk")).size(), 1);
        auto* b = window.leftMenu()->innerWidget()->findChild<ZtToolButton*>(QStringLiteral("HqB"));
        QVERIFY(b && b->isVisibleTo(&window));
        b->click();
        QCOMPARE(window.currentGroup(), QStringLiteral("PageHq"));
    }

    void showPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("page");  // the page expected on screen, by its name
        QTest::newRow("first board") << "market" << "PageHq" << "HqAll";
        QTest::newRow("board by entry") << "HqSH" << "PageHq" << "HqSH";
        QTest::newRow("last board") << "HqIndex" << "PageHq" << "HqIndex";
        QTest::newRow("page by name") << "history" << "PageZxg" << "history";
        QTest::newRow("page by entry") << "ZxgHistory" << "PageZxg" << "history";
        QTest::newRow("gallery page") << "frame" << "PageDemo" << "frame";
    }

    void showPage()
    {
        QFETCH(QString, name);
        QFETCH(QString, group);
        QFETCH(QString, page);
        QVERIFY(mT.window->showPage(name));
        QCOMPARE(mT.window->currentGroup(), group);
        QVERIFY(mT.window->page(page));
        QCOMPARE(mT.window->currentPage(), mT.window->page(page));
        QVERIFY(mT.window->currentPage()->isVisible());
        // The menu marks the entry of the group on screen.
        QCOMPARE(mT.window->leftMenu()->buttons().at(mT.window->leftMenu()->getCheckedMenu())->getXmlData().getTabName(),
                 group);
    }

    void unknownPageChangesNothing()
    {
        QVERIFY(mT.window->showPage(QStringLiteral("HqSZ")));
        QVERIFY(!mT.window->showPage(QStringLiteral("no-such-page")));
        QCOMPARE(mT.window->currentPage(), mT.window->page(QStringLiteral("HqSZ")));
    }

    void footerMenuOpensGroups_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("group");
        QTest::newRow("watchlist") << "FootZxg" << "PageZxg";
        QTest::newRow("ranking") << "FootZhpm" << "PageZhpm";
        QTest::newRow("market") << "FootHq" << "PageHq";
    }

    // The footer's buttons switch groups as the left menu does, and both menus mark
    // the group on screen whichever was clicked.
    void footerMenuOpensGroups()
    {
        QFETCH(QString, button);
        QFETCH(QString, group);
        QTest::mouseClick(menuButton(QStringLiteral("MenuBk")), Qt::LeftButton);
        QCOMPARE(mT.window->currentGroup(), QStringLiteral("PageBk"));
        auto* b = footMenu()->innerWidget()->findChild<ZtToolButton*>(button);
        QVERIFY(b && b->isVisible());
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(mT.window->currentGroup(), group);
        QCOMPARE(checkedTab(mT.window->leftMenu()), group);
        QCOMPARE(checkedTab(footMenu()), group);
        // Exactly one group on screen.
        int shown = 0;
        for (auto* w : mT.window->boxs()->findChildren<ZtMainBoxBase*>())
            shown += w->isVisible() && w->objectName().startsWith(QLatin1String("Page"));
        QCOMPARE(shown, 1);
        // Alt+Left steps back over footer clicks too.
        QApplication::setActiveWindow(mT.window.get());
        QVERIFY(QTest::qWaitForWindowActive(mT.window.get()));
        QTest::keyClick(mT.window.get(), Qt::Key_Left, Qt::AltModifier);
        QTRY_COMPARE(mT.window->currentGroup(), QStringLiteral("PageBk"));
        QTest::mouseClick(menuButton(QStringLiteral("MenuZxg")), Qt::LeftButton);
        QCOMPARE(checkedTab(footMenu()), QStringLiteral("PageZxg"));
    }

    // The ticker shows the indices of the market; a click opens one in the single-stock view.
    void tickerOpensTheIndex()
    {
        QVERIFY(mT.window->showPage(QStringLiteral("watchlist")));
        ZtMainFootMarket* ticker = mT.window->boxs()->foot()->market();
        QVERIFY(ticker->isVisible());
        QTRY_VERIFY(ticker->hitRect(2).isValid());
        QTest::mouseClick(ticker, Qt::LeftButton, Qt::NoModifier, ticker->hitRect(2).center());
        QTRY_COMPARE(mT.window->currentPage(), mT.window->page(QStringLiteral("stock")));
        QCOMPARE(StockPage::instance()->code(), QStringLiteral("SZ399006"));
    }

    // A news line opens the news form; the demo names it in the status line.
    void marqueeLineOpensTheNews()
    {
        ZtMainHorseRaceLamp* lamp = mT.window->boxs()->foot()->others()->horseRaceLamp();
        QVERIFY(lamp->isVisible());
        const QJsonArray list{QJsonObject{{"objectId", "x1"}, {"title", "快讯"}, {"updatedAt", "2026-12-06T10:00:00"}}};
        lamp->doHorseRaceLamp(QJsonObject{{"status", true}, {"data", list}});
        lamp->doStop();
        ZtUserLabel* line = lamp->lines().first();
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(3, line->height() / 2));
        QTRY_VERIFY2(mT.window->statusText().startsWith(QStringLiteral("打开网页：")), qPrintable(mT.window->statusText()));
        QVERIFY(mT.window->statusText().endsWith(QStringLiteral("detail.html?id=x1")));
        QTest::mouseMove(mT.window.get(), QPoint(5, 5));
    }

    void escapeKeepsTheWindowOpen()
    {
        QTest::keyClick(mT.window.get(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(mT.window->isVisible());
    }

    void noteDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ok") << true << "长线";
        QTest::newRow("escape") << false << "旧备注";
    }

    void noteDialog()
    {
        QFETCH(bool, accept);
        QFETCH(QString, expected);
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            ZtFormMainBase* dialog = TerminalFixture::openDialog();
            if (!dialog)
                return;
            seen = true;
            // Centred over the terminal window.
            QVERIFY((dialog->geometry().center() - mT.window->geometry().center()).manhattanLength() <= 2);
            if (accept) {
                auto* input = dialog->findChild<QLineEdit*>();
                input->setText(QStringLiteral("长线"));
                QTest::keyClick(input, Qt::Key_Return);
            } else {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        QString text = QStringLiteral("旧备注");
        const bool ok = TerminalDialog::askText(mT.window.get(), QStringLiteral("添加备注/标签"),
                                                QStringLiteral("备注："), &text);
        QVERIFY(seen);
        QCOMPARE(ok, accept);
        QCOMPARE(text, expected);
    }
};

QTEST_MAIN(tst_TerminalWindow)
#include "tst_terminalwindow.moc"
