#pragma once

#include "framework/ztlayoutstockbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QList>

class QFocusEvent;
class QHBoxLayout;
class QKeyEvent;
class QMouseEvent;

// A plain grid over the series list of one security, or over a list its owner puts
// in. It scrolls with the navigation keys itself and relays everything else.
class ZTCONTROLLIB_EXPORT ZtMaxStockGridTable : public ZtLayoutStockBase
{
    Q_OBJECT
public:
    // fixedOrder: the rows keep the order they come in (no sorting by the user).
    ZtMaxStockGridTable(ZtLayoutBase* parent, QList<GridField*> fields, bool fixedOrder, bool showTitle);

    // The list is copied and handed to the grid; the owner asks for the repaint.
    void setData(DQDDataList data);
    void ResetData();

    void clearFocusRow();
    GridField* getColumn(unsigned int key) const;
    int getDrawRowCount() const;
    int getFocusRowIndex() const;
    void setFocusRowIndex(int index, bool notify);
    void setStartIndex(int columns);
    ZtWidgetStockGrid* getGrid() const { return mGrid; }

public slots:
    void doDataRepaint() override;
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event) override;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    ZtWidgetStockGrid* mGrid = nullptr;
};
