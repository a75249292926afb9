#pragma once

#include "terminalpages.h"

#include <frame/ztformmainbase.h>

#include <QHash>

class QLabel;
class QStatusBar;
class TerminalGroup;
class ZtMainMenu;

// The host window: a frameless window whose left menu, built from the shipped menu
// definition, switches between page groups; each group shows its pages as tabs.
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
    // The group on screen, by its tab name; empty before the first one is chosen.
    QString currentGroup() const;
    // The line the status bar shows now.
    QString statusText() const;

public slots:
    // The main window stays open on Escape: the fairy and the menus use that key.
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;

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
    // Entries that open a dialog rather than a page group (the settings); true when one did.
    bool openDialogEntry(const QString& tabName);
    // Menu entries and quick-search functions may name pages this build lacks.
    void reportNotBuilt(const QString& what);

    ZtMainMenu* mMenu = nullptr;
    QWidget* mPageArea = nullptr;
    QLabel* mUserDataWarning = nullptr;
    QStatusBar* mStatus = nullptr;
    QLabel* mLastingStatus = nullptr;
    QHash<QString, TerminalGroup*> mGroups;
    QHash<QString, Placed> mPlaced;
    TerminalGroup* mCurrent = nullptr;
};
