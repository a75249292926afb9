#pragma once

#include "ztcontrollib_global.h"

#include <QLoggingCategory>

// Debug lines of requests and reads ("zt.reader"); they carry no behaviour. Like
// every "zt." category they are off unless asked for:
// QT_LOGGING_RULES="zt.*.debug=true".
ZTCONTROLLIB_EXPORT const QLoggingCategory& lcZtReader();
