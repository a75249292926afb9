#include <ztlib/ztpinyin.h>

#include <QtTest>

class tst_ZtPinyin : public QObject
{
    Q_OBJECT

private slots:
    void initial_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first of block") << QStringLiteral("一") << QStringLiteral("Y");
        QTest::newRow("tone mark stripped") << QStringLiteral("安") << QStringLiteral("A");
        QTest::newRow("first reading of a polyphone") << QStringLiteral("行") << QStringLiteral("X");
        QTest::newRow("u with diaeresis") << QStringLiteral("绿") << QStringLiteral("L");
        QTest::newRow("near block end") << QStringLiteral("龙") << QStringLiteral("L");
        QTest::newRow("lower-case letter") << QStringLiteral("a") << QStringLiteral("A");
        QTest::newRow("digit") << QStringLiteral("5") << QStringLiteral("5");
        QTest::newRow("full-width letter") << QStringLiteral("ｂ") << QStringLiteral("B");
        QTest::newRow("punctuation") << QStringLiteral("*") << QString();
        QTest::newRow("CJK punctuation") << QStringLiteral("、") << QString();
        QTest::newRow("outside the block") << QStringLiteral("\u3400") << QString();
    }

    void initial()
    {
        QFETCH(QString, character);
        QFETCH(QString, expected);
        const QChar c = ZtPinyin::initial(character.at(0));
        QCOMPARE(c.isNull() ? QString() : QString(c), expected);
    }

    void initials_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bank") << QStringLiteral("浦发银行") << QStringLiteral("PFYX");
        QTest::newRow("trailing share class") << QStringLiteral("平安银行A") << QStringLiteral("PAYXA");
        QTest::newRow("digits kept") << QStringLiteral("沪深300") << QStringLiteral("HS300");
        QTest::newRow("star and spaces dropped") << QStringLiteral("*ST 海天") << QStringLiteral("STHT");
        QTest::newRow("empty") << QString() << QString();
    }

    void initials()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(ZtPinyin::initials(text), expected);
    }
};

QTEST_APPLESS_MAIN(tst_ZtPinyin)
#include "tst_ztpinyin.moc"
