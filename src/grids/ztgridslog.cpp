#include "ztgridslog.h"

Q_LOGGING_CATEGORY(lcZtGrids, "zt.grids", QtInfoMsg)
