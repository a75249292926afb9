#pragma once

#include "framework/ztlayoutmarketbase.h"
#include "grids/usermenuaction.h"
#include "grids/userrightmenu.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <pubcache/pubcacheenums.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QFont>
#include <QList>
#include <QString>
#include <QVector>

class QGridLayout;
class QKeyEvent;
class QMouseEvent;
class QResizeEvent;
class QWheelEvent;

// The general market list: one window of a server-sorted list in the painted grid,
// a focus row reported up the panel tree, scrolling and sorting through new reads,
// and the right-click menu of a stock list.
class ZTCONTROLLIB_EXPORT ZtStockGridView : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    // The columns must outlive the panel; they are neither copied nor freed.
    ZtStockGridView(ZtLayoutBase* parent, QList<GridField*> fields, unsigned int sortKey, bool sortDesc);
    ~ZtStockGridView() override;

    using ZtLayoutMarketBase::InitDataMarkets;
    // Reads the list of these markets and types, in the grid's current order and window.
    virtual void InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs);

    void ResetData();
    void replaceStock();
    void createGridViewColumns(QList<GridField*> fields);
    unsigned int getSortKey() const;
    bool getSortDesc() const;
    void setSortKey(unsigned int key, bool desc);
    void useLocalSort();
    void setFont(const QFont& font);
    void setTopBottomPadding(int padding);
    void setTitleTopBottomPadding(int padding);

    bool autoFocusRow() const { return mAutoFocusRow; }
    void setAutoFocusRow(bool on) { mAutoFocusRow = on; }
    bool useAlternativesFocusStock() const { return mUseAlternativesFocusStock; }
    void setUseAlternativesFocusStock(bool on) { mUseAlternativesFocusStock = on; }
    bool autoCheckFirstRowBeforeUserCheck() const { return mAutoCheckFirstRowBeforeUserCheck; }
    void setAutoCheckFirstRowBeforeUserCheck(bool on) { mAutoCheckFirstRowBeforeUserCheck = on; }
    bool isStaticData() const { return mIsStaticDataRequest; }
    void setIsStaticData(bool on) { mIsStaticDataRequest = on; }
    void setHandleEnter(bool on) { mHandleEnter = on; }

    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    UserRightMenu* getMenu() { return &mMenu; }

public slots:
    void doShowXXDLBox(QString stockCode);
    void doDataResize(int rowIndex, int rowCount);
    void doDataSort(unsigned int key, bool desc);
    void doDataIndexChange(int newRowIndex);
    void doZxgRefresh(QString code, enumZxgOperate zxgType);
    void doAboutToShowMenu(QList<UserMenuAction*> mList);
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);
    void doCliclChileMenu(UserMenuAction* mUserAction, enumRightMenuType mParentData);
    void doCliclParentMenu(UserMenuAction* mClickAction);
    void doDataRepaint() override;
    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override;
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static QList<RightMenu> menuList();

    QGridLayout* mLayout = nullptr;
    ZtWidgetStockGrid* mGrid = nullptr;
    UserRightMenu mMenu;
    bool mAutoFocusRow = true;
    bool mUseAlternativesFocusStock = true;
    bool mAutoCheckFirstRowBeforeUserCheck = false;
    bool mUserChecked = false;
    bool mIsStaticDataRequest = false;
    bool mHandleEnter = true;
};
