#pragma once

#include "framework/ztlayoutstockbase.h"
#include "grids/userrightmenu.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QList>

#include <vector>

class QAction;
class QGridLayout;
class QMouseEvent;
class QResizeEvent;
class QWheelEvent;

// The small table of one security's registered data set (tick details and the like)
// under a minute chart. The price column follows the stock's reference price and
// decimals; type 1 keeps the newest rows in view, type 2 adds a buy/sell volume bar.
class ZTCONTROLLIB_EXPORT ZtMinStockGridTable : public ZtLayoutStockBase
{
    Q_OBJECT
public:
    enum TableType : int {
        TableType_Newest = 1,   // the newest rows at the bottom, no scroll bar
        TableType_VolumeBar = 2 // sortable, with a volume-bar column
    };

    // The columns are copied: the table adapts its price and bar columns per stock.
    ZtMinStockGridTable(ZtLayoutBase* parent, TableType tableType, QList<GridField*> fields);

    void resetStock(DQDUnionReader stock, ZtE_RegDataType type);
    void replaceStock();
    void ResetData();

    DQDUnionReader stock() const { return mStock; }
    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    UserRightMenu* getMenu() { return &mMenu; }

signals:
    void onChangeLineMode();

public slots:
    void doDataRepaint() override;
    void doChildDataBind() override;
    void doCliclParentMenu(QAction* mClickAction);
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);
    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showNewest();

    QGridLayout* mLayout = nullptr;
    ZtWidgetStockGrid* mGrid = nullptr;
    UserRightMenu mMenu;
    DQDUnionReader mStock;
    TableType mTableType = TableType_Newest;
    std::vector<GridField> mColumns;
};
