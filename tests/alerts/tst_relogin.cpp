#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The re-login button for real: the box's process starts its own program again.
class tst_Relogin : public QObject
{
    Q_OBJECT

private slots:
    void reloginStartsTheProgramAgain()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString mark = dir.filePath(QStringLiteral("restarted"));
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZT_RELOGIN_MARK"), mark);
        first.setProcessEnvironment(env);
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        first.start(QStringLiteral(ZT_RELOGIN_HELPER), {QStringLiteral("first")});
        QVERIFY(first.waitForStarted());
        const qint64 firstPid = first.processId();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(first.exitCode(), 0);
        // The restarted program writes its process id and exits.
        const auto written = [&mark] {
            QFile f(mark);
            return f.open(QIODevice::ReadOnly) ? f.readAll().toLongLong() : 0LL;
        };
        QTRY_VERIFY_WITH_TIMEOUT(written() > 0, 30000);
        QVERIFY(written() != firstPid);
    }
};

QTEST_MAIN(tst_Relogin)
#include "tst_relogin.moc"
