#pragma once

#include "dqdquery.h"
#include "formuladatastate.h"
#include "marketsource.h"
#include "q_dd_now.h"
#include "ztenums.h"

#include <QString>
#include <QVector>

#include <memory>

// The data library's queries. Each forwards to the installed market source
// (the simulated market unless another one is installed). Thread-safe.
class PBDataChange
{
public:
    // Installs the source for every later query; null restores the simulated market.
    static void installSource(std::shared_ptr<MarketSource> source);
    static std::shared_ptr<MarketSource> source();

    static DQDDataList getSecurityList();

    // Lists.
    static DQDDataList LBGD_QNowForMK_DL(const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                         qint64 checkDT, unsigned int orderBy, int start, int count, bool desc);
    static DQDDataList LBGD_QNowStaticForMK_DL(const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                               qint64 checkDT, unsigned int orderBy, int start, int count,
                                               bool desc);
    static DQDDataList LBGD_QNowForZongHePaiMing_DL(const QVector<QString>& codes,
                                                    const QVector<ZtE_ZQLX>& zqlxs, qint64 checkDT,
                                                    unsigned int orderBy, int start, int count, bool desc);
    static DQDDataList LBGD_QNowBKListForStock_DL(const QString& code, qint64 checkDT, unsigned int orderBy,
                                                  bool desc);
    static DQDDataList LBGD_QNowForBk_DL(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc);
    static DQDDataList LBGD_BKList_BKDHForStock(const QString& code);
    static DQDDataList LBGD_BKList_BKDGSpecialForStock(const QString& code);
    static DQDDataList LBGD_BKList_BKDGSpecialForStock_RZRQ(const QString& code);

    // Quotes.
    static Q_DD_Now LBDG_QNowSingle(const QString& code, bool more);
    static QVector<Q_DD_Now> LBDG_QNow(const QVector<QString>& codes, qint64 checkDT, bool more);
    static DQDDataList LBDG_QNow_DL(const QVector<QString>& codes, qint64 checkDT, bool more, int flags);
    static qint64 Common_GetMarketDateTime(const QString& code);

    // One security.
    static DQDDataList LBGD_Kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                                  qint64 checkDT);
    static DQDDataList LBGD_Dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT);
    static DQDDataList LBGD_Dline_5Days(const Q_DD_Now& qnow, int dayCount, qint64 checkDT);
    static DQDDataList LBGD_Dline_History(const Q_DD_Now& qnow, qint64 day, qint64 checkDT);
    static DQDDataList LBGD_Detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT);
    static DQDDataList LBGD_Fjbxx(const Q_DD_Now& qnow, qint64 checkDT);
    static DQDDataList LBGD_Qxxx(const Q_DD_Now& qnow, qint64 checkDT);
    static DQDDataList LBGD_Gglb(const Q_DD_Now& qnow, int param, qint64 checkDT);
    static DQDDataList LBGD_Xwlb(const Q_DD_Now& qnow, int param, qint64 checkDT);
    static DQDDataList LBGD_Yblb(const Q_DD_Now& qnow, int param, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Btlb(const QString& code, qint64 time, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Btlb_Bjlb(const QString& code, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Btlb_PopWinList(const QString& code, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Drsj(const QString& code, bool includeAuction, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Lssj(const QString& code, qint64 checkDT);
    static DQDDataList LBGD_Xxdl_Special(const QString& code, qint64 checkDT);
    static DQDDataList LBGD_Dxjl_All(const QVector<ZtE_DXJL>& types, qint64 checkDT);
    static DQDDataList LBGD_Dxjl_Zxg(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                                     qint64 checkDT);

    // Set when the data library dropped cached series (e.g. after a reconnect):
    // the next K-line result must be taken even if its request is stale.
    static bool LBGD_GetDelDataAfter();
    static void LBGD_SetDelDataAfter(bool value);

    // Formula inputs.
    static FormulaDataState getKlineCMSDL(const DQDDataList& kline, const Q_DD_Now& qnow, qint64 checkDT);
    static FormulaDataState getDlineCMSDL(const DQDDataList& dline, const Q_DD_Now& qnow, qint64 checkDT);
    static FormulaDataState getKlineMMLD_FD(const Q_DD_Now& qnow, qint64 checkDT);
    static FormulaDataState getDlineMMLD_FD(const Q_DD_Now& qnow, qint64 checkDT);
    static FormulaDataState getKlineCJMX_FD(const Q_DD_Now& qnow, qint64 checkDT);
    static FormulaDataState getKlineRZRQ(const Q_DD_Now& qnow, qint64 checkDT);
};
