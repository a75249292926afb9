#include "syscontentinfo.h"

SysContentInfo::SysContentInfo(const QString& text, enumXmlType type, enumSysSetup data)
    : mText(text), mType(type), mData(data)
{
}

QString SysContentInfo::getKey() const
{
    return QStringLiteral("Sys%1").arg(int(mData));
}
