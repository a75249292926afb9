#include <format/financelabel.h>
#include <format/regionallabe.h>
#include <ztlib/pubcachecustom.h>

#include <QtTest>

static const unsigned kLast = 17030;
static const unsigned kPrev = 12010;

static QColor c(const char* text)
{
    return QColor(QLatin1String(text));
}

static int countColour(const QImage& image, const QRect& area, QColor colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += QColor(image.pixel(x, y)) == colour;
    return n;
}

static DQDField::Field lastPriceField(const QString& rule = QStringLiteral("bos:12010"))
{
    return DQDField::Field(QStringLiteral("最新"), kLast, rule, QStringLiteral("d2"));
}

static DQDUnionReader quote(double last, double prev)
{
    DQDUnionReader r;
    r.setValue(kLast, last);
    r.setValue(kPrev, prev);
    return r;
}

class tst_FieldLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PubCacheCustom::mCustomColor = {
            {QStringLiteral("Up"), {QStringLiteral("#ff0000")}},
            {QStringLiteral("Down"), {QStringLiteral("#00ff00")}},
            {QStringLiteral("Flat"), {QStringLiteral("#0000ff")}},
            {QStringLiteral("Default"), {QStringLiteral("#e0e0e0")}},
            {QStringLiteral("MenuBackground2"), {QStringLiteral("#101010")}},
            {QStringLiteral("WebFinish"), {QStringLiteral("#f0f0f0")}},
            {QStringLiteral("WebLoadBG"), {QStringLiteral("#202020")}},
        };
    }

    void cleanupTestCase()
    {
        PubCacheCustom::resetColours();
    }

    void regionalColours_data()
    {
        QTest::addColumn<bool>("web");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<double>("last");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("title");
        QTest::addColumn<QColor>("value");
        QTest::newRow("rise") << false << "bos:12010" << 11.0 << c("#101010") << c("#e0e0e0") << c("#ff0000");
        QTest::newRow("web rise") << true << "bos:12010" << 11.0 << c("#f0f0f0") << c("#202020") << c("#ff0000");
        QTest::newRow("white stays white") << false << "self:a,#FFFFFF" << 1.0 << c("#101010") << c("#e0e0e0")
                                           << c("#ffffff");
        QTest::newRow("web white turns black") << true << "self:a,#FFFFFF" << 1.0 << c("#f0f0f0") << c("#202020")
                                               << c("#000000");
    }

    void regionalColours()
    {
        QFETCH(bool, web);
        QFETCH(QString, rule);
        QFETCH(double, last);
        QFETCH(QColor, background);
        QFETCH(QColor, title);
        QFETCH(QColor, value);
        RegionalLabe label(lastPriceField(rule), web, nullptr);
        label.resetStock(quote(last, 10.0));
        QCOMPARE(label.backgroundColour(), background);
        QCOMPARE(label.titleColour(), title);
        QCOMPARE(label.valueColour(), value);
        QCOMPARE(label.valueText(), QString::number(last, 'f', 2));
    }

    void regionalPaints()
    {
        RegionalLabe label(lastPriceField(), false, nullptr);
        label.resize(200, 30);
        label.resetStock(quote(9.0, 10.0));
        const QImage image = label.grab().toImage();
        QCOMPARE(QColor(image.pixel(0, 0)), c("#101010"));
        QCOMPARE(QColor(image.pixel(199, 29)), c("#101010"));
        QVERIFY(countColour(image, label.valueRect(), c("#00ff00")) > 0);
        QCOMPARE(countColour(image, label.titleRect(), c("#00ff00")), 0);
        QVERIFY(countColour(image, label.titleRect(), c("#e0e0e0")) > 0);
    }

    void financeBeforeFirstRecord()
    {
        FinanceLabel label;
        label.setField(lastPriceField());
        QCOMPARE(label.valueText(), QStringLiteral("0.00"));
        // No record: the reference reads as "0" and the empty value as 0.
        QCOMPARE(label.valuePen().color(), c("#0000ff"));
        label.resetStock(quote(10.5, 10.0));
        QCOMPARE(label.valueText(), QStringLiteral("10.50"));
        QCOMPARE(label.valuePen().color(), c("#ff0000"));
    }

    void financePaintsNoBackground()
    {
        FinanceLabel label;
        label.setField(lastPriceField());
        label.resize(200, 30);
        label.resetStock(quote(11.0, 10.0));
        QImage image(label.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::magenta));
        QCOMPARE(QColor(image.pixel(150, 0)), QColor(Qt::magenta));
        QVERIFY(countColour(image, label.valueRect(), c("#ff0000")) > 0);
        QVERIFY(countColour(image, label.titleRect(), c("#e0e0e0")) > 0);
        QCOMPARE(countColour(image, label.titleRect(), c("#ff0000")), 0);
    }
};

QTEST_MAIN(tst_FieldLabels)
#include "tst_fieldlabels.moc"
