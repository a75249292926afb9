#include <ztversion.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTranslator>
#include <QtTest>

namespace {
const char closeIcon[] = ":/images/BaseForm/img_close_none.png";
bool registeredBeforeApp = false;
}

class tst_Resources : public QObject
{
    Q_OBJECT

public:
    // Runs before QApplication exists: the tree must come from loading the library alone.
    static void initMain() { registeredBeforeApp = QFile::exists(QLatin1String(closeIcon)); }

private slots:
    void registeredOnLoad()
    {
        QVERIFY(registeredBeforeApp);
        QVERIFY(ZtControlLibInfo::resourcesReady());
    }

    void images_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");

        const struct {
            const char *path;
            int w, h;
        } rows[] = {
            {"BaseForm/img_poupicon.png", 16, 16},  {"BaseForm/img_top_none.png", 25, 25},
            {"BaseForm/img_min_none.png", 35, 30},  {"BaseForm/img_max_none.png", 35, 30},
            {"BaseForm/img_back_none.png", 35, 30}, {"BaseForm/img_close_none.png", 40, 30},
            {"MainFrom/btn_dxjl.png", 16, 16},      {"MainFrom/cbb_jpjldown.png", 21, 20},
            {"MainFrom/cbb_jpjlfind.png", 25, 20},  {"MainFrom/img_7x24.png", 16, 16},
            {"SubFrom/dgtl_zxg.png", 16, 16},       {"SubFrom/img_FoldLeft.png", 16, 14},
            {"SubFrom/img_FoldRigh.png", 16, 14},   {"SubFrom/img_FoldFull.png", 14, 14},
            {"SubFrom/img_FoldLast.png", 16, 14},   {"Login/img_logo.png", 64, 64},
            {"CUD/img_add.png", 16, 16},            {"CUD/img_update.png", 16, 16},
            {"CUD/img_delete.png", 16, 16},
        };
        for (const auto &r : rows)
            QTest::newRow(r.path) << QStringLiteral(":/images/") + QLatin1String(r.path)
                                  << QSize(r.w, r.h);
    }

    void images()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);

        const QPixmap pixmap(path);
        QVERIFY2(!pixmap.isNull(), qPrintable(path));
        QCOMPARE(pixmap.size(), size);

        // Drawn on a transparent background, and something is actually drawn.
        const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
        int opaque = 0, clear = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(image.pixel(x, y));
                opaque += a > 128;
                clear += a == 0;
            }
        }
        QVERIFY2(opaque > 0, "image is fully transparent");
        QVERIFY2(clear > 0, "image has no transparent background");
    }

    void beep()
    {
        QFile file(QStringLiteral(":/images/Audio/dididi.mp3"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QVERIFY(data.size() > 256);
        // An ID3 tag or an MPEG frame sync: a sound file, not a placeholder.
        QVERIFY(data.startsWith("ID3") || (uchar(data.at(0)) == 0xff && (uchar(data.at(1)) & 0xe0) == 0xe0));
    }

    void translations_data()
    {
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");

        QTest::newRow("button OK") << "QPlatformTheme" << "OK" << QString::fromUtf8("确定");
        QTest::newRow("progress Cancel") << "QProgressDialog" << "Cancel"
                                         << QString::fromUtf8("取消");
    }

    // qt_zh_CN.qm only names other catalogs; loading it proves they sit next to it.
    void translations()
    {
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, expected);

        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/images/Fonts/qt_zh_CN.qm")));
        QCOMPARE(translator.translate(context.toLatin1().constData(), source.toLatin1().constData()), expected);
    }
};

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
