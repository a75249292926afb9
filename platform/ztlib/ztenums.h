#pragma once

#include <QMetaType>
#include <QVector>

// Security type (field 10070).
enum ZtE_ZQLX : int {
    ZtE_ZQLX_None = 0,
    ZtE_ZQLX_Index = 5,      // indices, and sectors when the market is "BK"
    ZtE_ZQLX_AShare = 10,
    ZtE_ZQLX_BShare = 15,
};

// Series period. 2 is the intraday minute line, 101..103 the multi-day minute line.
enum ZtE_Period : int {
    ZtE_Period_None = 0,
    ZtE_Period_Tick = 1,
    ZtE_Period_DLine = 2,
    ZtE_Period_Min1 = 3,
    ZtE_Period_Min5 = 4,
    ZtE_Period_Min15 = 5,
    ZtE_Period_Min30 = 6,
    ZtE_Period_Min60 = 7,
    ZtE_Period_Day = 8,
    ZtE_Period_Week = 9,
    ZtE_Period_Month = 10,
    ZtE_Period_Quarter = 11,
    ZtE_Period_Year = 12,
    ZtE_Period_DLine2 = 101,
    ZtE_Period_DLine3 = 102,
    ZtE_Period_DLine5 = 103,
};

// Price adjustment of K-lines.
enum ZtE_DIVID : int {
    ZtE_DIVID_None = 0,
    ZtE_DIVID_Forward = 1,
    ZtE_DIVID_Backward = 2,
};

// Registered per-security data sets.
enum ZtE_RegDataType : int {
    ZtE_RegDataType_None = 0,
    ZtE_RegDataType_Detail = 30,        // tick details, newest first
    ZtE_RegDataType_DetailAsc = 31,     // tick details, oldest first
    ZtE_RegDataType_Fjbxx = 32,         // volume by price
    ZtE_RegDataType_Xwlb = 40,          // news
    ZtE_RegDataType_Gglb = 41,          // announcements
    ZtE_RegDataType_Yblb = 42,          // research reports
    ZtE_RegDataType_Qxxx = 60,          // ex-rights events
    ZtE_RegDataType_XxdlDrsj = 70,      // information mines of the day
    ZtE_RegDataType_XxdlLssj = 80,      // information mines, history
    ZtE_RegDataType_XxdlSpecial = 90,   // marked information mines
    ZtE_RegDataType_RzrqBK = 100,       // margin-trading sectors of the security
};

// Inputs of indicator formulas prepared by the data library.
enum ZtE_FormulaDataType : int {
    ZtE_FormulaDataType_None = 0,
    ZtE_FormulaDataType_KlineCJMX = 1000,
    ZtE_FormulaDataType_DlineMMLD = 1001,
    ZtE_FormulaDataType_KlineMMLD = 1010,
    ZtE_FormulaDataType_DlineMMLD2 = 1011,
    ZtE_FormulaDataType_KlineCMSDL = 1020,
    ZtE_FormulaDataType_DlineCMSDL = 1021,
    ZtE_FormulaDataType_KlineRZRQ = 1030,
};

// Technical-indicator range; passed through only.
enum ZtE_Jszbfw : int {
    ZtE_Jszbfw_None = 0,
    ZtE_Jszbfw_Main = 1,
    ZtE_Jszbfw_Sub = 2,
};

// Kinds of stock movement messages.
enum ZtE_DXJL : int {
    ZtE_DXJL_None = 0,
    ZtE_DXJL_FastRise = 1,      // 快速拉升
    ZtE_DXJL_FastFall = 2,      // 快速下跌
    ZtE_DXJL_BigBuy = 3,        // 大笔买入
    ZtE_DXJL_BigSell = 4,       // 大笔卖出
    ZtE_DXJL_LimitUp = 5,       // 封涨停板
    ZtE_DXJL_LimitDown = 6,     // 封跌停板
    ZtE_DXJL_OpenLimitUp = 7,   // 打开涨停
    ZtE_DXJL_OpenLimitDown = 8, // 打开跌停
    ZtE_DXJL_HighRebound = 9,   // 高台跳水
    ZtE_DXJL_LowRebound = 10,   // 低位反弹
};

Q_DECLARE_METATYPE(ZtE_ZQLX)
Q_DECLARE_METATYPE(ZtE_Period)
Q_DECLARE_METATYPE(ZtE_DIVID)
Q_DECLARE_METATYPE(ZtE_RegDataType)
Q_DECLARE_METATYPE(ZtE_FormulaDataType)
Q_DECLARE_METATYPE(ZtE_Jszbfw)
Q_DECLARE_METATYPE(ZtE_DXJL)
