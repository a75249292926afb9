#pragma once

#include "framework/stockqnow.h"
#include "grids/ztstocklistview.h"
#include "ztcontrollib_global.h"

#include <pubcache/pubcacheenums.h>
#include <ztlib/dqdreader.h>

#include <QPointer>
#include <QString>
#include <QWidget>

class QHideEvent;
class QLabel;
class QPaintEvent;
class QShowEvent;
class ZtPushButton;

// The header line of a security's chart: its name, a live "last  change  percent",
// a drop-down list of securities to switch to and the watchlist button.
class ZTCONTROLLIB_EXPORT ZtMarketLineDGTLBtnGroup : public QWidget
{
    Q_OBJECT
public:
    explicit ZtMarketLineDGTLBtnGroup(double height, QWidget* parent = nullptr);
    ~ZtMarketLineDGTLBtnGroup() override;

    void resetStock(DQDUnionReader row);

    QLabel* nameLabel() const { return mName; }
    QLabel* quoteLabel() const { return mQuote; }
    ZtPushButton* switchButton() const { return mSwitch; }
    ZtPushButton* zxgButton() const { return mZxg; }
    ZtStockListView* listView() const { return mList; }
    StockQNow* stockQNow() { return &mStockQNow; }

signals:
    void onResetStock(QString stockCode);

public slots:
    void doResetStockClicked(ZtPushButton* button, bool checked);
    void doZXGClicked(ZtPushButton* button, bool checked);
    void doZxgRefresh(QString code);
    void doRestStock(QString code);
    void doQNowUpdate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateData(const DQDUnionReader& quote);

    QLabel* mName = nullptr;
    QLabel* mQuote = nullptr;
    ZtPushButton* mSwitch = nullptr;
    ZtPushButton* mZxg = nullptr;
    QPointer<ZtStockListView> mList;
    DQDUnionReader mStock;
    StockQNow mStockQNow;
};
