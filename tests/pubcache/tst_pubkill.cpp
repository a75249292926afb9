#include "killscript.h"

#include <pubcache/pubstaticfunc.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

// A helper process makes numbered watchlist changes and prints each number after
// the change has returned; it is killed with SIGKILL at a random point. Every change
// it reported must be in the database, which must pass SQLite's integrity check.
class tst_PubKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral(ZT_KILL_HELPER)), ZT_KILL_HELPER);
        mSeed = qEnvironmentVariableIsSet("ZT_KILL_SEED") ? quint32(qEnvironmentVariableIntValue("ZT_KILL_SEED"))
                                                          : QRandomGenerator::global()->generate();
        qInfo("kill test seed %u (set ZT_KILL_SEED to repeat)", mSeed);
    }

    void reportedChangesSurviveKill()
    {
        const int rounds = qEnvironmentVariableIsSet("ZT_KILL_ROUNDS") ? qEnvironmentVariableIntValue("ZT_KILL_ROUNDS")
                                                                       : 50;
        QRandomGenerator random(mSeed);
        QElapsedTimer clock;
        clock.start();
        int totalReported = 0;
        int killedAfterCommit = 0;

        for (int round = 0; round < rounds; ++round) {
            QTemporaryDir dir;
            QVERIFY(dir.isValid());
            const QString path = dir.filePath(QStringLiteral("userdata.db"));
            const quint32 scriptSeed = random.generate();
            // Kill somewhere between the first report and thirty changes in.
            const int killAfter = 1 + int(random.bounded(30u));

            QProcess helper;
            helper.setProcessChannelMode(QProcess::SeparateChannels);
            helper.start(QStringLiteral(ZT_KILL_HELPER), {path, QString::number(scriptSeed)});
            QVERIFY2(helper.waitForStarted(), qPrintable(helper.errorString()));

            QByteArray output;
            int reported = 0;
            while (reported < killAfter) {
                if (!helper.waitForReadyRead(10000))
                    QFAIL(qPrintable(QStringLiteral("helper stopped reporting: %1 %2")
                                         .arg(helper.errorString(), QString::fromLocal8Bit(helper.readAllStandardError()))));
                output += helper.readAllStandardOutput();
                reported = output.count('\n');
            }
            helper.kill();  // SIGKILL
            QVERIFY(helper.waitForFinished(10000));
            QCOMPARE(helper.exitStatus(), QProcess::CrashExit);
            output += helper.readAllStandardOutput();

            // Only whole lines count: a number is reported once its newline is out.
            const QList<QByteArray> lines = output.left(output.lastIndexOf('\n') + 1).split('\n');
            int count = 0;
            for (const QByteArray& line : lines) {
                if (line.isEmpty())
                    continue;
                QCOMPARE(line.toInt(), count);
                ++count;
            }
            totalReported += count;

            QCOMPARE(integrityOf(path), QStringLiteral("ok"));
            QVERIFY(PubStaticFunc::openDatabase(path));
            const QString actual = KillScript::describe(PubStaticFunc::getZxgCodeList());
            PubStaticFunc::closeDatabase();

            // The change in flight when the kill came may or may not have been committed.
            const QString reportedState = KillScript::describe(KillScript::expected(scriptSeed, count));
            const QString withNext = KillScript::describe(KillScript::expected(scriptSeed, count + 1));
            if (actual != reportedState && actual == withNext)
                ++killedAfterCommit;
            QVERIFY2(actual == reportedState || actual == withNext,
                     qPrintable(QStringLiteral("round %1 (script seed %2), %3 changes reported\nexpected %4\n"
                                               "     got %5")
                                    .arg(round)
                                    .arg(scriptSeed)
                                    .arg(count)
                                    .arg(reportedState, actual)));
        }
        qInfo("%d rounds, %d reported changes checked, %d kills landed between commit and report, %lld ms",
              rounds, totalReported, killedAfterCommit, clock.elapsed());
    }

    // The model the kill test compares with must agree with the real operations when
    // nothing interrupts them.
    void scriptMatchesAnUninterruptedRun()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("userdata.db"));
        QProcess helper;
        helper.start(QStringLiteral(ZT_KILL_HELPER), {path, QString::number(mSeed), QStringLiteral("120")});
        QVERIFY(helper.waitForFinished(60000));
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(helper.exitCode(), 0);

        QVERIFY(PubStaticFunc::openDatabase(path));
        const QString actual = KillScript::describe(PubStaticFunc::getZxgCodeList());
        PubStaticFunc::closeDatabase();
        QCOMPARE(actual, KillScript::describe(KillScript::expected(mSeed, 120)));
    }

    // Two terminals on one file: a change made here after the other process wrote must
    // start from what the file holds, not from what this process read at open.
    void changesOfAnotherProcessAreKept()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("userdata.db"));
        QVERIFY(PubStaticFunc::openDatabase(path));
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("MINE1")));

        QProcess helper;
        helper.start(QStringLiteral(ZT_KILL_HELPER), {path, QString::number(mSeed), QStringLiteral("60")});
        QVERIFY(helper.waitForFinished(60000));
        QCOMPARE(helper.exitCode(), 0);

        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("MINE2")));
        const QList<StockZxgBK> actual = PubStaticFunc::getZxgCodeList();
        PubStaticFunc::closeDatabase();

        // The helper reorders the default group, so compare contents, not order.
        const QList<StockZxgBK> theirs = KillScript::expected(mSeed, 60);
        QCOMPARE(actual.size(), theirs.size());
        for (int i = 0; i < theirs.size(); ++i) {
            const QStringList theirCodes = theirs.at(i).getCodes();
            QSet<QString> expected(theirCodes.cbegin(), theirCodes.cend());
            if (i == 0)
                expected += {QStringLiteral("MINE1"), QStringLiteral("MINE2")};
            const QStringList codes = actual.at(i).getCodes();
            QCOMPARE(actual.at(i).getName(), theirs.at(i).getName());
            QCOMPARE(QSet<QString>(codes.cbegin(), codes.cend()), expected);
        }
    }

private:
    static QString integrityOf(const QString& path)
    {
        QString result;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("kill-check"));
            db.setDatabaseName(path);
            if (!db.open())
                return QStringLiteral("cannot open");
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA integrity_check")))
                result = QStringLiteral("integrity_check failed to run");
            while (q.next())
                result += q.value(0).toString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("kill-check"));
        return result;
    }

    quint32 mSeed = 0;
};

QTEST_GUILESS_MAIN(tst_PubKill)
#include "tst_pubkill.moc"
