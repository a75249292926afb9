#pragma once

#include <QMetaType>

// The kind of stock view or dialog a request asks for. The host decides what each
// kind opens; the library only fixes the numbers its panels send.
enum enumStockSubType : int {
    StockSubType_Default = 0,      // the host's usual view (quick search, first fill of a side list)
    StockSubType_TickDetail = 1,   // tick-detail dialog of a compact table
    StockSubType_PriceVolume = 2,  // volume-by-price dialog of a compact table
    StockSubType_Open = 3,         // "打开" from a context menu
    StockSubType_KLine = 4,        // the K-line chart
    StockSubType_Chart = 5,        // double-click or Enter on a row
    StockSubType_F10 = 6,          // basic company information
    StockSubType_Movement = 8,     // a stock movement message
};

// A window the host is asked to open. The library only relays these; hosts give
// them their own values.
enum enumOpenWindow : int {
    OpenWindow_None = 0,
};

Q_DECLARE_METATYPE(enumStockSubType)
Q_DECLARE_METATYPE(enumOpenWindow)
