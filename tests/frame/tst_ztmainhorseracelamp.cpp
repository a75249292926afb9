#include <controls/ztuserlabel.h>
#include <frame/ztmainhorseracelamp.h>

#include <pubcache/pubcache.h>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

QJsonObject item(const QString& id, const QString& time, const QString& title)
{
    return QJsonObject{{"objectId", id}, {"updatedAt", "2026-12-06T" + time + ":00"}, {"title", title}};
}

QJsonObject feed(int n)
{
    QJsonArray list;
    for (int i = 0; i < n; ++i)
        list.append(item(QStringLiteral("n%1").arg(i), QStringLiteral("10:%1").arg(59 - i, 2, 10, QLatin1Char('0')),
                         QStringLiteral("快讯%1").arg(i)));
    return QJsonObject{{"status", true}, {"data", list}};
}

QMap<QString, QVariant> pushed(const QString& id, const QString& title)
{
    return {{"data", QVariantMap{{"attributes", QVariantMap{{"objectId", id}, {"title", title}, {"date", "stale"}}},
                                 {"date", QDateTime(QDate(2026, 12, 6), QTime(11, 30))}}}};
}

// Records, in window coordinates, the region of every paint a widget of the window gets.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget* window) : mWindow(window) {}
    QRegion painted;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* w = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && w && w->window() == mWindow) {
            painted += static_cast<QPaintEvent*>(event)->region().translated(w->mapTo(mWindow, QPoint(0, 0)));
            ++paints;
        }
        return false;
    }

private:
    QWidget* mWindow;
};

}

class tst_ZtMainHorseRaceLamp : public QObject
{
    Q_OBJECT

private:
    QWidget* mWindow = nullptr;
    ZtMainHorseRaceLamp* mLamp = nullptr;

    // Steps until the first line has wrapped; false when it never does.
    bool stepUntilWrapped()
    {
        ZtUserLabel* first = mLamp->lines().first();
        for (int i = 0; i < 5000; ++i) {
            mLamp->doRaceTimeOut();
            if (mLamp->lines().first() != first)
                return true;
        }
        return false;
    }

    QList<int> orderIndexes() const
    {
        QList<int> list;
        for (ZtUserLabel* l : mLamp->lines())
            list << l->getOrderIndex();
        return list;
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.*.debug=false"));
    }

    void init()
    {
        mWindow = new QWidget;
        mWindow->resize(700, 60);
        mLamp = new ZtMainHorseRaceLamp(nullptr);
        mLamp->setParent(mWindow);
        mLamp->setGeometry(50, 20, 600, 24);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow));
    }

    void cleanup()
    {
        delete mWindow;
        PubCache::mUrlList.clear();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void loadLaysLinesEndToEnd()
    {
        QVERIFY(!mLamp->isRunning());
        mLamp->doHorseRaceLamp(feed(3));
        QVERIFY(mLamp->isRunning());
        const QList<ZtUserLabel*> lines = mLamp->lines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0)->text(), QStringLiteral("10:59 快讯0"));
        QCOMPARE(lines.at(2)->getObjId(), QStringLiteral("n2"));
        // End to end, no gaps, no overlaps.
        int x = 0;
        for (ZtUserLabel* l : lines) {
            QCOMPARE(l->x(), x);
            x += l->width();
        }

        // A later load replaces every line.
        mLamp->doHorseRaceLamp(feed(2));
        QTRY_COMPARE(mLamp->strip()->findChildren<ZtUserLabel*>().size(), 2);
        QCOMPARE(mLamp->lines().size(), 2);
    }

    void unusableLoadChangesNothing_data()
    {
        QTest::addColumn<QJsonObject>("json");
        QTest::addColumn<bool>("running");
        const QJsonArray one{item("x", "09:00", "不该出现")};
        for (bool running : {true, false}) {
            const QString state = running ? " (running)" : " (paused)";
            QTest::newRow(qPrintable("status false" + state))
                << QJsonObject{{"status", false}, {"data", one}} << running;
            QTest::newRow(qPrintable("status missing" + state)) << QJsonObject{{"data", one}} << running;
            QTest::newRow(qPrintable("empty list" + state))
                << QJsonObject{{"status", true}, {"data", QJsonArray()}} << running;
            QTest::newRow(qPrintable("data not a list" + state))
                << QJsonObject{{"status", true}, {"data", "text"}} << running;
        }
    }

    void unusableLoadChangesNothing()
    {
        QFETCH(QJsonObject, json);
        QFETCH(bool, running);
        mLamp->doHorseRaceLamp(feed(2));
        if (!running)
            mLamp->doStop();
        const QList<ZtUserLabel*> before = mLamp->lines();
        mLamp->doHorseRaceLamp(json);
        QCOMPARE(mLamp->lines(), before);
        QCOMPARE(mLamp->isRunning(), running);
        QCOMPARE(before.first()->text(), QStringLiteral("10:59 快讯0"));
    }

    void wrapsToTheEnd_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("single line") << 1;
        QTest::newRow("lines shorter than the strip") << 2;
        QTest::newRow("lines longer than the strip") << 40;
    }

    // The line that has left on the left comes back after the last line, or at the
    // strip's right edge when the row ends before it.
    void wrapsToTheEnd()
    {
        QFETCH(int, count);
        mLamp->doHorseRaceLamp(feed(count));
        const int stripWidth = mLamp->strip()->width();
        for (int round = 0; round < 3; ++round) {
            ZtUserLabel* first = mLamp->lines().first();
            const ZtUserLabel* last = mLamp->lines().last();
            const int firstWidth = first->width();
            int xBefore = first->x();
            // Every step moves the row one pixel.
            mLamp->doRaceTimeOut();
            QCOMPARE(first->x(), xBefore - 1);
            while (first->x() + firstWidth > 0)
                mLamp->doRaceTimeOut();
            const int expected = qMax(last->x() + last->width(), stripWidth);
            QVERIFY(last != first || expected == stripWidth);
            mLamp->doRaceTimeOut();
            QCOMPARE(mLamp->lines().last(), first);
            // It is placed, then the whole row (it too) moves one pixel.
            QCOMPARE(first->x(), expected - 1);
            QCOMPARE(mLamp->lines().size(), count);
        }
    }

    // The timer itself drives the row, until the pointer rests on a line.
    void hoverStopsAndLeaveGoesOn()
    {
        mLamp->doHorseRaceLamp(feed(3));
        ZtUserLabel* line = mLamp->lines().at(1);
        const int x = line->x();
        QTRY_VERIFY(line->x() < x - 2);
        QTest::mouseMove(line, QPoint(5, line->height() / 2));
        QTRY_VERIFY(!mLamp->isRunning());
        QVERIFY(QGuiApplication::overrideCursor());
        QTest::mouseMove(mWindow, QPoint(5, 5));
        QTRY_VERIFY(mLamp->isRunning());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Pushed items replace the oldest line, one at a time, when it is the last of the row.
    void pendingItemsWaitForTheOldestLine()
    {
        mLamp->doHorseRaceLamp(feed(3));
        mLamp->appendNews(pushed("p1", "推送一"));
        mLamp->appendNews(pushed("p2", "推送二"));
        QCOMPARE(mLamp->pendingCount(), 2);
        ZtUserLabel* oldest = mLamp->lines().at(2);
        const int x = oldest->x();

        mLamp->doRaceTimeOut();
        QCOMPARE(mLamp->pendingCount(), 1);
        QCOMPARE(oldest->getObjId(), QStringLiteral("p1"));
        QCOMPARE(oldest->text(), QStringLiteral("11:30 推送一"));
        QCOMPARE(oldest->x(), x - 1);
        QCOMPARE(orderIndexes(), (QList<int>{1, 2, 0}));

        // The last line is now the newest: the next item waits while the row moves.
        const int firstX = mLamp->lines().first()->x();
        mLamp->doRaceTimeOut();
        QCOMPARE(mLamp->pendingCount(), 1);
        QCOMPARE(mLamp->lines().first()->x(), firstX - 1);

        QVERIFY(stepUntilWrapped());  // index 1 comes round: still not the oldest
        QCOMPARE(mLamp->pendingCount(), 1);
        QVERIFY(stepUntilWrapped());  // index 2, the oldest, comes round and takes p2
        QCOMPARE(mLamp->pendingCount(), 0);
        QCOMPARE(mLamp->lines().last()->getObjId(), QStringLiteral("p2"));
        QCOMPARE(orderIndexes(), (QList<int>{1, 2, 0}));
    }

    void pushedItemShapes_data()
    {
        QTest::addColumn<QVariantMap>("item");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("id");
        QTest::newRow("full") << QVariantMap(pushed("p", "标题")) << "11:30 标题" << "p";
        QTest::newRow("no attributes")
            << QVariantMap{{"data", QVariantMap{{"date", QDateTime(QDate(2026, 12, 6), QTime(9, 5))}}}} << "09:05 "
            << "";
        QTest::newRow("no data") << QVariantMap{{"other", 1}} << " " << "";
    }

    void pushedItemShapes()
    {
        QFETCH(QVariantMap, item);
        QFETCH(QString, text);
        QFETCH(QString, id);
        mLamp->doHorseRaceLamp(feed(1));
        mLamp->appendNews(item);
        mLamp->doRaceTimeOut();
        QCOMPARE(mLamp->lines().first()->text(), text);
        QCOMPARE(mLamp->lines().first()->getObjId(), id);
    }

    // Without a known address a click opens nothing; with one, the terminal's window
    // test follows it.
    void clickWithoutAnAddressOpensNothing()
    {
        PubCache::mUrlList.insert("other", "http://127.0.0.1/%1");
        mLamp->doHorseRaceLamp(feed(2));
        mLamp->doStop();
        QSignalSpy opened(mLamp, &ZtLayoutBase::onGetOpenForm);
        ZtUserLabel* line = mLamp->lines().at(1);
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(5, line->height() / 2));
        QCOMPARE(opened.count(), 0);
        QTest::mouseMove(mWindow, QPoint(5, 5));
        QTRY_VERIFY(!QGuiApplication::overrideCursor());
    }

    // A step blits the row and repaints only the column it uncovers at the strip's
    // right edge: not the lines, not the window behind them.
    void stepRepaintsOnlyTheUncoveredColumn()
    {
        mLamp->doHorseRaceLamp(feed(3));
        mLamp->doStop();
        PaintWatch watch(mWindow);
        qApp->installEventFilter(&watch);
        QTRY_VERIFY(watch.paints > 0);  // the new lines are on screen
        watch.painted = QRegion();
        watch.paints = 0;
        for (int i = 0; i < 5; ++i)
            mLamp->doRaceTimeOut();
        QTRY_VERIFY(watch.paints > 0);
        qApp->removeEventFilter(&watch);
        const QRect strip(mLamp->strip()->mapTo(mWindow, QPoint(0, 0)), mLamp->strip()->size());
        const QRect painted = watch.painted.boundingRect();
        const QRect rightColumns(strip.right() - 4, strip.top(), 5, strip.height());
        QVERIFY2(rightColumns.contains(painted), qPrintable(QStringLiteral("painted %1,%2 %3x%4")
                                                                 .arg(painted.x())
                                                                 .arg(painted.y())
                                                                 .arg(painted.width())
                                                                 .arg(painted.height())));
    }
};

QTEST_MAIN(tst_ZtMainHorseRaceLamp)
#include "tst_ztmainhorseracelamp.moc"
