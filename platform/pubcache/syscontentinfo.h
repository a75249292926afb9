#pragma once

#include "pubcacheenums.h"

#include <QMetaType>
#include <QString>

// One option of a settings page: a check box, a radio button or a line of text.
class SysContentInfo
{
public:
    SysContentInfo() = default;
    SysContentInfo(const QString& text, enumXmlType type, enumSysSetup data);

    QString text() const { return mText; }
    enumXmlType getType() const { return mType; }
    // The option's number; its stored value is "Sys<number>" in "SysSetupInfo".
    enumSysSetup getData() const { return mData; }
    // The settings key of the option ("Sys101").
    QString getKey() const;

    bool operator==(const SysContentInfo& other) const
    {
        return mText == other.mText && mType == other.mType && mData == other.mData;
    }
    bool operator!=(const SysContentInfo& other) const { return !(*this == other); }

private:
    QString mText;
    enumXmlType mType = XmlType_Label;
    enumSysSetup mData = SysSetup_None;
};

Q_DECLARE_METATYPE(SysContentInfo)
