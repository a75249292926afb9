#pragma once

#include <QLoggingCategory>

// Debug lines of alerts, messages and information mines ("zt.alerts"), quiet unless
// QT_LOGGING_RULES asks.
Q_DECLARE_LOGGING_CATEGORY(lcZtAlerts)
