#pragma once

#include "framework/stockqnow.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>

#include <QRect>
#include <QString>
#include <QVector>

// The index ticker of the footer: the four main indices with last value, change,
// percent change and turnover, live while shown; a click opens the index.
class ZTCONTROLLIB_EXPORT ZtMainFootMarket : public ZtLayoutBase
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 4;

    explicit ZtMainFootMarket(ZtLayoutBase* parent);
    ~ZtMainFootMarket() override;

    // Asks for the four indices; quotes come while the ticker is shown.
    void start();

    static QVector<QString> codes();
    // The left edge of a slot at a ticker width.
    static int slotLeft(int slot, int width);
    QRect hitRect(int slot) const { return slot >= 0 && slot < SlotCount ? mHitRects[slot] : QRect(); }
    DQDDataList quotes() const { return mQuotes; }
    StockQNow* reader() { return &mQNow; }

public slots:
    void doDataUpdate();
    void doDataRepaint();
    void doMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setHand(bool hand);

    StockQNow mQNow;
    DQDDataList mQuotes;
    QRect mHitRects[SlotCount];
    bool mStarted = false;
    bool mHandPushed = false;
};
