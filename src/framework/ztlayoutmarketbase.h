#pragma once

#include "framework/datareadbase.h"
#include "framework/datareadsnapshot.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>
#include <ztlib/ztenums.h>

#include <QString>
#include <QVector>

// The base of every panel that shows a list of securities: a market list, a ranking
// ("ZHPM"), the sectors of a stock or the members of a sector. While the panel is
// visible its worker polls the data library; each new list lands in mMarketData and
// doDataRepaint() runs.
class ZTCONTROLLIB_EXPORT ZtLayoutMarketBase : public ZtLayoutBase, public DataReadBase
{
    Q_OBJECT
public:
    ZtLayoutMarketBase(ZtLayoutBase* parent, QString name);
    ~ZtLayoutMarketBase() override;

    void InitBKListForStock(QString stockCode);
    void InitStockListForBK(QString bkCode);
    void ReSetDataMarkets(unsigned int iOrderBy, int iStart, int iCount, bool bDesc);
    void ReSetZHPM(int iCount);

    QVector<QString> getMarketCodes() const;
    QVector<ZtE_ZQLX> getMarketZqlxs() const;
    QString getStockCode() const;
    QString getBKCode() const;
    bool getNeedCheckQNow() const;
    void setNeedCheckQNow(bool check);

public slots:
    virtual void InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs,
                                 unsigned int iOrderBy, int iStart, int iCount, bool bDesc, bool isStaticData);
    virtual void InitZHPM(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs, unsigned int iOrderBy,
                          int iCount, bool bDesc);

signals:
    void onMarketDataUpdate(int _refreshtag, DQDDataList data);

private slots:
    void doMarketDataUpdate(int _refreshtag, DQDDataList data);
    // Derived panels repaint here from mMarketData.
    virtual void doDataRepaint();
    void disconnectAll();

public:
    // After the panel's own virtuals, which keep the slots that follow the base's.
    bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    DQDDataList mMarketData;
    bool mPanelFlag = true;
    bool mNeedCheckQNow = true;
    QVector<QString> mMarketCodes;
    QVector<ZtE_ZQLX> mMarketZqlxs;
    unsigned int mOrderBy = 0;
    int mStart = 0;
    int mCount = 0;
    bool mDesc = false;
    bool mIsStaticData = false;
    // The last complete market read; touched by the worker only.
    QVector<QString> mWinCodes;
    QVector<ZtE_ZQLX> mWinZqlxs;
    int mWinCount = 0;
    int mWinStart = 0;
    unsigned int mWinOrderBy = 0;
    bool mWinDesc = false;
    int mWinInsideCount = 0;
    int mWinOutsideCount = 0;
    QString mStockCode;
    QString mBKCode;

private:
    struct Request
    {
        QVector<QString> marketCodes;
        QVector<ZtE_ZQLX> marketZqlxs;
        unsigned int orderBy = 0;
        int start = 0;
        int count = 0;
        bool desc = false;
        bool isStaticData = false;
        QString stockCode;
        QString bkCode;
    };

    bool ReadMarkets(int refreshtag, const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                     unsigned int orderBy, int start, int count, bool desc, bool isStaticData);
    bool ReadZHPM(int refreshtag, const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                  unsigned int orderBy, int count, bool desc);
    bool ReadBKListForStock(int refreshtag, const QString& stockCode);
    bool ReadStockListForBK(int refreshtag, const QString& bkCode);
    bool checkMarketDataAndUpdate(int refreshtag, DQDDataList& list, QString& log);
    bool windowMatches(const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs, unsigned int orderBy,
                       bool desc) const;
    void publish();
    QString requestText() const;

    DataReadSnapshot<Request> mRequest;
};
