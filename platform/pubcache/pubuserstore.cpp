#include "pubuserstore.h"

#include "pubcachelog.h"

#include <ztlib/pubcachecustom.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

const QString driverName = QStringLiteral("QSQLITE");
const QString defaultGroup = QStringLiteral("自选股");

// This thread's connection; removed when the thread ends.
struct ThreadConnection
{
    QString name;
    quint64 generation = 0;
    ~ThreadConnection()
    {
        if (!name.isEmpty())
            QSqlDatabase::removeDatabase(name);
    }
};

thread_local ThreadConnection threadConnection;
std::atomic<quint64> connectionCounter{0};

std::unique_ptr<QTemporaryDir>& temporaryDir()
{
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}

QVector<ZtE_DXJL> allMovementTypes()
{
    QVector<ZtE_DXJL> types;
    for (int t = ZtE_DXJL_FastRise; t <= ZtE_DXJL_LowRebound; ++t)
        types.append(ZtE_DXJL(t));
    return types;
}

PubUserStore::State freshState()
{
    PubUserStore::State s;
    s.groups.append(StockZxgBK(defaultGroup));
    s.dxjl = allMovementTypes();
    return s;
}

QString dxjlText(const QVector<ZtE_DXJL>& types)
{
    QStringList parts;
    for (ZtE_DXJL t : types)
        parts.append(QString::number(int(t)));
    return parts.join(QLatin1Char(','));
}

QVector<ZtE_DXJL> dxjlFromText(const QString& text)
{
    QVector<ZtE_DXJL> types;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int t = part.trimmed().toInt(&ok);
        if (ok && t >= ZtE_DXJL_FastRise && t <= ZtE_DXJL_LowRebound && !types.contains(ZtE_DXJL(t)))
            types.append(ZtE_DXJL(t));
    }
    return types;
}

void applyMirrors(const PubUserStore::State& s)
{
    QList<QString> codes;
    QSet<QString> seen;
    for (const StockZxgBK& g : s.groups) {
        for (const StockZxg& e : g.getList()) {
            if (!seen.contains(e.getCode())) {
                seen.insert(e.getCode());
                codes.append(e.getCode());
            }
        }
    }
    QHash<QString, bool> alerts;
    for (const QString& code : s.yjOrder)
        alerts.insert(code, s.yj.value(code).hasActiveCase());
    PubCacheCustom::mStockCodeList = codes;
    PubCacheCustom::mYjsStock = alerts;
    PubCacheCustom::mStockSign = s.signs;
}

const char* const schema[] = {
    "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS zxg_group (name TEXT PRIMARY KEY, position INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS zxg_stock (group_name TEXT NOT NULL REFERENCES zxg_group(name)"
    " ON UPDATE CASCADE ON DELETE CASCADE, code TEXT NOT NULL, position INTEGER NOT NULL,"
    " add_time INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '', PRIMARY KEY (group_name, code))",
    "CREATE TABLE IF NOT EXISTS history (code TEXT PRIMARY KEY, seq INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS stock_sign (code TEXT PRIMARY KEY, sign TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS yj_stock (code TEXT PRIMARY KEY, seq INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS yj_case (code TEXT NOT NULL REFERENCES yj_stock(code) ON DELETE CASCADE,"
    " case_id TEXT NOT NULL, position INTEGER NOT NULL, popup INTEGER NOT NULL, voice INTEGER NOT NULL,"
    " active INTEGER NOT NULL, auto_close INTEGER NOT NULL, multiple INTEGER NOT NULL,"
    " decimals INTEGER NOT NULL, field_key INTEGER NOT NULL, op TEXT NOT NULL, threshold TEXT NOT NULL,"
    " field_name TEXT NOT NULL, title TEXT NOT NULL, unit TEXT NOT NULL, PRIMARY KEY (code, case_id))",
    "CREATE TABLE IF NOT EXISTS yj_log (id INTEGER PRIMARY KEY AUTOINCREMENT, title TEXT NOT NULL,"
    " condition TEXT NOT NULL, code TEXT NOT NULL, name TEXT NOT NULL, time INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS setting (key TEXT PRIMARY KEY, value TEXT NOT NULL)",
};

}

PubUserStore& PubUserStore::instance()
{
    static PubUserStore store;
    return store;
}

bool PubUserStore::exec(QSqlDatabase& db, const QString& sql, const QVariantList& values, QSqlQuery* result)
{
    // Without a file (no driver, unwritable folder) changes live in memory only.
    if (!db.isValid())
        return true;
    QSqlQuery q(db);
    bool ok = q.prepare(sql);
    if (ok) {
        for (const QVariant& v : values) {
            // A null QString would bind as SQL NULL; texts are never NULL here.
            if (v.type() == QVariant::String && v.toString().isNull())
                q.addBindValue(QStringLiteral(""));
            else
                q.addBindValue(v);
        }
        ok = q.exec();
    }
    if (!ok) {
        qCWarning(lcPubCache).noquote() << "database:" << q.lastError().text() << "in" << sql;
        return false;
    }
    if (result)
        *result = q;
    return true;
}

QSqlDatabase PubUserStore::connection()
{
    ThreadConnection& c = threadConnection;
    if (c.generation != mGeneration || c.name.isEmpty() || !QSqlDatabase::contains(c.name)) {
        if (!c.name.isEmpty()) {
            QSqlDatabase::removeDatabase(c.name);
            mConnections.removeAll(c.name);
        }
        c.name = QStringLiteral("pubcache-%1").arg(++connectionCounter);
        c.generation = mGeneration;
        mConnections.append(c.name);
        QSqlDatabase db = QSqlDatabase::addDatabase(driverName, c.name);
        db.setDatabaseName(mPath);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            qCWarning(lcPubCache).noquote() << "cannot open" << mPath << db.lastError().text();
            return db;
        }
        // FULL: a change is on disk when its call returns, even if the power goes next.
        exec(db, QStringLiteral("PRAGMA synchronous=FULL"));
        exec(db, QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    return QSqlDatabase::database(c.name, false);
}

void PubUserStore::dropConnections()
{
    for (const QString& name : qAsConst(mConnections))
        QSqlDatabase::removeDatabase(name);
    mConnections.clear();
    threadConnection.name.clear();
    ++mGeneration;
}

QString PubUserStore::moveAside(const QString& path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFile::exists(target); ++n)
        target = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, target))
        return QString();
    // The log belongs to the damaged file; keep it beside it for inspection.
    if (QFile::exists(path + QStringLiteral("-wal")))
        QFile::rename(path + QStringLiteral("-wal"), target + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    return target;
}

bool PubUserStore::createSchema(QSqlDatabase& db)
{
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE")))
        return false;
    bool ok = true;
    for (const char* statement : schema)
        ok = ok && exec(db, QString::fromLatin1(statement));
    QSqlQuery q(db);
    ok = ok && exec(db, QStringLiteral("SELECT MAX(version) FROM schema_version"), {}, &q);
    int version = 0;
    if (ok && q.next())
        version = q.value(0).toInt();
    q.finish();
    if (ok && version == 0) {
        // A new file starts with the default group and every message type followed.
        const State fresh = freshState();
        ok = exec(db, QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"), {SchemaVersion})
             && exec(db, QStringLiteral("INSERT OR IGNORE INTO zxg_group (name, position) VALUES (?, 0)"),
                     {defaultGroup})
             && exec(db, QStringLiteral("INSERT OR REPLACE INTO setting (key, value) VALUES ('dxjl', ?)"),
                     {dxjlText(fresh.dxjl)});
    } else if (ok && version > SchemaVersion) {
        qCWarning(lcPubCache) << mPath << "was written by a newer version (schema" << version
                              << "); using the tables this version knows";
    }
    if (!ok) {
        exec(db, QStringLiteral("ROLLBACK"));
        return false;
    }
    return exec(db, QStringLiteral("COMMIT"));
}

bool PubUserStore::loadState(QSqlDatabase& db, State& s)
{
    s = State();
    QSqlQuery q(db);
    if (!exec(db, QStringLiteral("SELECT name FROM zxg_group ORDER BY position, rowid"), {}, &q))
        return false;
    QHash<QString, int> groupIndex;
    while (q.next()) {
        groupIndex.insert(q.value(0).toString(), s.groups.size());
        s.groups.append(StockZxgBK(q.value(0).toString()));
    }
    if (!exec(db,
              QStringLiteral("SELECT group_name, code, add_time, note FROM zxg_stock ORDER BY position, rowid"),
              {}, &q))
        return false;
    while (q.next()) {
        const auto it = groupIndex.constFind(q.value(0).toString());
        if (it != groupIndex.cend())
            s.groups[*it].append(StockZxg(q.value(1).toString(), q.value(2).toULongLong(), q.value(3).toString()));
    }

    if (!exec(db, QStringLiteral("SELECT code FROM history ORDER BY seq DESC"), {}, &q))
        return false;
    while (q.next())
        s.history.append(q.value(0).toString());

    if (!exec(db, QStringLiteral("SELECT code, sign FROM stock_sign"), {}, &q))
        return false;
    while (q.next())
        s.signs.insert(q.value(0).toString(), q.value(1).toString());

    if (!exec(db, QStringLiteral("SELECT code FROM yj_stock ORDER BY seq"), {}, &q))
        return false;
    while (q.next()) {
        const QString code = q.value(0).toString();
        s.yjOrder.append(code);
        s.yj.insert(code, StockYJModel(code));
    }
    if (!exec(db,
              QStringLiteral("SELECT code, case_id, popup, voice, active, auto_close, multiple, decimals,"
                             " field_key, op, threshold, field_name, title, unit FROM yj_case"
                             " ORDER BY position, rowid"),
              {}, &q))
        return false;
    while (q.next()) {
        const QString code = q.value(0).toString();
        auto it = s.yj.find(code);
        if (it == s.yj.end())
            continue;
        StockYJCase c(q.value(1).toString(), q.value(8).toUInt(), q.value(9).toString(), q.value(10).toString(),
                      q.value(11).toString(), q.value(12).toString(), q.value(13).toString(), q.value(6).toInt(),
                      qint16(q.value(7).toInt()));
        c.setPopUp(q.value(2).toBool());
        c.setVoice(q.value(3).toBool());
        c.setActive(q.value(4).toBool());
        c.setAutoClose(q.value(5).toBool());
        it->setCase(c);
    }

    if (!exec(db,
              QStringLiteral("SELECT title, condition, code, name, time FROM yj_log ORDER BY id DESC LIMIT ?"),
              {AlertLogLimit}, &q))
        return false;
    while (q.next()) {
        s.yjLog.prepend(StockYJLog(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                   q.value(3).toString(), q.value(4).toULongLong()));
    }

    if (!exec(db, QStringLiteral("SELECT key, value FROM setting"), {}, &q))
        return false;
    while (q.next()) {
        const QString key = q.value(0).toString();
        if (key == QLatin1String("follow_row"))
            s.followRow = q.value(1).toInt() != 0;
        else if (key == QLatin1String("dxjl"))
            s.dxjl = dxjlFromText(q.value(1).toString());
    }
    return true;
}

bool PubUserStore::openFile(const QString& path, bool* damaged)
{
    *damaged = false;
    const bool existed = QFileInfo(path).size() > 0;
    QSqlDatabase db = connection();
    if (!db.isOpen())
        return false;
    // Each pragma's statement is finished before the next, or SQLite would still
    // hold a read transaction and refuse to switch the journal.
    const auto scalar = [&db](const QString& sql, QString* value) {
        QSqlQuery q(db);
        if (!exec(db, sql, {}, &q) || !q.next())
            return false;
        *value = q.value(0).toString();
        return true;
    };
    QString check;
    if (!scalar(QStringLiteral("PRAGMA quick_check"), &check) || check != QLatin1String("ok")) {
        *damaged = existed;
        return false;
    }
    QString journal;
    if (!scalar(QStringLiteral("PRAGMA journal_mode=WAL"), &journal)) {
        *damaged = existed;
        return false;
    }
    if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        qCWarning(lcPubCache) << path << "runs without write-ahead log:" << journal;
    State loaded;
    if (!createSchema(db) || !loadState(db, loaded)) {
        *damaged = existed;
        return false;
    }
    mRevision = readRevision(db);
    mState = loaded;
    return mRevision >= 0;
}

// Connections go before the application object, whose end may take the SQL plugin with it;
// a later change simply opens a new one.
void PubUserStore::releaseConnections()
{
    PubUserStore& store = PubUserStore::instance();
    std::lock_guard<std::mutex> lock(store.mMutex);
    store.dropConnections();
}

bool PubUserStore::open(const QString& path)
{
    static bool postRoutine = false;
    if (!postRoutine && QCoreApplication::instance()) {
        qAddPostRoutine(releaseConnections);
        postRoutine = true;
    }
    bool ok = false;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        dropConnections();
        mPath = QFileInfo(path).absoluteFilePath();
        mOpen = true;
        mPersistent = false;
        mState = freshState();
        if (!QSqlDatabase::isDriverAvailable(driverName)) {
            qCWarning(lcPubCache) << "the SQLite driver of QtSql is missing; user data is not saved";
        } else {
            QDir().mkpath(QFileInfo(mPath).absolutePath());
            bool damaged = false;
            ok = openFile(mPath, &damaged);
            if (!ok && damaged) {
                dropConnections();
                const QString moved = moveAside(mPath);
                if (moved.isEmpty()) {
                    qCWarning(lcPubCache) << mPath << "is damaged and cannot be moved aside";
                } else {
                    qCWarning(lcPubCache) << mPath << "is damaged; moved to" << moved << "and starting afresh";
                    mState = freshState();
                    ok = openFile(mPath, &damaged);
                }
            }
            if (!ok) {
                qCWarning(lcPubCache) << "cannot use" << mPath << "; user data is kept in memory only";
                dropConnections();
                mState = freshState();
            }
        }
        mPersistent = ok;
    }
    syncMirrors();
    return ok;
}

bool PubUserStore::openTemporary()
{
    auto& dir = temporaryDir();
    if (!dir || !dir->isValid())
        dir = std::make_unique<QTemporaryDir>();
    return open(dir->filePath(QStringLiteral("userdata.db")));
}

void PubUserStore::close()
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        dropConnections();
        mOpen = false;
        mPersistent = false;
        mPath.clear();
        mState = State();
    }
    syncMirrors();
}

void PubUserStore::ensureOpen()
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        if (mOpen)
            return;
    }
    openTemporary();
}

QString PubUserStore::path() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mPath;
}

bool PubUserStore::isPersistent() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mPersistent;
}

PubUserStore::State PubUserStore::snapshot() const
{
    const_cast<PubUserStore*>(this)->ensureOpen();
    std::lock_guard<std::mutex> lock(mMutex);
    return mState;
}

bool PubUserStore::change(const Edit& edit)
{
    ensureOpen();
    bool ok = false;
    bool reloaded = false;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        if (!mPersistent) {
            State next = mState;
            QSqlDatabase none;
            ok = edit(next, none);
            if (ok)
                mState = next;
        } else {
            QSqlDatabase db = connection();
            if (exec(db, QStringLiteral("BEGIN IMMEDIATE"))) {
                // Another terminal on the same file may have changed it since we read it:
                // start from what the file holds, not from a stale copy.
                const qint64 revision = readRevision(db);
                if (revision != mRevision) {
                    State fresh;
                    if (revision >= 0 && loadState(db, fresh)) {
                        mState = fresh;
                        mRevision = revision;
                        reloaded = true;
                    }
                }
                State next = mState;
                ok = revision == mRevision && edit(next, db)
                     && exec(db, QStringLiteral("INSERT OR REPLACE INTO setting (key, value) VALUES ('revision', ?)"),
                             {QString::number(revision + 1)})
                     && exec(db, QStringLiteral("COMMIT"));
                if (ok) {
                    mState = next;
                    mRevision = revision + 1;
                } else {
                    exec(db, QStringLiteral("ROLLBACK"));
                }
            }
        }
    }
    if (ok || reloaded)
        syncMirrors();
    return ok;
}

qint64 PubUserStore::readRevision(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!exec(db, QStringLiteral("SELECT value FROM setting WHERE key = 'revision'"), {}, &q))
        return -1;
    return q.next() ? q.value(0).toLongLong() : 0;
}

void PubUserStore::syncMirrors()
{
    const auto current = [] {
        PubUserStore& store = PubUserStore::instance();
        std::lock_guard<std::mutex> lock(store.mMutex);
        return store.mState;
    };
    // The mirrors are GUI-thread tables; a change made elsewhere reaches them queued.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        applyMirrors(current());
    else
        QMetaObject::invokeMethod(app, [current] { applyMirrors(current()); }, Qt::QueuedConnection);
}
