#include <controls/ztdiscolour.h>
#include <ztlib/pubcachecustom.h>

#include <QtTest>

static const unsigned kFirst = 17030;
static const unsigned kSecond = 12010;

static int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    return n;
}

class tst_ZtDisColour : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        PubCacheCustom::mCustomColor.insert(QStringLiteral("Up"), {QStringLiteral("#ff0000")});
        PubCacheCustom::mCustomColor.insert(QStringLiteral("Down"), {QStringLiteral("#00ff00")});
        PubCacheCustom::mCustomColor.insert(QStringLiteral("Flat"), {QStringLiteral("#0000ff")});
    }

    void cleanupTestCase()
    {
        PubCacheCustom::resetColours();
    }

    void compare_data()
    {
        QTest::addColumn<QVariant>("first");
        QTest::addColumn<QVariant>("second");
        QTest::addColumn<bool>("arrow");
        QTest::addColumn<QString>("colourName");
        QTest::addColumn<QString>("text");
        QTest::newRow("rise") << QVariant(11.2) << QVariant(10.0) << true << "Up" << "现价 ↑";
        QTest::newRow("fall") << QVariant(9.5) << QVariant(10.0) << true << "Down" << "现价 ↓";
        QTest::newRow("equal, no arrow") << QVariant(10.0) << QVariant(10.0) << true << "Flat" << "现价";
        QTest::newRow("int equals double") << QVariant(10) << QVariant(10.0) << true << "Flat" << "现价";
        QTest::newRow("rise without arrow") << QVariant(11.2) << QVariant(10.0) << false << "Up" << "现价";
        QTest::newRow("both invalid") << QVariant() << QVariant() << true << "Flat" << "现价";
        QTest::newRow("missing fields") << QVariant(QStringLiteral("-")) << QVariant(QStringLiteral("-")) << true
                                        << "Flat" << "现价";
    }

    void compare()
    {
        QFETCH(QVariant, first);
        QFETCH(QVariant, second);
        QFETCH(bool, arrow);
        QFETCH(QString, colourName);
        QFETCH(QString, text);
        ZtDisColour label(QStringLiteral("现价"));
        label.setIsRepaint(true);
        label.setIsAddUpDown(arrow);
        label.setCompare(kFirst, kSecond);
        DQDUnionReader row;
        if (first.isValid())
            row.setValue(kFirst, first);
        if (second.isValid())
            row.setValue(kSecond, second);
        if (first.isValid() || second.isValid())
            label.resetStock(row);
        QCOMPARE(label.compareColourName(), colourName);
        QCOMPARE(label.paintedText(), text);
    }

    void paintsInComparisonColour_data()
    {
        QTest::addColumn<bool>("repaint");
        QTest::addColumn<double>("first");
        QTest::addColumn<QRgb>("shown");  // 0: the plain colour only
        QTest::newRow("rising") << true << 11.0 << qRgb(255, 0, 0);
        QTest::newRow("rising, repaint off") << false << 11.0 << QRgb(0);
    }

    void paintsInComparisonColour()
    {
        QFETCH(bool, repaint);
        QFETCH(double, first);
        QFETCH(QRgb, shown);
        ZtDisColour label(QStringLiteral("8888"));
        label.setIsRepaint(repaint);
        label.setCompare(kFirst, kSecond);
        label.resize(120, 30);
        DQDUnionReader row;
        row.setValue(kFirst, first);
        row.setValue(kSecond, 10.0);
        label.resetStock(row);
        const QImage image = label.grab().toImage();
        for (QRgb colour : {qRgb(255, 0, 0), qRgb(0, 255, 0)})
            QCOMPARE(countColour(image, colour) > 0, colour == shown);
    }

    void exchange_data()
    {
        QTest::addColumn<bool>("exchange");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("toggles") << true << QStringList{"B", "A", "B"};
        QTest::newRow("fixed") << false << QStringList{"A", "A", "A"};
    }

    void exchange()
    {
        QFETCH(bool, exchange);
        QFETCH(QStringList, shown);
        ZtDisColour label;
        label.setText(QStringLiteral("A"));
        label.setToolTip(QStringLiteral("B"));
        label.setIsExchange(exchange);
        label.resize(60, 20);
        QVERIFY(label.QWidget::toolTip().isEmpty());
        for (const QString& expected : shown) {
            QTest::mouseClick(&label, Qt::LeftButton);
            QCOMPARE(label.text(), expected);
        }
    }
};

QTEST_MAIN(tst_ZtDisColour)
#include "tst_ztdiscolour.moc"
