#pragma once

#include <QLoggingCategory>

// Debug lines of the grid panels ("zt.grids"), quiet unless QT_LOGGING_RULES asks.
Q_DECLARE_LOGGING_CATEGORY(lcZtGrids)
