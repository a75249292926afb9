#include "pubcachecustom.h"

QHash<QString, QStringList> PubCacheCustom::mCustomColor;
QHash<QString, QStringList> PubCacheCustom::mDefultColor = PubCacheCustom::defaultColours();
QList<QString> PubCacheCustom::mStockCodeList;
QHash<QString, bool> PubCacheCustom::mYjsStock;
QHash<QString, QString> PubCacheCustom::mStockSign;

QHash<QString, QStringList> PubCacheCustom::defaultColours()
{
    // Second string: a short description, shown by colour settings.
    return {
        {QStringLiteral("Up"), {QStringLiteral("#FF3232"), QStringLiteral("上涨")}},
        {QStringLiteral("Down"), {QStringLiteral("#00E600"), QStringLiteral("下跌")}},
        {QStringLiteral("Flat"), {QStringLiteral("#E6E6E6"), QStringLiteral("平盘")}},
        {QStringLiteral("Default"), {QStringLiteral("#E6E6E6"), QStringLiteral("默认文字")}},
        {QStringLiteral("Title"), {QStringLiteral("#C0C0C0"), QStringLiteral("标题文字")}},
        {QStringLiteral("Background"), {QStringLiteral("#000000"), QStringLiteral("背景")}},
        {QStringLiteral("WebLoadBG"), {QStringLiteral("#101418"), QStringLiteral("网页加载背景")}},
        {QStringLiteral("Vol"), {QStringLiteral("#FFFF00"), QStringLiteral("成交量")}},
        {QStringLiteral("Code"), {QStringLiteral("#E6E6E6"), QStringLiteral("代码")}},
        {QStringLiteral("Name"), {QStringLiteral("#FFFF55"), QStringLiteral("名称")}},
        {QStringLiteral("ZxgCode"), {QStringLiteral("#FF66FF"), QStringLiteral("自选股代码")}},
        {QStringLiteral("Sign"), {QStringLiteral("#FFA500"), QStringLiteral("标记")}},
        {QStringLiteral("GridLine"), {QStringLiteral("#2B2B2B"), QStringLiteral("表格线")}},
        {QStringLiteral("GridRowAlt"), {QStringLiteral("#0C0C10"), QStringLiteral("隔行背景")}},
        {QStringLiteral("GridHeader"), {QStringLiteral("#15151A"), QStringLiteral("表头背景")}},
        {QStringLiteral("GridHeaderText"), {QStringLiteral("#B4B4B4"), QStringLiteral("表头文字")}},
        {QStringLiteral("GridFocus"), {QStringLiteral("#1E3A6E"), QStringLiteral("焦点行")}},
        {QStringLiteral("GridFocusLine"), {QStringLiteral("#3C78D8"), QStringLiteral("焦点行边线")}},
        {QStringLiteral("SortMark"), {QStringLiteral("#FFA500"), QStringLiteral("排序标记")}},
        {QStringLiteral("XXDL"), {QStringLiteral("#FF9900"), QStringLiteral("信息地雷")}},
        {QStringLiteral("Pen_BuyVolColor"), {QStringLiteral("#D23232"), QStringLiteral("外盘量")}},
        {QStringLiteral("Pen_SellVolColor"), {QStringLiteral("#28B428"), QStringLiteral("内盘量")}},
        {QStringLiteral("AvgLine"), {QStringLiteral("#FFFF00"), QStringLiteral("均价线")}},
        {QStringLiteral("PriceLine"), {QStringLiteral("#FFFFFF"), QStringLiteral("价格线")}},
        {QStringLiteral("Highlight"), {QStringLiteral("#FFA500"), QStringLiteral("强调")}},
        {QStringLiteral("Link"), {QStringLiteral("#4DA6FF"), QStringLiteral("链接")}},
        {QStringLiteral("TableTitle"), {QStringLiteral("#FFD24D"), QStringLiteral("排名标题文字")}},
        {QStringLiteral("TableTitleBackground"), {QStringLiteral("#15151A"), QStringLiteral("排名标题背景")}},
        {QStringLiteral("TableTitleBorde"), {QStringLiteral("#3A1A1A"), QStringLiteral("排名标题边线")}},
        {QStringLiteral("TLGrid"), {QStringLiteral("#5A1E1E"), QStringLiteral("排名边框")}},
        {QStringLiteral("Grid1"), {QStringLiteral("#101014"), QStringLiteral("行情条背景")}},
        {QStringLiteral("StockName"), {QStringLiteral("#FFFF55"), QStringLiteral("股票名称")}},
        {QStringLiteral("ChartGrid"), {QStringLiteral("#3C1414"), QStringLiteral("图表网格")}},
    };
}

void PubCacheCustom::resetColours()
{
    mCustomColor.clear();
    mDefultColor = defaultColours();
}
