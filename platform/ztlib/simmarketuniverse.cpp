#include "simmarketcore.h"

#include "ztfields.h"
#include "ztpinyin.h"

#include <algorithm>
#include <numeric>

namespace SimMarket {

// ---- Calendar

namespace {

// A Monday; weekday ordinals count from it.
const qint64 mondayJd = QDate(2000, 1, 3).toJulianDay();

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

qint64 weekdayOrdinal(const QDate& date, bool* weekday)
{
    const qint64 days = date.toJulianDay() - mondayJd;
    const qint64 weeks = floorDiv(days, 7);
    const qint64 dow = days - weeks * 7;  // 0 = Monday
    *weekday = dow < 5;
    return weeks * 5 + qMin<qint64>(dow, 4);
}

}

Calendar::Calendar(const QDate& firstDay)
{
    bool weekday = false;
    mOrdinal0 = weekdayOrdinal(firstDay, &weekday);  // a weekend maps onto its Friday
}

QDate Calendar::date(int day) const
{
    const qint64 ordinal = mOrdinal0 + day;
    const qint64 weeks = floorDiv(ordinal, 5);
    const qint64 dow = ordinal - weeks * 5;
    return QDate::fromJulianDay(mondayJd + weeks * 7 + dow);
}

qint64 Calendar::ymd(int day) const
{
    const QDate d = date(day);
    return qint64(d.year()) * 10000 + d.month() * 100 + d.day();
}

bool Calendar::dayOf(const QDate& date, int* day) const
{
    bool weekday = false;
    const qint64 ordinal = weekdayOrdinal(date, &weekday);
    if (!weekday || !date.isValid())
        return false;
    *day = int(ordinal - mOrdinal0);
    return true;
}

// ---- Universe

namespace {

struct IndustryDef
{
    const char* name;
    const char* suffixes;
    double price;     // median price level
    double pe;        // median price-earnings ratio
    double capScale;  // market value relative to the median company
    double sigmaScale;
};

const IndustryDef industryDefs[] = {
    {"银行", "银行 农商", 6, 6, 6, 0.55},
    {"证券", "证券 投资", 15, 22, 2, 1.1},
    {"保险", "保险 人寿", 25, 12, 4, 0.8},
    {"房地产", "地产 置业", 6, 15, 1.2, 1.0},
    {"汽车", "汽车 汽配", 15, 25, 1, 1.0},
    {"电子", "电子 光电 科技", 22, 35, 1, 1.15},
    {"医药", "药业 医药 生物", 25, 35, 1, 1.0},
    {"白酒", "酒业", 60, 30, 3, 0.9},
    {"钢铁", "钢铁 特钢", 4, 10, 1.5, 0.9},
    {"煤炭", "煤业", 10, 8, 1.5, 1.0},
    {"电力", "电力 水电 能源", 6, 18, 2, 0.7},
    {"化工", "化工 化学 新材", 15, 20, 1, 1.05},
    {"半导体", "芯片 集成", 45, 60, 1.2, 1.3},
    {"软件", "软件 信息 数据", 25, 50, 1, 1.25},
    {"通信", "通信 网络", 18, 40, 1, 1.15},
    {"机械", "机械 重工 装备", 12, 25, 1, 1.0},
    {"建筑", "建设 建工 路桥", 5, 8, 1.5, 0.8},
    {"建材", "建材 水泥 玻璃", 10, 12, 1, 0.9},
    {"食品", "食品 乳业 粮油", 25, 30, 1, 0.85},
    {"家电", "电器 家电", 20, 18, 1.5, 0.9},
    {"纺织服装", "纺织 服饰", 7, 25, 0.7, 1.0},
    {"传媒", "传媒 文化 影视", 8, 40, 0.8, 1.2},
    {"交通运输", "物流 航运 港口 高速", 8, 15, 1.3, 0.8},
    {"有色金属", "有色 矿业 铝业", 12, 20, 1.2, 1.15},
    {"农业", "农业 牧业 种业", 10, 35, 0.8, 1.1},
    {"商业零售", "商业 百货", 7, 30, 0.7, 0.95},
    {"环保", "环保 水务", 8, 25, 0.7, 0.95},
    {"电力设备", "电气 电缆", 25, 30, 1, 1.15},
    {"旅游酒店", "旅游 酒店", 12, 40, 0.7, 1.0},
    {"国防军工", "航空 防务", 30, 60, 1.2, 1.2},
    {"石油石化", "石化 燃气", 6, 12, 2, 0.8},
};

const char* const prefixText =
    "东方 华夏 长江 中信 金山 海天 天津 浙江 江苏 广东 深圳 上海 北京 重庆 四川 湖南 湖北 山东 河南 安徽 "
    "福建 江西 云南 贵州 广西 海南 吉林 辽宁 河北 山西 陕西 甘肃 青海 杭州 南京 苏州 宁波 厦门 青岛 大连 "
    "武汉 成都 西安 长沙 合肥 福州 济南 郑州 昆明 无锡 常州 温州 佛山 珠海 烟台 洛阳 徐州 扬州 华联 金龙 "
    "鸿达 宏远 永泰 恒昌 瑞丰 祥和 兴盛 昌盛 鑫源 中天 新华 光明 长城 泰山 黄河 珠江 天山 昆仑 星辰 阳光 "
    "万通 安泰 国泰 富华 嘉和";

const char* const conceptText =
    "人工智能 新能源车 光伏 芯片 5G 数字货币 锂电池 储能 氢能源 云计算 大数据 物联网 区块链 虚拟现实 机器人 "
    "无人驾驶 医疗器械 创新药 国企改革 一带一路 军民融合 碳中和 风电 充电桩 消费电子 网络安全 工业互联 生物疫苗 "
    "智慧城市 跨境电商";

struct IndexDef
{
    const char* market;
    const char* code;
    const char* name;
    double level;
    double dailyShares;
    double sharePrice;  // average price of the shares traded
    double beta;
};

const IndexDef indexDefs[] = {
    {"SH", "000001", "上证指数", 3200, 3.2e10, 11, 1.0},
    {"SZ", "399001", "深证成指", 10500, 4.0e10, 11, 1.15},
    {"SZ", "399006", "创业板指", 2100, 6.0e9, 30, 1.4},
    {"SZ", "399005", "中小100", 6500, 3.0e9, 25, 1.2},
    {"SH", "000300", "沪深300", 3800, 1.5e10, 18, 1.0},
    {"SH", "000016", "上证50", 2600, 5.0e9, 22, 0.85},
    {"SH", "000905", "中证500", 5600, 8.0e9, 14, 1.2},
};

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

class Draw
{
public:
    Draw(quint64 seed, quint64 stream) : mSeed(hashOf(seed, StreamUniverse, stream)) {}
    quint64 next() { return hashOf(mSeed, mCount++); }
    double unit() { return SimMarket::unit(next()); }
    double normal() { return SimMarket::normal(next()); }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 mSeed;
    quint64 mCount = 0;
};

// count distinct numbers from [lo, hi], always including the required ones, ascending.
QVector<int> pickCodes(Draw& draw, int lo, int hi, int count, const QVector<int>& required)
{
    QVector<int> pool;
    pool.reserve(hi - lo + 1);
    for (int c = lo; c <= hi; ++c) {
        if (!required.contains(c))
            pool.append(c);
    }
    QVector<int> out = required;
    const int want = qMin(count - required.size(), pool.size());
    for (int i = 0; i < want; ++i) {
        const int j = i + draw.below(pool.size() - i);
        std::swap(pool[i], pool[j]);
        out.append(pool.at(i));
    }
    std::sort(out.begin(), out.end());
    return out;
}

DQDUnionReader staticRow(const Security& s)
{
    DQDUnionReader row;
    row.setValue(ZtField::Market, s.market);
    row.setValue(ZtField::Code, s.code);
    row.setValue(ZtField::Name, s.name);
    row.setValue(ZtField::Pinyin, ZtPinyin::initials(s.name));
    row.setValue(ZtField::UniqueCode, s.unique);
    row.setValue(ZtField::Type, int(s.type));
    row.setValue(ZtField::Decimals, s.decimals);
    return row;
}

}

int Universe::find(const QString& unique) const
{
    const auto it = byUnique.constFind(unique);
    return it == byUnique.constEnd() ? -1 : it.value();
}

void Universe::build(quint64 seed)
{
    const QStringList prefixes = words(prefixText);
    const QStringList concepts = words(conceptText);
    const int industryCount = int(sizeof(industryDefs) / sizeof(industryDefs[0]));
    const int indexCount = int(sizeof(indexDefs) / sizeof(indexDefs[0]));

    struct Suffix
    {
        QString text;
        int industry;
    };
    QVector<Suffix> suffixes;
    for (int i = 0; i < industryCount; ++i) {
        industryNames.append(QString::fromUtf8(industryDefs[i].name));
        for (const QString& s : words(industryDefs[i].suffixes))
            suffixes.append({s, i});
    }

    // Every prefix-suffix pair once, in a seeded order.
    QVector<int> combos(prefixes.size() * suffixes.size());
    std::iota(combos.begin(), combos.end(), 0);
    Draw nameDraw(seed, 1);
    for (int i = combos.size() - 1; i > 0; --i)
        std::swap(combos[i], combos[nameDraw.below(i + 1)]);
    int nextCombo = 0;

    struct Listing
    {
        QString market;
        QString code;
        int board;  // 0 main, 1 growth (20% limits), 2 B share
    };
    QVector<Listing> aShares;
    QVector<Listing> bShares;
    Draw codeDraw(seed, 2);
    auto addCodes = [&](QVector<Listing>* out, const char* market, int lo, int hi, int count,
                        const QVector<int>& required, int board) {
        for (int c : pickCodes(codeDraw, lo, hi, count, required))
            out->append({QString::fromLatin1(market), QStringLiteral("%1").arg(c, 6, 10, QLatin1Char('0')), board});
    };
    addCodes(&aShares, "SZ", 1, 2999, 1900, {1, 2, 858}, 0);
    addCodes(&aShares, "SZ", 300001, 301399, 1000, {300059, 300750}, 1);
    addCodes(&aShares, "SH", 600000, 603999, 1650, {600000, 600036, 600519, 601318}, 0);
    addCodes(&aShares, "SH", 688001, 688999, 450, {688981}, 1);
    addCodes(&bShares, "SH", 900901, 900960, 50, {900901}, 2);
    addCodes(&bShares, "SZ", 200002, 200999, 50, {200002}, 2);
    auto byCode = [](const Listing& a, const Listing& b) {
        return a.code != b.code ? a.code < b.code : a.market < b.market;
    };
    std::sort(aShares.begin(), aShares.end(), byCode);
    std::sort(bShares.begin(), bShares.end(), byCode);

    // Indices first, then the stocks; sectors are appended once the stocks are known.
    for (int i = 0; i < indexCount; ++i) {
        const IndexDef& def = indexDefs[i];
        Security s;
        s.market = QString::fromLatin1(def.market);
        s.code = QString::fromLatin1(def.code);
        s.name = QString::fromUtf8(def.name);
        s.type = ZtE_ZQLX_Index;
        s.kind = Kind::Index;
        s.baseTicks = qint32(std::llround(def.level * 100));
        s.sigma = 0.011 * def.beta;
        s.beta = def.beta;
        s.dailyShares = def.dailyShares;
        s.turnoverScale = def.sharePrice / double(s.baseTicks);
        secs.append(s);
    }

    Draw stockDraw(seed, 3);
    auto makeStock = [&](const Listing& l, bool bShare) {
        Security s;
        s.market = l.market;
        s.code = l.code;
        const int combo = combos.at(nextCombo++);
        const Suffix& suffix = suffixes.at(combo % suffixes.size());
        s.name = prefixes.at(combo / suffixes.size()) + suffix.text;
        s.industry = suffix.industry;
        const IndustryDef& def = industryDefs[suffix.industry];
        if (bShare) {
            s.name += QLatin1Char('B');
            s.type = ZtE_ZQLX_BShare;
            s.kind = Kind::BShare;
            const bool sh = l.market == QLatin1String("SH");
            s.decimals = sh ? 3 : 2;
            s.tickDiv = sh ? 1000 : 100;
            s.limitPct = 10;
            const double price = sh ? 0.3 * std::exp(stockDraw.unit() * std::log(5.0))
                                    : 0.8 * std::exp(stockDraw.unit() * std::log(3.75));
            s.baseTicks = qMax<qint32>(s.tickDiv / 10, qint32(std::llround(price * s.tickDiv)));
            s.sigma = 0.016;
        } else {
            s.type = ZtE_ZQLX_AShare;
            s.kind = Kind::AShare;
            s.limitPct = l.board == 1 ? 20 : 10;
            double price = qBound(2.5, def.price * std::exp(0.45 * stockDraw.normal()), 95.0);
            if (stockDraw.unit() < 0.02)
                price = qMin(1500.0, price * (3 + 9 * stockDraw.unit()));
            s.baseTicks = qint32(std::llround(price * 100));
            s.sigma = 0.021 * def.sigmaScale * (0.8 + 0.4 * stockDraw.unit()) * (l.board == 1 ? 1.35 : 1.0);
        }
        const double price = double(s.baseTicks) / s.tickDiv;
        s.beta = 0.7 + 0.6 * stockDraw.unit();
        const double cap = qBound(1.5e9, 8e9 * std::exp(stockDraw.normal()) * def.capScale, 2.5e12);
        s.totalShares = std::round(cap / (bShare ? price * 7 : price) / 1e4) * 1e4;
        s.floatShares = std::round(s.totalShares * (0.35 + 0.65 * stockDraw.unit()) / 1e4) * 1e4;
        const double rate = qBound(0.002, 0.012 * std::exp(0.6 * stockDraw.normal()) * (l.board == 1 ? 2 : 1), 0.12);
        s.dailyShares = s.floatShares * rate * (bShare ? 0.3 : 1.0);
        s.turnoverScale = 1.0 / s.tickDiv;
        if (stockDraw.unit() < 0.08)
            s.eps = -price / (40 + 160 * stockDraw.unit());
        else
            s.eps = price / (def.pe * std::exp(0.5 * stockDraw.normal()));
        s.tradeSize = 100 * (12 + stockDraw.below(30));
        // One ex-rights event about a hundred trading days back.
        s.exDay = -(90 + stockDraw.below(21));
        s.exCashTicks = qMax<qint32>(1, qint32(std::llround(price * (0.004 + 0.026 * stockDraw.unit()) * s.tickDiv)));
        s.exBonusPer10 = stockDraw.unit() < 0.3 ? 2 + stockDraw.below(4) : 0;
        return s;
    };
    const int firstStock = secs.size();
    for (const Listing& l : aShares)
        secs.append(makeStock(l, false));
    const int firstB = secs.size();
    for (const Listing& l : bShares)
        secs.append(makeStock(l, true));
    const int stockEnd = secs.size();

    // A few liquor makers trade above a thousand, as the market's most expensive shares do.
    int expensive = 0;
    for (int i = firstStock; i < firstB && expensive < 2; ++i) {
        Security& s = secs[i];
        if (QString::fromUtf8(industryDefs[s.industry].name) == QStringLiteral("白酒") && s.code.startsWith(QLatin1Char('6'))) {
            s.baseTicks = qint32(100 * (1100 + 150 * expensive));
            s.totalShares = std::round(2.2e12 / (s.baseTicks / 100.0) / 1e4) * 1e4;
            s.floatShares = s.totalShares;
            s.dailyShares = s.floatShares * 0.003;
            s.exCashTicks = qint32(std::llround(s.baseTicks * 0.02));
            s.exBonusPer10 = 0;
            ++expensive;
        }
    }

    // Sectors: industries, concepts and the margin-trading list.
    auto addSector = [&](const QString& code, const QString& name, int factor, quint64 salt) {
        Draw d(seed, 100 + salt);
        Security s;
        s.market = QStringLiteral("BK");
        s.code = code;
        s.name = name;
        s.type = ZtE_ZQLX_Index;
        s.kind = Kind::Sector;
        s.industry = factor;
        s.baseTicks = qint32(std::llround((600 + 2400 * d.unit()) * 100));
        s.sigma = 0.014;
        s.beta = 0.8 + 0.4 * d.unit();
        s.dailyShares = 1e9 * (1 + 5 * d.unit());
        s.turnoverScale = 12.0 / double(s.baseTicks);
        secs.append(s);
        return secs.size() - 1;
    };
    QVector<int> industrySector(industryCount);
    for (int i = 0; i < industryCount; ++i)
        industrySector[i] = addSector(QStringLiteral("%1").arg(421 + 3 * i, 4, 10, QLatin1Char('0')),
                                      industryNames.at(i), i, quint64(i));
    QVector<int> conceptSector(concepts.size());
    for (int j = 0; j < concepts.size(); ++j)
        conceptSector[j] = addSector(QStringLiteral("%1").arg(800 + 7 * j, 4, 10, QLatin1Char('0')), concepts.at(j),
                                     industryCount + j, quint64(industryCount + j));
    marginSector = addSector(QStringLiteral("0990"), QStringLiteral("融资融券"), -1, 999);

    for (int i = 0; i < secs.size(); ++i) {
        secs[i].unique = secs[i].market + secs[i].code;
        secs[i].row = staticRow(secs[i]);
        byUnique.insert(secs[i].unique, i);
        listOrder.append(i);
    }

    codeRank.resize(secs.size());
    {
        QVector<int> order(secs.size());
        std::iota(order.begin(), order.end(), 0);
        std::sort(order.begin(), order.end(), [this](int a, int b) {
            const Security& x = secs.at(a);
            const Security& y = secs.at(b);
            return x.code != y.code ? x.code < y.code : x.unique < y.unique;
        });
        for (int i = 0; i < order.size(); ++i)
            codeRank[order.at(i)] = i;
    }

    members.resize(secs.size());
    industryOf.fill(-1, secs.size());
    conceptsOf.resize(secs.size());
    Draw conceptDraw(seed, 4);
    for (int i = firstStock; i < stockEnd; ++i) {
        Security& s = secs[i];
        industryOf[i] = industrySector.at(s.industry);
        members[industrySector.at(s.industry)].append(i);
        const int n = 1 + conceptDraw.below(3);
        while (conceptsOf[i].size() < n) {
            const int c = conceptSector.at(conceptDraw.below(conceptSector.size()));
            if (!conceptsOf[i].contains(c))
                conceptsOf[i].append(c);
        }
        std::sort(conceptsOf[i].begin(), conceptsOf[i].end());
        for (int c : conceptsOf[i])
            members[c].append(i);
        s.concept = secs.at(conceptsOf[i].first()).industry;
    }

    // Index members by market value, the way the broad indices pick theirs.
    QVector<int> byCap;
    for (int i = firstStock; i < firstB; ++i)
        byCap.append(i);
    auto cap = [&](int i) { return secs.at(i).totalShares * secs.at(i).baseTicks; };
    std::stable_sort(byCap.begin(), byCap.end(), [&](int a, int b) { return cap(a) > cap(b); });
    auto sortedCopy = [](QVector<int> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    auto topWhere = [&](int n, auto pred) {
        QVector<int> out;
        for (int i : byCap) {
            if (out.size() >= n)
                break;
            if (pred(secs.at(i)))
                out.append(i);
        }
        return sortedCopy(out);
    };
    for (int i = 0; i < indexCount; ++i) {
        const QString unique = secs.at(i).unique;
        QVector<int> m;
        if (unique == QLatin1String("SH000001") || unique == QLatin1String("SZ399001")) {
            for (int j = firstStock; j < stockEnd; ++j) {
                if (secs.at(j).market == secs.at(i).market)
                    m.append(j);
            }
        } else if (unique == QLatin1String("SZ399006")) {
            m = topWhere(100, [](const Security& s) { return s.code.startsWith(QLatin1Char('3')); });
        } else if (unique == QLatin1String("SZ399005")) {
            m = topWhere(100, [](const Security& s) { return s.code.startsWith(QLatin1String("002")); });
        } else if (unique == QLatin1String("SH000300")) {
            m = sortedCopy(byCap.mid(0, 300));
        } else if (unique == QLatin1String("SH000016")) {
            m = topWhere(50, [](const Security& s) { return s.market == QLatin1String("SH"); });
        } else if (unique == QLatin1String("SH000905")) {
            m = sortedCopy(byCap.mid(300, 500));
        }
        members[i] = m;
    }
    for (int k = 0; k < byCap.size() && k < 1800; ++k)
        secs[byCap.at(k)].marginable = true;
    for (int i = firstStock; i < firstB; ++i) {
        if (secs.at(i).marginable)
            members[marginSector].append(i);
    }
}

}
