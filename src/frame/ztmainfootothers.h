#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

class ZtMainHorseRaceLamp;
class ZtMainMenu;
class ZtStockMsgNotice;
class ZtToolButton;

// The lower row of the footer: the footer's button menu, the news marquee and the
// movement-message notice.
class ZTCONTROLLIB_EXPORT ZtMainFootOthers : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtMainFootOthers(ZtLayoutBase* parent);

    ZtMainMenu* menu() const { return mMenu; }
    ZtMainHorseRaceLamp* horseRaceLamp() const { return mLamp; }
    ZtStockMsgNotice* notice() const { return mNotice; }

signals:
    void onClicked(ZtToolButton* _ztToolButton);

private:
    ZtMainMenu* mMenu;
    ZtMainHorseRaceLamp* mLamp;
    ZtStockMsgNotice* mNotice;
};
