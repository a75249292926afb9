#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

// A helper terminal raises alerts and is killed right after one of them reaches the
// top panel, then started again, until no condition is left. Every alert must have
// gone up exactly once over all runs, and the log must hold one entry per alert.
class tst_StockWarningKill : public QObject
{
    Q_OBJECT

private slots:
    void alertsSurviveKill()
    {
        const quint32 seed = qEnvironmentVariableIsSet("ZT_KILL_SEED") ? quint32(qEnvironmentVariableIntValue("ZT_KILL_SEED"))
                                                                       : QRandomGenerator::global()->generate();
        qInfo("kill test seed %u (set ZT_KILL_SEED to repeat)", seed);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("userdata.db"));

        QSet<QString> expected;
        QVERIFY(PubStaticFunc::openDatabase(path));
        for (int s = 0; s < 6; ++s) {
            const QString code = QStringLiteral("SH60000%1").arg(s);
            QList<StockYJCase> cases;
            for (int c = 0; c < 3; ++c) {
                const QString id = QStringLiteral("%1-%2").arg(s).arg(c);
                cases.append(StockYJCase(id, ZtField::Last, QStringLiteral(">="), QStringLiteral("1%1").arg(c),
                                         QStringLiteral("现价"), QStringLiteral("t") + id, QStringLiteral("元")));
                expected.insert(code + QLatin1Char(' ') + QStringLiteral("t") + id);
            }
            QVERIFY(PubStaticFunc::setYJData(StockYJModel(code, cases)));
        }
        PubStaticFunc::closeDatabase();

        QStringList fired;
        int kills = 0;
        bool done = false;
        for (int run = 0; run < 40 && !done; ++run) {
            const int killAt = 1 + int(random.bounded(3u));
            QProcess helper;
            helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            helper.start(QStringLiteral(ZT_KILL_HELPER), {path, QString::number(killAt)});
            QVERIFY2(helper.waitForStarted(), qPrintable(helper.errorString()));
            QVERIFY2(helper.waitForFinished(60000), "helper hangs");
            const QStringList lines = QString::fromUtf8(helper.readAllStandardOutput()).split(QLatin1Char('\n'),
                                                                                             Qt::SkipEmptyParts);
            for (const QString& line : lines) {
                if (line == QLatin1String("done"))
                    done = true;
                else
                    fired.append(line);
            }
            if (helper.exitStatus() == QProcess::CrashExit)
                ++kills;
            else
                QCOMPARE(helper.exitCode(), 0);
        }
        QVERIFY(done);
        QVERIFY(kills > 0);
        QCOMPARE(fired.size(), expected.size());
        QCOMPARE(QSet<QString>(fired.cbegin(), fired.cend()), expected);

        QVERIFY(PubStaticFunc::openDatabase(path));
        const QList<StockYJLog> log = PubStaticFunc::getYJLogData();
        QSet<QString> logged;
        for (const StockYJLog& entry : log)
            logged.insert(entry.getCode() + QLatin1Char(' ') + entry.getTitle());
        QCOMPARE(log.size(), expected.size());
        QCOMPARE(logged, expected);
        for (const StockYJModel& m : PubStaticFunc::getYJData())
            QVERIFY(!m.hasActiveCase());
        PubStaticFunc::closeDatabase();
        qInfo("%d alerts over %d killed runs", int(fired.size()), kills);
    }
};

QTEST_MAIN(tst_StockWarningKill)
#include "tst_stockwarningkill.moc"
