#pragma once

#include "framework/datareadbase.h"
#include "framework/datareadsnapshot.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>
#include <ztlib/q_dd_now.h>
#include <ztlib/ztenums.h>

#include <QString>

// The base of every panel that shows data of one security: its minute line, K-line,
// a historical minute line, a registered data set or the preparation of formula
// data. Each read first fetches the security's quote, the subject of every series
// query; new series land in mStockData.
class ZTCONTROLLIB_EXPORT ZtLayoutStockBase : public ZtLayoutBase, public DataReadBase
{
    Q_OBJECT
public:
    ZtLayoutStockBase(ZtLayoutBase* parent, QString name);
    ~ZtLayoutStockBase() override;

    void InitDataStocks_PeriodDLine(QString stockCode, ZtE_Period type, bool includeAuction, int dayCount,
                                    bool isMore);
    void InitDataStocks_PeriodKLine(QString stockCode, ZtE_Period type, ZtE_DIVID divid, bool isMore);
    void InitDataStocks_HistoryDLine(QString stockCode, ZtE_Period type, qint64 datetime);
    void InitDataStocks_RegDataType(QString stockCode, ZtE_RegDataType type, bool includeAuction);
    void InitDataStocks_FormulaDataType(QString stockCode, ZtE_FormulaDataType type);
    void InitDataStocks_Jszbfw(QString stockCode, ZtE_Jszbfw type);

    QString stockCode() const;
    ZtE_RegDataType regDataType() const;
    ZtE_Period period() const;
    ZtE_Jszbfw jszbfw() const;
    ZtE_DIVID getDIVID() const;
    bool getIsMore() const;
    void setIsMore(bool isMore);

public slots:
    virtual void doDataRepaint();
    virtual void doChildDataBind();

public:
    // After the panel's own virtuals, which keep the slots that follow the base's.
    bool DataReadOnDataReadBaseThread(int refreshtag, QString readKey) override;

signals:
    void onChildDataBind();
    void onGetPeriodDLineOver(int _refreshtag, QString zhdm, ZtE_Period type, bool _includeAuction,
                              DQDDataList data);
    void onGetPeriodKLineOver(int _refreshtag, QString zhdm, ZtE_Period type, ZtE_DIVID _divid, DQDDataList data);
    void onGetRegDataTypeOver(int _refreshtag, QString zhdm, ZtE_RegDataType type, DQDDataList data);
    void onGetFormulaDataTypeOver(int _refreshtag, QString zhdm, ZtE_FormulaDataType _type);

private slots:
    void doGetPeriodDLineOver(int _refreshtag, QString zhdm, ZtE_Period type, bool _includeAuction,
                              DQDDataList data);
    void doGetPeriodKLineOver(int _refreshtag, QString zhdm, ZtE_Period type, ZtE_DIVID _divid, DQDDataList data);
    void doGetRegDataTypeOver(int _refreshtag, QString zhdm, ZtE_RegDataType type, DQDDataList data);
    void doGetFormulaDataTypeOver(int _refreshtag, QString zhdm, ZtE_FormulaDataType _type);
    void disconnectAll();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    bool mPanelFlag = true;
    DQDDataList mStockData;
    qint64 mHistoryDatetime = 0;
    QString mStockCode;
    const DQDDataList mEmptyData;
    ZtE_RegDataType mRegDataType = ZtE_RegDataType(0);
    ZtE_FormulaDataType mFormulaDataType = ZtE_FormulaDataType(0);
    ZtE_Period mPeriod = ZtE_Period(0);
    ZtE_Jszbfw mJszbfw = ZtE_Jszbfw(0);
    bool mIncludeAuction = false;
    int mDayCount = 1;
    ZtE_DIVID mDIVID = ZtE_DIVID(0);
    ZtE_DIVID mDataDIVID = ZtE_DIVID(0);
    bool mIsMore = false;

private:
    struct Request
    {
        QString stockCode;
        qint64 historyDatetime = 0;
        ZtE_RegDataType regDataType = ZtE_RegDataType(0);
        ZtE_FormulaDataType formulaDataType = ZtE_FormulaDataType(0);
        ZtE_Period period = ZtE_Period(0);
        bool includeAuction = false;
        int dayCount = 1;
        ZtE_DIVID divid = ZtE_DIVID(0);
        bool isMore = false;
    };

    // The quote every read starts with; empty when the data library has none.
    Q_DD_Now readQuote(const QString& stockCode, bool more, const char* read);
    bool ReadDataStocks_PeriodDLine(int refreshtag, const Request& r);
    bool ReadDataStocks_PeriodKLine(int refreshtag, const Request& r);
    bool ReadDataStocks_HistoryDLine(int refreshtag, const Request& r);
    bool ReadDataStocks_RegDataType(int refreshtag, const Request& r);
    bool ReadDataStocks_FormulaDataType(int refreshtag, const Request& r);
    void dataArrived();
    void publish();
    void logRequest(const char* operation, const QString& stockCode, int type) const;

    DataReadSnapshot<Request> mRequest;
};
