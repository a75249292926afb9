#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <pubcache/pubuserstore.h>

#include <QDir>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// What goes wrong around a good database file: locks, read-only files and folders,
// a full disk. The file must come out of each exactly as it went in.

namespace {

struct Contents
{
    QList<StockZxgBK> groups;
    QVector<QString> history;
    QString sign;
    bool operator==(const Contents& o) const { return groups == o.groups && history == o.history && sign == o.sign; }
};

Contents contents()
{
    return {PubStaticFunc::getZxgCodeList(), PubStaticFunc::HisGetAll(), PubStaticFunc::getStockSign("SZ000001")};
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool setImmutable(const QString& path, bool on)
{
    return QProcess::execute(QStringLiteral("chattr"), {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
}

// A second connection on another thread that takes the file's write lock and
// keeps it until released.
class LockHolder : public QThread
{
public:
    LockHolder(const QString& path, bool exclusive) : mPath(path), mExclusive(exclusive) {}
    ~LockHolder() override
    {
        release();
        wait();
    }
    void release()
    {
        if (!mReleased) {
            mReleased = true;
            mRelease.release();
        }
    }
    bool holding()
    {
        mHeld.acquire();
        return mOk;
    }

protected:
    void run() override
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            db.setDatabaseName(mPath);
            QSqlQuery q(db);
            mOk = db.open() && (!mExclusive || q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")))
                  && q.exec(QStringLiteral("BEGIN IMMEDIATE"))
                  && q.exec(QStringLiteral("INSERT INTO history (code, seq) VALUES ('LOCKED', 999)"));
            mHeld.release();
            mRelease.acquire();
            q.exec(QStringLiteral("ROLLBACK"));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    }

private:
    QString mPath;
    bool mExclusive;
    bool mOk = false;
    bool mReleased = false;
    QSemaphore mHeld;
    QSemaphore mRelease;
};

// Lowers the file size limit so that nothing can grow: a full disk as far as SQLite can tell.
class DiskFull
{
public:
    DiskFull()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &mOld);
        rlimit none = mOld;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~DiskFull() { setrlimit(RLIMIT_FSIZE, &mOld); }

private:
    rlimit mOld{};
};

}

class tst_PubUserStore : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mPath = mDir->filePath("userdata.db");
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QVERIFY(PubStaticFunc::ZxgAddGroup("科技"));
        for (int i = 0; i < 60; ++i)
            QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH6%1").arg(i, 5, 10, QLatin1Char('0'))));
        QVERIFY(PubStaticFunc::ZxgAdd("SZ000001", "科技"));
        for (int i = 0; i < 10; ++i)
            QVERIFY(PubStaticFunc::HisAdd(QStringLiteral("SZ30%1").arg(i, 4, 10, QLatin1Char('0'))));
        QVERIFY(PubStaticFunc::setStockSign("SZ000001", "3"));
        mContents = contents();
        PubStaticFunc::closeDatabase();
        QVERIFY(!QFile::exists(mPath + "-wal"));
        mBytes = fileBytes(mPath);
        QVERIFY(mBytes.size() > 4096);
    }

    void cleanup()
    {
        PubStaticFunc::closeDatabase();
        PubUserStore::setBusyTimeout(PubUserStore::DefaultBusyTimeout);
        for (const QString& name : QDir(mDir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            setImmutable(mDir->filePath(name), false);
        setImmutable(mDir->path(), false);
    }

    void goodFileIsNeverMovedAside_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("persistent");
        QTest::newRow("write lock held by another connection") << "lock" << true;
        QTest::newRow("exclusive lock held throughout") << "exclusive" << false;
        QTest::newRow("read-only file") << "readonly-file" << false;
        QTest::newRow("read-only folder") << "readonly-folder" << false;
        QTest::newRow("stale -wal and -shm it cannot write") << "stale-wal" << false;
        QTest::newRow("full disk") << "full" << false;
    }

    void goodFileIsNeverMovedAside()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, persistent);

        QScopedPointer<LockHolder> holder;
        QScopedPointer<DiskFull> full;
        if (trigger == "lock" || trigger == "exclusive") {
            PubUserStore::setBusyTimeout(300);
            holder.reset(new LockHolder(mPath, trigger == "exclusive"));
            holder->start();
            QVERIFY(holder->holding());
        } else if (trigger == "readonly-file" || trigger == "readonly-folder") {
            if (!setImmutable(trigger == "readonly-file" ? mPath : mDir->path(), true))
                QSKIP("chattr +i does not work here");
        } else if (trigger == "stale-wal") {
            // Left behind by a run under another account: present, but not ours to write.
            for (const char* suffix : {"-wal", "-shm"}) {
                QFile f(mPath + suffix);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.close();
                if (!setImmutable(mPath + suffix, true))
                    QSKIP("chattr +i does not work here");
            }
        } else {
            full.reset(new DiskFull);
        }

        QSignalSpy warned(&PubCache::SSignal, &PubStaticSignal::onUserDataWarning);
        QCOMPARE(PubStaticFunc::openDatabase(mPath), persistent);
        QCOMPARE(PubStaticFunc::isDatabasePersistent(), persistent);
        QCOMPARE(contents(), mContents);
        QCOMPARE(PubStaticFunc::databaseWarning().isEmpty(), persistent);
        QCOMPARE(warned.count(), persistent ? 0 : 1);
        QVERIFY(!PubStaticFunc::databaseWarning().contains(QStringLiteral("损坏")));

        // The session goes on: changes work in memory, and the warning came once.
        if (holder)
            holder->release();
        QVERIFY(PubStaticFunc::ZxgAdd("SH688001"));
        QVERIFY(PubStaticFunc::ZxgContains("SH688001"));
        QVERIFY(PubStaticFunc::HisAdd("SH688001"));
        QCOMPARE(PubStaticFunc::HisGetAll().first(), QStringLiteral("SH688001"));
        QCOMPARE(warned.count(), persistent ? 0 : 1);

        PubStaticFunc::closeDatabase();
        full.reset();
        holder.reset();
        if (trigger != "lock" && trigger != "exclusive")
            QCOMPARE(fileBytes(mPath), mBytes);
        cleanup();
        QVERIFY(QDir(mDir->path()).entryList({"*damaged*"}, QDir::AllEntries).isEmpty());
        QFile::remove(mPath + "-wal");
        QFile::remove(mPath + "-shm");

        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QCOMPARE(PubStaticFunc::ZxgContains("SH688001"), persistent);
        PubStaticFunc::ZxgDelete("SH688001");
        PubStaticFunc::HisDelete("SH688001");
        QCOMPARE(contents(), mContents);
    }

    void writeFailureKeepsChangesInMemory()
    {
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QVERIFY(PubStaticFunc::isDatabasePersistent());
        QSignalSpy warned(&PubCache::SSignal, &PubStaticSignal::onUserDataWarning);
        {
            DiskFull full;
            QVERIFY(PubStaticFunc::ZxgAdd("SH688001"));
            QVERIFY(PubStaticFunc::ZxgDelete("SH600000"));
            QVERIFY(PubStaticFunc::setStockSign("SH688001", "5"));
        }
        QVERIFY(PubStaticFunc::ZxgContains("SH688001"));
        QVERIFY(!PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(PubStaticFunc::getStockSign("SH688001"), QStringLiteral("5"));
        QVERIFY(!PubStaticFunc::isDatabasePersistent());
        QCOMPARE(warned.count(), 1);
        QVERIFY(!PubStaticFunc::databaseWarning().isEmpty());

        PubStaticFunc::closeDatabase();
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QCOMPARE(contents(), mContents);
    }

private:
    QScopedPointer<QTemporaryDir> mDir;
    QString mPath;
    Contents mContents;
    QByteArray mBytes;
};

QTEST_MAIN(tst_PubUserStore)
#include "tst_pubuserstore.moc"
