#include "terminalpages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs the demo terminal the way the README does on a machine without a display.
class tst_Terminal : public QObject
{
    Q_OBJECT

private:
    // The environment a newcomer's shell has: nothing set up for Qt or WebEngine.
    static QProcessEnvironment plainEnvironment()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "QT_QUICK_BACKEND", "QTWEBENGINE_DISABLE_SANDBOX",
                                 "QTWEBENGINE_CHROMIUM_FLAGS"})
            env.remove(QString::fromLatin1(name));
        return env;
    }

    static QImage screenshot(const QStringList& extraArgs, QString* stderrText, int afterMs = 1200,
                             const QByteArray& configIni = QByteArray())
    {
        QTemporaryDir dir;
        if (!configIni.isEmpty()) {
            QDir().mkpath(dir.filePath(QStringLiteral("data/config")));
            QFile config(dir.filePath(QStringLiteral("data/config/config.ini")));
            if (!config.open(QIODevice::WriteOnly))
                return QImage();
            config.write(configIni);
        }
        const QString file = dir.filePath(QStringLiteral("shot.png"));
        QProcess process;
        QProcessEnvironment env = plainEnvironment();
        env.insert(QStringLiteral("ZT_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZT_TERMINAL_PATH),
                      QStringList{QStringLiteral("--screenshot"), file, QStringLiteral("--after"),
                                  QString::number(afterMs)} + extraArgs);
        if (!process.waitForFinished(90000)) {
            process.kill();
            return QImage();
        }
        *stderrText = QString::fromLocal8Bit(process.readAllStandardError());
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return QImage();
        return QImage(file);
    }

private slots:
    // An unknown page is reported and the window starts as it would without one.
    void screenshotIsWrittenAndNotBlank()
    {
        QString err;
        const QImage image = screenshot({QStringLiteral("--page"), QStringLiteral("no-such-page")}, &err);
        QVERIFY2(!image.isNull(), qPrintable(err));
        QVERIFY(err.contains(QStringLiteral("no page named")));
        QVERIFY(image.width() >= 800 && image.height() >= 500);
        // A blank window has one or two colours; text and quotes give many.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2)
                colours.insert(image.pixel(x, y));
        }
        QVERIFY2(colours.size() > 8, qPrintable(QString::number(colours.size())));
    }

    // A 50-byte config.ini whose values claim lists of 2^31-1 items: a warning and the defaults.
    void hostileConfigStarts()
    {
        QString err;
        const QImage image =
            screenshot({}, &err, 1200,
                       "[System]\nVersion=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\n"
                       "[UrlParams]\nhost=@Variant(\\0\\0\\0\\xb\\x7f\\xff\\xff\\xff)\n");
        QVERIFY2(!image.isNull(), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("not plain text")), qPrintable(err));
    }

    // Run as root without any WebEngine setting, the full-screen web page opens and the
    // terminal still ends normally.
    void webPageRunsForTheUserItRunsAs()
    {
        QString err;
        const QImage image = screenshot({QStringLiteral("--page"), QStringLiteral("frame"), QStringLiteral("--click"),
                                         QStringLiteral("全屏网页")},
                                        &err, 4000);
        QVERIFY2(!image.isNull(), qPrintable(err));
        QVERIFY2(!err.contains(QStringLiteral("no button")), qPrintable(err));
        // Root is where Chromium's refusal ended the terminal.
        if (::geteuid() == 0)
            QCOMPARE(err.count(QStringLiteral("without the Chromium sandbox")), 1);
    }

    void helpListsEveryPage()
    {
        QProcess process;
        process.setProcessEnvironment(plainEnvironment());
        process.start(QStringLiteral(ZT_TERMINAL_PATH), {QStringLiteral("--help")});
        QVERIFY(process.waitForFinished(30000));
        const QString help = QString::fromLocal8Bit(process.readAllStandardOutput());
        for (const TerminalPage& page : TerminalPage::all())
            QVERIFY2(help.contains(QStringLiteral("\n  %1 ").arg(page.name)), qPrintable(page.name));
        QVERIFY(help.contains(QStringLiteral("QT_LOGGING_RULES")));
    }

    // The re-login box for real: its button closes the terminal, which starts itself
    // again with no arguments; the new one comes up and is ended here. Last, because
    // this process adopts the terminal's orphans from here on.
    void reloginStartsTheTerminalAgain()
    {
        // The restarted terminal's parent exits, so it comes to this process to be reaped.
        QCOMPARE(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString log = dir.filePath(QStringLiteral("stderr.txt"));
        QProcessEnvironment env = plainEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZT_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zt.terminal.debug=true"));
        QProcess first;
        first.setProcessEnvironment(env);
        // Shared with the restarted terminal, which inherits it.
        first.setStandardErrorFile(log);
        first.start(QStringLiteral(ZT_TERMINAL_PATH), {QStringLiteral("--page"), QStringLiteral("alerts"),
                                                       QStringLiteral("--click"), QStringLiteral("登录失效"),
                                                       QStringLiteral("--click"), QStringLiteral("重新登录")});
        QVERIFY(first.waitForStarted());
        const qint64 firstPid = first.processId();
        if (!first.waitForFinished(90000)) {
            first.kill();
            first.waitForFinished();
            QFAIL("the terminal did not close on re-login");
        }
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(first.exitCode(), 0);

        const auto windowsUp = [&log] {
            QFile f(log);
            QList<qint64> pids;
            if (!f.open(QIODevice::ReadOnly))
                return pids;
            const QRegularExpression line(QStringLiteral("window up, process (\\d+)"));
            auto it = line.globalMatch(QString::fromLocal8Bit(f.readAll()));
            while (it.hasNext())
                pids << it.next().captured(1).toLongLong();
            return pids;
        };
        QVERIFY2(windowsUp().value(0) == firstPid, qPrintable(QString::number(windowsUp().value(0))));
        QTRY_VERIFY_WITH_TIMEOUT(windowsUp().size() == 2, 60000);
        const pid_t again = pid_t(windowsUp().at(1));
        QVERIFY(again != firstPid);
        QCOMPARE(::kill(again, SIGTERM), 0);
        // QTRY evaluates its condition once more after it held.
        bool reaped = false;
        QTRY_VERIFY_WITH_TIMEOUT(reaped || (reaped = ::waitpid(again, nullptr, WNOHANG) == again), 30000);
    }
};

QTEST_GUILESS_MAIN(tst_Terminal)
#include "tst_terminal.moc"
