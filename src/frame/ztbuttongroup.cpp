#include "frame/ztbuttongroup.h"

ZtButtonGroup::ZtButtonGroup(QObject* parent)
    : QButtonGroup(parent)
{
    setExclusive(true);
}
