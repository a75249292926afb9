#pragma once

#include <framework/ztlayoutstockbase.h>

// The host's minute chart: price and average lines over the day, volume bars below,
// drawn from the minute series its panel base reads.
class MinuteChart : public ZtLayoutStockBase
{
    Q_OBJECT
public:
    explicit MinuteChart(ZtLayoutBase* parent);

    void showStock(const DQDUnionReader& stock);
    // The live quote of the stock shown: its previous close is the chart's reference.
    void setQuote(const DQDUnionReader& quote);
    // Bumped on every paint that shows data of the current stock (for the switch benchmark).
    int paintedStockSerial() const { return mPaintedSerial; }
    QString paintedCode() const { return mPaintedCode; }

signals:
    void onPainted(QString code);

public slots:
    void doDataRepaint() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DQDUnionReader mStock;
    int mPaintedSerial = 0;
    QString mPaintedCode;
};
