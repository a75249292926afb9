#pragma once

#include <QtCore/qglobal.h>

#if defined(ZTFORMAT_LIBRARY)
#define ZTFORMAT_EXPORT Q_DECL_EXPORT
#else
#define ZTFORMAT_EXPORT Q_DECL_IMPORT
#endif
