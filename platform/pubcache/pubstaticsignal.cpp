#include "pubstaticsignal.h"

#include "logininfo.h"
#include "pushdatamenu.h"
#include "ztxmlmenu.h"

PubStaticSignal::PubStaticSignal(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<enumZxgOperate>("enumZxgOperate");
    qRegisterMetaType<DQDUnionReader>("DQDUnionReader");
    // Records that other parts of the terminal pass in queued signals.
    qRegisterMetaType<ZtXMLMenu>("ZtXMLMenu");
    qRegisterMetaType<PushDataMenu>("PushDataMenu");
    qRegisterMetaType<LoginInfo>("LoginInfo");
}
