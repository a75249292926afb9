#include <controls/ztuserlabel.h>

#include <QGuiApplication>
#include <QSignalSpy>
#include <QtTest>

static void hover(QWidget* w, bool enter)
{
    QEvent event(enter ? QEvent::Enter : QEvent::Leave);
    QCoreApplication::sendEvent(w, &event);
}

class tst_ZtUserLabel : public QObject
{
    Q_OBJECT

private slots:
    void hoverPausesAndResumes()
    {
        ZtUserLabel label(QStringLiteral("news-1"));
        QSignalSpy stop(&label, &ZtUserLabel::onStop);
        QSignalSpy start(&label, &ZtUserLabel::onStart);

        hover(&label, true);
        QCOMPARE(stop.count(), 1);
        QCOMPARE(start.count(), 0);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);

        hover(&label, false);
        QCOMPARE(start.count(), 1);
        // Our choice: the hand is taken back, which shows the arrow over ordinary widgets.
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void cursorStackStaysBalanced()
    {
        ZtUserLabel a(QStringLiteral("a"));
        ZtUserLabel b(QStringLiteral("b"));
        for (int i = 0; i < 10; ++i) {
            hover(&a, true);
            hover(&a, true);
            hover(&a, false);
            hover(&b, true);
            hover(&b, false);
            hover(&b, false);
        }
        QVERIFY(!QGuiApplication::overrideCursor());
        // A label destroyed while hovered gives its hand back too.
        {
            ZtUserLabel label(QStringLiteral("x"));
            hover(&label, true);
            QVERIFY(QGuiApplication::overrideCursor());
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void clickReportsId()
    {
        ZtUserLabel label(QStringLiteral("first"));
        label.resize(80, 20);
        QSignalSpy click(&label, &ZtUserLabel::onClick);
        QTest::mouseClick(&label, Qt::LeftButton);
        label.setObjId(QStringLiteral("second"));
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(click.count(), 2);
        QCOMPARE(click.at(0).at(0).toString(), QStringLiteral("first"));
        QCOMPARE(click.at(1).at(0).toString(), QStringLiteral("second"));
    }

};

QTEST_MAIN(tst_ZtUserLabel)
#include "tst_ztuserlabel.moc"
