#pragma once

#include "framework/stockqnow.h"
#include "framework/ztlayoutmarketbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class QFont;
class QGridLayout;
class QHideEvent;
class QKeyEvent;
class QMouseEvent;
class QResizeEvent;
class QShowEvent;
class QWheelEvent;

// A narrow list of securities for a side bar: a market list, or the live quotes of
// one code, a watchlist group or the history. A click or Up/Down opens the row's
// stock in the main view; when a list is first complete its focused row opens by itself.
class ZTCONTROLLIB_EXPORT ZtStockMinGridView : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    explicit ZtStockMinGridView(ZtLayoutBase* parent);
    ~ZtStockMinGridView() override;

    using ZtLayoutMarketBase::InitDataMarkets;
    void InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs);
    void InitQNow(QString stockCode);
    void InitZxgQNows(QPair<QStringList, QHash<QString, QString>> zxg);
    void InitHisQNows(QVector<QString> codes);
    void appendColumn(QList<GridField*> fields);
    // clear: forget the list and open the first complete one again.
    void resetData(bool clear);
    void clearFocusRow();
    void setFocusRowIndex(DQDUnionReader row);
    void setFirstInit(bool first);
    void removeZxgStockColor();
    void setShowXXDL(bool on);
    void setTitleEnable(bool on);
    void setFont(const QFont& font);

    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    StockQNow* getStockQNow() { return &mStockQNow; }

public slots:
    void doDataSort(unsigned int key, bool desc);
    void doDataResize(int rowIndex, int rowCount);
    void doDataIndexChange(int _index);
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doDataUpdate();
    void doDataRepaint() override;
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;
    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    StockQNow mStockQNow;
    QStringList mZxgCodes;
    QHash<QString, QString> mZxgTimes;
    QGridLayout* mLayout = nullptr;
    ZtWidgetStockGrid* mGrid = nullptr;
};
