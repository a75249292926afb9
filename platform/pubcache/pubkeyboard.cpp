#include "pubkeyboard.h"

#include "pubcache.h"
#include "pubconfig.h"

#include <ztlib/pbdatachange.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>
#include <ztlib/ztpinyin.h>

#include <QRegularExpression>
#include <QStringList>

namespace {

QString joinKeys(const QStringList& keys)
{
    QStringList parts;
    for (const QString& k : keys) {
        // The fairy splits at "|" and compares whole keys: no blanks, no separators inside.
        QString upper = k.toUpper();
        upper.remove(QRegularExpression(QStringLiteral("[\\s|]")));
        if (!upper.isEmpty() && !parts.contains(upper))
            parts.append(upper);
    }
    return parts.join(QLatin1Char('|'));
}

QString text(const DQDReader& row, unsigned key)
{
    return row.hasValue(key) ? row.getValue(key).toString() : QString();
}

void appendMenuEntries(QList<UserKeyBoard>& out, const QString& menuName, const QString& type)
{
    for (const QHash<QString, QString>& entry : PubConfig::getPubMenuNode(menuName)) {
        const ZtXMLMenu menu(entry);
        const QString shortcut = menu.getValue(QStringLiteral("key"));
        const QString keys = joinKeys(
            {shortcut, PubKeyboard::initials(menu.getText()), menu.getValue(QStringLiteral("pinyin"))});
        if (keys.isEmpty())
            continue;
        out.append(UserKeyBoard(out.size(), keys, menu.getName().toUpper(), shortcut.toUpper(), menu.getText(),
                                type, menu));
    }
}

}

QString PubKeyboard::typeText(const DQDReader& row)
{
    switch (row.getValue(ZtField::Type).toInt()) {
    case ZtE_ZQLX_AShare:
        return QStringLiteral("A股");
    case ZtE_ZQLX_BShare:
        return QStringLiteral("B股");
    case ZtE_ZQLX_Index:
        return text(row, ZtField::Market) == QLatin1String("BK") ? QStringLiteral("板块") : QStringLiteral("指数");
    default:
        return QString();
    }
}

QString PubKeyboard::initials(const QString& name)
{
    return ZtPinyin::initials(name);
}

QList<UserKeyBoard> PubKeyboard::build(const DQDDataList& securities)
{
    QList<UserKeyBoard> out;
    out.reserve(securities.count() + 64);
    for (int i = 0; i < securities.count(); ++i) {
        const DQDUnionReader* row = securities.at(i);
        if (!row || row->isEmpty())
            continue;
        const QString type = typeText(*row);
        const QString code = text(*row, ZtField::Code);
        const QString unique = row->getUniqueValue(0);
        if (type.isEmpty() || code.isEmpty())
            continue;
        const QString name = text(*row, ZtField::Name);
        const QString keys = joinKeys({code, initials(name), text(*row, ZtField::Pinyin)});
        out.append(UserKeyBoard(out.size(), keys, unique.toUpper(), code, name, type, ZtXMLMenu(), *row));
    }
    appendMenuEntries(out, QStringLiteral("KeyboardFunctions"), QStringLiteral("功能"));
    appendMenuEntries(out, QStringLiteral("KeyboardIndicators"), QStringLiteral("指标"));
    return out;
}

void PubKeyboard::loadFromMarket()
{
    const DQDDataList securities = PBDataChange::getSecurityList();
    PubCache::mDataQueryAll = securities;
    PubCache::mUserKeyboard = build(securities);
}
