#include "pubstaticsignal.h"

PubStaticSignal::PubStaticSignal(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<enumZxgOperate>("enumZxgOperate");
    qRegisterMetaType<DQDUnionReader>("DQDUnionReader");
}
