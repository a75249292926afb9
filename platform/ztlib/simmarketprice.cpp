#include "simmarketcore.h"

#include <algorithm>

namespace SimMarket {

namespace {

// Relative volume through the day: busy open, quieter midday, a rise into the close.
const std::array<double, MinutesPerDay>& volumeProfile()
{
    static const std::array<double, MinutesPerDay> profile = [] {
        std::array<double, MinutesPerDay> p{};
        for (int i = 0; i < MinutesPerDay; ++i) {
            double w = 1.0 + 1.6 * std::exp(-i / 12.0) + 0.9 * std::exp(-(MinutesPerDay - 1 - i) / 10.0);
            if (i >= 120)
                w += 0.5 * std::exp(-(i - 120) / 8.0);
            p[size_t(i)] = w;
        }
        return p;
    }();
    return profile;
}

struct Anchors
{
    int pos[2];
    qint32 value[2];
};

// Inside a minute the price runs through its high and its low at two seeded seconds.
Anchors anchorsOf(const SecDay& sd, int m)
{
    const quint64 h = step(sd.anchorBase, quint64(m));
    int a = 1 + int(h % 59);
    int b = 1 + int((h >> 8) % 59);
    if (b == a)
        b = a % 59 + 1;
    const bool highFirst = (h >> 20) & 1;
    const MinuteBar& bar = sd.bars[size_t(m)];
    Anchors an;
    an.pos[0] = qMin(a, b);
    an.pos[1] = qMax(a, b);
    an.value[0] = highFirst ? bar.high : bar.low;
    an.value[1] = highFirst ? bar.low : bar.high;
    return an;
}

qint32 interpolate(int x, int x0, qint32 v0, int x1, qint32 v1)
{
    if (x1 == x0)
        return v1;
    return qint32(v0 + roundToInt(double(v1 - v0) * (x - x0) / double(x1 - x0)));
}

qint32 priceInMinute(const SecDay& sd, const Anchors& an, int m, int k)
{
    const int x = k + 1;
    const qint32 start = sd.minuteStart(m);
    const qint32 end = sd.bars[size_t(m)].close;
    if (x <= an.pos[0])
        return interpolate(x, 0, start, an.pos[0], an.value[0]);
    if (x <= an.pos[1])
        return interpolate(x, an.pos[0], an.value[0], an.pos[1], an.value[1]);
    return interpolate(x, an.pos[1], an.value[1], 60, end);
}

}

qint32 exRightsReference(const Security& sec, qint32 closeBefore)
{
    const double ref = (double(closeBefore) - sec.exCashTicks) / (1.0 + sec.exBonusPer10 / 10.0);
    return qMax<qint32>(1, qint32(roundToInt(ref)));
}

double dailyShares(const Security& sec, quint64 seed, int secIndex, int day, qint32 prev, qint32 close)
{
    const double move = std::abs(double(close - prev)) / double(prev);
    return sec.dailyShares * std::exp(0.35 * normal(hashOf(seed, StreamDayVolume, quint64(secIndex), dayKey(day))))
           * (1.0 + 8.0 * move);
}

// ---- CloseTable

CloseTable::CloseTable(const Universe* universe, quint64 seed, int firstDay, int lastDay)
    : mUniverse(universe), mSeed(seed), mFirstDay(firstDay)
{
    const int n = universe->secs.size();
    mDailyBase.resize(size_t(n));
    for (int s = 0; s < n; ++s) {
        mDailyBase[size_t(s)] = hashOf(seed, StreamDaily, quint64(s));
        mFactorCount = qMax(mFactorCount, qMax(universe->secs.at(s).industry, universe->secs.at(s).concept) + 1);
    }
    std::lock_guard<std::mutex> lock(mMutex);
    extendLocked(lastDay);
}

// factors[0] is the market's return of the day, factors[1 + k] that of industry or concept k.
qint32 CloseTable::nextClose(int s, int day, qint32 prev, const std::vector<double>& factors) const
{
    const Security& sec = mUniverse->secs.at(s);
    const quint64 h = step(mDailyBase[size_t(s)], dayKey(day));
    const double own = normal(h);
    const double market = factors[0];
    auto factor = [&](int k) { return k < 0 ? 0.0 : factors[size_t(k + 1)]; };
    double r = 0;
    switch (sec.kind) {
    case Kind::Index:
        r = sec.beta * market + 0.002 * own;
        break;
    case Kind::Sector:
        r = (sec.industry >= 0 ? 0.9 * market + factor(sec.industry) : market) + 0.003 * own;
        break;
    case Kind::AShare:
    case Kind::BShare:
        r = sec.beta * market + factor(sec.industry) + 0.5 * factor(sec.concept) + sec.sigma * 0.8 * own;
        break;
    }
    // Pull back towards the base level so that a long history keeps realistic prices.
    r -= 0.03 * (double(prev) / double(sec.baseTicks) - 1.0);
    const qint32 up = limitUpOf(prev, sec.limitPct);
    const qint32 down = limitDownOf(prev, sec.limitPct);
    if (sec.isStock()) {
        const double u = unit(mix64(h));
        if (u < 0.012)
            return up;
        if (u > 0.995)
            return down;
        const double bound = (sec.limitPct - 1.2) / 100.0;
        r = qBound(-bound, r, bound);
    }
    // exp(r) to third order: daily returns are small, and the history is long.
    const qint64 close = roundToInt(double(prev) * (1.0 + r * (1.0 + r / 2.0 * (1.0 + r / 3.0))));
    return qint32(qBound<qint64>(down, close, up));
}

void CloseTable::extendLocked(int day)
{
    const int n = mUniverse->secs.size();
    std::vector<double> factors(size_t(mFactorCount + 1));
    while (mFirstDay + int(mDays.size()) <= day) {
        const int d = mFirstDay + int(mDays.size());
        const quint64 dk = dayKey(d);
        factors[0] = normal(hashOf(mSeed, StreamMarket, dk)) * 0.011 + 0.0002;
        for (int k = 0; k < mFactorCount; ++k)
            factors[size_t(k + 1)] = normal(hashOf(mSeed, StreamIndustry, quint64(k), dk)) * 0.008;
        std::vector<qint32> closes(size_t(n), 0);
        for (int s = 0; s < n; ++s)
            closes[size_t(s)] = nextClose(s, d, prevLocked(s, d), factors);
        mDays.push_back(std::move(closes));
    }
}

qint32 CloseTable::closeLocked(int sec, int day) const
{
    if (day < mFirstDay)
        return mUniverse->secs.at(sec).baseTicks;
    return mDays[size_t(day - mFirstDay)][size_t(sec)];
}

qint32 CloseTable::prevLocked(int sec, int day) const
{
    const Security& s = mUniverse->secs.at(sec);
    const qint32 before = closeLocked(sec, day - 1);
    return day == s.exDay ? exRightsReference(s, before) : before;
}

qint32 CloseTable::close(int sec, int day)
{
    std::lock_guard<std::mutex> lock(mMutex);
    extendLocked(day);
    return closeLocked(sec, day);
}

qint32 CloseTable::prevClose(int sec, int day)
{
    std::lock_guard<std::mutex> lock(mMutex);
    extendLocked(day);
    return prevLocked(sec, day);
}

void CloseTable::dayPair(int day, std::vector<qint32>* prev, std::vector<qint32>* close)
{
    std::lock_guard<std::mutex> lock(mMutex);
    extendLocked(day);
    const int n = mUniverse->secs.size();
    prev->resize(size_t(n));
    close->resize(size_t(n));
    for (int s = 0; s < n; ++s) {
        (*prev)[size_t(s)] = prevLocked(s, day);
        (*close)[size_t(s)] = closeLocked(s, day);
    }
}

// ---- One day's path

void generateDay(const Security& sec, quint64 seed, int s, int day, qint32 prev, qint32 close, SecDay* out)
{
    const quint64 dk = dayKey(day);
    const bool stock = sec.isStock();
    const qint32 up = limitUpOf(prev, sec.limitPct);
    const qint32 down = limitDownOf(prev, sec.limitPct);
    out->prev = prev;
    out->close = close;
    out->limitUp = up;
    out->limitDown = down;
    out->anchorBase = hashOf(seed, StreamAnchor, quint64(s), dk);

    const quint64 dayBase = hashOf(seed, StreamMinute, quint64(s), dk);
    const double gap = normal(step(dayBase, 1000)) * sec.sigma * 0.35 + 0.25 * std::log(double(close) / double(prev));
    const qint32 open = qint32(qBound<qint64>(down, roundToInt(prev * std::exp(gap)), up));
    out->open = open;

    // Per minute: a step of the walk, a rare jump, the reach above and below, the volume.
    struct Draws
    {
        double step;
        double above;
        double below;
        double volume;
    };
    std::array<Draws, MinutesPerDay + 1> draws;
    const double sigmaMinute = sec.sigma * prev / std::sqrt(double(MinutesPerDay)) * 1.1;
    std::array<double, MinutesPerDay + 1> walk;
    walk[0] = 0;
    for (int i = 1; i <= MinutesPerDay; ++i) {
        const quint64 h1 = step(dayBase, quint64(i));
        const quint64 h2 = mix64(h1);
        const quint64 h3 = mix64(h2);
        Draws& dr = draws[size_t(i)];
        dr.step = normal(h1) * sigmaMinute;
        if (stock && unit(h2) < 0.0006) {
            const double size = (0.017 + 0.02 * double(h2 & 0xFF) / 255.0) * prev;
            dr.step += (h2 & 0x100) ? size : -size;
        }
        dr.above = std::abs(normal(h3)) * sigmaMinute * 0.6;
        dr.below = std::abs(normal(mix64(h3))) * sigmaMinute * 0.6;
        dr.volume = qMax(0.15, 1.0 + 0.45 * normal(mix64(h3 ^ 0x5555555555555555ull)));
        walk[size_t(i)] = walk[size_t(i - 1)] + dr.step;
    }

    // A Brownian bridge from the open to the close. A day that closes at its limit reaches it
    // at a seeded minute and stays sealed from then on.
    const bool sealUp = stock && close == up;
    const bool sealDown = stock && close == down;
    const int target = sealUp || sealDown ? 20 + int(unit(step(dayBase, 1001)) * 200) : MinutesPerDay;
    const double drift = (double(close - open) - walk[size_t(target)]) / target;
    bool sealed = false;
    for (int i = 1; i <= MinutesPerDay; ++i) {
        const double b = i <= target ? open + walk[size_t(i)] + drift * i : double(close);
        qint32 p = qint32(qBound<qint64>(down, roundToInt(b), up));
        if (sealUp && (sealed || p == up)) {
            p = up;
            sealed = true;
        } else if (sealDown && (sealed || p == down)) {
            p = down;
            sealed = true;
        }
        if (i == MinutesPerDay)
            p = close;
        out->bars[size_t(i - 1)].close = p;
    }

    const auto& profile = volumeProfile();
    std::array<double, MinutesPerDay> weight;
    double weightSum = 0;
    for (int i = 0; i < MinutesPerDay; ++i) {
        MinuteBar& bar = out->bars[size_t(i)];
        const Draws& dr = draws[size_t(i + 1)];
        const qint32 start = out->minuteStart(i);
        const bool stuck = stock && start == bar.close && (start == up || start == down);
        if (stuck) {
            bar.high = bar.low = start;
        } else {
            bar.high = qint32(qMin<qint64>(up, qMax(start, bar.close) + roundToInt(dr.above)));
            bar.low = qint32(qMax<qint64>(qMax<qint32>(down, 1), qMin(start, bar.close) - roundToInt(dr.below)));
        }
        double w = profile[size_t(i)] * dr.volume * (1.0 + 150.0 * std::abs(double(bar.close - start)) / prev);
        if (stuck)
            w *= 0.25;
        weight[size_t(i)] = w;
        weightSum += w;
    }
    const double lots = dailyShares(sec, seed, s, day, prev, close) / 100.0;
    out->auctionLots = quint32(roundToInt(lots * 0.01));
    const double perWeight = lots * 0.99 / weightSum;
    for (int i = 0; i < MinutesPerDay; ++i)
        out->bars[size_t(i)].lots = quint32(roundToInt(weight[size_t(i)] * perWeight));
}

qint32 secondPrice(const SecDay& sd, int t)
{
    if (t < 0)
        return sd.open;
    const int m = t / 60;
    const int k = t % 60;
    if (k == 59)
        return sd.bars[size_t(m)].close;
    return priceInMinute(sd, anchorsOf(sd, m), m, k);
}

namespace {

void extremesWith(const SecDay& sd, const Anchors& an, int m, int k, qint32 now, qint32* high, qint32* low)
{
    const qint32 start = sd.minuteStart(m);
    qint32 hi = qMax(start, now);
    qint32 lo = qMin(start, now);
    // The path is linear between the anchors, so its extremes so far are at anchors already passed.
    for (int i = 0; i < 2; ++i) {
        if (an.pos[i] <= k + 1) {
            hi = qMax(hi, an.value[i]);
            lo = qMin(lo, an.value[i]);
        }
    }
    *high = hi;
    *low = lo;
}

}

void minuteExtremes(const SecDay& sd, int m, int k, qint32* high, qint32* low)
{
    const Anchors an = anchorsOf(sd, m);
    const qint32 now = k == 59 ? sd.bars[size_t(m)].close : priceInMinute(sd, an, m, k);
    extremesWith(sd, an, m, k, now, high, low);
}

void quoteAt(const Security& sec, const SecDay& sd, quint64 seed, int s, int day, int t, double avgDailyShares,
             QuoteState* q)
{
    const bool stock = sec.isStock();
    q->prev = sd.prev;
    q->open = sd.open;
    q->limitUp = stock ? sd.limitUp : 0;
    q->limitDown = stock ? sd.limitDown : 0;

    // Turnover is summed in share-ticks so that every path to the same second gives the same value.
    qint64 lots = sd.auctionLots;
    qint64 shareTicks = qint64(sd.auctionLots) * 100 * sd.open;
    qint64 closeSum = 0;
    int minutes = 1;
    if (t < 0) {
        q->last = q->high = q->low = q->last5 = sd.open;
        q->uptick = sd.open >= sd.prev;
    } else {
        const int m = t / 60;
        const int k = t % 60;
        qint32 hi = sd.open;
        qint32 lo = sd.open;
        for (int i = 0; i < m; ++i) {
            const MinuteBar& bar = sd.bars[size_t(i)];
            hi = qMax(hi, bar.high);
            lo = qMin(lo, bar.low);
            lots += bar.lots;
            shareTicks += qint64(bar.lots) * 100 * sd.minuteStart(i);
            closeSum += bar.close;
        }
        const Anchors an = anchorsOf(sd, m);
        q->last = k == 59 ? sd.bars[size_t(m)].close : priceInMinute(sd, an, m, k);
        qint32 mh = 0;
        qint32 ml = 0;
        extremesWith(sd, an, m, k, q->last, &mh, &ml);
        q->high = qMax(hi, mh);
        q->low = qMin(lo, ml);
        const qint64 partial = qint64(sd.bars[size_t(m)].lots) * (k + 1) / 60;
        lots += partial;
        shareTicks += partial * 100 * sd.minuteStart(m);
        const qint32 before = k == 0 ? sd.minuteStart(m) : priceInMinute(sd, an, m, k - 1);
        q->uptick = q->last > before || (q->last == before && (hashOf(seed, StreamTickSide, quint64(s), quint64(t)) & 1));
        q->last5 = t >= 300 ? secondPrice(sd, t - 300) : sd.open;
        minutes = m + 1;
        closeSum += q->last;
    }
    q->volume = lots * 100;
    q->turnover = double(shareTicks) * sec.turnoverScale;
    if (stock)
        q->average = q->volume > 0 ? double(shareTicks) / double(q->volume) / sec.tickDiv : double(q->last) / sec.tickDiv;
    else
        q->average = t < 0 ? double(sd.open) / sec.tickDiv : double(closeSum) / minutes / sec.tickDiv;
    const double perMinute = avgDailyShares / MinutesPerDay;
    q->volumeRatio = perMinute > 0 ? (double(q->volume) / minutes) / perMinute : 0;

    q->book = Book();
    if (!stock)
        return;
    const quint64 hb = hashOf(seed, StreamBook, quint64(s), dayKey(day), quint64(t + 1));
    const double baseLots = qMax(1.0, avgDailyShares / 100.0 / MinutesPerDay * 0.3);
    auto volumeAt = [&](int level, double scale) {
        return qint64(100) * qMax<qint64>(1, roundToInt(baseLots * scale * (0.2 + 1.6 * unit(hashOf(hb, quint64(level))))));
    };
    Book& b = q->book;
    qint32 buy1 = 0;
    qint32 sell1 = 0;
    if (q->last >= sd.limitUp) {
        buy1 = sd.limitUp;
    } else if (q->last <= sd.limitDown) {
        sell1 = sd.limitDown;
    } else if (q->uptick) {
        sell1 = q->last;
        buy1 = q->last - 1;
    } else {
        buy1 = q->last;
        sell1 = q->last + 1;
    }
    for (int i = 0; buy1 > 0 && i < 5 && buy1 - i >= qMax<qint32>(1, sd.limitDown); ++i) {
        b.buyPrice[size_t(i)] = buy1 - i;
        b.buyVolume[size_t(i)] = volumeAt(i, i == 0 && buy1 == sd.limitUp ? 40 : 1);
        b.buyLevels = i + 1;
    }
    for (int i = 0; sell1 > 0 && i < 5 && sell1 + i <= sd.limitUp; ++i) {
        b.sellPrice[size_t(i)] = sell1 + i;
        b.sellVolume[size_t(i)] = volumeAt(5 + i, i == 0 && sell1 == sd.limitDown ? 40 : 1);
        b.sellLevels = i + 1;
    }
}

void findMovements(const Security& sec, const SecDay& sd, int s, std::vector<Movement>* out)
{
    if (!sec.isStock())
        return;
    qint64 totalLots = 0;
    for (const MinuteBar& bar : sd.bars)
        totalLots += bar.lots;
    const double avgLots = double(totalLots) / MinutesPerDay;
    auto add = [&](int m, ZtE_DXJL type, int direction, double value) {
        out->push_back(Movement{qint16(m), qint8(type), qint8(direction), s, float(value)});
    };
    for (int m = 0; m < MinutesPerDay; ++m) {
        const qint32 start = sd.minuteStart(m);
        const qint32 end = sd.bars[size_t(m)].close;
        const double pct = 100.0 * (end - start) / start;
        const double dayPct = 100.0 * (start - sd.prev) / sd.prev;
        const double endPct = 100.0 * (end - sd.prev) / sd.prev;
        if (end == sd.limitUp && start < sd.limitUp)
            add(m, ZtE_DXJL_LimitUp, 1, endPct);
        else if (end == sd.limitDown && start > sd.limitDown)
            add(m, ZtE_DXJL_LimitDown, 0, endPct);
        else if (start == sd.limitUp && end < sd.limitUp)
            add(m, ZtE_DXJL_OpenLimitUp, 0, endPct);
        else if (start == sd.limitDown && end > sd.limitDown)
            add(m, ZtE_DXJL_OpenLimitDown, 1, endPct);
        if (pct >= 1.5)
            add(m, ZtE_DXJL_FastRise, 1, pct);
        else if (pct <= -1.5)
            add(m, ZtE_DXJL_FastFall, 0, pct);
        if (dayPct >= 5 && pct <= -1.0)
            add(m, ZtE_DXJL_HighRebound, 0, pct);
        else if (dayPct <= -5 && pct >= 1.0)
            add(m, ZtE_DXJL_LowRebound, 1, pct);
        const quint32 lots = sd.bars[size_t(m)].lots;
        if (lots >= 2000 && lots >= 5 * avgLots)
            add(m, end >= start ? ZtE_DXJL_BigBuy : ZtE_DXJL_BigSell, end >= start ? 1 : 0, lots);
    }
}

}
