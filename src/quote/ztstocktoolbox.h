#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/pubcacheenums.h>
#include <ztlib/dqdreader.h>

#include <QString>

class QToolBox;
class ZtStockMinGridView;

// A side-bar box of collapsible sections listing securities: one section per
// watchlist group, the browsing history, or the securities with alerts. The one
// compact grid moves into whichever section is opened and shows its codes.
class ZTCONTROLLIB_EXPORT ZtStockToolBox : public ZtLayoutBase
{
    Q_OBJECT
public:
    enum BoxDataType : int {
        BoxDataType_Zxg = 1,
        BoxDataType_History = 2,
        BoxDataType_Alerts = 3,
    };

    ZtStockToolBox(BoxDataType type, ZtLayoutBase* parent);

    void reload();
    void reloadData(int index = 0);
    void setFirstInit(bool first);
    void setFocusRowIndex(DQDUnionReader row);
    void clearFocusRow();

    QToolBox* toolBox() const { return mToolBox; }
    ZtStockMinGridView* grid() const { return mGrid; }

private slots:
    void doCurrentChanged(int index);
    void doZxgRefresh(QString code, enumZxgOperate zxgType);
    void doYjsRefresh();

private:
    BoxDataType mType = BoxDataType_Zxg;
    QToolBox* mToolBox = nullptr;
    ZtStockMinGridView* mGrid = nullptr;
};
