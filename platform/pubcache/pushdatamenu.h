#pragma once

#include "rightmenu.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

// The definition of one button of a button row.
class PushDataMenu
{
public:
    PushDataMenu() = default;
    PushDataMenu(const QString& text, const QVariant& data);
    PushDataMenu(const QString& text, const QVariant& data, const QVariant& group, bool checkable,
                 bool checked = false, const QStringList& names = QStringList(),
                 const QString& iconPath = QString(), const QList<RightMenu>& menu = QList<RightMenu>());

    bool isChecked() const { return mChecked; }
    bool isCheckable() const { return mCheckable; }
    QString getText() const { return mText; }
    QVariant getData() const { return mData; }
    QVariant getGroup() const { return mGroup; }
    // The names by which a button can be addressed.
    QStringList getNames() const { return mNames; }
    QString getIconPath() const { return mIconPath; }
    QList<RightMenu> getMenu() const { return mMenu; }
    QString getClickId() const { return mClickId; }

    void setChecked(bool checked) { mChecked = checked; }
    void setCheckable(bool checkable) { mCheckable = checkable; }
    void setText(const QString& text) { mText = text; }
    void setData(const QVariant& data) { mData = data; }
    void setGroup(const QVariant& group) { mGroup = group; }
    void setNames(const QStringList& names) { mNames = names; }
    void setIconPath(const QString& path) { mIconPath = path; }
    void setMenu(const QList<RightMenu>& menu) { mMenu = menu; }
    // The id reported to usage tracking when the button is clicked.
    void setClidkId(const QString& clickId) { mClickId = clickId; }

private:
    bool mChecked = false;
    bool mCheckable = false;
    QString mText;
    QVariant mData;
    QVariant mGroup;
    QStringList mNames;
    QString mIconPath;
    QList<RightMenu> mMenu;
    QString mClickId;
};

Q_DECLARE_METATYPE(PushDataMenu)
