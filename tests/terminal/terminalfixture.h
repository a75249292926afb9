#pragma once

#include "terminalhost.h"
#include "terminalpages.h"
#include "terminalwindow.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

// What a page shown on its own, outside the window, asks of its shell: nothing.
struct NoShell : TerminalShell
{
    bool showPage(const QString&) override { return false; }
    bool openMenuEntry(const ZtXMLMenu&) override { return false; }
    QWidget* page(const QString&) const override { return nullptr; }
    QWidget* currentPage() const override { return nullptr; }
    void addTitleWidget(QWidget*) override {}
    ZtFormMainBase* mainWindow() override { return nullptr; }
    void showStatus(const QString&, int) override {}
};

// The demo's host and window on the simulated market (seed 7), with the user's data in
// a fresh folder: a first run.
struct TerminalFixture
{
    // beforeWindow runs once the host has started. False when the window never showed.
    bool start(const std::function<void(TerminalHost&)>& beforeWindow = {});
    void stop();
    // The frameless dialog opened over the window, once it is on screen.
    static ZtFormMainBase* openDialog();
    // A demo page by its name, on its own; null for an unknown name.
    static QWidget* makePage(const QString& name, TerminalShell& shell);

    QTemporaryDir dir;
    std::unique_ptr<TerminalHost> host;
    std::unique_ptr<TerminalWindow> window;
};
