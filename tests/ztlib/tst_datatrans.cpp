#include <ztlib/datatrans.h>

#include <QtTest>

class tst_DataTrans : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QDateTime>("dateTime");
        QTest::addColumn<quint64>("packed");
        QTest::newRow("with msec") << QDateTime(QDate(2026, 12, 6), QTime(9, 30, 5, 123)) << quint64(20261206093005123);
        QTest::newRow("midnight") << QDateTime(QDate(2026, 1, 1), QTime(0, 0)) << quint64(20260101000000000);
        QTest::newRow("end of day") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 999))
                                    << quint64(19991231235959999);
        QTest::newRow("leap day") << QDateTime(QDate(2024, 2, 29), QTime(15, 0)) << quint64(20240229150000000);
    }

    void roundTrip()
    {
        QFETCH(QDateTime, dateTime);
        QFETCH(quint64, packed);
        QCOMPARE(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(dateTime), packed);
        QCOMPARE(DataTrans::getDateTimeFromULL(packed), dateTime);
    }

    void shorterForms_data()
    {
        QTest::addColumn<quint64>("value");
        QTest::addColumn<QDateTime>("expected");
        QTest::addColumn<int>("datePart");
        QTest::newRow("date only") << quint64(20261206) << QDateTime(QDate(2026, 12, 6), QTime(0, 0)) << 20261206;
        QTest::newRow("to the minute") << quint64(202612060931) << QDateTime(QDate(2026, 12, 6), QTime(9, 31))
                                       << 20261206;
        QTest::newRow("to the second") << quint64(20261206093107)
                                       << QDateTime(QDate(2026, 12, 6), QTime(9, 31, 7)) << 20261206;
        QTest::newRow("zero") << quint64(0) << QDateTime() << 0;
        QTest::newRow("odd length") << quint64(2026120) << QDateTime() << 0;
        QTest::newRow("month 13") << quint64(20261306) << QDateTime() << 20261306;
        QTest::newRow("hour 25") << quint64(20261206250000000) << QDateTime() << 20261206;
    }

    void shorterForms()
    {
        QFETCH(quint64, value);
        QFETCH(QDateTime, expected);
        QFETCH(int, datePart);
        QCOMPARE(DataTrans::getDateTimeFromULL(value), expected);
        QCOMPARE(DataTrans::datePart(value), datePart);
    }

    void currentAndEndOfDay()
    {
        const quint64 before = DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime::currentDateTime());
        const quint64 now = DataTrans::getYYYYMMDDHHMMSSFFFCurrent();
        const quint64 end = DataTrans::getYYYYMMDDHHMMSSFFFCurrentEnd();
        QVERIFY(now >= before);
        QVERIFY(end >= now);
        QCOMPARE(end % 1000000000u, quint64(235959999));
        // Across midnight the reads fall on two days; only a one-day run can compare them.
        const quint64 after = DataTrans::getYYYYMMDDHHMMSSFFFCurrent();
        if (DataTrans::datePart(after) == DataTrans::datePart(before))
            QCOMPARE(DataTrans::datePart(end), DataTrans::datePart(now));
        QCOMPARE(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime()), quint64(0));
    }
};

QTEST_APPLESS_MAIN(tst_DataTrans)
#include "tst_datatrans.moc"
