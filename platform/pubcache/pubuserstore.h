#pragma once

#include "stockyjlog.h"
#include "stockyjmodel.h"
#include "stockzxgbk.h"

#include <ztlib/ztenums.h>

#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <mutex>

class QSqlQuery;

// The user's lasting state: kept in memory for readers on any thread and written
// through to one SQLite file, one transaction per change. PubStaticFunc is its
// public face; this class owns the file, the connections and the schema.
//
// Each thread that writes gets its own connection (SQLite connections must stay in
// the thread that made them); reads never touch the file after open().
class PubUserStore
{
public:
    struct State
    {
        QList<StockZxgBK> groups;
        QStringList history;             // most recent first
        QHash<QString, QString> signs;   // code -> mark
        QStringList yjOrder;             // codes with alert definitions, first made first
        QHash<QString, StockYJModel> yj;
        QList<StockYJLog> yjLog;         // oldest first
        bool followRow = false;
        QVector<ZtE_DXJL> dxjl;
    };

    // A change: edits a copy of the state and writes the same change to the file
    // through `sql` (inside one transaction). Returns false to abandon the change.
    using Edit = std::function<bool(State& state, QSqlDatabase& db)>;

    static constexpr int SchemaVersion = 1;
    static constexpr int HistoryLimit = 100;
    static constexpr int AlertLogLimit = 1000;
    static constexpr int DefaultBusyTimeout = 5000;

    // How long an open or a change waits for another program's lock (ms).
    static void setBusyTimeout(int ms);

    static PubUserStore& instance();

    // Opens (or creates) the database file; a damaged file is moved aside first.
    // A file that is locked past the busy time-out, read-only or on a full disk is
    // left as it is: its contents are read when possible, changes are kept in memory
    // and warning() says why. False when changes are not saved.
    bool open(const QString& path);
    // Opens a database in a private temporary folder, removed at exit.
    bool openTemporary();
    void close();
    // Opens the temporary database when nothing is open yet.
    void ensureOpen();

    QString path() const;
    bool isPersistent() const;
    // Why changes are not saved, for the user; empty while they are.
    QString warning() const;

    State snapshot() const;
    // Reads part of the state under the lock.
    template <typename F>
    auto read(F f) const -> decltype(f(std::declval<const State&>()))
    {
        const_cast<PubUserStore*>(this)->ensureOpen();
        std::lock_guard<std::mutex> lock(mMutex);
        return f(mState);
    }

    // Applies one change; true when it was made (and, with a file, committed).
    bool change(const Edit& edit);

    // Executes one statement with positional values; logs and returns false on error.
    static bool exec(QSqlDatabase& db, const QString& sql, const QVariantList& values = QVariantList(),
                     QSqlQuery* result = nullptr);

private:
    PubUserStore() = default;

    // Run when the application object goes (qAddPostRoutine).
    static void releaseConnections();

    // What kept a file from being used; only Damaged lets it be moved aside.
    enum class Failure { None, Damaged, Locked, ReadOnly, NoSpace, Other };
    // How connections open the file: normally, read-only, or as an unchanging file.
    enum class Mode { ReadWrite, ReadOnly, Immutable };

    static Failure failureOf(int sqliteCode);
    static QString warningFor(Failure failure, const QString& path);
    bool openFile(const QString& path, Failure* failure);
    bool createSchema(QSqlDatabase& db);
    bool loadState(QSqlDatabase& db, State& state);
    QSqlDatabase connection();
    static qint64 readRevision(QSqlDatabase& db);
    void dropConnections();
    static QString moveAside(const QString& path);
    // Brings the PubCacheCustom tables in line with the state, on the GUI thread.
    void syncMirrors();

    mutable std::mutex mMutex;
    State mState;
    QString mPath;
    bool mOpen = false;
    bool mPersistent = false;
    Mode mMode = Mode::ReadWrite;
    QString mWarning;
    // Bumped on every open/close so that connections of older files are replaced.
    quint64 mGeneration = 0;
    // Count of changes the file has seen, as of mState; bumped by every change.
    qint64 mRevision = 0;
    QStringList mConnections;
};
