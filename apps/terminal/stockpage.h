#pragma once

#include <framework/stockqnow.h>
#include <framework/ztlayoutbase.h>

#include <QPointer>

class AlertForm;
class MinuteChart;
class QStackedWidget;
class QWidget;
class TerminalShell;
class ZtMarketLineBtnGroup;
class ZtMarketLineDGTLBtnGroup;
class ZtMinFinance;
class ZtMinStockGridTable;
class ZtStockLineLast;
class ZtStockLineTop;

// The single-stock view: the line bars, the name and quote line with its sectors,
// the minute chart with the tick table under it, and a side bar with the finance
// panel, the watchlist, history and alert boxes and a form that adds alerts for the
// stock on screen. The top of its own panel tree.
class StockPage : public ZtLayoutBase
{
    Q_OBJECT
public:
    StockPage(QWidget* parent, TerminalShell& shell);
    ~StockPage() override;

    // Shows the stock in the view and brings the view on screen.
    static bool open(const DQDUnionReader& row);
    static StockPage* instance();

    void showStock(const DQDUnionReader& row, bool remember = true);
    QString code() const { return mCode; }
    MinuteChart* chart() const { return mChart; }
    AlertForm* alertForm() const { return mAlertForm; }

    void doGotoStock(ZtLayoutBase* obj, DQDUnionReader row, DQDDataList list, enumStockSubType type) override;
    void doOpenStockDialog(ZtLayoutBase* obj, DQDUnionReader row, enumStockSubType type) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void quoteArrived();

    TerminalShell& mShell;
    StockQNow mQuote;
    QString mCode;
    ZtStockLineTop* mTop = nullptr;
    ZtStockLineLast* mBottom = nullptr;
    ZtMarketLineDGTLBtnGroup* mLine = nullptr;
    ZtMarketLineBtnGroup* mSectors = nullptr;
    MinuteChart* mChart = nullptr;
    ZtMinStockGridTable* mTicks = nullptr;
    ZtMinFinance* mFinance = nullptr;
    QWidget* mSide = nullptr;
    QStackedWidget* mBoxes = nullptr;
    AlertForm* mAlertForm = nullptr;
};
