#include "ztalertslog.h"

Q_LOGGING_CATEGORY(lcZtAlerts, "zt.alerts", QtInfoMsg)
