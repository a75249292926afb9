#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QtConcurrent>
#include <QtTest>

class tst_ScriptedMarket : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

    static DQDDataList rows(int n)
    {
        DQDDataList list;
        for (int i = 0; i < n; ++i) {
            DQDUnionReader r;
            r.setValue(ZtField::UniqueCode, QStringLiteral("SZ%1").arg(i, 6, 10, QLatin1Char('0')));
            list.append(r);
        }
        return list;
    }

private slots:
    void init()
    {
        mMarket = std::make_shared<ScriptedMarket>();
        PBDataChange::installSource(mMarket);
    }

    void cleanup()
    {
        PBDataChange::installSource(nullptr);
        mMarket.reset();
    }

    void timeStampRule_data()
    {
        QTest::addColumn<qint64>("downTime");
        QTest::addColumn<qint64>("checkDT");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("updated");
        QTest::newRow("first read") << qint64(100) << qint64(0) << true << true;
        QTest::newRow("newer") << qint64(101) << qint64(100) << true << true;
        QTest::newRow("same time") << qint64(100) << qint64(100) << true << false;
        QTest::newRow("older") << qint64(99) << qint64(100) << false << false;
        QTest::newRow("incomplete but newer") << qint64(200) << qint64(100) << false << true;
    }

    void timeStampRule()
    {
        QFETCH(qint64, downTime);
        QFETCH(qint64, checkDT);
        QFETCH(bool, complete);
        QFETCH(bool, updated);
        mMarket->setAnswer(QStringLiteral("LBGD_QNowForMK_DL"), rows(3), downTime, complete);
        const DQDDataList list = PBDataChange::LBGD_QNowForMK_DL({QStringLiteral("SH")}, {ZtE_ZQLX_AShare},
                                                                 checkDT, 17030, 0, 150, true);
        QCOMPARE(list.count(), 3);
        QCOMPARE(list.getDataDownTime(), downTime);
        QCOMPARE(list.getDataIsUpdate(), updated);
        QCOMPARE(list.getDataDownValid(), complete);
    }

    // A held query blocks its caller until released, so a test can change the
    // request while a read is in flight.
    void holdBlocksUntilRelease()
    {
        mMarket->setAnswer(QStringLiteral("LBGD_Kline"), rows(1), 5);
        mMarket->hold(QStringLiteral("LBGD_Kline"));
        QFuture<int> read = QtConcurrent::run([] {
            return PBDataChange::LBGD_Kline(Q_DD_Now(), ZtE_Period_Day, ZtE_DIVID_None, false, 0).count();
        });
        QVERIFY(mMarket->waitUntilHeld(QStringLiteral("LBGD_Kline"), 5000));
        QCOMPARE(mMarket->heldCount(QStringLiteral("LBGD_Kline")), 1);
        QVERIFY(!read.isFinished());
        // Other queries are not held.
        QCOMPARE(PBDataChange::LBGD_Dline(Q_DD_Now(), false, false, 0).count(), 0);
        mMarket->release(QStringLiteral("LBGD_Kline"));
        read.waitForFinished();
        QCOMPARE(read.result(), 1);
        QCOMPARE(mMarket->heldCount(QStringLiteral("LBGD_Kline")), 0);
    }

};

QTEST_MAIN(tst_ScriptedMarket)
#include "tst_scriptedmarket.moc"
