#pragma once

#include <QPoint>

class QWidget;

// Input delivered as the window system delivers it: spontaneous events through
// QApplication::notify, which hands what a widget ignores on to its parents.
namespace SpontaneousInput {

// One wheel step (angle 120 = one notch away from the user) at pos of w, the
// innermost widget under the cursor. True when some widget accepted it.
bool wheel(QWidget* w, const QPoint& pos, int angle);

}
