#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdreader.h>

#include <QPixmap>
#include <QTimer>

class QLabel;

// One line with the latest movement message from the bus, in the direction's
// colour; a click opens the stock's dialog, a double click the stock.
class ZTCONTROLLIB_EXPORT ZtStockMsgNotice : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtStockMsgNotice(ZtLayoutBase* parent);

    QLabel* getTextLabel() const { return mText; }
    DQDUnionReader getCurrent() const { return mStockMsg; }

public slots:
    void setData(DQDUnionReader stockMsg);

private slots:
    void mousePress();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap mPixmap;
    QLabel* mIcon = nullptr;
    QLabel* mText = nullptr;
    DQDUnionReader mStockMsg;
    QTimer mClickTimer;
};
