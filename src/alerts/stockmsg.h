#pragma once

#include "framework/datareadbase.h"
#include "framework/datareadsnapshot.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>

#include <QObject>
#include <QString>
#include <QVector>

// Reads the stock movement messages of the followed types, for the whole market
// ("StockMsg_ALL") or for the stocks of the watchlist ("StockMsg_ZXG"), while it
// runs. Owners read mDataList on onDataUpdate().
class ZTCONTROLLIB_EXPORT StockMsg : public QObject, public DataReadBase
{
    Q_OBJECT
public:
    explicit StockMsg(QObject* parent = nullptr);
    ~StockMsg() override;

    void InitAll();
    void InitZXG();
    void run();
    void stop();

    bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) override;

    DQDDataList mDataList;
    QVector<QString> mStockCodeList;

signals:
    void onDataUpdate();
    void onStockMsgUpdate(int _refreshtag, DQDDataList dataList);

public slots:
    void doStockMsgUpdate(int _refreshtag, DQDDataList dataList);
    void disconnectAll();

private:
    bool ReadAll(int refreshtag);
    bool ReadZXG(int refreshtag, const QVector<QString>& codes);
    bool deliver(int refreshtag, DQDDataList& list);

    DataReadSnapshot<QVector<QString>> mCodes;
};
