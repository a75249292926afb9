#pragma once

#include "terminalpages.h"

#include <frame/ztformmainbase.h>

#include <QHash>
#include <QTimer>

class QLabel;
class QStatusBar;
class TerminalGroup;
class ZtMainBoxs;
class ZtMainMenu;
class ZtToolButton;

// The host window: a frameless window whose left menu, built from the shipped menu
// definition, switches between page groups; each group shows its pages as tabs. The
// groups sit in the main boxes above the footer: index ticker, footer menu, news
// marquee and movement notice.
class TerminalWindow : public ZtFormMainBase, public TerminalShell
{
    Q_OBJECT
public:
    TerminalWindow();

    bool showPage(const QString& name) override;
    bool openMenuEntry(const ZtXMLMenu& entry) override;
    QWidget* page(const QString& name) const override;
    QWidget* currentPage() const override;
    void addTitleWidget(QWidget* widget) override;
    ZtFormMainBase* mainWindow() override { return this; }
    void showStatus(const QString& text, int timeoutMs = 0) override;

    ZtMainMenu* leftMenu() const { return mMenu; }
    ZtMainBoxs* boxs() const { return mBoxs; }
    // The group on screen, by its tab name; empty before the first one is chosen.
    QString currentGroup() const;
    // The line the status bar shows now.
    QString statusText() const;

public slots:
    // The main window stays open on Escape: the fairy and the menus use that key.
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;
    // An index clicked in the footer opens in the single-stock view.
    void doGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                     enumStockSubType type = StockSubType_Chart) override;
    // A web form the chrome asks for (a news line of the marquee).
    void doGetOpenForm(QString mUrl, bool showClose = true) override;

private:
    struct Placed
    {
        TerminalGroup* group = nullptr;
        ZtLayoutBase* tab = nullptr;
        QWidget* page = nullptr;
    };

    void buildGroups(const QList<ZtXMLMenu>& entries);
    void place(TerminalGroup* group, const QString& name, const QString& title, QWidget* page);
    void showGroup(const QString& tabName);
    // A menu button of the left menu or the footer chose a group.
    void chooseGroup(ZtToolButton* button);
    // Applies the stored settings the window follows (the footer's news marquee).
    void applySettings();
    // Entries that open a dialog rather than a page group (the settings); true when one did.
    bool openDialogEntry(const QString& tabName);
    // Menu entries and quick-search functions may name pages this build lacks.
    void reportNotBuilt(const QString& what);

    ZtMainMenu* mMenu = nullptr;
    ZtMainBoxs* mBoxs = nullptr;
    QTimer mClock;
    QLabel* mUserDataWarning = nullptr;
    QStatusBar* mStatus = nullptr;
    QLabel* mLastingStatus = nullptr;
    QHash<QString, TerminalGroup*> mGroups;
    QHash<QString, Placed> mPlaced;
    TerminalGroup* mCurrent = nullptr;
};
