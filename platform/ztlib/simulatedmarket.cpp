#include "simulatedmarket.h"

// Placeholder until the generated market lands: every query answers empty.
class SimulatedMarketPrivate {};

SimulatedMarket::SimulatedMarket(quint64, std::function<qint64()>, const QDate&) : d(new SimulatedMarketPrivate) {}
SimulatedMarket::~SimulatedMarket() = default;
DQDDataList SimulatedMarket::securityList() { return {}; }
DQDDataList SimulatedMarket::qnowForMarkets(const QVector<QString>&, const QVector<ZtE_ZQLX>&, qint64, unsigned int, int, int, bool) { return {}; }
DQDDataList SimulatedMarket::qnowStaticForMarkets(const QVector<QString>&, const QVector<ZtE_ZQLX>&, qint64, unsigned int, int, int, bool) { return {}; }
DQDDataList SimulatedMarket::qnowRanking(const QVector<QString>&, const QVector<ZtE_ZQLX>&, qint64, unsigned int, int, int, bool) { return {}; }
DQDDataList SimulatedMarket::sectorsOfStock(const QString&, qint64, unsigned int, bool) { return {}; }
DQDDataList SimulatedMarket::membersOfSector(const QString&, qint64, unsigned int, bool) { return {}; }
DQDDataList SimulatedMarket::industrySectorsOfStock(const QString&) { return {}; }
DQDDataList SimulatedMarket::conceptSectorsOfStock(const QString&) { return {}; }
DQDDataList SimulatedMarket::marginSectorsOfStock(const QString&) { return {}; }
Q_DD_Now SimulatedMarket::quote(const QString&, bool) { return {}; }
QVector<Q_DD_Now> SimulatedMarket::quotes(const QVector<QString>&, qint64, bool) { return {}; }
DQDDataList SimulatedMarket::quoteList(const QVector<QString>&, qint64, bool, int) { return {}; }
qint64 SimulatedMarket::marketDateTime(const QString&) { return 0; }
DQDDataList SimulatedMarket::kline(const Q_DD_Now&, ZtE_Period, ZtE_DIVID, bool, qint64) { return {}; }
DQDDataList SimulatedMarket::dline(const Q_DD_Now&, bool, bool, qint64) { return {}; }
DQDDataList SimulatedMarket::dlineDays(const Q_DD_Now&, int, qint64) { return {}; }
DQDDataList SimulatedMarket::dlineHistory(const Q_DD_Now&, qint64, qint64) { return {}; }
DQDDataList SimulatedMarket::detail(const Q_DD_Now&, bool, qint64) { return {}; }
DQDDataList SimulatedMarket::volumeByPrice(const Q_DD_Now&, qint64) { return {}; }
DQDDataList SimulatedMarket::exRights(const Q_DD_Now&, qint64) { return {}; }
DQDDataList SimulatedMarket::announcements(const Q_DD_Now&, int, qint64) { return {}; }
DQDDataList SimulatedMarket::news(const Q_DD_Now&, int, qint64) { return {}; }
DQDDataList SimulatedMarket::reports(const Q_DD_Now&, int, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsFrom(const QString&, qint64, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsMarked(const QString&, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsAll(const QString&, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsToday(const QString&, bool, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsHistory(const QString&, qint64) { return {}; }
DQDDataList SimulatedMarket::mineItemsSpecial(const QString&, qint64) { return {}; }
DQDDataList SimulatedMarket::movementsAll(const QVector<ZtE_DXJL>&, qint64) { return {}; }
DQDDataList SimulatedMarket::movementsOf(const QVector<QString>&, const QVector<ZtE_DXJL>&, qint64) { return {}; }
FormulaDataState SimulatedMarket::formulaData(ZtE_FormulaDataType, const Q_DD_Now&, qint64) { return {}; }
