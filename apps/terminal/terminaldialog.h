#pragma once

#include <QString>

class ZtLayoutBase;

// The demo's dialogs: frameless windows with their own title bar, centred over the
// window they belong to.
namespace TerminalDialog {

// The terminal window that dialogs opened now belong to, null when none is active.
ZtLayoutBase* owner();

// Asks for one line of text. False when the user closes or cancels it.
bool askText(ZtLayoutBase* parent, const QString& title, const QString& label, QString* text);

}
