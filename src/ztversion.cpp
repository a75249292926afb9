#include "ztversion.h"

#include <QFile>

namespace ZtControlLibInfo {

QString version()
{
    return QStringLiteral(ZTCONTROLLIB_VERSION);
}

bool resourcesReady()
{
    return QFile::exists(QStringLiteral(":/images/BaseForm/img_close_none.png"));
}

}
