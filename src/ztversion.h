#pragma once

#include "ztcontrollib_global.h"

#include <QString>

namespace ZtControlLibInfo {
// Version of the library the process actually loaded (not the headers it was built with).
ZTCONTROLLIB_EXPORT QString version();
// Makes sure the library's resource tree is registered; loading the library already does it.
ZTCONTROLLIB_EXPORT bool resourcesReady();
}
