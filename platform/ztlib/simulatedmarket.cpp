#include "simulatedmarket.h"

#include "datatrans.h"
#include "simmarketcore.h"
#include "ztfields.h"

#include <QElapsedTimer>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <map>

using namespace SimMarket;

namespace {

constexpr unsigned SectorNameField = ZtField::SectorName;
constexpr unsigned SectorCodeField = ZtField::SectorCode;

constexpr int MaxMovements = 500;
constexpr int MaxDetailTicks = 200;
constexpr int MineDays = 30;
constexpr int ListDays = 60;

// Quote fields in ascending key order, so that rows grow by appending.
const unsigned quoteKeys[] = {
    ZtField::QuoteTime, ZtField::PrevClose, ZtField::Open, ZtField::LimitUp, ZtField::LimitDown, ZtField::High,
    ZtField::Low, ZtField::Last, ZtField::Volume, ZtField::Turnover, ZtField::Trades, ZtField::Average,
    20010, 20020, 20030, 20040, 20050, 20110, 20120, 20130, 20140, 20150,
    21010, 21020, 21030, 21040, 21050, 21110, 21120, 21130, 21140, 21150,
    ZtField::Change, ZtField::ChangeRatio, ZtField::Amplitude, ZtField::VolumeRatio, ZtField::PE,
    ZtField::TurnoverRate, ZtField::BidAskRatio, ZtField::Change5Min, ZtField::MarketValue, ZtField::RiseCount,
    ZtField::FallCount, ZtField::LeaderCode, ZtField::Time, ZtField::InfoMineCount,
};

void stamp(DQDDataList* list, qint64 dataTime, qint64 checkDT)
{
    list->setDataDownTime(dataTime);
    list->setDataIsUpdate(dataTime > checkDT);
    list->setDataDownValid(true);
}

DQDDataList stamped(qint64 dataTime, qint64 checkDT)
{
    DQDDataList list;
    stamp(&list, dataTime, checkDT);
    return list;
}

// A packed date-time of any accepted length as the full yyyyMMddHHmmssfff number; 0 when invalid.
qint64 fullTime(qint64 value)
{
    if (value <= 0)
        return 0;
    const QDateTime dt = DataTrans::getDateTimeFromULL(quint64(value));
    return dt.isValid() ? qint64(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(dt)) : 0;
}

QString signedPercent(double pct)
{
    return (pct > 0 ? QStringLiteral("+") : QString()) + QString::number(pct, 'f', 2) + QLatin1Char('%');
}

QString lotsText(double lots)
{
    if (lots >= 10000)
        return QString::number(lots / 10000.0, 'f', 2) + QStringLiteral("万手");
    return QString::number(qint64(lots)) + QStringLiteral("手");
}

// Volumes and turnover of one day read second by second, with running sums per minute.
class DayReader
{
public:
    DayReader(const Security& sec, const SecDay& sd) : mSec(sec), mSd(sd)
    {
        qint64 lots = sd.auctionLots;
        qint64 shareTicks = qint64(sd.auctionLots) * 100 * sd.open;
        qint64 closes = 0;
        for (int m = 0; m < MinutesPerDay; ++m) {
            mLotsBefore[size_t(m)] = lots;
            mShareTicksBefore[size_t(m)] = shareTicks;
            mClosesBefore[size_t(m)] = closes;
            lots += sd.bars[size_t(m)].lots;
            shareTicks += qint64(sd.bars[size_t(m)].lots) * 100 * sd.minuteStart(m);
            closes += sd.bars[size_t(m)].close;
        }
    }

    qint64 partialLots(int m, int k) const { return qint64(mSd.bars[size_t(m)].lots) * (k + 1) / 60; }
    qint64 shares(int t) const
    {
        if (t < 0)
            return qint64(mSd.auctionLots) * 100;
        return (mLotsBefore[size_t(t / 60)] + partialLots(t / 60, t % 60)) * 100;
    }
    qint64 shareTicks(int t) const
    {
        if (t < 0)
            return qint64(mSd.auctionLots) * 100 * mSd.open;
        const int m = t / 60;
        return mShareTicksBefore[size_t(m)] + partialLots(m, t % 60) * 100 * mSd.minuteStart(m);
    }
    // The average line: volume-weighted for stocks, the mean minute price for indices and sectors.
    double average(int t, qint32 last) const
    {
        if (mSec.isStock()) {
            const qint64 v = shares(t);
            return v > 0 ? double(shareTicks(t)) / double(v) / mSec.tickDiv : double(last) / mSec.tickDiv;
        }
        if (t < 0)
            return double(mSd.open) / mSec.tickDiv;
        const int m = t / 60;
        return double(mClosesBefore[size_t(m)] + last) / (m + 1) / mSec.tickDiv;
    }

private:
    const Security& mSec;
    const SecDay& mSd;
    std::array<qint64, MinutesPerDay> mLotsBefore{};
    std::array<qint64, MinutesPerDay> mShareTicksBefore{};
    std::array<qint64, MinutesPerDay> mClosesBefore{};
};

}

namespace SimMarket {

struct Candle
{
    int day = 0;
    qint64 time = 0;
    qint32 open = 0;
    qint32 high = 0;
    qint32 low = 0;
    qint32 close = 0;
    qint32 prev = 0;
    qint64 volume = 0;
    double turnover = 0;
};

struct MarketNow
{
    int day = 0;
    int t = 0;          // trading second of the day
    qint64 ymd = 0;
    qint64 stamp = 0;   // packed market time
};

struct Snapshot
{
    int day = 0;
    int t = 0;
    qint64 stamp = 0;
    std::vector<QuoteState> quotes;
};

}

class SimulatedMarketPrivate
{
public:
    SimulatedMarketPrivate(quint64 seed, std::function<qint64()> clockMs, const QDate& startDate);

    MarketNow now() const;
    std::shared_ptr<const DayPaths> dayPaths(int day);
    std::shared_ptr<const Snapshot> snapshot(const MarketNow& n);
    std::shared_ptr<const Snapshot> openSnapshot(int day);

    int secOf(const QString& code) const { return u.find(code.trimmed().toUpper()); }
    int secOf(const Q_DD_Now& qnow) const { return qnow.isEmpty() ? -1 : secOf(qnow.getUniqueValue(0)); }
    SecDay secDay(int s, int day) const;

    QVariant field(unsigned key, int s, const QuoteState& q, qint64 quoteTime) const;
    DQDUnionReader quoteRow(int s, const QuoteState& q, qint64 quoteTime) const;
    void sortIds(QVector<int>* ids, unsigned orderBy, bool desc, const Snapshot& snap) const;
    DQDDataList quoteRows(const QVector<int>& ids, const Snapshot& snap, qint64 checkDT) const;
    DQDDataList marketWindow(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types, qint64 checkDT,
                             unsigned orderBy, int start, int count, bool desc, bool openOnly);
    DQDDataList sectorRows(const QVector<int>& sectors);

    void appendMinuteRows(DQDDataList* list, int s, const SecDay& sd, int day, int lastT) const;
    void dailyCandles(int s, const MarketNow& n, std::vector<Candle>* out);
    void minuteCandles(int s, const MarketNow& n, int minutesPerBar, std::vector<Candle>* out) const;
    double adjustment(int s, int day, ZtE_DIVID divid) const;

    struct Tick
    {
        int t;
        qint32 price;
        qint64 volume;
        int direction;
    };
    QVector<Tick> ticks(int s, const SecDay& sd, int day, int lastT, int maxTicks) const;

    QVector<Item> items(int s, const MarketNow& n, int days) const;
    DQDDataList itemRows(const QVector<Item>& items, qint64 checkDT, qint64 dataTime) const;
    DQDDataList movements(const QSet<int>* secs, const QVector<ZtE_DXJL>& types, qint64 checkDT);

    const quint64 seed;
    const std::function<qint64()> clock;
    const qint64 clock0;
    const Calendar calendar;
    Universe u;
    std::unique_ptr<CloseTable> closes;
    DQDDataList securities;

    std::mutex pathsMutex;
    std::map<int, std::shared_ptr<const DayPaths>> paths;
    std::mutex snapMutex;
    std::shared_ptr<const Snapshot> live;
    std::shared_ptr<const Snapshot> opening;
    std::mutex historyMutex;
    QHash<int, std::shared_ptr<const std::vector<Candle>>> history;
};

namespace {

std::function<qint64()> realClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}

}

SimulatedMarketPrivate::SimulatedMarketPrivate(quint64 s, std::function<qint64()> clockMs, const QDate& startDate)
    : seed(s),
      clock(clockMs ? std::move(clockMs) : realClock()),
      clock0(clock()),
      calendar(startDate.isValid() ? startDate : QDate::currentDate())
{
    u.build(seed);
    closes = std::make_unique<CloseTable>(&u, seed, -HistoryDays, 0);
    securities.reserve(u.listOrder.size());
    for (int i : u.listOrder)
        securities.append(u.secs.at(i).row);
    stamp(&securities, packed(calendar.ymd(0), 92500), 0);
}

MarketNow SimulatedMarketPrivate::now() const
{
    // The market starts at 10:00 of day 0 and runs one second per clock second through the sessions.
    const qint64 elapsed = qMax<qint64>(0, clock() - clock0);
    const qint64 tradingSecond = 1800 + elapsed / 1000;
    MarketNow n;
    n.day = int(tradingSecond / SecondsPerDay);
    n.t = int(tradingSecond % SecondsPerDay);
    n.ymd = calendar.ymd(n.day);
    n.stamp = packed(n.ymd, secondClock(n.t));
    return n;
}

SecDay SimulatedMarketPrivate::secDay(int s, int day) const
{
    SecDay sd;
    generateDay(u.secs.at(s), seed, s, day, closes->prevClose(s, day), closes->close(s, day), &sd);
    return sd;
}

std::shared_ptr<const DayPaths> SimulatedMarketPrivate::dayPaths(int day)
{
    std::lock_guard<std::mutex> lock(pathsMutex);
    const auto it = paths.find(day);
    if (it != paths.end())
        return it->second;

    auto p = std::make_shared<DayPaths>();
    p->day = day;
    p->ymd = calendar.ymd(day);
    const int n = u.secs.size();
    std::vector<qint32> prev;
    std::vector<qint32> close;
    p->avgDailyShares.assign(size_t(n), 0.0);
    for (int back = 1; back <= 5; ++back) {
        closes->dayPair(day - back, &prev, &close);
        for (int s = 0; s < n; ++s)
            p->avgDailyShares[size_t(s)] += dailyShares(u.secs.at(s), seed, s, day - back, prev[size_t(s)], close[size_t(s)]) / 5;
    }
    closes->dayPair(day, &prev, &close);
    p->secs.resize(size_t(n));
    p->mineClock.resize(size_t(n));
    for (int s = 0; s < n; ++s) {
        generateDay(u.secs.at(s), seed, s, day, prev[size_t(s)], close[size_t(s)], &p->secs[size_t(s)]);
        itemClocks(u, seed, s, day, &p->mineClock[size_t(s)]);
        findMovements(u.secs.at(s), p->secs[size_t(s)], s, &p->movements);
    }
    std::stable_sort(p->movements.begin(), p->movements.end(),
                     [](const Movement& a, const Movement& b) { return a.minute < b.minute; });

    // Two days are enough: today's, and yesterday's while a slow reader still asks for it.
    while (paths.size() >= 2)
        paths.erase(paths.begin());
    paths.emplace(day, p);
    return p;
}

namespace {

void fillSnapshot(const Universe& u, const DayPaths& p, quint64 seed, Snapshot* snap)
{
    const int n = u.secs.size();
    snap->quotes.resize(size_t(n));
    const int clockNow = snap->t < 0 ? 92500 : secondClock(snap->t);
    for (int s = 0; s < n; ++s) {
        QuoteState& q = snap->quotes[size_t(s)];
        quoteAt(u.secs.at(s), p.secs[size_t(s)], seed, s, p.day, snap->t, p.avgDailyShares[size_t(s)], &q);
        for (int c : p.mineClock[size_t(s)]) {
            if (c > 0 && c <= clockNow)
                ++q.mines;
        }
    }
    for (int s = 0; s < n; ++s) {
        const QVector<int>& members = u.members.at(s);
        if (members.isEmpty())
            continue;
        QuoteState& q = snap->quotes[size_t(s)];
        double best = -1e9;
        for (int m : members) {
            const QuoteState& mq = snap->quotes[size_t(m)];
            if (mq.last > mq.prev)
                ++q.rise;
            else if (mq.last < mq.prev)
                ++q.fall;
            const double pct = double(mq.last - mq.prev) / mq.prev;
            if (pct > best) {
                best = pct;
                q.leader = m;
            }
        }
    }
}

}

std::shared_ptr<const Snapshot> SimulatedMarketPrivate::snapshot(const MarketNow& n)
{
    std::lock_guard<std::mutex> lock(snapMutex);
    if (live && live->day == n.day && live->t == n.t)
        return live;
    auto snap = std::make_shared<Snapshot>();
    snap->day = n.day;
    snap->t = n.t;
    snap->stamp = n.stamp;
    fillSnapshot(u, *dayPaths(n.day), seed, snap.get());
    live = snap;
    return live;
}

std::shared_ptr<const Snapshot> SimulatedMarketPrivate::openSnapshot(int day)
{
    std::lock_guard<std::mutex> lock(snapMutex);
    if (opening && opening->day == day)
        return opening;
    auto snap = std::make_shared<Snapshot>();
    snap->day = day;
    snap->t = -1;
    snap->stamp = packed(calendar.ymd(day), 92500);
    fillSnapshot(u, *dayPaths(day), seed, snap.get());
    opening = snap;
    return opening;
}

QVariant SimulatedMarketPrivate::field(unsigned key, int s, const QuoteState& q, qint64 quoteTime) const
{
    const Security& sec = u.secs.at(s);
    const bool stock = sec.isStock();
    const double div = sec.tickDiv;
    auto price = [div](qint32 ticks) { return QVariant(double(ticks) / div); };
    if (key >= 20010 && key <= 21150) {
        if (!stock)
            return QVariant();
        const bool sell = key >= 21010;
        const unsigned rel = key - (sell ? 21010 : 20010);
        const bool volume = rel >= 100;
        const int level = int((rel % 100) / 10);
        if (rel % 10 != 0 || level > 4 || level >= (sell ? q.book.sellLevels : q.book.buyLevels))
            return QVariant();
        if (volume)
            return sell ? q.book.sellVolume[size_t(level)] : q.book.buyVolume[size_t(level)];
        return price(sell ? q.book.sellPrice[size_t(level)] : q.book.buyPrice[size_t(level)]);
    }
    switch (key) {
    case ZtField::QuoteTime:
    case ZtField::Time:
        return quoteTime;
    case ZtField::PrevClose: return price(q.prev);
    case ZtField::Open: return price(q.open);
    case ZtField::LimitUp: return stock ? price(q.limitUp) : QVariant();
    case ZtField::LimitDown: return stock ? price(q.limitDown) : QVariant();
    case ZtField::High: return price(q.high);
    case ZtField::Low: return price(q.low);
    case ZtField::Last: return price(q.last);
    case ZtField::Volume: return q.volume;
    case ZtField::Turnover: return q.turnover;
    case ZtField::Trades:
        return stock ? QVariant(qint64((q.volume + sec.tradeSize - 1) / sec.tradeSize)) : QVariant();
    case ZtField::Average: return q.average;
    case ZtField::Change: return double(q.last - q.prev) / div;
    case ZtField::ChangeRatio: return double(q.last - q.prev) * 100.0 / q.prev;
    case ZtField::Amplitude: return double(q.high - q.low) * 100.0 / q.prev;
    case ZtField::VolumeRatio: return q.volumeRatio;
    case ZtField::PE: return stock ? QVariant(double(q.last) / div / sec.eps) : QVariant();
    case ZtField::TurnoverRate: return stock ? QVariant(double(q.volume) * 100.0 / sec.floatShares) : QVariant();
    case ZtField::BidAskRatio: {
        if (!stock)
            return QVariant();
        qint64 bid = 0;
        qint64 ask = 0;
        for (int i = 0; i < q.book.buyLevels; ++i)
            bid += q.book.buyVolume[size_t(i)];
        for (int i = 0; i < q.book.sellLevels; ++i)
            ask += q.book.sellVolume[size_t(i)];
        return bid + ask > 0 ? double(bid - ask) * 100.0 / double(bid + ask) : 0.0;
    }
    case ZtField::Change5Min: return double(q.last - q.last5) * 100.0 / q.last5;
    case ZtField::MarketValue: return stock ? QVariant(double(q.last) / div * sec.totalShares) : QVariant();
    case ZtField::RiseCount: return u.members.at(s).isEmpty() ? QVariant() : QVariant(q.rise);
    case ZtField::FallCount: return u.members.at(s).isEmpty() ? QVariant() : QVariant(q.fall);
    case ZtField::LeaderCode:
        return sec.kind == Kind::Sector && q.leader >= 0 ? QVariant(u.secs.at(q.leader).unique) : QVariant();
    case ZtField::InfoMineCount: return q.mines;
    default:
        return sec.row.hasValue(key) ? sec.row.getValue(key) : QVariant();
    }
}

DQDUnionReader SimulatedMarketPrivate::quoteRow(int s, const QuoteState& q, qint64 quoteTime) const
{
    DQDUnionReader row = u.secs.at(s).row;
    for (unsigned key : quoteKeys) {
        const QVariant v = field(key, s, q, quoteTime);
        if (v.isValid())
            row.setValue(key, v);
    }
    return row;
}

void SimulatedMarketPrivate::sortIds(QVector<int>* ids, unsigned orderBy, bool desc, const Snapshot& snap) const
{
    const unsigned key = orderBy == 0 ? ZtField::Code : orderBy;
    struct Entry
    {
        double number;
        int rank;   // code order breaks ties
        int s;
        int text;   // index into texts for text fields
        bool missing;
    };
    std::vector<Entry> entries;
    std::vector<QString> texts;
    entries.reserve(size_t(ids->size()));
    for (int s : *ids) {
        const QVariant v = field(key, s, snap.quotes[size_t(s)], snap.stamp);
        Entry e{0.0, u.codeRank.at(s), s, -1, !v.isValid()};
        if (v.userType() == QMetaType::QString) {
            e.text = int(texts.size());
            texts.push_back(v.toString());
        } else if (v.isValid()) {
            e.number = v.toDouble();
        }
        entries.push_back(e);
    }
    // Values the security does not have sort last either way; ties go by code, then market.
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.missing != b.missing)
            return b.missing;
        if (!a.missing) {
            if (a.text >= 0 && b.text >= 0) {
                const int c = texts[size_t(a.text)].compare(texts[size_t(b.text)]);
                if (c != 0)
                    return desc ? c > 0 : c < 0;
            } else if (a.number != b.number) {
                return desc ? a.number > b.number : a.number < b.number;
            }
        }
        return a.rank < b.rank;
    });
    for (int i = 0; i < ids->size(); ++i)
        (*ids)[i] = entries[size_t(i)].s;
}

DQDDataList SimulatedMarketPrivate::quoteRows(const QVector<int>& ids, const Snapshot& snap, qint64 checkDT) const
{
    DQDDataList list = stamped(snap.stamp, checkDT);
    list.reserve(ids.size());
    for (int s : ids)
        list.append(quoteRow(s, snap.quotes[size_t(s)], snap.stamp));
    return list;
}

DQDDataList SimulatedMarketPrivate::marketWindow(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                                 qint64 checkDT, unsigned orderBy, int start, int count, bool desc,
                                                 bool openOnly)
{
    const MarketNow n = now();
    const std::shared_ptr<const Snapshot> snap = openOnly ? openSnapshot(n.day) : snapshot(n);
    QVector<int> ids;
    if (!markets.isEmpty() && !types.isEmpty()) {
        QSet<QString> marketSet;
        for (const QString& m : markets)
            marketSet.insert(m.trimmed().toUpper());
        for (int s = 0; s < u.secs.size(); ++s) {
            const Security& sec = u.secs.at(s);
            if (marketSet.contains(sec.market) && types.contains(sec.type))
                ids.append(s);
        }
    }
    sortIds(&ids, orderBy, desc, *snap);
    start = qMax(0, start);
    const int end = count > 0 ? int(qMin<qint64>(ids.size(), qint64(start) + count)) : start;
    DQDDataList list = quoteRows(start < end ? ids.mid(start, end - start) : QVector<int>(), *snap, checkDT);
    // Where these rows sit in the whole list, so a grid can scroll through all of it.
    list.setDataWindow(start, ids.size());
    return list;
}

DQDDataList SimulatedMarketPrivate::sectorRows(const QVector<int>& sectors)
{
    DQDDataList list = stamped(packed(now().ymd, 92500), 0);
    for (int s : sectors) {
        DQDUnionReader row = u.secs.at(s).row;
        row.setValue(SectorNameField, u.secs.at(s).name);
        row.setValue(SectorCodeField, u.secs.at(s).unique);
        list.append(row);
    }
    return list;
}

void SimulatedMarketPrivate::appendMinuteRows(DQDDataList* list, int s, const SecDay& sd, int day, int lastT) const
{
    const Security& sec = u.secs.at(s);
    const DayReader reader(sec, sd);
    const qint64 ymd = calendar.ymd(day);
    const quint64 splitBase = hashOf(seed, StreamSplit, quint64(s), dayKey(day));
    const int lastMinute = lastT / 60;
    for (int m = 0; m <= lastMinute; ++m) {
        const int t = m == lastMinute ? lastT : m * 60 + 59;
        const qint32 price = secondPrice(sd, t);
        const qint64 volume = reader.partialLots(m, t % 60) * 100;
        const qint32 start = sd.minuteStart(m);
        // Rising minutes trade mostly at the ask, falling ones at the bid.
        const double r = unit(hashOf(splitBase, quint64(m)));
        const double buyShare = price > start ? 0.55 + 0.3 * r : price < start ? 0.15 + 0.3 * r : 0.4 + 0.2 * r;
        const qint64 buy = std::llround(volume / 100 * buyShare) * 100;
        DQDUnionReader row;
        row.setValue(ZtField::Time, packed(ymd, minuteLabel(m) * 100));
        row.setValue(ZtField::Price, double(price) / sec.tickDiv);
        row.setValue(ZtField::BuyVolume, buy);
        row.setValue(ZtField::SellVolume, volume - buy);
        row.setValue(ZtField::SeriesVolume, volume);
        row.setValue(ZtField::SeriesTurnover,
                     double(reader.shareTicks(t) - reader.shareTicks(m * 60 - 1)) * sec.turnoverScale);
        row.setValue(ZtField::AvgPrice, reader.average(t, price));
        list->append(row);
    }
}

double SimulatedMarketPrivate::adjustment(int s, int day, ZtE_DIVID divid) const
{
    const Security& sec = u.secs.at(s);
    if (divid == ZtE_DIVID_None || sec.exDay == INT_MIN || sec.exDay <= closes->firstDay())
        return 1.0;
    const qint32 before = closes->close(s, sec.exDay - 1);
    const double f = double(exRightsReference(sec, before)) / double(before);
    if (divid == ZtE_DIVID_Forward)
        return day < sec.exDay ? f : 1.0;
    if (divid == ZtE_DIVID_Backward)
        return day >= sec.exDay ? 1.0 / f : 1.0;
    return 1.0;
}

void SimulatedMarketPrivate::dailyCandles(int s, const MarketNow& n, std::vector<Candle>* out)
{
    const Security& sec = u.secs.at(s);
    const int first = closes->firstDay();
    const int want = n.day - first;  // past days first .. n.day - 1
    std::shared_ptr<const std::vector<Candle>> cached;
    {
        std::lock_guard<std::mutex> lock(historyMutex);
        cached = history.value(s);
    }
    // Past days never change, so a security's history is computed once and then only extended.
    if (!cached || int(cached->size()) < want) {
        auto grown = std::make_shared<std::vector<Candle>>(cached ? *cached : std::vector<Candle>());
        for (int d = first + int(grown->size()); d < n.day; ++d) {
            const SecDay sd = secDay(s, d);
            Candle c;
            c.day = d;
            c.time = packed(calendar.ymd(d), 0);
            c.open = sd.open;
            c.high = sd.open;
            c.low = sd.open;
            for (const MinuteBar& bar : sd.bars) {
                c.high = qMax(c.high, bar.high);
                c.low = qMin(c.low, bar.low);
            }
            c.close = sd.close;
            c.prev = sd.prev;
            const DayReader reader(sec, sd);
            c.volume = reader.shares(SecondsPerDay - 1);
            c.turnover = double(reader.shareTicks(SecondsPerDay - 1)) * sec.turnoverScale;
            grown->push_back(c);
        }
        std::lock_guard<std::mutex> lock(historyMutex);
        if (history.size() > 512)
            history.clear();
        history.insert(s, grown);
        cached = grown;
    }
    out->assign(cached->begin(), cached->begin() + want);

    const SecDay sd = secDay(s, n.day);
    QuoteState q;
    quoteAt(sec, sd, seed, s, n.day, n.t, 0, &q);
    Candle today;
    today.day = n.day;
    today.time = packed(n.ymd, 0);
    today.open = q.open;
    today.high = q.high;
    today.low = q.low;
    today.close = q.last;
    today.prev = q.prev;
    today.volume = q.volume;
    today.turnover = q.turnover;
    out->push_back(today);
}

void SimulatedMarketPrivate::minuteCandles(int s, const MarketNow& n, int minutesPerBar, std::vector<Candle>* out) const
{
    const Security& sec = u.secs.at(s);
    // Enough past days for at least 240 bars before today's.
    const int fromDay = qMax(closes->firstDay(), n.day - minutesPerBar);
    for (int d = fromDay; d <= n.day; ++d) {
        const SecDay sd = secDay(s, d);
        const DayReader reader(sec, sd);
        const qint64 ymd = calendar.ymd(d);
        const int lastT = d == n.day ? n.t : SecondsPerDay - 1;
        const int lastMinute = lastT / 60;
        qint32 prev = sd.prev;
        for (int m0 = 0; m0 <= lastMinute; m0 += minutesPerBar) {
            const int m1 = qMin(m0 + minutesPerBar - 1, lastMinute);
            const int tEnd = m1 == lastMinute ? lastT : m1 * 60 + 59;
            Candle c;
            c.day = d;
            c.time = packed(ymd, minuteLabel(m0 + minutesPerBar - 1) * 100);
            c.open = sd.minuteStart(m0);
            c.high = c.open;
            c.low = c.open;
            for (int m = m0; m <= m1; ++m) {
                qint32 hi = sd.bars[size_t(m)].high;
                qint32 lo = sd.bars[size_t(m)].low;
                if (m == lastMinute && tEnd % 60 != 59)
                    minuteExtremes(sd, m, tEnd % 60, &hi, &lo);
                c.high = qMax(c.high, hi);
                c.low = qMin(c.low, lo);
            }
            c.close = secondPrice(sd, tEnd);
            c.prev = prev;
            // The opening auction counts into the first bar of the day.
            const int tBefore = m0 * 60 - 1;
            c.volume = reader.shares(tEnd) - (m0 == 0 ? 0 : reader.shares(tBefore));
            c.turnover = double(reader.shareTicks(tEnd) - (m0 == 0 ? 0 : reader.shareTicks(tBefore))) * sec.turnoverScale;
            out->push_back(c);
            prev = c.close;
        }
    }
}

QVector<SimulatedMarketPrivate::Tick> SimulatedMarketPrivate::ticks(int s, const SecDay& sd, int day, int lastT,
                                                                    int maxTicks) const
{
    const DayReader reader(u.secs.at(s), sd);
    QVector<Tick> newestFirst;
    // Ticks every three seconds (..:02, ..:05, ...), and one at the current second.
    int t = lastT;
    qint64 after = reader.shares(t);
    while (t >= 0 && (maxTicks <= 0 || newestFirst.size() < maxTicks)) {
        const int before = qMax(-1, t % 3 == 2 ? t - 3 : t - (t % 3 + 1));
        const qint64 sharesBefore = reader.shares(before);
        if (after > sharesBefore) {
            const qint32 price = secondPrice(sd, t);
            const qint32 previous = secondPrice(sd, before);
            int direction = price > previous ? 1 : price < previous ? -1 : 0;
            if (direction == 0)
                direction = (hashOf(seed, StreamTickSide, quint64(s), quint64(t)) & 1) ? 1 : -1;
            newestFirst.append(Tick{t, price, after - sharesBefore, direction});
        }
        t = before;
        after = sharesBefore;
    }
    if (t < 0 && after > 0 && (maxTicks <= 0 || newestFirst.size() < maxTicks))
        newestFirst.append(Tick{-1, sd.open, after, 0});
    std::reverse(newestFirst.begin(), newestFirst.end());
    return newestFirst;
}

QVector<Item> SimulatedMarketPrivate::items(int s, const MarketNow& n, int days) const
{
    QVector<Item> all;
    for (int d = n.day - days + 1; d <= n.day; ++d) {
        for (const Item& item : itemsOfDay(u, seed, s, d, calendar.date(d))) {
            if (item.time <= n.stamp)
                all.append(item);
        }
    }
    std::reverse(all.begin(), all.end());
    return all;
}

DQDDataList SimulatedMarketPrivate::itemRows(const QVector<Item>& items, qint64 checkDT, qint64 dataTime) const
{
    DQDDataList list = stamped(dataTime, checkDT);
    for (const Item& item : items) {
        DQDUnionReader row;
        row.setValue(ZtField::ItemId, item.id);
        row.setValue(ZtField::ItemType, itemTypeText(item.kind));
        row.setValue(ZtField::ItemTitle, item.title);
        row.setValue(ZtField::ItemTime, item.time);
        row.setValue(ZtField::ItemDate, item.date);
        row.setValue(ZtField::ItemSource, item.source);
        row.setValue(ZtField::ItemMarked, item.marked ? 1 : 0);
        list.append(row);
    }
    return list;
}

DQDDataList SimulatedMarketPrivate::movements(const QSet<int>* secs, const QVector<ZtE_DXJL>& types, qint64 checkDT)
{
    const MarketNow n = now();
    DQDDataList list = stamped(n.stamp, checkDT);
    if (types.isEmpty() || (secs && secs->isEmpty()))
        return list;
    const std::shared_ptr<const DayPaths> p = dayPaths(n.day);
    // A minute's messages appear once the minute is over.
    const int complete = n.t / 60;
    const auto end = std::partition_point(p->movements.begin(), p->movements.end(),
                                          [complete](const Movement& mv) { return mv.minute < complete; });
    for (auto it = end; it != p->movements.begin() && list.count() < MaxMovements;) {
        --it;
        if (!types.contains(ZtE_DXJL(it->type)) || (secs && !secs->contains(it->sec)))
            continue;
        const Security& sec = u.secs.at(it->sec);
        const bool volumeMessage = it->type == ZtE_DXJL_BigBuy || it->type == ZtE_DXJL_BigSell;
        DQDUnionReader row;
        row.setValue(ZtField::MsgTime, packed(p->ymd, minuteLabel(it->minute) * 100));
        row.setValue(ZtField::MsgCode, sec.unique);
        row.setValue(ZtField::MsgText1, sec.name);
        row.setValue(ZtField::MsgText2, volumeMessage ? lotsText(it->value) : signedPercent(it->value));
        row.setValue(ZtField::MsgType, int(it->type));
        row.setValue(ZtField::MsgDirection, int(it->direction));
        list.append(row);
    }
    return list;
}

// ---- SimulatedMarket

SimulatedMarket::SimulatedMarket(quint64 seed, std::function<qint64()> clockMs, const QDate& startDate)
    : d(new SimulatedMarketPrivate(seed, std::move(clockMs), startDate))
{
}

SimulatedMarket::~SimulatedMarket() = default;

DQDDataList SimulatedMarket::securityList()
{
    return d->securities;
}

DQDDataList SimulatedMarket::qnowForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                            qint64 checkDT, unsigned int orderBy, int start, int count, bool desc)
{
    return d->marketWindow(markets, types, checkDT, orderBy, start, count, desc, false);
}

DQDDataList SimulatedMarket::qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                                  qint64 checkDT, unsigned int orderBy, int start, int count,
                                                  bool desc)
{
    return d->marketWindow(markets, types, checkDT, orderBy, start, count, desc, true);
}

DQDDataList SimulatedMarket::qnowRanking(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                         qint64 checkDT, unsigned int orderBy, int start, int count, bool desc)
{
    return d->marketWindow(markets, types, checkDT, orderBy, start, count, desc, false);
}

DQDDataList SimulatedMarket::sectorsOfStock(const QString& code, qint64 checkDT, unsigned int orderBy, bool desc)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0 || !d->u.secs.at(s).isStock())
        return stamped(n.stamp, checkDT);
    QVector<int> ids;
    ids.append(d->u.industryOf.at(s));
    ids += d->u.conceptsOf.at(s);
    if (d->u.secs.at(s).marginable)
        ids.append(d->u.marginSector);
    const auto snap = d->snapshot(n);
    d->sortIds(&ids, orderBy, desc, *snap);
    return d->quoteRows(ids, *snap, checkDT);
}

DQDDataList SimulatedMarket::membersOfSector(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc)
{
    const MarketNow n = d->now();
    const int s = d->secOf(bkCode);
    if (s < 0 || d->u.members.at(s).isEmpty())
        return stamped(n.stamp, checkDT);
    QVector<int> ids = d->u.members.at(s);
    const auto snap = d->snapshot(n);
    d->sortIds(&ids, orderBy, desc, *snap);
    return d->quoteRows(ids, *snap, checkDT);
}

DQDDataList SimulatedMarket::industrySectorsOfStock(const QString& code)
{
    const int s = d->secOf(code);
    if (s < 0 || !d->u.secs.at(s).isStock())
        return d->sectorRows({});
    return d->sectorRows({d->u.industryOf.at(s)});
}

DQDDataList SimulatedMarket::conceptSectorsOfStock(const QString& code)
{
    const int s = d->secOf(code);
    if (s < 0 || !d->u.secs.at(s).isStock())
        return d->sectorRows({});
    return d->sectorRows(d->u.conceptsOf.at(s));
}

DQDDataList SimulatedMarket::marginSectorsOfStock(const QString& code)
{
    const int s = d->secOf(code);
    if (s < 0 || !d->u.secs.at(s).marginable)
        return d->sectorRows({});
    return d->sectorRows({d->u.marginSector});
}

Q_DD_Now SimulatedMarket::quote(const QString& code, bool)
{
    const int s = d->secOf(code);
    if (s < 0)
        return Q_DD_Now();
    const auto snap = d->snapshot(d->now());
    return Q_DD_Now(d->quoteRow(s, snap->quotes[size_t(s)], snap->stamp));
}

QVector<Q_DD_Now> SimulatedMarket::quotes(const QVector<QString>& codes, qint64, bool)
{
    QVector<Q_DD_Now> out;
    if (codes.isEmpty())
        return out;
    const auto snap = d->snapshot(d->now());
    for (const QString& code : codes) {
        const int s = d->secOf(code);
        if (s >= 0)
            out.append(Q_DD_Now(d->quoteRow(s, snap->quotes[size_t(s)], snap->stamp)));
    }
    return out;
}

DQDDataList SimulatedMarket::quoteList(const QVector<QString>& codes, qint64 checkDT, bool, int)
{
    const auto snap = d->snapshot(d->now());
    QVector<int> ids;
    for (const QString& code : codes) {
        const int s = d->secOf(code);
        if (s >= 0)
            ids.append(s);
    }
    return d->quoteRows(ids, *snap, checkDT);
}

qint64 SimulatedMarket::marketDateTime(const QString&)
{
    return d->now().stamp;
}

DQDDataList SimulatedMarket::kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(n.stamp, checkDT);
    const int s = d->secOf(qnow);
    if (s < 0)
        return list;
    std::vector<Candle> candles;
    switch (period) {
    case ZtE_Period_Min1: d->minuteCandles(s, n, 1, &candles); break;
    case ZtE_Period_Min5: d->minuteCandles(s, n, 5, &candles); break;
    case ZtE_Period_Min15: d->minuteCandles(s, n, 15, &candles); break;
    case ZtE_Period_Min30: d->minuteCandles(s, n, 30, &candles); break;
    case ZtE_Period_Min60: d->minuteCandles(s, n, 60, &candles); break;
    case ZtE_Period_Day:
    case ZtE_Period_Week:
    case ZtE_Period_Month:
    case ZtE_Period_Quarter:
    case ZtE_Period_Year: d->dailyCandles(s, n, &candles); break;
    default: return list;
    }

    for (Candle& c : candles) {
        const double f = d->adjustment(s, c.day, divid);
        if (f != 1.0) {
            for (qint32* p : {&c.open, &c.high, &c.low, &c.close, &c.prev})
                *p = qint32(std::llround(*p * f));
        }
    }

    if (period >= ZtE_Period_Week && period <= ZtE_Period_Year) {
        auto groupOf = [&](int day) {
            const QDate date = d->calendar.date(day);
            switch (period) {
            case ZtE_Period_Week: {
                int year = 0;
                const int week = date.weekNumber(&year);
                return year * 100 + week;
            }
            case ZtE_Period_Month: return date.year() * 100 + date.month();
            case ZtE_Period_Quarter: return date.year() * 10 + (date.month() - 1) / 3;
            default: return date.year();
            }
        };
        std::vector<Candle> merged;
        int group = INT_MIN;
        for (const Candle& c : candles) {
            const int g = groupOf(c.day);
            if (merged.empty() || g != group) {
                merged.push_back(c);
                group = g;
                continue;
            }
            Candle& m = merged.back();
            m.day = c.day;
            m.time = c.time;
            m.high = qMax(m.high, c.high);
            m.low = qMin(m.low, c.low);
            m.close = c.close;
            m.volume += c.volume;
            m.turnover += c.turnover;
        }
        candles.swap(merged);
    }

    const double div = d->u.secs.at(s).tickDiv;
    list.reserve(int(candles.size()));
    for (const Candle& c : candles) {
        DQDUnionReader row;
        row.setValue(ZtField::Time, c.time);
        row.setValue(ZtField::KOpen, c.open / div);
        row.setValue(ZtField::KHigh, c.high / div);
        row.setValue(ZtField::KLow, c.low / div);
        row.setValue(ZtField::KClose, c.close / div);
        row.setValue(ZtField::KVolume, c.volume);
        row.setValue(ZtField::KTurnover, c.turnover);
        row.setValue(ZtField::KPrevClose, c.prev / div);
        list.append(row);
    }
    return list;
}

DQDDataList SimulatedMarket::dline(const Q_DD_Now& qnow, bool includeAuction, bool, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(n.stamp, checkDT);
    const int s = d->secOf(qnow);
    if (s < 0)
        return list;
    const Security& sec = d->u.secs.at(s);
    const SecDay sd = d->secDay(s, n.day);
    if (includeAuction) {
        const qint64 volume = qint64(sd.auctionLots) * 100;
        const qint64 buy = volume / 200 * 100;
        DQDUnionReader row;
        row.setValue(ZtField::Time, packed(n.ymd, 92500));
        row.setValue(ZtField::Price, double(sd.open) / sec.tickDiv);
        row.setValue(ZtField::BuyVolume, buy);
        row.setValue(ZtField::SellVolume, volume - buy);
        row.setValue(ZtField::SeriesVolume, volume);
        row.setValue(ZtField::SeriesTurnover, double(volume) * sd.open * sec.turnoverScale);
        row.setValue(ZtField::AvgPrice, double(sd.open) / sec.tickDiv);
        list.append(row);
    }
    d->appendMinuteRows(&list, s, sd, n.day, n.t);
    return list;
}

DQDDataList SimulatedMarket::dlineDays(const Q_DD_Now& qnow, int dayCount, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(n.stamp, checkDT);
    const int s = d->secOf(qnow);
    if (s < 0 || dayCount <= 0)
        return list;
    dayCount = qMin(dayCount, 10);
    for (int day = n.day - dayCount + 1; day <= n.day; ++day)
        d->appendMinuteRows(&list, s, d->secDay(s, day), day, day == n.day ? n.t : SecondsPerDay - 1);
    return list;
}

DQDDataList SimulatedMarket::dlineHistory(const Q_DD_Now& qnow, qint64 day, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(qnow);
    const int ymd = day > 0 ? DataTrans::datePart(quint64(day)) : 0;
    const QDate date(ymd / 10000, (ymd / 100) % 100, ymd % 100);
    int index = 0;
    if (s < 0 || !date.isValid() || !d->calendar.dayOf(date, &index) || index >= n.day
        || index < d->closes->firstDay())
        return stamped(n.stamp, checkDT);
    DQDDataList list = stamped(packed(ymd, 150000), checkDT);
    d->appendMinuteRows(&list, s, d->secDay(s, index), index, SecondsPerDay - 1);
    return list;
}

DQDDataList SimulatedMarket::detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(n.stamp, checkDT);
    const int s = d->secOf(qnow);
    if (s < 0)
        return list;
    const double div = d->u.secs.at(s).tickDiv;
    QVector<SimulatedMarketPrivate::Tick> ticks = d->ticks(s, d->secDay(s, n.day), n.day, n.t, MaxDetailTicks);
    if (newestFirst)
        std::reverse(ticks.begin(), ticks.end());
    for (const auto& tick : ticks) {
        DQDUnionReader row;
        row.setValue(ZtField::Time, packed(n.ymd, tick.t < 0 ? 92500 : secondClock(tick.t)));
        row.setValue(ZtField::Price, tick.price / div);
        row.setValue(ZtField::DetailPrice, tick.price / div);
        row.setValue(ZtField::Direction, tick.direction);
        row.setValue(ZtField::SeriesVolume, tick.volume);
        list.append(row);
    }
    return list;
}

DQDDataList SimulatedMarket::volumeByPrice(const Q_DD_Now& qnow, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(n.stamp, checkDT);
    const int s = d->secOf(qnow);
    if (s < 0)
        return list;
    QMap<qint32, QPair<qint64, qint64>> levels;
    for (const auto& tick : d->ticks(s, d->secDay(s, n.day), n.day, n.t, 0)) {
        QPair<qint64, qint64>& level = levels[tick.price];
        if (tick.direction > 0) {
            level.first += tick.volume;
        } else if (tick.direction < 0) {
            level.second += tick.volume;
        } else {
            const qint64 buy = tick.volume / 200 * 100;
            level.first += buy;
            level.second += tick.volume - buy;
        }
    }
    const double div = d->u.secs.at(s).tickDiv;
    for (auto it = levels.constEnd(); it != levels.constBegin();) {
        --it;
        DQDUnionReader row;
        row.setValue(ZtField::DetailPrice, it.key() / div);
        row.setValue(ZtField::BuyVolume, it.value().first);
        row.setValue(ZtField::SellVolume, it.value().second);
        row.setValue(ZtField::SeriesVolume, it.value().first + it.value().second);
        list.append(row);
    }
    return list;
}

DQDDataList SimulatedMarket::exRights(const Q_DD_Now& qnow, qint64 checkDT)
{
    const MarketNow n = d->now();
    DQDDataList list = stamped(packed(n.ymd, 92500), checkDT);
    const int s = d->secOf(qnow);
    if (s < 0)
        return list;
    for (const ExRightsEvent& e : exRightsEvents(d->u, d->seed, s, d->calendar)) {
        DQDUnionReader row;
        row.setValue(ZtField::QxDate, qint64(DataTrans::getYYYYMMDDHHMMSSFFFFromDate(e.date)));
        row.setValue(ZtField::QxText, e.text);
        row.setValue(ZtField::QxBonus, e.cash);
        list.append(row);
    }
    return list;
}

namespace {

QVector<Item> ofKinds(const QVector<Item>& items, std::initializer_list<int> kinds)
{
    QVector<Item> out;
    for (const Item& item : items) {
        if (std::find(kinds.begin(), kinds.end(), item.kind) != kinds.end())
            out.append(item);
    }
    return out;
}

}

DQDDataList SimulatedMarket::announcements(const Q_DD_Now& qnow, int, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(qnow);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    return d->itemRows(ofKinds(d->items(s, n, ListDays), {ItemAnnouncement, ItemSpecial}), checkDT, n.stamp);
}

DQDDataList SimulatedMarket::news(const Q_DD_Now& qnow, int, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(qnow);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    return d->itemRows(ofKinds(d->items(s, n, ListDays), {ItemNews}), checkDT, n.stamp);
}

DQDDataList SimulatedMarket::reports(const Q_DD_Now& qnow, int, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(qnow);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    return d->itemRows(ofKinds(d->items(s, n, ListDays), {ItemReport}), checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsFrom(const QString& code, qint64 time, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    const qint64 from = fullTime(time);
    QVector<Item> out;
    for (const Item& item : d->items(s, n, MineDays)) {
        if (item.time >= from)
            out.append(item);
    }
    return d->itemRows(out, checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsMarked(const QString& code, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    QVector<Item> out;
    for (const Item& item : d->items(s, n, MineDays)) {
        if (item.marked)
            out.append(item);
    }
    return d->itemRows(out, checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsAll(const QString& code, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    return d->itemRows(d->items(s, n, MineDays), checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsToday(const QString& code, bool includeAuction, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    // Without the auction only the items of the continuous sessions count.
    const qint64 from = packed(n.ymd, includeAuction ? 0 : 93000);
    QVector<Item> out;
    for (const Item& item : d->items(s, n, 1)) {
        if (item.time >= from)
            out.append(item);
    }
    return d->itemRows(out, checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsHistory(const QString& code, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    const qint64 today = packed(n.ymd, 0);
    QVector<Item> out;
    for (const Item& item : d->items(s, n, MineDays)) {
        if (item.time < today)
            out.append(item);
    }
    return d->itemRows(out, checkDT, n.stamp);
}

DQDDataList SimulatedMarket::mineItemsSpecial(const QString& code, qint64 checkDT)
{
    const MarketNow n = d->now();
    const int s = d->secOf(code);
    if (s < 0)
        return stamped(n.stamp, checkDT);
    return d->itemRows(ofKinds(d->items(s, n, MineDays), {ItemSpecial}), checkDT, n.stamp);
}

DQDDataList SimulatedMarket::movementsAll(const QVector<ZtE_DXJL>& types, qint64 checkDT)
{
    return d->movements(nullptr, types, checkDT);
}

DQDDataList SimulatedMarket::movementsOf(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types, qint64 checkDT)
{
    QSet<int> secs;
    for (const QString& code : codes) {
        const int s = d->secOf(code);
        if (s >= 0)
            secs.insert(s);
    }
    return d->movements(&secs, types, checkDT);
}

FormulaDataState SimulatedMarket::formulaData(ZtE_FormulaDataType type, const Q_DD_Now& qnow, qint64 checkDT)
{
    FormulaDataState state;
    if (type == ZtE_FormulaDataType_None || d->secOf(qnow) < 0)
        return state;
    const qint64 stampNow = d->now().stamp;
    state.iDataUpdate = stampNow > checkDT ? 1 : 0;
    state.llCheckTime = stampNow;
    state.iNeedRequest = 0;
    return state;
}
