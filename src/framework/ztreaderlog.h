#pragma once

#include "ztcontrollib_global.h"

#include <QLoggingCategory>

// Debug lines of requests and reads ("zt.reader"); they carry no behaviour and can
// be silenced with QT_LOGGING_RULES="zt.reader.debug=false".
ZTCONTROLLIB_EXPORT const QLoggingCategory& lcZtReader();
