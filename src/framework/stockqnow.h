#pragma once

#include "datareadbase.h"
#include "datareadsnapshot.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>
#include <ztlib/q_dd_now.h>

#include <QObject>
#include <QString>
#include <QVector>

// Keeps the real-time quote of one security ("QNow"), or the quotes of a list of
// securities ("QNows"), up to date while it runs. Panels own one, run() it when shown,
// stop() it when hidden, and read mQNow / mQNows on onDataUpdate().
class ZTCONTROLLIB_EXPORT StockQNow : public QObject, public DataReadBase
{
    Q_OBJECT
public:
    explicit StockQNow(QObject* parent = nullptr);
    ~StockQNow() override;

    void InitQNow(QString stockCode);
    void InitQNows(QVector<QString> stockCodes);
    void run();
    void stop();

    bool getNeedCheckQNow() const;
    void setNeedCheckQNow(bool check);
    int getStockCodeCount() const;

    bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) override;

    Q_DD_Now mQNow;
    DQDDataList mQNows;

signals:
    void onDataUpdate();
    void onQNowUpdate(int _refreshtag, Q_DD_Now qnow);
    void onQNowsUpdate(int _refreshtag, DQDDataList qnows);

private slots:
    void doQNowUpdate(int _refreshtag, Q_DD_Now qnow);
    void doQNowsUpdate(int _refreshtag, DQDDataList qnows);
    void disconnectAll();

private:
    struct Request
    {
        QString stockCode;
        QVector<QString> stockCodes;
    };

    bool ReadQNow(int refreshtag, const QString& stockCode);
    bool ReadQNows(int refreshtag, const QVector<QString>& stockCodes);
    void publish();

    std::atomic<bool> mNeedCheckQNow{true};
    QString mStockCode;
    QVector<QString> mStockCodeList;
    DataReadSnapshot<Request> mRequest;
};
