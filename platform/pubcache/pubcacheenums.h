#pragma once

#include <QMetaType>

// Watchlist operation carried by the bus.
enum enumZxgOperate : int {
    ZxgOperate_Add = 0,
    ZxgOperate_Note = 1,   // note or label change; lists need no reload
};

Q_DECLARE_METATYPE(enumZxgOperate)
