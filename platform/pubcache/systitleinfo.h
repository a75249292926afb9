#pragma once

#include "syscontentinfo.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

// One settings page: its title and its sections, each a heading with its options.
class SysTitleInfo
{
public:
    using Section = QPair<QString, QList<SysContentInfo>>;

    SysTitleInfo() = default;
    explicit SysTitleInfo(const QString& title, const QList<Section>& sections = QList<Section>());

    QString title() const { return mTitle; }
    QList<Section> getList() const { return mSections; }
    void appendSection(const QString& heading, const QList<SysContentInfo>& options);

    bool operator==(const SysTitleInfo& other) const
    {
        return mTitle == other.mTitle && mSections == other.mSections;
    }
    bool operator!=(const SysTitleInfo& other) const { return !(*this == other); }

private:
    QString mTitle;
    QList<Section> mSections;
};

Q_DECLARE_METATYPE(SysTitleInfo)
