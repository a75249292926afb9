#include "killscript.h"

#include <pubcache/pubstaticfunc.h>

#include <QStringList>

#include <algorithm>

namespace {

enum class Kind { AddGroup, Add, Delete, MoveToGroup, Reorder, Note, SaveReversed };

struct Change
{
    Kind kind = Kind::Add;
    QString code;
    QString group;
    int from = 0;
    int to = 0;
};

quint32 mix(quint32 seed, quint32 n)
{
    quint32 x = seed * 0x9E3779B9u + n * 0x85EBCA6Bu + 0x27D4EB2Fu;
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

QString codeOf(int n)
{
    return QStringLiteral("SH6%1").arg(n, 5, 10, QLatin1Char('0'));
}

QString groupOf(quint32 r)
{
    static const QStringList groups = {QStringLiteral("自选股"), QStringLiteral("分组一"), QStringLiteral("分组二")};
    return groups.at(int(r % 3));
}

// What change n is depends only on the seed and n, never on the state.
Change changeFor(quint32 seed, int n)
{
    Change c;
    if (n < 2) {
        c.kind = Kind::AddGroup;
        c.group = groupOf(quint32(n + 1));
        return c;
    }
    const quint32 r = mix(seed, quint32(n));
    const int earlier = int((r >> 8) % quint32(n));
    c.group = groupOf(r >> 4);
    switch (r % 12) {
    case 0: case 1: case 2: case 3: case 4:
        c.kind = Kind::Add;
        c.code = codeOf(n);
        break;
    case 5: case 6:
        c.kind = Kind::Delete;
        c.code = codeOf(earlier);
        break;
    case 7:
        c.kind = Kind::MoveToGroup;
        c.code = codeOf(earlier);
        break;
    case 8: case 9:
        c.kind = Kind::Reorder;
        c.from = int((r >> 12) % 4);
        c.to = int((r >> 16) % 4);
        break;
    case 10:
        c.kind = Kind::Note;
        c.code = codeOf(earlier);
        c.group = QStringLiteral("备注%1").arg(n);
        break;
    default:
        c.kind = Kind::SaveReversed;
        break;
    }
    return c;
}

int indexOfGroup(const QList<StockZxgBK>& groups, const QString& name)
{
    for (int i = 0; i < groups.size(); ++i) {
        if (groups.at(i).getName() == name)
            return i;
    }
    return -1;
}

// The same change on a plain list, with the meaning PubStaticFunc gives it.
void applyToModel(QList<StockZxgBK>& groups, const Change& c)
{
    const int g = indexOfGroup(groups, c.group);
    switch (c.kind) {
    case Kind::AddGroup:
        if (g < 0)
            groups.append(StockZxgBK(c.group));
        break;
    case Kind::Add:
        if (g >= 0)
            groups[g].append(StockZxg(c.code, 1));
        break;
    case Kind::Delete:
        for (StockZxgBK& group : groups)
            group.remove(c.code);
        break;
    case Kind::MoveToGroup: {
        if (g < 0)
            break;
        StockZxg entry;
        bool found = false;
        bool elsewhere = false;
        for (int i = 0; i < groups.size(); ++i) {
            const int at = groups.at(i).indexOf(c.code);
            if (at < 0)
                continue;
            if (!found)
                entry = groups.at(i).getList().at(at);
            found = true;
            if (i != g) {
                elsewhere = true;
                groups[i].remove(c.code);
            }
        }
        if (found && elsewhere && !groups.at(g).contains(c.code))
            groups[g].append(entry);
        break;
    }
    case Kind::Reorder: {
        if (g < 0 || c.from == c.to)
            break;
        QList<StockZxg> list = groups.at(g).getList();
        if (c.from < list.size() && c.to < list.size()) {
            list.move(c.from, c.to);
            groups[g].setList(list);
        }
        break;
    }
    case Kind::Note:
        for (StockZxgBK& group : groups) {
            const int at = group.indexOf(c.code);
            if (at >= 0) {
                QList<StockZxg> list = group.getList();
                list[at].setNote(c.group);
                group.setList(list);
            }
        }
        break;
    case Kind::SaveReversed:
        if (g >= 0) {
            QList<StockZxg> list = groups.at(g).getList();
            std::reverse(list.begin(), list.end());
            groups[g].setList(list);
        }
        break;
    }
}

}

void KillScript::apply(quint32 seed, int n)
{
    const Change c = changeFor(seed, n);
    switch (c.kind) {
    case Kind::AddGroup:
        PubStaticFunc::ZxgAddGroup(c.group);
        break;
    case Kind::Add:
        PubStaticFunc::ZxgAdd(c.code, c.group);
        break;
    case Kind::Delete:
        PubStaticFunc::ZxgDelete(c.code);
        break;
    case Kind::MoveToGroup:
        PubStaticFunc::ZxgMoveNewBK(c.code, c.group);
        break;
    case Kind::Reorder:
        PubStaticFunc::ZxgMove(c.group, c.from, c.to);
        break;
    case Kind::Note:
        PubStaticFunc::ZxgSetNote(c.code, c.group);
        break;
    case Kind::SaveReversed:
        for (StockZxgBK group : PubStaticFunc::getZxgCodeList()) {
            if (group.getName() == c.group) {
                QList<StockZxg> list = group.getList();
                std::reverse(list.begin(), list.end());
                group.setList(list);
                PubStaticFunc::ZxgSave(group);
            }
        }
        break;
    }
}

QList<StockZxgBK> KillScript::expected(quint32 seed, int n)
{
    QList<StockZxgBK> groups = {StockZxgBK(QStringLiteral("自选股"))};
    for (int i = 0; i < n; ++i)
        applyToModel(groups, changeFor(seed, i));
    return groups;
}

QString KillScript::describe(const QList<StockZxgBK>& groups)
{
    QStringList parts;
    for (const StockZxgBK& g : groups) {
        QStringList entries;
        for (const StockZxg& e : g.getList())
            entries.append(e.getNote().isEmpty() ? e.getCode() : e.getCode() + QLatin1Char('/') + e.getNote());
        parts.append(g.getName() + QLatin1Char('[') + entries.join(QLatin1Char(',')) + QLatin1Char(']'));
    }
    return parts.join(QLatin1Char(' '));
}
