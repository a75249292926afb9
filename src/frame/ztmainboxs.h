#pragma once

#include "frame/ztmainboxbase.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>

#include <QHash>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QVariant>

class ZtMainFoot;
class ZtToolButton;

// The main content area of the terminal: named pages, one shown at a time, above
// the footer.
class ZTCONTROLLIB_EXPORT ZtMainBoxs : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtMainBoxs(ZtLayoutBase* parent);

    void addTab(ZtMainBoxBase* page);
    void setCurrentWidget(const QString& name);
    ZtMainBoxBase* getCurrentWidget() const { return mCurrent; }
    bool contains(const QString& name) const { return !mPages.value(name).isNull(); }
    void reload();
    void removeAll();
    void setFocusXmlData(ZtXMLMenu xml);

    void load(const QString& menuName);
    void setFootText(const QString& objectName, const QString& text);
    void addFootNews(QMap<QString, QVariant> item);

    ZtMainFoot* foot() const { return mFoot; }
    QWidget* pageContainer() const { return mContainer; }

signals:
    void onFootClicked(ZtToolButton* _ztToolButton);

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    QWidget* mContainer;
    ZtMainFoot* mFoot;
    QPointer<ZtMainBoxBase> mCurrent;
    // Guarded: a page deletes itself when it is closed.
    QHash<QString, QPointer<ZtMainBoxBase>> mPages;
};
