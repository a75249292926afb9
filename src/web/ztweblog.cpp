#include "ztweblog.h"

Q_LOGGING_CATEGORY(lcZtWeb, "zt.web", QtInfoMsg)
