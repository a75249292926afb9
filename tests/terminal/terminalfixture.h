#pragma once

#include "terminalhost.h"
#include "terminalwindow.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

// The demo's host and window on the simulated market (seed 7), with the user's data in
// a fresh folder: a first run.
struct TerminalFixture
{
    // beforeWindow runs once the host has started. False when the window never showed.
    bool start(const std::function<void(TerminalHost&)>& beforeWindow = {});
    void stop();
    // The frameless dialog opened over the window, once it is on screen.
    static ZtFormMainBase* openDialog();

    QTemporaryDir dir;
    std::unique_ptr<TerminalHost> host;
    std::unique_ptr<TerminalWindow> window;
};
