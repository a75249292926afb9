#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>

#include <QHash>
#include <QList>
#include <QString>

// One page of the main content area, opened by a menu entry whose tab name names it.
class ZTCONTROLLIB_EXPORT ZtMainBoxBase : public ZtLayoutBase
{
    Q_OBJECT

public:
    ZtMainBoxBase(ZtLayoutBase* parent, const ZtXMLMenu& entry);
    // The entry of that name in the left menu.
    ZtMainBoxBase(ZtLayoutBase* parent, const QString& name);

    bool getIsAutoClose() const { return mIsAutoClose; }
    void setIsAutoClose(bool autoClose) { mIsAutoClose = autoClose; }
    ZtXMLMenu getParentData() const { return mParentData; }
    void setParentData(const ZtXMLMenu& data) { mParentData = data; }
    QList<QHash<QString, QString>> getSubMenuList() const { return mSubMenuList; }

public slots:
    virtual void reload() = 0;
    virtual void setFocusXmlData(ZtXMLMenu xml);
    virtual void setSubWidget(QString name, QString text, QString url);

private:
    void adoptEntry(const ZtXMLMenu& entry);

    bool mIsAutoClose = false;
    ZtXMLMenu mParentData;
    QList<QHash<QString, QString>> mSubMenuList;
};
