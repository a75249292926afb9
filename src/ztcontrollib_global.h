#pragma once

#include <QtCore/qglobal.h>

#if defined(ZTCONTROLLIB_LIBRARY)
#define ZTCONTROLLIB_EXPORT Q_DECL_EXPORT
#else
#define ZTCONTROLLIB_EXPORT Q_DECL_IMPORT
#endif
