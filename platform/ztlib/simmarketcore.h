#pragma once

// Internals of SimulatedMarket shared by its source files; not part of the library's API.

#include "dqdreader.h"
#include "ztenums.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <vector>

namespace SimMarket {

// ---- Deterministic randomness: every draw is a hash of the seed and the draw's coordinates,
// so any value can be recomputed alone and in any order.

inline quint64 mix64(quint64 x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

inline quint64 hashOf(quint64 a, quint64 b)
{
    return mix64(mix64(a) ^ (b + 0x632BE59BD9B4E019ull));
}

inline quint64 hashOf(quint64 a, quint64 b, quint64 c)
{
    return hashOf(hashOf(a, b), c);
}

inline quint64 hashOf(quint64 a, quint64 b, quint64 c, quint64 d)
{
    return hashOf(hashOf(hashOf(a, b), c), d);
}

inline quint64 hashOf(quint64 a, quint64 b, quint64 c, quint64 d, quint64 e)
{
    return hashOf(hashOf(hashOf(hashOf(a, b), c), d), e);
}

// One cheap step from a base hash to the draw of coordinate k.
inline quint64 step(quint64 base, quint64 k)
{
    return mix64(base ^ (k * 0xD1B54A32D192ED03ull));
}

// Rounds half away from zero; std::llround is a library call in the hot loops.
inline qint64 roundToInt(double x)
{
    return x >= 0 ? qint64(x + 0.5) : -qint64(-x + 0.5);
}

// Uniform in [0, 1).
inline double unit(quint64 h)
{
    return double(h >> 11) * (1.0 / 9007199254740992.0);
}

// Standard normal, approximated by the sum of four 16-bit uniforms (cheap, bounded at ±3.46).
inline double normal(quint64 h)
{
    const double s = double(h & 0xFFFF) + double((h >> 16) & 0xFFFF) + double((h >> 32) & 0xFFFF) + double(h >> 48);
    return (s / 65536.0 - 2.0) * 1.7320508075688772;
}

// Streams of draws; a day index is offset so that negative days hash like any other number.
enum Stream : quint64 {
    StreamMarket = 1,
    StreamIndustry,
    StreamDaily,
    StreamMinute,
    StreamDayVolume,
    StreamAnchor,
    StreamBook,
    StreamSplit,
    StreamItems,
    StreamTickSide,
    StreamUniverse,
};

inline quint64 dayKey(int day)
{
    return quint64(qint64(day) + (qint64(1) << 40));
}

// ---- Trading calendar: weekdays only, two sessions of 120 minutes.

constexpr int SecondsPerDay = 14400;
constexpr int MinutesPerDay = 240;
constexpr int HistoryDays = 300;

// HHmm of the end of minute m (0..239): 09:31 .. 11:30, 13:01 .. 15:00.
inline int minuteLabel(int m)
{
    const int minutes = m < 120 ? 9 * 60 + 30 + m + 1 : 13 * 60 + (m - 120) + 1;
    return (minutes / 60) * 100 + minutes % 60;
}

// HHmmss of trading second t (0..14399): 09:30:00 .. 11:29:59, 13:00:00 .. 14:59:59.
inline int secondClock(int t)
{
    const int s = t < 7200 ? (9 * 60 + 30) * 60 + t : 13 * 3600 + (t - 7200);
    return (s / 3600) * 10000 + ((s / 60) % 60) * 100 + s % 60;
}

inline qint64 packed(qint64 ymd, int hhmmss)
{
    return (ymd * 1000000 + hhmmss) * 1000;
}

class Calendar
{
public:
    Calendar() = default;
    // Day 0 is firstDay, or the Friday before when firstDay falls on a weekend.
    explicit Calendar(const QDate& firstDay);
    QDate date(int day) const;
    qint64 ymd(int day) const;
    // The day index of a date; false when the date is a weekend.
    bool dayOf(const QDate& date, int* day) const;

private:
    qint64 mOrdinal0 = 0;
};

// ---- The universe.

enum class Kind { Index, Sector, AShare, BShare };

struct Security
{
    QString market;
    QString code;
    QString unique;
    QString name;
    ZtE_ZQLX type = ZtE_ZQLX_None;
    Kind kind = Kind::AShare;
    int decimals = 2;
    int tickDiv = 100;           // ticks per currency unit
    int limitPct = 0;            // daily price limit in percent, 0 for none
    qint32 baseTicks = 0;        // level the daily walk reverts to
    double sigma = 0.02;         // daily volatility
    double beta = 1.0;
    int industry = -1;           // industry factor (and, for stocks, the industry sector slot)
    int concept = -1;            // concept factor followed by the price
    double dailyShares = 0;      // usual daily volume
    double turnoverScale = 0.01; // yuan per share and tick
    double totalShares = 0;
    double floatShares = 0;
    double eps = 0;
    int tradeSize = 2000;
    int exDay = INT_MIN;         // ex-rights day inside the history, INT_MIN for none
    qint32 exCashTicks = 0;      // cash dividend per share
    int exBonusPer10 = 0;        // bonus shares per ten
    bool marginable = false;
    DQDUnionReader row;          // static fields

    bool isStock() const { return kind == Kind::AShare || kind == Kind::BShare; }
};

struct Universe
{
    QVector<Security> secs;
    QHash<QString, int> byUnique;
    QVector<QVector<int>> members;   // per index or sector: member stocks, by code
    QVector<int> industryOf;         // per stock: its industry sector, -1 for others
    QVector<QVector<int>> conceptsOf;
    int marginSector = -1;
    QVector<int> listOrder;          // indices, A shares, B shares, sectors
    QVector<int> codeRank;           // position when ordered by code, then market
    QStringList industryNames;

    void build(quint64 seed);
    int find(const QString& unique) const;
};

// ---- Prices. Prices are integers in ticks (0.01 or 0.001).

inline qint32 limitUpOf(qint32 prev, int pct)
{
    if (pct <= 0)
        return std::numeric_limits<qint32>::max() / 2;
    return qint32((qint64(prev) * (100 + pct) + 50) / 100);
}

inline qint32 limitDownOf(qint32 prev, int pct)
{
    if (pct <= 0)
        return 1;
    return qMax<qint32>(1, qint32((qint64(prev) * (100 - pct) + 50) / 100));
}

// Closing prices of every security and day; days are added on demand as the clock advances.
class CloseTable
{
public:
    CloseTable(const Universe* universe, quint64 seed, int firstDay, int lastDay);
    int firstDay() const { return mFirstDay; }
    qint32 close(int sec, int day);
    // The reference of the day's limits and change: the close before, adjusted on an ex-rights day.
    qint32 prevClose(int sec, int day);
    // prevClose and close of every security for one day.
    void dayPair(int day, std::vector<qint32>* prev, std::vector<qint32>* close);

private:
    void extendLocked(int day);
    qint32 nextClose(int sec, int day, qint32 prev, const std::vector<double>& factors) const;
    qint32 closeLocked(int sec, int day) const;
    qint32 prevLocked(int sec, int day) const;

    const Universe* mUniverse;
    quint64 mSeed;
    int mFirstDay;
    int mFactorCount = 0;
    std::vector<quint64> mDailyBase;  // per security
    std::mutex mMutex;
    std::vector<std::vector<qint32>> mDays;  // [day - firstDay][sec]
};

qint32 exRightsReference(const Security& sec, qint32 closeBefore);
double dailyShares(const Security& sec, quint64 seed, int secIndex, int day, qint32 prev, qint32 close);

struct MinuteBar
{
    qint32 close;
    qint32 high;
    qint32 low;
    quint32 lots;
};

// One security's day: the minute path from the open to the close.
struct SecDay
{
    SecDay() {}  // left uninitialised: a day's paths are 20 MB, all written by generateDay

    qint32 prev = 0;
    qint32 open = 0;
    qint32 close = 0;
    qint32 limitUp = 0;
    qint32 limitDown = 0;
    quint32 auctionLots = 0;
    quint64 anchorBase = 0;  // seeds the path inside each minute
    std::array<MinuteBar, MinutesPerDay> bars;

    qint32 minuteStart(int m) const { return m == 0 ? open : bars[size_t(m - 1)].close; }
};

void generateDay(const Security& sec, quint64 seed, int secIndex, int day, qint32 prev, qint32 close, SecDay* out);

// Price at the end of trading second t (0..14399); -1 gives the open.
qint32 secondPrice(const SecDay& sd, int t);
// Highest and lowest price of minute m from its start up to second k.
void minuteExtremes(const SecDay& sd, int m, int k, qint32* high, qint32* low);

struct Book
{
    std::array<qint32, 5> buyPrice{};
    std::array<qint32, 5> sellPrice{};
    std::array<qint64, 5> buyVolume{};
    std::array<qint64, 5> sellVolume{};
    int buyLevels = 0;
    int sellLevels = 0;
};

// The state of one security's quote at a trading second.
struct QuoteState
{
    qint32 prev = 0;
    qint32 open = 0;
    qint32 high = 0;
    qint32 low = 0;
    qint32 last = 0;
    qint32 last5 = 0;
    qint32 limitUp = 0;
    qint32 limitDown = 0;
    bool uptick = false;
    qint64 volume = 0;
    double turnover = 0;
    double average = 0;        // yuan; the mean minute price for indices and sectors
    double volumeRatio = 0;
    int rise = 0;
    int fall = 0;
    int leader = -1;
    int mines = 0;
    Book book;
};

// t = -1: the quote right after the opening auction.
void quoteAt(const Security& sec, const SecDay& sd, quint64 seed, int secIndex, int day, int t, double avgDailyShares,
             QuoteState* q);

// ---- Stock movement messages derived from the minute paths.

struct Movement
{
    qint16 minute;
    qint8 type;       // ZtE_DXJL
    qint8 direction;  // 1 up, 0 down
    int sec;
    float value;      // percent, or lots for the volume messages
};

void findMovements(const Security& sec, const SecDay& sd, int secIndex, std::vector<Movement>* out);

// ---- Every security's path of one day, built once per day for the quote snapshots.

struct DayPaths
{
    int day = 0;
    qint64 ymd = 0;
    std::vector<SecDay> secs;
    std::vector<double> avgDailyShares;     // mean of the five days before
    std::vector<std::array<int, 3>> mineClock;  // HHmmss of the day's information items, 0 = none
    std::vector<Movement> movements;        // by minute, then security
};

// ---- Information items (announcements, news, reports, special notices).

enum ItemKind { ItemAnnouncement = 0, ItemNews = 1, ItemReport = 2, ItemSpecial = 3 };

struct Item
{
    qint64 time = 0;   // packed
    qint64 date = 0;   // packed, the day at 00:00
    int kind = 0;
    bool marked = false;
    QString id;
    QString title;
    QString source;
};

// HHmmss of the items of a day, ascending; the count is 0..3.
int itemClocks(const Universe& u, quint64 seed, int sec, int day, std::array<int, 3>* clocks);
QVector<Item> itemsOfDay(const Universe& u, quint64 seed, int sec, int day, const QDate& date);
QString itemTypeText(int kind);

struct ExRightsEvent
{
    QDate date;
    QString text;
    double cash = 0;
};

QVector<ExRightsEvent> exRightsEvents(const Universe& u, quint64 seed, int sec, const Calendar& calendar);

}
