#include "../framework/readertestsupport.h"

#include <alerts/stockmsg.h>
#include <alerts/ztstockmsggridtable.h>
#include <alerts/ztstockmsgnotice.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pubcachecustom.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

DQDUnionReader message(int i, int direction)
{
    DQDUnionReader r;
    r.setValue(70010, qint64(20261207093000000LL + i * 100000LL));
    r.setValue(70020, QStringLiteral("SH6%1").arg(i, 5, 10, QLatin1Char('0')));
    r.setValue(70030, QStringLiteral("股票%1").arg(i));
    r.setValue(70040, direction == 1 ? QStringLiteral("快速拉升") : QStringLiteral("快速下跌"));
    r.setValue(70060, direction);
    return r;
}

DQDDataList messages(int n, int direction = 1)
{
    DQDDataList l;
    for (int i = 0; i < n; ++i)
        l.append(message(i, direction));
    return l;
}

// Pixels of exactly the given colour inside a rectangle of the image.
int pixelsOf(const QImage& image, const QRect& rect, const QColor& colour)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom() && y < image.height(); ++y)
        for (int x = rect.left(); x <= rect.right() && x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                ++n;
    return n;
}

QColor named(const QString& name)
{
    return QColor(PubCacheCustom::defaultColours().value(name).value(0));
}

}

class tst_StockMsg : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        PubCacheCustom::resetColours();
        QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>()) || PubStaticFunc::getZxgCodeList().size() <= 1);
    }

    void cleanup()
    {
        PubStaticFunc::closeDatabase();
        ReaderTest::uninstallMarket(mMarket);
    }

    void watchlistStockInTwoGroupsReadOnce()
    {
        QVERIFY(PubStaticFunc::setDxjlList({ZtE_DXJL_FastRise}));
        QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("A")));
        QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("B")));
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH600000"), QStringLiteral("A")));
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SZ000001"), QStringLiteral("A")));
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH600000"), QStringLiteral("B")));
        mMarket->setAnswer(QStringLiteral("LBGD_Dxjl_Zxg"), messages(3), 100);
        StockMsg reader;
        QSignalSpy updates(&reader, &StockMsg::onDataUpdate);
        reader.InitZXG();
        QCOMPARE(reader.mStockCodeList, (QVector<QString>{QStringLiteral("SH600000"), QStringLiteral("SZ000001")}));
        QVERIFY(reader.DataReadOnDataReadBaseThread(reader.getRefreshtag(), QStringLiteral("StockMsg_ZXG")));
        QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Dxjl_Zxg")).first().args.first(),
                 QVariant(QStringList{QStringLiteral("SH600000"), QStringLiteral("SZ000001")}));
        QCOMPARE(updates.count(), 1);
        QCOMPARE(reader.mDataList.count(), 3);
    }

    void nothingToReadReachesNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("whole market, no followed type") << "StockMsg_ALL";
        QTest::newRow("empty watchlist") << "StockMsg_ZXG";
    }

    void nothingToReadReachesNothing()
    {
        QFETCH(QString, key);
        QVERIFY(PubStaticFunc::setDxjlList(key == QLatin1String("StockMsg_ALL") ? QVector<ZtE_DXJL>()
                                                                                 : QVector<ZtE_DXJL>{ZtE_DXJL_FastRise}));
        StockMsg reader;
        QSignalSpy updates(&reader, &StockMsg::onDataUpdate);
        if (key == QLatin1String("StockMsg_ALL"))
            reader.InitAll();
        else
            reader.InitZXG();
        QVERIFY(!reader.DataReadOnDataReadBaseThread(reader.getRefreshtag(), key));
        QCOMPARE(updates.count(), 0);
        QCOMPARE(mMarket->totalCalls(), 0);
    }

    void followsTheNewestMessage()
    {
        ZtStockMsgGridTable table(nullptr);
        table.resize(300, 200);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        ZtWidgetStockGrid* grid = table.getGrid();
        const int drawn = grid->getDrawRowCount();
        QVERIFY(drawn > 2 && drawn < 30);

        table.setData(messages(30));
        QVERIFY(table.isFollowingTail());
        QCOMPARE(grid->getRowIndex(), 30 - drawn);
        QCOMPARE(table.getScrollBar()->value(), table.getScrollBar()->maximum());

        // Up stops the following: new messages leave the view where it is.
        table.setFocus();
        QTest::keyClick(&table, Qt::Key_Up);
        QVERIFY(!table.isFollowingTail());
        const int kept = grid->getRowIndex();
        table.setData(messages(40));
        QCOMPARE(grid->getRowIndex(), kept);

        // Back at the bottom with the scroll bar: following again.
        table.getScrollBar()->setValue(table.getScrollBar()->maximum());
        QVERIFY(table.isFollowingTail());
        table.setData(messages(50));
        QCOMPARE(grid->getRowIndex(), 50 - drawn);

        // Wheel up one row moves away from the bottom; toEnd follows again.
        QTest::mouseMove(grid, QPoint(20, 20));
        QWheelEvent up(QPointF(20, 20), QPointF(grid->mapToGlobal(QPoint(20, 20))), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&table, &up);
        QVERIFY(!table.isFollowingTail());
        table.toEnd();
        QVERIFY(table.isFollowingTail());
        QCOMPARE(grid->getRowIndex(), 50 - drawn);

        table.ResetData();
        QCOMPARE(grid->getRowCount(), 0);
        QVERIFY(table.isFollowingTail());
    }

    void directionColours_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<bool>("grid");
        QTest::newRow("up") << 1 << "Up" << true;
        QTest::newRow("zero") << 0 << "Down" << true;
        // The grid colours by its column set's rule; the notice line by "1 or not".
        QTest::newRow("other value, notice") << 2 << "Down" << false;
    }

    void directionColours()
    {
        QFETCH(int, direction);
        QFETCH(QString, colour);
        QFETCH(bool, grid);
        const QString other = colour == QLatin1String("Up") ? QStringLiteral("Down") : QStringLiteral("Up");

        ZtStockMsgGridTable table(nullptr);
        table.resize(300, 100);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.setData(messages(1, direction));
        QImage image(table.getGrid()->size(), QImage::Format_RGB32);
        table.getGrid()->render(&image);
        const QRect cell = table.getGrid()->cellRect(0, 2);
        if (grid) {
            QVERIFY(pixelsOf(image, cell, named(colour)) > 0);
            QCOMPARE(pixelsOf(image, cell, named(other)), 0);
        }

        ZtStockMsgNotice notice(nullptr);
        notice.resize(300, 24);
        notice.setData(message(7, direction));
        QCOMPARE(notice.getTextLabel()->text(), QStringLiteral("09:37 股票7 ") + message(7, direction).getValue(70040).toString());
        notice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&notice));
        QImage line(notice.size(), QImage::Format_RGB32);
        notice.render(&line);
        QVERIFY(pixelsOf(line, notice.getTextLabel()->geometry(), named(colour)) > 0);
    }

    void noticeFollowsTheBusAndOpensTheStock()
    {
        ZtStockMsgNotice notice(nullptr);
        QSignalSpy dialogs(&notice, &ZtLayoutBase::onOpenStockDialog);
        QSignalSpy gotos(&notice, &ZtLayoutBase::onGotoStock);
        notice.resize(300, 24);
        notice.show();
        QVERIFY(QTest::qWaitForWindowExposed(&notice));
        // Without a message a double click does nothing.
        QTest::mouseDClick(&notice, Qt::LeftButton);
        QCOMPARE(gotos.count(), 0);

        emit PubCache::SSignal.onNewStockMsg(message(3, 1));
        QCOMPARE(notice.getCurrent().getValue(70020).toString(), QStringLiteral("SH600003"));
        QTest::mousePress(&notice, Qt::LeftButton);
        QVERIFY(dialogs.wait(1000));
        QCOMPARE(dialogs.first().at(2).toInt(), 8);
        QTest::mouseDClick(&notice, Qt::LeftButton);
        QCOMPARE(gotos.count(), 1);
        QCOMPARE(gotos.first().at(3).toInt(), 3);
    }
};

QTEST_MAIN(tst_StockMsg)
#include "tst_stockmsg.moc"
