#include "simmarketcore.h"

#include <algorithm>

namespace SimMarket {

namespace {

const char* const announcementTitles[] = {
    "%1：第%4届董事会第%5次会议决议公告",
    "%1：关于股东减持股份计划的公告",
    "%1：关于回购公司股份的进展公告",
    "%1：关于获得政府补助的公告",
    "%1：关于签订日常经营重大合同的公告",
    "%1：关于控股股东部分股份质押的公告",
    "%1：%3年度业绩预告",
    "%1：关于召开%3年第%4次临时股东大会的通知",
    "%1：关于对外投资设立全资子公司的公告",
    "%1：关于使用闲置募集资金进行现金管理的公告",
};

const char* const newsTitles[] = {
    "%1：前%4个月销售额同比增长%6%",
    "机构调研%1：关注新产品放量节奏",
    "%1获北向资金增持%7万股",
    "%1龙虎榜：机构净买入%7万元",
    "%1拟投资%4亿元建设新生产基地",
    "%1：订单饱满 产能利用率维持高位",
    "%2板块走强，%1涨幅居前",
    "%1互动平台回复：公司产品已批量供货",
};

const char* const reportTitles[] = {
    "%1深度报告：业绩稳健增长，维持“买入”评级",
    "%1点评：季度利润超预期，盈利能力持续提升",
    "%1首次覆盖：%2龙头，成长空间广阔",
    "%1跟踪报告：新产能释放，上调盈利预测",
    "%2行业周报：景气度回升，关注%1",
};

const char* const specialTitles[] = {
    "%1：股票交易异常波动公告",
    "%1：关于筹划重大资产重组的停牌公告",
    "%1：风险提示性公告",
    "%1：关于股票复牌的公告",
    "%1：%3年度权益分派实施公告",
};

const char* const marketTitles[] = {
    "%1午后震荡走高，成交额较昨日放大",
    "%1早盘冲高回落，资金分歧加大",
    "%1异动拉升，多只成分股涨超5%",
    "%1全天资金净流入%4亿元",
    "%1收盘涨跌互现，市场情绪趋于稳定",
};

const char* const newsSources[] = {"证券时报", "中国证券报", "上海证券报", "证券日报", "经济参考报"};
const char* const researchHouses[] = {"东方", "华夏", "长江", "金山", "国泰", "安泰"};

template <size_t N>
QString pick(const char* const (&list)[N], quint64 h)
{
    return QString::fromUtf8(list[h % N]);
}

}

QString itemTypeText(int kind)
{
    switch (kind) {
    case ItemAnnouncement: return QStringLiteral("GG");
    case ItemNews: return QStringLiteral("XW");
    case ItemReport: return QStringLiteral("YB");
    default: return QStringLiteral("TS");
    }
}

int itemClocks(const Universe& u, quint64 seed, int sec, int day, std::array<int, 3>* clocks)
{
    const quint64 h = hashOf(seed, StreamItems, quint64(sec), dayKey(day));
    const double r = unit(h);
    const bool stock = u.secs.at(sec).isStock();
    const int n = stock ? (r < 0.55 ? 0 : r < 0.83 ? 1 : r < 0.95 ? 2 : 3) : (r < 0.6 ? 0 : r < 0.9 ? 1 : 2);
    // Between 07:30 and 14:50: before the open and during the sessions.
    const int from = 7 * 3600 + 30 * 60;
    const int to = 14 * 3600 + 50 * 60;
    std::array<int, 3> seconds{};
    for (int j = 0; j < n; ++j)
        seconds[size_t(j)] = from + int(unit(hashOf(h, quint64(j))) * (to - from));
    std::sort(seconds.begin(), seconds.begin() + n);
    clocks->fill(0);
    for (int j = 0; j < n; ++j) {
        const int s = seconds[size_t(j)];
        (*clocks)[size_t(j)] = (s / 3600) * 10000 + ((s / 60) % 60) * 100 + s % 60;
    }
    return n;
}

QVector<Item> itemsOfDay(const Universe& u, quint64 seed, int sec, int day, const QDate& date)
{
    std::array<int, 3> clocks{};
    const int n = itemClocks(u, seed, sec, day, &clocks);
    QVector<Item> items;
    if (n == 0)
        return items;
    const Security& s = u.secs.at(sec);
    const bool stock = s.isStock();
    const QString industry = stock ? u.industryNames.value(s.industry) : s.name;
    const qint64 ymd = qint64(date.year()) * 10000 + date.month() * 100 + date.day();
    const quint64 h = hashOf(seed, StreamItems, quint64(sec), dayKey(day));
    for (int j = 0; j < n; ++j) {
        const quint64 hj = hashOf(h, quint64(100 + j));
        Item item;
        item.time = packed(ymd, clocks[size_t(j)]);
        item.date = packed(ymd, 0);
        const double r = unit(hj);
        item.kind = !stock ? ItemNews : r < 0.45 ? ItemAnnouncement : r < 0.80 ? ItemNews : r < 0.92 ? ItemReport : ItemSpecial;
        item.marked = item.kind == ItemSpecial || (item.kind == ItemAnnouncement && (hj & 0x30) == 0);
        item.id = QString::number(qint64(sec + 1) * 100000000 + qint64(day + 1000000) * 4 + j);
        QString title;
        const quint64 ht = mix64(hj);
        switch (stock ? item.kind : -1) {
        case ItemAnnouncement:
            title = pick(announcementTitles, ht);
            item.source = QStringLiteral("公司公告");
            break;
        case ItemNews:
            title = pick(newsTitles, ht);
            item.source = pick(newsSources, ht >> 16);
            break;
        case ItemReport:
            title = pick(reportTitles, ht);
            item.source = pick(researchHouses, ht >> 16) + QStringLiteral("证券研究所");
            break;
        case ItemSpecial:
            title = pick(specialTitles, ht);
            item.source = QStringLiteral("交易所公告");
            break;
        default:
            title = pick(marketTitles, ht);
            item.source = pick(newsSources, ht >> 16);
            break;
        }
        const int year = date.month() <= 4 ? date.year() - 1 : date.year();
        title.replace(QLatin1String("%1"), s.name)
            .replace(QLatin1String("%2"), industry)
            .replace(QLatin1String("%3"), QString::number(year))
            .replace(QLatin1String("%4"), QString::number(2 + (ht >> 24) % 9))
            .replace(QLatin1String("%5"), QString::number(3 + (ht >> 32) % 20))
            .replace(QLatin1String("%6"), QString::number(5 + (ht >> 40) % 60))
            .replace(QLatin1String("%7"), QString::number(100 + (ht >> 44) % 9900));
        item.title = title;
        items.append(item);
    }
    return items;
}

QVector<ExRightsEvent> exRightsEvents(const Universe& u, quint64 seed, int sec, const Calendar& calendar)
{
    QVector<ExRightsEvent> events;
    const Security& s = u.secs.at(sec);
    if (s.exDay == INT_MIN)
        return events;
    const int places = s.tickDiv == 1000 ? 3 : 2;
    auto text = [&](double cashPer10, int bonusPer10) {
        QString t = QStringLiteral("10");
        if (bonusPer10 > 0)
            t += QStringLiteral("送%1股").arg(bonusPer10);
        return t + QStringLiteral("派%1元").arg(cashPer10, 0, 'f', places);
    };
    // Two earlier yearly payouts, before the history begins, then the one inside it.
    for (int back = 2; back >= 1; --back) {
        const quint64 h = hashOf(seed, StreamItems, quint64(sec), quint64(back));
        const double cash = std::round(s.exCashTicks * (0.6 + 0.5 * unit(h))) / s.tickDiv;
        ExRightsEvent e;
        e.date = calendar.date(s.exDay - 245 * back);
        e.cash = cash;
        e.text = text(cash * 10, 0);
        events.append(e);
    }
    ExRightsEvent e;
    e.date = calendar.date(s.exDay);
    e.cash = double(s.exCashTicks) / s.tickDiv;
    e.text = text(e.cash * 10, s.exBonusPer10);
    events.append(e);
    return events;
}

}
