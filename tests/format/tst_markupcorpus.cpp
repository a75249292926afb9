#include "markupfuzzinput.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Replays what the fuzzer found: every input of the corpus runs without a
// crash, and the compiled path agrees with the plain reading on it.
class tst_MarkupCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(ZT_MARKUP_CORPUS));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY2(!names.isEmpty(), "the corpus is missing");
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }

    void replay()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString failure =
            checkMarkupInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

QTEST_APPLESS_MAIN(tst_MarkupCorpus)
#include "tst_markupcorpus.moc"
