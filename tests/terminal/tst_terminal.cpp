#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Runs the demo terminal the way the README does on a machine without a display.
class tst_Terminal : public QObject
{
    Q_OBJECT

private:
    static QImage screenshot(const QStringList& extraArgs, QString* stderrText, const QByteArray& configIni = QByteArray())
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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the terminal must pick offscreen itself
        env.insert(QStringLiteral("ZT_DATA_DIR"), dir.filePath(QStringLiteral("data")));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZT_TERMINAL_PATH),
                      QStringList{QStringLiteral("--screenshot"), file, QStringLiteral("--after"),
                                  QStringLiteral("1200")} + extraArgs);
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
            screenshot({}, &err,
                       "[System]\nVersion=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\n"
                       "[UrlParams]\nhost=@Variant(\\0\\0\\0\\xb\\x7f\\xff\\xff\\xff)\n");
        QVERIFY2(!image.isNull(), qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("not plain text")), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(tst_Terminal)
#include "tst_terminal.moc"
