#pragma once

#include "ztcontrollib_global.h"

#include <QButtonGroup>

// The exclusive group of a tab bar; its own type so style and lookups can tell it apart.
class ZTCONTROLLIB_EXPORT ZtButtonGroup : public QButtonGroup
{
    Q_OBJECT

public:
    explicit ZtButtonGroup(QObject* parent = nullptr);
};
