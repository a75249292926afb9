#include <format/markup/markupreference.h>
#include <format/markup/valuecolour.h>
#include <ztlib/datatrans.h>
#include <ztlib/dqdreader.h>
#include <ztlib/pubcachecustom.h>

#include <QtTest>

// A table of our own, so that every name has a colour the test knows.
static QHash<QString, QStringList> table()
{
    return {
        {QStringLiteral("Up"), {QStringLiteral("#ff0000")}},
        {QStringLiteral("Down"), {QStringLiteral("#00ff00")}},
        {QStringLiteral("Flat"), {QStringLiteral("#808080")}},
        {QStringLiteral("Default"), {QStringLiteral("#e0e0e0")}},
        {QStringLiteral("Vol"), {QStringLiteral("#ffff00")}},
        {QStringLiteral("CrossCurvePen"), {QStringLiteral("#123456")}},
        {QStringLiteral("Grid2"), {QStringLiteral("#222222")}},
        {QStringLiteral("Empty"), {}},
    };
}

static QColor c(const char* text)
{
    return QColor(QLatin1String(text));
}

static QVariant daysAgo(int days)
{
    return QVariant(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime(QDate::currentDate().addDays(-days), QTime(10, 0))));
}

class tst_ValueColour : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        PubCacheCustom::mCustomColor.clear();
        PubCacheCustom::mDefultColor = table();
    }

    void cleanup()
    {
        PubCacheCustom::resetColours();
    }

    void pen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("fromTable");
        QTest::newRow("table name") << "Up" << c("#ff0000") << true;
        QTest::newRow("colour text") << "#0B8AEE" << c("#0b8aee") << false;
        QTest::newRow("unknown") << "NoSuchName" << QColor() << false;
        QTest::newRow("entry without colour") << "Empty" << QColor() << true;
    }

    void pen()
    {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        QFETCH(bool, fromTable);
        const QPen pen = penFromColourName(name, Qt::DashLine);
        QCOMPARE(pen.color(), colour);
        QCOMPARE(pen.widthF(), 1.0);
        // A table colour takes the given style and a square cap; a colour text is a plain pen.
        QCOMPARE(pen.style(), fromTable ? Qt::DashLine : Qt::SolidLine);
        QCOMPARE(pen.capStyle(), Qt::SquareCap);
        QCOMPARE(pen.joinStyle(), Qt::BevelJoin);
    }

    void customHidesDefault()
    {
        PubCacheCustom::mCustomColor.insert(QStringLiteral("Up"), {QStringLiteral("#aa0000"), QStringLiteral("mine")});
        QCOMPARE(penFromColourName(QStringLiteral("Up")).color(), c("#aa0000"));
        QCOMPARE(colourTextForName(QStringLiteral("Up")), QStringLiteral("#aa0000"));
        QCOMPARE(valueColour(1, nullptr, QStringLiteral("case:0")), c("#aa0000"));
        QCOMPARE(colourTextForName(QStringLiteral("Down")), QStringLiteral("#00ff00"));
        // Only the table's names have a colour text.
        QCOMPARE(colourTextForName(QStringLiteral("red")), QString());
        QCOMPARE(colourTextForName(QStringLiteral("Empty")), QString());
    }

    void colourFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("hash text") << "#0B8AEE" << c("#0b8aee");
        QTest::newRow("name") << "Vol" << c("#ffff00");
        QTest::newRow("svg name") << "blue" << c("#0000ff");
        QTest::newRow("hash not first") << " #0B8AEE" << QColor();
        QTest::newRow("empty") << "" << QColor();
    }

    void colourFromText()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QCOMPARE(colourFromSpec(text), colour);
    }

    void rule_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QColor>("colour");

        const QColor up = c("#ff0000"), down = c("#00ff00"), flat = c("#808080"), def = c("#e0e0e0");
        QTest::newRow("case above") << "case:10.5" << QVariant(11) << up;
        QTest::newRow("case below") << "case:10.5" << QVariant(10) << down;
        QTest::newRow("case equal") << "case:10.5" << QVariant(10.5) << flat;
        QTest::newRow("case zero, placeholder") << "case:0" << QVariant(QStringLiteral("-")) << flat;
        QTest::newRow("case with spaces") << " case: -1 " << QVariant(0) << up;
        QTest::newRow("case prefix not first") << "xcase:0" << QVariant(1) << up;
        QTest::newRow("bos below") << "bos:3" << QVariant(9.0) << down;
        QTest::newRow("bos placeholder reference counts as 0") << "bos:7" << QVariant(0.5) << up;
        QTest::newRow("bos placeholder both") << "bos:7" << QVariant(QStringLiteral("-")) << flat;
        QTest::newRow("bos missing field") << "bos:999" << QVariant(-1) << down;
        QTest::newRow("casefor above") << "casefor:3,5" << QVariant(-100) << up;
        QTest::newRow("casefor placeholder") << "casefor:7,0" << QVariant(0) << flat;
        QTest::newRow("self colour") << "self:a,#0B8AEE" << QVariant(1) << c("#0b8aee");
        QTest::newRow("self up to second comma") << "self:a,#0B8AEE,#ffffff" << QVariant(1) << c("#0b8aee");
        QTest::newRow("self without comma") << "self:a" << QVariant(1) << def;
        QTest::newRow("self before sys") << "sys:vol self:a,#123123" << QVariant(1) << c("#123123");
        QTest::newRow("bos before case") << "case:100 bos:3" << QVariant(11.0) << up;
        QTest::newRow("sys alias") << "sys:vol" << QVariant(1) << c("#ffff00");
        QTest::newRow("sys grid2 with space") << "sys: grid2" << QVariant(1) << c("#222222");
        QTest::newRow("sys name, no alias") << "sys:Up" << QVariant(-1) << up;
        QTest::newRow("sys upper-case alias is a name") << "sys:VOL" << QVariant(1) << QColor();
        QTest::newRow("plain name") << "Vol" << QVariant(1) << c("#ffff00");
        QTest::newRow("plain colour text") << "#0B8AEE" << QVariant(1) << c("#0b8aee");
        QTest::newRow("empty rule") << "" << QVariant(1) << QColor();
        QTest::newRow("casedate without items") << "casedate:" << daysAgo(3) << def;
        QTest::newRow("casedate colour first") << "casedate:#abcdef|[=]0;#ffffff" << daysAgo(0) << c("#abcdef");
    }

    void rule()
    {
        QFETCH(QString, rule);
        QFETCH(QVariant, value);
        QFETCH(QColor, colour);
        DQDReader reader;
        reader.setValue(3, 10.0);
        reader.setValue(7, QStringLiteral("-"));
        QCOMPARE(valueColour(value, &reader, rule), colour);
        QCOMPARE(ZtMarkupReference::valueColour(value, &reader, rule), colour);
    }

    void dates_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<int>("days");
        QTest::addColumn<QColor>("colour");

        const QString steps = QStringLiteral("casedate:[<=]3;#ffffff|[>]3&[<=]7;#0B8AEE|#000000");
        QTest::newRow("3 days") << steps << 3 << c("#ffffff");
        QTest::newRow("4 days") << steps << 4 << c("#0b8aee");
        QTest::newRow("7 days") << steps << 7 << c("#0b8aee");
        QTest::newRow("8 days falls back") << steps << 8 << c("#000000");
        QTest::newRow("today = 0") << "casedate:[=]0;#111111|#222222" << 0 << c("#111111");
        QTest::newRow("today not > 0") << "casedate:[>]0;#111111|#222222" << 0 << c("#222222");
        QTest::newRow(">= inclusive") << "casedate:[>=]2;#111111" << 2 << c("#111111");
        QTest::newRow("< strict") << "casedate:[<]2;#111111" << 2 << c("#e0e0e0");
        QTest::newRow("range reversed order") << "casedate:[<]9&[>=]5;#111111" << 6 << c("#111111");
        QTest::newRow("range same way never") << "casedate:[>]1&[>]2;#111111" << 6 << c("#e0e0e0");
        QTest::newRow("no brackets never") << "casedate:>3;#111111|#222222" << 6 << c("#222222");
        QTest::newRow("future date") << "casedate:[<]0;#111111" << -2 << c("#111111");
        QTest::newRow("spaces removed") << "casedate: [>] 3 ; #111111" << 6 << c("#111111");
        QTest::newRow("empty items dropped") << "casedate:||[=]1;#111111||" << 1 << c("#111111");
        QTest::newRow("no match: Default") << "casedate:[=]1;#111111" << 2 << c("#e0e0e0");
    }

    void dates()
    {
        QFETCH(QString, rule);
        QFETCH(int, days);
        QFETCH(QColor, colour);
        // The rule reads today's date; retry if the day changed under the test.
        QColor compiled, plain;
        QDate today;
        do {
            today = QDate::currentDate();
            compiled = valueColour(daysAgo(days), nullptr, rule);
            plain = ZtMarkupReference::valueColour(daysAgo(days), nullptr, rule);
        } while (today != QDate::currentDate());
        QCOMPARE(compiled, colour);
        QCOMPARE(plain, colour);
    }

    void tableChangesReachCachedRules()
    {
        const QString rule = QStringLiteral("sys:vol");
        QCOMPARE(valueColour(1, nullptr, rule), c("#ffff00"));
        PubCacheCustom::mCustomColor.insert(QStringLiteral("Vol"), {QStringLiteral("#00ffff")});
        QCOMPARE(valueColour(1, nullptr, rule), c("#00ffff"));
    }
};

QTEST_APPLESS_MAIN(tst_ValueColour)
#include "tst_valuecolour.moc"
