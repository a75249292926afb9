#pragma once

#include <QLoggingCategory>

// Debug lines of the web panels, cookies and downloads ("zt.web"), quiet unless
// QT_LOGGING_RULES asks.
Q_DECLARE_LOGGING_CATEGORY(lcZtWeb)
