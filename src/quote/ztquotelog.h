#pragma once

#include <QLoggingCategory>

// Debug lines of the quote side panels ("zt.quote"), quiet unless QT_LOGGING_RULES asks.
Q_DECLARE_LOGGING_CATEGORY(lcZtQuote)
