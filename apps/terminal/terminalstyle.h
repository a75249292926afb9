#pragma once

// The terminal's look: its fonts and its dark style sheet, for the whole application,
// since dialogs and pop-ups are windows of their own.
namespace TerminalStyle {

// Call once the QApplication exists.
void apply();

}
