#pragma once

#include "marketsource.h"

#include <QDate>

#include <functional>
#include <memory>

class SimulatedMarketPrivate;

// A generated market: a seeded universe of A and B shares, indices and sectors whose
// quotes follow a random walk on a clock. The same seed and the same clock readings
// give the same answers. All queries are thread-safe.
//
// - Market time: trading day 0 is startDate (a weekend counts as its Friday); after
//   14:59:59 the next weekday opens at 09:30:00, so the market never closes.
// - Download times: the market second the data are as of. Static data (the static market
//   list, the sector lists of a stock, ex-rights, the security list) are as of 09:25:00
//   of the day, a past day's minute line as of its 15:00:00. Every download is complete.
// - Minute lines have one row per minute labelled by its end, 09:31..11:30 and
//   13:01..15:00, the forming minute last; details are ticks every three seconds.
// - K-lines: Min1..Min60 cover at least 240 bars before today's, Day and longer the last
//   300 trading days. Each stock has one ex-rights event 90 to 110 trading days back:
//   forward adjustment scales the prices before it by the event's factor, backward
//   adjustment divides the prices from it on by that factor; volumes stay as traded.
// - Information items: 0 to 3 a day per security between 07:30 and 14:50; a mine list
//   covers 30 trading days, news, announcement and report lists 60; newest first.
//   mineItemsToday without the auction leaves out the items before 09:30.
// - Movement messages come from the completed minutes of today, newest first, at most 500.
class SimulatedMarket : public MarketSource
{
public:
    // clockMs: milliseconds of a monotonic clock; the default is the real one.
    // The market opens at 10:00 of startDate's trading day when constructed and runs
    // one market second per clock second through the trading sessions.
    explicit SimulatedMarket(quint64 seed = 20261206, std::function<qint64()> clockMs = {},
                             const QDate& startDate = QDate::currentDate());
    ~SimulatedMarket() override;

    DQDDataList securityList() override;

    DQDDataList qnowForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                               qint64 checkDT, unsigned int orderBy, int start, int count, bool desc) override;
    DQDDataList qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                     qint64 checkDT, unsigned int orderBy, int start, int count,
                                     bool desc) override;
    DQDDataList qnowRanking(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types, qint64 checkDT,
                            unsigned int orderBy, int start, int count, bool desc) override;
    DQDDataList sectorsOfStock(const QString& code, qint64 checkDT, unsigned int orderBy, bool desc) override;
    DQDDataList membersOfSector(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc) override;
    DQDDataList industrySectorsOfStock(const QString& code) override;
    DQDDataList conceptSectorsOfStock(const QString& code) override;
    DQDDataList marginSectorsOfStock(const QString& code) override;

    Q_DD_Now quote(const QString& code, bool more) override;
    QVector<Q_DD_Now> quotes(const QVector<QString>& codes, qint64 checkDT, bool more) override;
    DQDDataList quoteList(const QVector<QString>& codes, qint64 checkDT, bool more, int flags) override;
    qint64 marketDateTime(const QString& code) override;

    DQDDataList kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                      qint64 checkDT) override;
    DQDDataList dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT) override;
    DQDDataList dlineDays(const Q_DD_Now& qnow, int dayCount, qint64 checkDT) override;
    DQDDataList dlineHistory(const Q_DD_Now& qnow, qint64 day, qint64 checkDT) override;
    DQDDataList detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT) override;
    DQDDataList volumeByPrice(const Q_DD_Now& qnow, qint64 checkDT) override;
    DQDDataList exRights(const Q_DD_Now& qnow, qint64 checkDT) override;
    DQDDataList announcements(const Q_DD_Now& qnow, int param, qint64 checkDT) override;
    DQDDataList news(const Q_DD_Now& qnow, int param, qint64 checkDT) override;
    DQDDataList reports(const Q_DD_Now& qnow, int param, qint64 checkDT) override;

    DQDDataList mineItemsFrom(const QString& code, qint64 time, qint64 checkDT) override;
    DQDDataList mineItemsMarked(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsAll(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsToday(const QString& code, bool includeAuction, qint64 checkDT) override;
    DQDDataList mineItemsHistory(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsSpecial(const QString& code, qint64 checkDT) override;

    DQDDataList movementsAll(const QVector<ZtE_DXJL>& types, qint64 checkDT) override;
    DQDDataList movementsOf(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                            qint64 checkDT) override;

    FormulaDataState formulaData(ZtE_FormulaDataType type, const Q_DD_Now& qnow, qint64 checkDT) override;

private:
    std::unique_ptr<SimulatedMarketPrivate> d;
};
