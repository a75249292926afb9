#include "terminaldialog.h"
#include "terminalhost.h"
#include "terminalwindow.h"

#include <controls/zttoolbutton.h>
#include <frame/ztformtitle.h>
#include <frame/ztmainmenu.h>
#include <pubcache/pubconfig.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
        return mWindow->leftMenu()->innerWidget()->findChild<ZtToolButton*>(name);
    }

    // The frameless dialog opened over the window, once it is on screen.
    static ZtFormMainBase* openDialog()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<ZtFormMainBase*>(w);
            if (dialog && !qobject_cast<TerminalWindow*>(w) && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }

    std::unique_ptr<TerminalHost> mHost;
    std::unique_ptr<TerminalWindow> mWindow;

private slots:
    void initTestCase()
    {
        PBDataChange::installSource(std::make_shared<SimulatedMarket>(7));
        mHost = std::make_unique<TerminalHost>();
        mHost->start();
        mWindow = std::make_unique<TerminalWindow>();
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    }

    void cleanupTestCase()
    {
        mWindow.reset();
        mHost.reset();
    }

    // Entries whose pages this build lacks are not offered.
    void menuOffersOnlyBuiltGroups_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("visible");
        QTest::newRow("watchlist") << "MenuZxg" << true;
        QTest::newRow("market") << "MenuHq" << true;
        QTest::newRow("sectors") << "MenuBk" << true;
        QTest::newRow("gallery") << "MenuDemo" << true;
        QTest::newRow("alerts") << "MenuYj" << false;
        QTest::newRow("news") << "MenuNews" << false;
    }

    void menuOffersOnlyBuiltGroups()
    {
        QFETCH(QString, button);
        QFETCH(bool, visible);
        ZtToolButton* b = menuButton(button);
        QVERIFY(b);
        QCOMPARE(b->isVisibleTo(mWindow.get()), visible);
    }

    void clickingAnEntryShowsItsGroup()
    {
        QTest::mouseClick(menuButton(QStringLiteral("MenuBk")), Qt::LeftButton);
        QCOMPARE(mWindow->currentGroup(), QStringLiteral("PageBk"));
        QTest::mouseClick(menuButton(QStringLiteral("MenuHq")), Qt::LeftButton);
        QCOMPARE(mWindow->currentGroup(), QStringLiteral("PageHq"));
        // Exactly one group on screen.
        int shown = 0;
        for (const char* group : {"PageZxg", "PageHq", "PageBk", "PageDemo"}) {
            auto* w = mWindow->findChild<QWidget*>(group);
            QVERIFY2(w, qPrintable(group));
            shown += w->isVisible();
        }
        QCOMPARE(shown, 1);
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
        QVERIFY(mWindow->showPage(name));
        QCOMPARE(mWindow->currentGroup(), group);
        QVERIFY(mWindow->page(page));
        QCOMPARE(mWindow->currentPage(), mWindow->page(page));
        QVERIFY(mWindow->currentPage()->isVisible());
        // The menu marks the entry of the group on screen.
        QCOMPARE(mWindow->leftMenu()->buttons().at(mWindow->leftMenu()->getCheckedMenu())->getXmlData().getTabName(),
                 group);
    }

    void unknownPageChangesNothing()
    {
        QVERIFY(mWindow->showPage(QStringLiteral("HqSZ")));
        QVERIFY(!mWindow->showPage(QStringLiteral("no-such-page")));
        QCOMPARE(mWindow->currentPage(), mWindow->page(QStringLiteral("HqSZ")));
    }

    void quickSearchFunctionOpensItsTab_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("page");
        QTest::newRow("with child") << "FuncHqB" << "HqB";
        QTest::newRow("history") << "FuncHistory" << "history";
        QTest::newRow("group only") << "FuncZxg" << "";
    }

    void quickSearchFunctionOpensItsTab()
    {
        QFETCH(QString, function);
        QFETCH(QString, page);
        mWindow->showPage(QStringLiteral("sectors"));
        const ZtXMLMenu entry(PubConfig::getPubMenuNode(QStringLiteral("KeyboardFunctions"), function));
        QVERIFY(mWindow->openMenuEntry(entry));
        QCOMPARE(mWindow->currentGroup(), entry.getTabName());
        if (!page.isEmpty())
            QCOMPARE(mWindow->currentPage(), mWindow->page(page));
    }

    void escapeKeepsTheWindowOpen()
    {
        QTest::keyClick(mWindow.get(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        QVERIFY(mWindow->isVisible());
    }

    void altLeftGoesBack()
    {
        QTest::mouseClick(menuButton(QStringLiteral("MenuZxg")), Qt::LeftButton);
        QTest::mouseClick(menuButton(QStringLiteral("MenuBk")), Qt::LeftButton);
        QApplication::setActiveWindow(mWindow.get());
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        QTest::keyClick(mWindow.get(), Qt::Key_Left, Qt::AltModifier);
        QTRY_COMPARE(mWindow->currentGroup(), QStringLiteral("PageZxg"));
    }

    // Digits and letters typed anywhere in the window go to the quick search in the title.
    void typingOpensTheQuickSearch()
    {
        QVERIFY(mWindow->showPage(QStringLiteral("market")));
        QApplication::setActiveWindow(mWindow.get());
        QVERIFY(QTest::qWaitForWindowActive(mWindow.get()));
        mWindow->currentPage()->setFocus();
        // Each key goes where the focus is then, as the user's keys do.
        for (const char c : {'6', '0', '0'})
            QTest::keyClick(QApplication::focusWidget(), c);
        auto* input = mWindow->getFormTitle()->findChild<QLineEdit*>();
        QVERIFY(input);
        QTRY_COMPARE(input->text(), QStringLiteral("600"));
        QTest::keyClick(input, Qt::Key_Escape);

        // A function's shortcut and Enter open its tab: 63 is 深证A股.
        QVERIFY(mWindow->showPage(QStringLiteral("zxg")));
        mWindow->currentPage()->setFocus();
        for (const char c : {'6', '3'})
            QTest::keyClick(QApplication::focusWidget(), c);
        QTRY_COMPARE(input->text(), QStringLiteral("63"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(mWindow->currentPage(), mWindow->page(QStringLiteral("HqSZ")));
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
            ZtFormMainBase* dialog = openDialog();
            if (!dialog)
                return;
            seen = true;
            // Centred over the terminal window.
            QVERIFY((dialog->geometry().center() - mWindow->geometry().center()).manhattanLength() <= 2);
            if (accept) {
                auto* input = dialog->findChild<QLineEdit*>();
                input->setText(QStringLiteral("长线"));
                QTest::keyClick(input, Qt::Key_Return);
            } else {
                QTest::keyClick(dialog, Qt::Key_Escape);
            }
        });
        QString text = QStringLiteral("旧备注");
        const bool ok = TerminalDialog::askText(mWindow.get(), QStringLiteral("添加备注/标签"),
                                                QStringLiteral("备注："), &text);
        QVERIFY(seen);
        QCOMPARE(ok, accept);
        QCOMPARE(text, expected);
    }
};

QTEST_MAIN(tst_TerminalWindow)
#include "tst_terminalwindow.moc"
