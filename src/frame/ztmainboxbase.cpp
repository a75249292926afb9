#include "frame/ztmainboxbase.h"

#include <pubcache/pubconfig.h>

ZtMainBoxBase::ZtMainBoxBase(ZtLayoutBase* parent, const ZtXMLMenu& entry)
    : ZtLayoutBase(parent)
{
    adoptEntry(entry);
}

ZtMainBoxBase::ZtMainBoxBase(ZtLayoutBase* parent, const QString& name)
    : ZtLayoutBase(name, parent)
{
    adoptEntry(ZtXMLMenu(PubConfig::getPubMenuNode(QStringLiteral("LeftMenu"), name)));
}

void ZtMainBoxBase::adoptEntry(const ZtXMLMenu& entry)
{
    hide();
    setAttribute(Qt::WA_DeleteOnClose);
    mParentData = entry;
    setObjectName(entry.getTabName());
    mSubMenuList = PubConfig::getPubMenuNode(entry.getTabName());
}

void ZtMainBoxBase::setFocusXmlData(ZtXMLMenu xml)
{
    Q_UNUSED(xml)
}

void ZtMainBoxBase::setSubWidget(QString name, QString text, QString url)
{
    Q_UNUSED(name)
    Q_UNUSED(text)
    Q_UNUSED(url)
}
