#include "keyboardreference.h"

#include <QRandomGenerator>

namespace {

// Characters of company names; the initial is derived from the code point, which
// is enough for lists that only need the shape of the real one.
const QString kNameChars = QStringLiteral(
    "中国平安银行招商建设工农业交通浦发兴民生光大华夏北京上海深圳天津广州重庆科技电子信息"
    "能源化医药物制汽车机械钢铁有色金属地产展控股集团实份新材料环保水务力航空港口流传媒文"
    "教育食品饮酒纺织服装家通网络软件证券险基期货东方西南山河江湖海龙凤金玉华宝泰安康");

QChar initialOf(QChar c)
{
    return QChar(u'A' + c.unicode() % 26);
}

QString initialsOf(const QString& name)
{
    QString out;
    for (QChar c : name) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            out += c.toUpper();
        else if (c.unicode() >= 0x4e00)
            out += initialOf(c);
    }
    return out;
}

QString randomName(QRandomGenerator& rng, int minLength, int maxLength)
{
    const int length = rng.bounded(minLength, maxLength + 1);
    QString name;
    for (int i = 0; i < length; ++i)
        name += kNameChars.at(rng.bounded(kNameChars.size()));
    return name;
}

}

QVector<KeyboardSample> generatedKeyboardEntries(int count, quint32 seed)
{
    QRandomGenerator rng(seed);
    QVector<KeyboardSample> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int kind = rng.bounded(1000);
        KeyboardSample e;
        if (kind < 850) {
            static const char* const prefixes[] = {"SH60", "SH68", "SZ00", "SZ30"};
            const QString prefix = QLatin1String(prefixes[rng.bounded(4)]);
            e.code = prefix.mid(2) + QStringLiteral("%1").arg(rng.bounded(10000), 4, 10, QLatin1Char('0'));
            e.secondKey = prefix.left(2) + e.code;
            e.name = randomName(rng, 2, 4);
            const int mark = rng.bounded(100);
            if (mark < 3)
                e.name.prepend(QStringLiteral("*ST"));
            else if (mark < 6)
                e.name.prepend(QStringLiteral("ST"));
            else if (mark < 8)
                e.name.append(QLatin1Char('A'));
            e.type = QStringLiteral("A股");
        } else if (kind < 870) {
            const bool sh = rng.bounded(2) == 0;
            e.code = (sh ? QStringLiteral("900") : QStringLiteral("200"))
                     + QStringLiteral("%1").arg(rng.bounded(1000), 3, 10, QLatin1Char('0'));
            e.secondKey = (sh ? QStringLiteral("SH") : QStringLiteral("SZ")) + e.code;
            e.name = randomName(rng, 2, 3) + QLatin1Char('B');
            e.type = QStringLiteral("B股");
        } else if (kind < 890) {
            const bool sh = rng.bounded(2) == 0;
            e.code = (sh ? QStringLiteral("000") : QStringLiteral("399"))
                     + QStringLiteral("%1").arg(rng.bounded(1000), 3, 10, QLatin1Char('0'));
            e.secondKey = (sh ? QStringLiteral("SH") : QStringLiteral("SZ")) + e.code;
            e.name = randomName(rng, 2, 4) + QStringLiteral("指数");
            e.type = QStringLiteral("指数");
        } else if (kind < 980) {
            e.code = QStringLiteral("BK%1").arg(rng.bounded(10000), 4, 10, QLatin1Char('0'));
            e.secondKey = e.code;
            e.name = randomName(rng, 2, 4);
            e.type = QStringLiteral("板块");
        } else {
            const bool function = rng.bounded(2) == 0;
            e.code = QStringLiteral("%1").arg(rng.bounded(100), 2, 10, QLatin1Char('0'));
            e.name = randomName(rng, 2, 6);
            e.secondKey = QStringLiteral("MENU%1").arg(i);
            e.type = function ? QStringLiteral("功能") : QStringLiteral("指标");
        }
        e.keys = e.code + QLatin1Char('|') + initialsOf(e.name);
        out.append(e);
    }
    return out;
}
