#include "pubstaticfunc.h"

#include "pubcache.h"
#include "pubuserstore.h"

#include <QDir>
#include <QLayout>
#include <QSet>
#include <QStandardPaths>
#include <QWidget>

namespace {

using State = PubUserStore::State;

PubUserStore& store()
{
    return PubUserStore::instance();
}

bool exec(QSqlDatabase& db, const char* sql, const QVariantList& values = QVariantList())
{
    return PubUserStore::exec(db, QString::fromLatin1(sql), values);
}

// A usable code: trimmed, not empty, no inner blanks, of sane length.
QString cleanCode(const QString& code)
{
    const QString c = code.trimmed();
    if (c.isEmpty() || c.size() > 32)
        return QString();
    for (const QChar ch : c) {
        if (ch.isSpace() || ch.category() == QChar::Other_Control)
            return QString();
    }
    return c;
}

QString cleanName(const QString& name)
{
    const QString n = name.trimmed();
    return n.size() > 64 ? QString() : n;
}

int groupIndex(const State& s, const QString& name)
{
    for (int i = 0; i < s.groups.size(); ++i) {
        if (s.groups.at(i).getName() == name)
            return i;
    }
    return -1;
}

QStringList groupNames(const QList<StockZxgBK>& groups)
{
    QStringList names;
    for (const StockZxgBK& g : groups)
        names.append(g.getName());
    return names;
}

bool insertEntry(QSqlDatabase& db, const QString& group, const StockZxg& e)
{
    return exec(db,
                "INSERT INTO zxg_stock (group_name, code, position, add_time, note) VALUES (?, ?,"
                " (SELECT COALESCE(MAX(position), -1) + 1 FROM zxg_stock WHERE group_name = ?), ?, ?)",
                {group, e.getCode(), group, e.getAddTime(), e.getNote()});
}

bool insertGroup(QSqlDatabase& db, const QString& name)
{
    return exec(db,
                "INSERT INTO zxg_group (name, position) VALUES (?,"
                " (SELECT COALESCE(MAX(position), -1) + 1 FROM zxg_group))",
                {name});
}

bool writeGroupEntries(QSqlDatabase& db, const StockZxgBK& group)
{
    if (!exec(db, "DELETE FROM zxg_stock WHERE group_name = ?", {group.getName()}))
        return false;
    const QList<StockZxg> list = group.getList();
    for (int i = 0; i < list.size(); ++i) {
        const StockZxg& e = list.at(i);
        if (!exec(db, "INSERT INTO zxg_stock (group_name, code, position, add_time, note) VALUES (?, ?, ?, ?, ?)",
                  {group.getName(), e.getCode(), i, e.getAddTime(), e.getNote()}))
            return false;
    }
    return true;
}

// Drops bad names, repeated groups and bad or repeated codes; keeps the order.
QList<StockZxgBK> cleanGroups(const QList<StockZxgBK>& groups)
{
    QList<StockZxgBK> out;
    QSet<QString> names;
    for (const StockZxgBK& g : groups) {
        const QString name = cleanName(g.getName());
        if (name.isEmpty() || names.contains(name))
            continue;
        names.insert(name);
        StockZxgBK clean(name);
        for (const StockZxg& e : g.getList()) {
            const QString code = cleanCode(e.getCode());
            if (!code.isEmpty())
                clean.append(StockZxg(code, e.getAddTime(), e.getNote()));
        }
        out.append(clean);
    }
    return out;
}

void emitGroupUpdate(const QString& name)
{
    emit PubCache::SSignal.onZxgGroupUpdate(name);
}

}

bool PubStaticFunc::openDatabase(const QString& path)
{
    if (path.trimmed().isEmpty())
        return openDefaultDatabase();
    return store().open(path);
}

bool PubStaticFunc::openDefaultDatabase()
{
    return store().open(QDir(dataDir()).filePath(QStringLiteral("userdata.db")));
}

bool PubStaticFunc::openTemporaryDatabase()
{
    return store().openTemporary();
}

void PubStaticFunc::closeDatabase()
{
    store().close();
}

QString PubStaticFunc::databasePath()
{
    return store().path();
}

bool PubStaticFunc::isDatabasePersistent()
{
    return store().isPersistent();
}

QString PubStaticFunc::databaseWarning()
{
    return store().warning();
}

QString PubStaticFunc::dataDir()
{
    const QString dir = qEnvironmentVariable("ZT_DATA_DIR");
    if (!dir.isEmpty())
        return dir;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString PubStaticFunc::defaultZxgGroup()
{
    return QStringLiteral("自选股");
}

QPair<QStringList, QHash<QString, QString>> PubStaticFunc::ZxgGet(const QString& groupName)
{
    return store().read([&](const State& s) {
        QPair<QStringList, QHash<QString, QString>> out;
        const int g = groupIndex(s, groupName);
        if (g < 0)
            return out;
        for (const StockZxg& e : s.groups.at(g).getList()) {
            out.first.append(e.getCode());
            out.second.insert(e.getCode(), e.getAddTimeText());
        }
        return out;
    });
}

bool PubStaticFunc::ZxgContains(const QString& code)
{
    return store().read([&](const State& s) {
        for (const StockZxgBK& g : s.groups) {
            if (g.contains(code))
                return true;
        }
        return false;
    });
}

bool PubStaticFunc::ZxgContains(const QString& code, const QString& groupName)
{
    return store().read([&](const State& s) {
        const int g = groupIndex(s, groupName);
        return g >= 0 && s.groups.at(g).contains(code);
    });
}

bool PubStaticFunc::ZxgAdd(const QString& code, const QString& groupName)
{
    const QString c = cleanCode(code);
    const QString group = groupName.isEmpty() ? defaultZxgGroup() : groupName;
    if (c.isEmpty())
        return false;
    bool madeGroup = false;
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        int g = groupIndex(s, group);
        if (g < 0) {
            if (group != defaultZxgGroup() || !insertGroup(db, group))
                return false;
            s.groups.append(StockZxgBK(group));
            g = s.groups.size() - 1;
            madeGroup = true;
        }
        const StockZxg entry(c);
        return s.groups[g].append(entry) && insertEntry(db, group, entry);
    });
    if (ok && madeGroup)
        emitGroupUpdate(group);
    return ok;
}

bool PubStaticFunc::ZxgDelete(const QString& code)
{
    if (code.isEmpty())
        return false;
    return store().change([&](State& s, QSqlDatabase& db) {
        bool removed = false;
        for (StockZxgBK& g : s.groups)
            removed = g.remove(code) || removed;
        return removed && exec(db, "DELETE FROM zxg_stock WHERE code = ?", {code});
    });
}

bool PubStaticFunc::ZxgDelete(const QString& code, const QString& groupName)
{
    if (code.isEmpty())
        return false;
    return store().change([&](State& s, QSqlDatabase& db) {
        const int g = groupIndex(s, groupName);
        return g >= 0 && s.groups[g].remove(code)
               && exec(db, "DELETE FROM zxg_stock WHERE group_name = ? AND code = ?", {groupName, code});
    });
}

bool PubStaticFunc::ZxgMoveNewBK(const QString& code, const QString& groupName)
{
    if (code.isEmpty())
        return false;
    return store().change([&](State& s, QSqlDatabase& db) {
        const int target = groupIndex(s, groupName);
        if (target < 0)
            return false;
        StockZxg entry;
        bool found = false;
        bool elsewhere = false;
        for (int i = 0; i < s.groups.size(); ++i) {
            const int at = s.groups.at(i).indexOf(code);
            if (at < 0)
                continue;
            // The entry keeps the add time and note it had where it was found first.
            if (!found)
                entry = s.groups.at(i).getList().at(at);
            found = true;
            if (i != target) {
                elsewhere = true;
                s.groups[i].remove(code);
            }
        }
        if (!found || !elsewhere)
            return false;
        if (!exec(db, "DELETE FROM zxg_stock WHERE code = ? AND group_name <> ?", {code, groupName}))
            return false;
        if (s.groups[target].contains(code))
            return true;
        s.groups[target].append(entry);
        return insertEntry(db, groupName, entry);
    });
}

bool PubStaticFunc::ZxgMove(const QString& groupName, int from, int to)
{
    return store().change([&](State& s, QSqlDatabase& db) {
        const int g = groupIndex(s, groupName);
        if (g < 0 || from == to)
            return false;
        QList<StockZxg> list = s.groups.at(g).getList();
        if (from < 0 || to < 0 || from >= list.size() || to >= list.size())
            return false;
        list.move(from, to);
        s.groups[g].setList(list);
        return writeGroupEntries(db, s.groups.at(g));
    });
}

bool PubStaticFunc::ZxgSetNote(const QString& code, const QString& note)
{
    if (code.isEmpty())
        return false;
    return store().change([&](State& s, QSqlDatabase& db) {
        bool found = false;
        for (StockZxgBK& g : s.groups) {
            const int at = g.indexOf(code);
            if (at < 0)
                continue;
            QList<StockZxg> list = g.getList();
            list[at].setNote(note);
            g.setList(list);
            found = true;
        }
        return found && exec(db, "UPDATE zxg_stock SET note = ? WHERE code = ?", {note, code});
    });
}

bool PubStaticFunc::ZxgSave(const QList<StockZxgBK>& groups)
{
    QList<StockZxgBK> clean = cleanGroups(groups);
    if (clean.isEmpty())
        clean.append(StockZxgBK(defaultZxgGroup()));
    bool namesChanged = false;
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        namesChanged = groupNames(s.groups) != groupNames(clean);
        if (!exec(db, "DELETE FROM zxg_stock") || !exec(db, "DELETE FROM zxg_group"))
            return false;
        for (int i = 0; i < clean.size(); ++i) {
            if (!exec(db, "INSERT INTO zxg_group (name, position) VALUES (?, ?)", {clean.at(i).getName(), i})
                || !writeGroupEntries(db, clean.at(i)))
                return false;
        }
        s.groups = clean;
        return true;
    });
    if (ok && namesChanged)
        emitGroupUpdate(QString());
    return ok;
}

bool PubStaticFunc::ZxgSave(const StockZxgBK& group)
{
    const QList<StockZxgBK> cleaned = cleanGroups({group});
    if (cleaned.isEmpty())
        return false;
    const StockZxgBK clean = cleaned.first();
    bool added = false;
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        const int g = groupIndex(s, clean.getName());
        if (g < 0) {
            if (!insertGroup(db, clean.getName()))
                return false;
            s.groups.append(clean);
            added = true;
        } else {
            s.groups[g] = clean;
        }
        return writeGroupEntries(db, clean);
    });
    if (ok && added)
        emitGroupUpdate(clean.getName());
    return ok;
}

bool PubStaticFunc::ZxgAddGroup(const QString& groupName)
{
    const QString name = cleanName(groupName);
    if (name.isEmpty())
        return false;
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        if (groupIndex(s, name) >= 0 || !insertGroup(db, name))
            return false;
        s.groups.append(StockZxgBK(name));
        return true;
    });
    if (ok)
        emitGroupUpdate(name);
    return ok;
}

bool PubStaticFunc::ZxgRenameGroup(const QString& groupName, const QString& newName)
{
    const QString name = cleanName(newName);
    if (name.isEmpty())
        return false;
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        const int g = groupIndex(s, groupName);
        if (g < 0 || groupIndex(s, name) >= 0)
            return false;
        s.groups[g].setName(name);
        return exec(db, "UPDATE zxg_group SET name = ? WHERE name = ?", {name, groupName})
               && exec(db, "UPDATE zxg_stock SET group_name = ? WHERE group_name = ?", {name, groupName});
    });
    if (ok)
        emitGroupUpdate(name);
    return ok;
}

bool PubStaticFunc::ZxgDeleteGroup(const QString& groupName)
{
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        const int g = groupIndex(s, groupName);
        if (g < 0)
            return false;
        s.groups.removeAt(g);
        return exec(db, "DELETE FROM zxg_stock WHERE group_name = ?", {groupName})
               && exec(db, "DELETE FROM zxg_group WHERE name = ?", {groupName});
    });
    if (ok)
        emitGroupUpdate(groupName);
    return ok;
}

QList<StockZxgBK> PubStaticFunc::getZxgCodeList()
{
    return store().read([](const State& s) { return s.groups; });
}

bool PubStaticFunc::HisAdd(const QString& code)
{
    const QString c = cleanCode(code);
    if (c.isEmpty())
        return false;
    if (store().read([&](const State& s) { return !s.history.isEmpty() && s.history.first() == c; }))
        return true;
    return store().change([&](State& s, QSqlDatabase& db) {
        s.history.removeAll(c);
        s.history.prepend(c);
        while (s.history.size() > PubUserStore::HistoryLimit)
            s.history.removeLast();
        return exec(db,
                    "INSERT OR REPLACE INTO history (code, seq) VALUES"
                    " (?, (SELECT COALESCE(MAX(seq), 0) + 1 FROM history))",
                    {c})
               && exec(db, "DELETE FROM history WHERE code NOT IN (SELECT code FROM history ORDER BY seq DESC LIMIT ?)",
                       {PubUserStore::HistoryLimit});
    });
}

QVector<QString> PubStaticFunc::HisGetAll()
{
    return store().read([](const State& s) { return s.history.toVector(); });
}

bool PubStaticFunc::HisDelete(const QString& code)
{
    return store().change([&](State& s, QSqlDatabase& db) {
        return s.history.removeAll(code) > 0 && exec(db, "DELETE FROM history WHERE code = ?", {code});
    });
}

bool PubStaticFunc::HisClear()
{
    return store().change([](State& s, QSqlDatabase& db) {
        if (s.history.isEmpty())
            return false;
        s.history.clear();
        return exec(db, "DELETE FROM history");
    });
}

QHash<QString, StockYJModel> PubStaticFunc::getYJData()
{
    return store().read([](const State& s) { return s.yj; });
}

StockYJModel PubStaticFunc::getYJData(const QString& code)
{
    return store().read([&](const State& s) { return s.yj.value(code); });
}

QVector<QString> PubStaticFunc::getYJRegister()
{
    return store().read([](const State& s) { return s.yjOrder.toVector(); });
}

bool PubStaticFunc::updYJData(const QString& code, const QString& caseId, bool active)
{
    return store().change([&](State& s, QSqlDatabase& db) {
        auto it = s.yj.find(code);
        if (it == s.yj.end() || !it->setCaseActive(caseId, active))
            return false;
        return exec(db, "UPDATE yj_case SET active = ? WHERE code = ? AND case_id = ?", {active ? 1 : 0, code, caseId});
    });
}

bool PubStaticFunc::setYJData(const StockYJModel& model)
{
    const QString code = cleanCode(model.getCode());
    if (code.isEmpty())
        return false;
    if (model.isEmpty())
        return delYJData(code);
    // Conditions are addressed by id: give unnamed ones an id and let a repeated id
    // replace the earlier condition.
    StockYJModel clean(code);
    int n = 0;
    for (StockYJCase c : model.getCaseList()) {
        if (c.getCaseId().isEmpty()) {
            do {
                c.setCaseId(QStringLiteral("c%1").arg(++n));
            } while (model.indexOf(c.getCaseId()) >= 0 || clean.indexOf(c.getCaseId()) >= 0);
        }
        clean.setCase(c);
    }
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        if (!s.yj.contains(code)) {
            s.yjOrder.append(code);
            if (!exec(db, "INSERT INTO yj_stock (code, seq) VALUES (?, (SELECT COALESCE(MAX(seq), 0) + 1 FROM yj_stock))",
                      {code}))
                return false;
        }
        s.yj.insert(code, clean);
        if (!exec(db, "DELETE FROM yj_case WHERE code = ?", {code}))
            return false;
        const QList<StockYJCase> cases = clean.getCaseList();
        for (int i = 0; i < cases.size(); ++i) {
            const StockYJCase& c = cases.at(i);
            if (!exec(db,
                      "INSERT INTO yj_case (code, case_id, position, popup, voice, active, auto_close, multiple,"
                      " decimals, field_key, op, threshold, field_name, title, unit)"
                      " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                      {code, c.getCaseId(), i, c.isPopUp() ? 1 : 0, c.isVoice() ? 1 : 0, c.isActive() ? 1 : 0,
                       c.isAutoClose() ? 1 : 0, c.getMultiple(), int(c.getDecimals()), c.getFieldKey(),
                       c.getOperator(), c.getThreshold(), c.getFieldName(), c.getTitle(), c.getUnit()}))
                return false;
        }
        return true;
    });
    if (ok)
        emit PubCache::SSignal.onEarlyRegister();
    return ok;
}

bool PubStaticFunc::delYJData(const QString& code)
{
    const bool ok = store().change([&](State& s, QSqlDatabase& db) {
        if (!s.yj.remove(code))
            return false;
        s.yjOrder.removeAll(code);
        return exec(db, "DELETE FROM yj_case WHERE code = ?", {code})
               && exec(db, "DELETE FROM yj_stock WHERE code = ?", {code});
    });
    if (ok)
        emit PubCache::SSignal.onEarlyRegister();
    return ok;
}

bool PubStaticFunc::addYJLogData(const StockYJLog& log)
{
    return store().change([&](State& s, QSqlDatabase& db) {
        s.yjLog.append(log);
        while (s.yjLog.size() > PubUserStore::AlertLogLimit)
            s.yjLog.removeFirst();
        return exec(db, "INSERT INTO yj_log (title, condition, code, name, time) VALUES (?, ?, ?, ?, ?)",
                    {log.getTitle(), log.getCondition(), log.getCode(), log.getName(), log.getTime()})
               && exec(db, "DELETE FROM yj_log WHERE id <= (SELECT MAX(id) FROM yj_log) - ?",
                       {PubUserStore::AlertLogLimit});
    });
}

QList<StockYJLog> PubStaticFunc::getYJLogData(int limit)
{
    return store().read([&](const State& s) {
        QList<StockYJLog> out;
        for (int i = s.yjLog.size() - 1; i >= 0 && (limit <= 0 || out.size() < limit); --i)
            out.append(s.yjLog.at(i));
        return out;
    });
}

bool PubStaticFunc::clearYJLogData()
{
    return store().change([](State& s, QSqlDatabase& db) {
        if (s.yjLog.isEmpty())
            return false;
        s.yjLog.clear();
        return exec(db, "DELETE FROM yj_log");
    });
}

bool PubStaticFunc::setStockSign(const QString& code, const QString& sign)
{
    const QString c = cleanCode(code);
    const QString mark = sign.trimmed();
    if (c.isEmpty() || mark.isEmpty() || mark.size() > 16)
        return false;
    if (store().read([&](const State& s) { return s.signs.value(c) == mark; }))
        return true;
    return store().change([&](State& s, QSqlDatabase& db) {
        s.signs.insert(c, mark);
        return exec(db, "INSERT OR REPLACE INTO stock_sign (code, sign) VALUES (?, ?)", {c, mark});
    });
}

bool PubStaticFunc::delStockSign(const QString& code)
{
    return store().change([&](State& s, QSqlDatabase& db) {
        return s.signs.remove(code) > 0 && exec(db, "DELETE FROM stock_sign WHERE code = ?", {code});
    });
}

QString PubStaticFunc::getStockSign(const QString& code)
{
    return store().read([&](const State& s) { return s.signs.value(code); });
}

bool PubStaticFunc::getGridViewFollowRowId()
{
    return store().read([](const State& s) { return s.followRow; });
}

void PubStaticFunc::setGridViewFollowRowId(bool followRow)
{
    store().change([&](State& s, QSqlDatabase& db) {
        if (s.followRow == followRow)
            return false;
        s.followRow = followRow;
        return exec(db, "INSERT OR REPLACE INTO setting (key, value) VALUES ('follow_row', ?)",
                    {QString::number(followRow ? 1 : 0)});
    });
}

QVector<ZtE_DXJL> PubStaticFunc::getDxjlList()
{
    return store().read([](const State& s) { return s.dxjl; });
}

bool PubStaticFunc::setDxjlList(const QVector<ZtE_DXJL>& types)
{
    QVector<ZtE_DXJL> clean;
    QStringList parts;
    for (ZtE_DXJL t : types) {
        if (t >= ZtE_DXJL_FastRise && t <= ZtE_DXJL_LowRebound && !clean.contains(t)) {
            clean.append(t);
            parts.append(QString::number(int(t)));
        }
    }
    return store().change([&](State& s, QSqlDatabase& db) {
        s.dxjl = clean;
        return exec(db, "INSERT OR REPLACE INTO setting (key, value) VALUES ('dxjl', ?)",
                    {parts.join(QLatin1Char(','))});
    });
}

void PubStaticFunc::ClearChild(QWidget* widget, bool later)
{
    if (!widget)
        return;
    if (QLayout* layout = widget->layout()) {
        // Spacers and nested layouts go with their items; widgets are handled below.
        while (QLayoutItem* item = layout->takeAt(0))
            delete item;
    }
    const QList<QWidget*> children = widget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (later) {
            child->hide();
            child->setParent(nullptr);
            child->deleteLater();
        } else {
            delete child;
        }
    }
}

void PubStaticFunc::ClearWidget(QWidget* widget)
{
    if (!widget)
        return;
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
}
