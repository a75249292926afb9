#include "pubuserstore.h"

#include "pubcache.h"
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
#include <QUrl>

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
std::atomic<int> busyTimeout{PubUserStore::DefaultBusyTimeout};

// SQLite's primary result code of the last failed statement on this thread; 0 when none.
thread_local int lastErrorCode = 0;

enum SqliteCode { Busy = 5, Locked = 6, ReadOnly = 8, IoError = 10, Corrupt = 11, Full = 13, CantOpen = 14, NotADatabase = 26 };

int errorCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 1;
}

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
        lastErrorCode = errorCode(q.lastError());
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
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout.load());
        if (mMode == Mode::ReadWrite) {
            db.setDatabaseName(mPath);
        } else if (mMode == Mode::ReadOnly) {
            db.setDatabaseName(mPath);
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        } else {
            // Reads the file as it is, without locks, log or shared memory: the last way
            // to show what a file holds when none of those can be had.
            QUrl uri = QUrl::fromLocalFile(mPath);
            uri.setQuery(QStringLiteral("immutable=1"));
            db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
            options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
        }
        db.setConnectOptions(options);
        if (!db.open()) {
            lastErrorCode = errorCode(db.lastError());
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
    // A file that has its tables is only read here: a reader must not need the
    // write lock that another program may hold.
    {
        QSqlQuery q(db);
        if (!exec(db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"), {}, &q) || !q.next())
            return false;
        const int tables = q.value(0).toInt();
        q.finish();
        if (tables >= int(sizeof(schema) / sizeof(schema[0]))) {
            if (!exec(db, QStringLiteral("SELECT MAX(version) FROM schema_version"), {}, &q))
                return false;
            const int version = q.next() ? q.value(0).toInt() : 0;
            if (version > SchemaVersion)
                qCWarning(lcPubCache) << mPath << "was written by a newer version (schema" << version
                                      << "); using the tables this version knows";
            if (version > 0)
                return true;
        }
    }
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

PubUserStore::Failure PubUserStore::failureOf(int code)
{
    switch (code) {
    case 0:
        return Failure::None;
    case Busy:
    case Locked:
        return Failure::Locked;
    case ReadOnly:
    case CantOpen:
        return Failure::ReadOnly;
    case Full:
    case IoError:
        return Failure::NoSpace;
    case Corrupt:
    case NotADatabase:
        return Failure::Damaged;
    default:
        return Failure::Other;
    }
}

QString PubUserStore::warningFor(Failure failure, const QString& path)
{
    switch (failure) {
    case Failure::Locked:
        return QStringLiteral("用户数据文件被其他程序占用，本次运行中的改动不会保存：%1").arg(path);
    case Failure::ReadOnly:
        return QStringLiteral("用户数据文件或其文件夹只读，本次运行中的改动不会保存：%1").arg(path);
    case Failure::NoSpace:
        return QStringLiteral("磁盘已满或无法写入，本次运行中的改动不会保存：%1").arg(path);
    case Failure::Damaged:
        return QStringLiteral("用户数据文件已损坏且无法移开，本次运行中的改动不会保存：%1").arg(path);
    default:
        return QStringLiteral("用户数据文件无法写入，本次运行中的改动不会保存：%1").arg(path);
    }
}

bool PubUserStore::openFile(const QString& path, Failure* failure)
{
    // Only SQLite's own verdict (or the integrity check) calls a file damaged; a lock,
    // a read-only file or a full disk is something else and leaves the file alone.
    const bool existed = QFileInfo(path).size() > 0;
    const auto fail = [&](Failure f) {
        *failure = f == Failure::Damaged && !existed ? Failure::Other : f;
        return false;
    };
    *failure = Failure::None;
    lastErrorCode = 0;
    QSqlDatabase db = connection();
    if (!db.isOpen())
        return fail(failureOf(lastErrorCode) == Failure::None ? Failure::Other : failureOf(lastErrorCode));
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
    if (!scalar(QStringLiteral("PRAGMA quick_check"), &check))
        return fail(failureOf(lastErrorCode));
    if (check != QLatin1String("ok"))
        return fail(Failure::Damaged);
    if (mMode == Mode::ReadWrite) {
        QString journal;
        if (!scalar(QStringLiteral("PRAGMA journal_mode=WAL"), &journal))
            return fail(failureOf(lastErrorCode));
        if (journal.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
            qCWarning(lcPubCache) << path << "runs without write-ahead log:" << journal;
        if (!createSchema(db))
            return fail(failureOf(lastErrorCode));
    }
    State loaded;
    if (!loadState(db, loaded))
        return fail(failureOf(lastErrorCode));
    if (mMode == Mode::ReadWrite) {
        // A file that reads well may still refuse writes (read-only file or folder);
        // learn it now, not at the user's first change. A write lock held elsewhere
        // is no reason: changes wait for it.
        lastErrorCode = 0;
        if (exec(db, QStringLiteral("BEGIN IMMEDIATE"))) {
            const bool writable =
                exec(db, QStringLiteral("INSERT OR REPLACE INTO setting (key, value) VALUES ('probe', '')"));
            const int code = lastErrorCode;
            exec(db, QStringLiteral("ROLLBACK"));
            if (!writable)
                return fail(failureOf(code));
        } else if (failureOf(lastErrorCode) != Failure::Locked) {
            return fail(failureOf(lastErrorCode));
        }
    }
    mRevision = readRevision(db);
    if (mRevision < 0)
        return fail(failureOf(lastErrorCode));
    mState = loaded;
    return true;
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
    QString warning;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        dropConnections();
        mPath = QFileInfo(path).absoluteFilePath();
        mOpen = true;
        mPersistent = false;
        mMode = Mode::ReadWrite;
        mWarning.clear();
        mState = freshState();
        if (!QSqlDatabase::isDriverAvailable(driverName)) {
            qCWarning(lcPubCache) << "the SQLite driver of QtSql is missing; user data is not saved";
            warning = warningFor(Failure::Other, mPath);
        } else {
            QDir().mkpath(QFileInfo(mPath).absolutePath());
            Failure failure = Failure::None;
            // A lock that outlasts the busy time-out gets one more wait.
            for (int attempt = 0; attempt < 2; ++attempt) {
                ok = openFile(mPath, &failure);
                if (ok || failure != Failure::Locked)
                    break;
                dropConnections();
                qCWarning(lcPubCache) << mPath << "is locked by another program";
            }
            if (!ok && failure == Failure::Damaged) {
                dropConnections();
                const QString moved = moveAside(mPath);
                if (moved.isEmpty()) {
                    qCWarning(lcPubCache) << mPath << "is damaged and cannot be moved aside";
                } else {
                    qCWarning(lcPubCache) << mPath << "is damaged; moved to" << moved << "and starting afresh";
                    mState = freshState();
                    ok = openFile(mPath, &failure);
                }
            }
            if (!ok) {
                qCWarning(lcPubCache) << "cannot use" << mPath << "; user data is kept in memory only";
                dropConnections();
                mState = freshState();
                // Show what the file holds for this run, without writing to it.
                Failure readFailure = Failure::None;
                for (Mode mode : {Mode::ReadOnly, Mode::Immutable}) {
                    if (failure == Failure::Damaged || QFileInfo(mPath).size() <= 0)
                        break;
                    mMode = mode;
                    const bool read = openFile(mPath, &readFailure);
                    dropConnections();
                    if (read)
                        break;
                }
                mMode = Mode::ReadWrite;
                warning = warningFor(failure, mPath);
            }
        }
        mPersistent = ok;
        mWarning = warning;
    }
    syncMirrors();
    if (!warning.isEmpty())
        emit PubCache::SSignal.onUserDataWarning(warning);
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

void PubUserStore::setBusyTimeout(int ms)
{
    busyTimeout = ms;
}

QString PubUserStore::warning() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mWarning;
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
    QString warning;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        if (mPersistent) {
            lastErrorCode = 0;
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
                    const int code = lastErrorCode;
                    exec(db, QStringLiteral("ROLLBACK"));
                    lastErrorCode = code;
                }
            }
            const Failure failure = failureOf(lastErrorCode);
            if (!ok && (failure == Failure::ReadOnly || failure == Failure::NoSpace)) {
                // The file stays as it was; the session goes on in memory.
                qCWarning(lcPubCache) << "cannot write" << mPath << "; user data is kept in memory only from now on";
                db = QSqlDatabase();
                dropConnections();
                mPersistent = false;
                mWarning = warning = warningFor(failure, mPath);
            }
        }
        if (!mPersistent) {
            State next = mState;
            QSqlDatabase none;
            ok = edit(next, none);
            if (ok)
                mState = next;
        }
    }
    if (ok || reloaded)
        syncMirrors();
    if (!warning.isEmpty())
        emit PubCache::SSignal.onUserDataWarning(warning);
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
