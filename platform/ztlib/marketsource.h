#pragma once

#include "dqdquery.h"
#include "formuladatastate.h"
#include "q_dd_now.h"
#include "ztenums.h"

#include <QString>
#include <QVector>

// Where PBDataChange gets its answers. Every call may come from any thread.
//
// Time-stamp rule of every list query: the caller passes the download time it
// already holds (0: none); the answer's getDataIsUpdate() is true exactly when
// its getDataDownTime() is newer, and getDataDownValid() says the download is complete.
class MarketSource
{
public:
    virtual ~MarketSource() = default;

    // Every security of the universe (static fields only): A and B shares, indices, sectors.
    virtual DQDDataList securityList() = 0;

    virtual DQDDataList qnowForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                       qint64 checkDT, unsigned int orderBy, int start, int count,
                                       bool desc) = 0;
    virtual DQDDataList qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                             qint64 checkDT, unsigned int orderBy, int start, int count,
                                             bool desc) = 0;
    virtual DQDDataList qnowRanking(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                    qint64 checkDT, unsigned int orderBy, int start, int count, bool desc) = 0;
    virtual DQDDataList sectorsOfStock(const QString& code, qint64 checkDT, unsigned int orderBy, bool desc) = 0;
    virtual DQDDataList membersOfSector(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc) = 0;
    virtual DQDDataList industrySectorsOfStock(const QString& code) = 0;
    virtual DQDDataList conceptSectorsOfStock(const QString& code) = 0;
    virtual DQDDataList marginSectorsOfStock(const QString& code) = 0;

    virtual Q_DD_Now quote(const QString& code, bool more) = 0;
    virtual QVector<Q_DD_Now> quotes(const QVector<QString>& codes, qint64 checkDT, bool more) = 0;
    virtual DQDDataList quoteList(const QVector<QString>& codes, qint64 checkDT, bool more, int flags) = 0;
    virtual qint64 marketDateTime(const QString& code) = 0;

    virtual DQDDataList kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                              qint64 checkDT) = 0;
    virtual DQDDataList dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT) = 0;
    virtual DQDDataList dlineDays(const Q_DD_Now& qnow, int dayCount, qint64 checkDT) = 0;
    virtual DQDDataList dlineHistory(const Q_DD_Now& qnow, qint64 day, qint64 checkDT) = 0;
    virtual DQDDataList detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT) = 0;
    virtual DQDDataList volumeByPrice(const Q_DD_Now& qnow, qint64 checkDT) = 0;
    virtual DQDDataList exRights(const Q_DD_Now& qnow, qint64 checkDT) = 0;
    virtual DQDDataList announcements(const Q_DD_Now& qnow, int param, qint64 checkDT) = 0;
    virtual DQDDataList news(const Q_DD_Now& qnow, int param, qint64 checkDT) = 0;
    virtual DQDDataList reports(const Q_DD_Now& qnow, int param, qint64 checkDT) = 0;

    virtual DQDDataList mineItemsFrom(const QString& code, qint64 time, qint64 checkDT) = 0;
    virtual DQDDataList mineItemsMarked(const QString& code, qint64 checkDT) = 0;
    virtual DQDDataList mineItemsAll(const QString& code, qint64 checkDT) = 0;
    virtual DQDDataList mineItemsToday(const QString& code, bool includeAuction, qint64 checkDT) = 0;
    virtual DQDDataList mineItemsHistory(const QString& code, qint64 checkDT) = 0;
    virtual DQDDataList mineItemsSpecial(const QString& code, qint64 checkDT) = 0;

    virtual DQDDataList movementsAll(const QVector<ZtE_DXJL>& types, qint64 checkDT) = 0;
    virtual DQDDataList movementsOf(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                                    qint64 checkDT) = 0;

    virtual FormulaDataState formulaData(ZtE_FormulaDataType type, const Q_DD_Now& qnow, qint64 checkDT) = 0;
};
