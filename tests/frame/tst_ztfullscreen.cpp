#include <frame/ztfullscreen.h>

#include <QSignalSpy>
#include <QtTest>

class tst_ZtFullScreen : public QObject
{
    Q_OBJECT

private slots:
    void showsFullScreenFromSource()
    {
        QWidget host;
        auto* source = new QWidget(&host);
        source->setGeometry(20, 30, 100, 100);
        host.show();
        ZtFullScreen screen(source);
        QVERIFY(screen.isFullScreen());
        QVERIFY(screen.isVisible());
        QVERIFY(!screen.parentWidget());
        const Qt::WindowFlags flags = screen.windowFlags();
        QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("escape closes") << int(Qt::Key_Escape) << true;
        QTest::newRow("other keys stay") << int(Qt::Key_A) << false;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        ZtFullScreen screen(nullptr);
        QSignalSpy closed(&screen, &ZtFullScreen::onCloseScreen);
        QTest::keyRelease(&screen, Qt::Key(key));
        QCOMPARE(closed.count(), closes ? 1 : 0);
        QCOMPARE(screen.isVisible(), !closes);
    }
};

QTEST_MAIN(tst_ZtFullScreen)
#include "tst_ztfullscreen.moc"
