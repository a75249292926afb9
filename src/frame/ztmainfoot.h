#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <QMap>
#include <QString>
#include <QVariant>

class ZtMainFootMarket;
class ZtMainFootOthers;
class ZtToolButton;

// The status strip at the bottom of the main window: the index ticker above a row
// with the footer menu, the news marquee and the movement-message notice.
class ZTCONTROLLIB_EXPORT ZtMainFoot : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtMainFoot(ZtLayoutBase* parent);

    // Starts the ticker and builds the footer menu of that name.
    void load(const QString& menuName);
    void setFootText(const QString& objectName, const QString& text);
    void appendNews(QMap<QString, QVariant> item);

    ZtMainFootMarket* market() const { return mMarket; }
    ZtMainFootOthers* others() const { return mOthers; }

signals:
    void onClicked(ZtToolButton* _ztToolButton);

private:
    ZtMainFootMarket* mMarket;
    ZtMainFootOthers* mOthers;
};
