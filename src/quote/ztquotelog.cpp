#include "ztquotelog.h"

Q_LOGGING_CATEGORY(lcZtQuote, "zt.quote", QtInfoMsg)
