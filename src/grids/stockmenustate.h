#pragma once

#include <ztlib/dqdreader.h>

#include <QString>

class UserMenuAction;

// The state of the security items shared by every stock grid's right-click
// menu, read once for the focused row before the menu shows.
class StockMenuState
{
public:
    explicit StockMenuState(const DQDUnionReader& focus);

    // Adjusts one of the shared items; false when the action is not one of them.
    bool apply(UserMenuAction* action) const;

private:
    DQDUnionReader mFocus;
    QString mCode;
    bool mInZxg = false;
    bool mHasYj = false;
};
