#include "systitleinfo.h"

SysTitleInfo::SysTitleInfo(const QString& title, const QList<Section>& sections)
    : mTitle(title), mSections(sections)
{
}

void SysTitleInfo::appendSection(const QString& heading, const QList<SysContentInfo>& options)
{
    mSections.append(Section(heading, options));
}
