#include "pbdatachange.h"

#include "simulatedmarket.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex sourceMutex;
std::shared_ptr<MarketSource> installed;
std::atomic<bool> delDataAfter{false};

}

void PBDataChange::installSource(std::shared_ptr<MarketSource> source)
{
    std::lock_guard<std::mutex> lock(sourceMutex);
    installed = std::move(source);
}

std::shared_ptr<MarketSource> PBDataChange::source()
{
    std::lock_guard<std::mutex> lock(sourceMutex);
    if (!installed)
        installed = std::make_shared<SimulatedMarket>();
    return installed;
}

DQDDataList PBDataChange::getSecurityList()
{
    return source()->securityList();
}

DQDDataList PBDataChange::LBGD_QNowForMK_DL(const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                            qint64 checkDT, unsigned int orderBy, int start, int count, bool desc)
{
    return source()->qnowForMarkets(codes, zqlxs, checkDT, orderBy, start, count, desc);
}

DQDDataList PBDataChange::LBGD_QNowStaticForMK_DL(const QVector<QString>& codes,
                                                  const QVector<ZtE_ZQLX>& zqlxs, qint64 checkDT,
                                                  unsigned int orderBy, int start, int count, bool desc)
{
    return source()->qnowStaticForMarkets(codes, zqlxs, checkDT, orderBy, start, count, desc);
}

DQDDataList PBDataChange::LBGD_QNowForZongHePaiMing_DL(const QVector<QString>& codes,
                                                       const QVector<ZtE_ZQLX>& zqlxs, qint64 checkDT,
                                                       unsigned int orderBy, int start, int count, bool desc)
{
    return source()->qnowRanking(codes, zqlxs, checkDT, orderBy, start, count, desc);
}

DQDDataList PBDataChange::LBGD_QNowBKListForStock_DL(const QString& code, qint64 checkDT, unsigned int orderBy,
                                                     bool desc)
{
    return source()->sectorsOfStock(code, checkDT, orderBy, desc);
}

DQDDataList PBDataChange::LBGD_QNowForBk_DL(const QString& bkCode, qint64 checkDT, unsigned int orderBy,
                                            bool desc)
{
    return source()->membersOfSector(bkCode, checkDT, orderBy, desc);
}

DQDDataList PBDataChange::LBGD_BKList_BKDHForStock(const QString& code)
{
    return source()->industrySectorsOfStock(code);
}

DQDDataList PBDataChange::LBGD_BKList_BKDGSpecialForStock(const QString& code)
{
    return source()->conceptSectorsOfStock(code);
}

DQDDataList PBDataChange::LBGD_BKList_BKDGSpecialForStock_RZRQ(const QString& code)
{
    return source()->marginSectorsOfStock(code);
}

Q_DD_Now PBDataChange::LBDG_QNowSingle(const QString& code, bool more)
{
    return source()->quote(code, more);
}

QVector<Q_DD_Now> PBDataChange::LBDG_QNow(const QVector<QString>& codes, qint64 checkDT, bool more)
{
    return source()->quotes(codes, checkDT, more);
}

DQDDataList PBDataChange::LBDG_QNow_DL(const QVector<QString>& codes, qint64 checkDT, bool more, int flags)
{
    return source()->quoteList(codes, checkDT, more, flags);
}

qint64 PBDataChange::Common_GetMarketDateTime(const QString& code)
{
    return source()->marketDateTime(code);
}

DQDDataList PBDataChange::LBGD_Kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                                     qint64 checkDT)
{
    return source()->kline(qnow, period, divid, more, checkDT);
}

DQDDataList PBDataChange::LBGD_Dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT)
{
    return source()->dline(qnow, includeAuction, more, checkDT);
}

DQDDataList PBDataChange::LBGD_Dline_5Days(const Q_DD_Now& qnow, int dayCount, qint64 checkDT)
{
    return source()->dlineDays(qnow, dayCount, checkDT);
}

DQDDataList PBDataChange::LBGD_Dline_History(const Q_DD_Now& qnow, qint64 day, qint64 checkDT)
{
    return source()->dlineHistory(qnow, day, checkDT);
}

DQDDataList PBDataChange::LBGD_Detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT)
{
    return source()->detail(qnow, newestFirst, checkDT);
}

DQDDataList PBDataChange::LBGD_Fjbxx(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->volumeByPrice(qnow, checkDT);
}

DQDDataList PBDataChange::LBGD_Qxxx(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->exRights(qnow, checkDT);
}

DQDDataList PBDataChange::LBGD_Gglb(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return source()->announcements(qnow, param, checkDT);
}

DQDDataList PBDataChange::LBGD_Xwlb(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return source()->news(qnow, param, checkDT);
}

DQDDataList PBDataChange::LBGD_Yblb(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return source()->reports(qnow, param, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Btlb(const QString& code, qint64 time, qint64 checkDT)
{
    return source()->mineItemsFrom(code, time, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Btlb_Bjlb(const QString& code, qint64 checkDT)
{
    return source()->mineItemsMarked(code, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Btlb_PopWinList(const QString& code, qint64 checkDT)
{
    return source()->mineItemsAll(code, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Drsj(const QString& code, bool includeAuction, qint64 checkDT)
{
    return source()->mineItemsToday(code, includeAuction, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Lssj(const QString& code, qint64 checkDT)
{
    return source()->mineItemsHistory(code, checkDT);
}

DQDDataList PBDataChange::LBGD_Xxdl_Special(const QString& code, qint64 checkDT)
{
    return source()->mineItemsSpecial(code, checkDT);
}

DQDDataList PBDataChange::LBGD_Dxjl_All(const QVector<ZtE_DXJL>& types, qint64 checkDT)
{
    return source()->movementsAll(types, checkDT);
}

DQDDataList PBDataChange::LBGD_Dxjl_Zxg(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                                        qint64 checkDT)
{
    return source()->movementsOf(codes, types, checkDT);
}

bool PBDataChange::LBGD_GetDelDataAfter()
{
    return delDataAfter.load();
}

void PBDataChange::LBGD_SetDelDataAfter(bool value)
{
    delDataAfter.store(value);
}

FormulaDataState PBDataChange::getKlineCMSDL(const DQDDataList&, const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_KlineCMSDL, qnow, checkDT);
}

FormulaDataState PBDataChange::getDlineCMSDL(const DQDDataList&, const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_DlineCMSDL, qnow, checkDT);
}

FormulaDataState PBDataChange::getKlineMMLD_FD(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_KlineMMLD, qnow, checkDT);
}

FormulaDataState PBDataChange::getDlineMMLD_FD(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_DlineMMLD, qnow, checkDT);
}

FormulaDataState PBDataChange::getKlineCJMX_FD(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_KlineCJMX, qnow, checkDT);
}

FormulaDataState PBDataChange::getKlineRZRQ(const Q_DD_Now& qnow, qint64 checkDT)
{
    return source()->formulaData(ZtE_FormulaDataType_KlineRZRQ, qnow, checkDT);
}
