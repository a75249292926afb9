#pragma once

#include "framework/ztlayoutmarketbase.h"
#include "ztcontrollib_global.h"

class QScrollBar;
class ZtWidgetStockGrid;

// Lists movement messages and follows the newest one at the bottom until the user
// moves away with the keys or the scroll bar; bringing the bar back down follows again.
class ZTCONTROLLIB_EXPORT ZtStockMsgGridTable : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    explicit ZtStockMsgGridTable(ZtLayoutBase* parent);

    void setData(DQDDataList list);
    void ResetData();
    void toEnd();
    int getFocusRowIndex() const;
    void setFocusRowIndex(int index, bool notify);
    bool isFollowingTail() const { return mFollowTail; }
    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    QScrollBar* getScrollBar() const { return mScrollBar; }

public slots:
    void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event) override;
    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override;
    void doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);

private slots:
    void doDataRepaint() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void followTail();

    ZtWidgetStockGrid* mGrid = nullptr;
    QScrollBar* mScrollBar = nullptr;
    bool mFollowTail = true;
};
