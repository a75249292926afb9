#pragma once

#include "framework/ztlayoutenums.h"

#include <ztlib/dqdquery.h>
#include <ztlib/dqdreader.h>

class QKeyEvent;
class QScrollBar;
class QWheelEvent;
class UserMenuAction;
class ZtLayoutBase;

// What every stock grid panel does with its focused row, so the panels agree: the
// security items of the right-click menu, the keys that move or open, the wheel.
class StockGridActions
{
public:
    // A mark sub-menu item: sets the focused stock's mark, or clears it for "del".
    static void applyStockSign(const QString& code, const UserMenuAction* action);

    // Runs a shared menu item for the panel; false when the item is the panel's own.
    // openType is what the "open" item opens.
    static bool runMenuItem(ZtLayoutBase* panel, int id, const DQDUnionReader& focus, const DQDDataList& rows,
                            enumStockSubType openType);

    // Up/Down report the focused row, Left/Right/PageUp/PageDown are the grid's, and
    // Enter/Return/F5 open the focused row (or the first) when openOnEnter is set.
    // False when the key is not handled here and goes up the panel tree.
    static bool handleKeyRelease(ZtLayoutBase* panel, QKeyEvent* event, const DQDUnionReader& focus,
                                 const DQDDataList& rows, bool openOnEnter);

    // One row per wheel step.
    static void scrollByWheel(QScrollBar* bar, const QWheelEvent* event);
};
