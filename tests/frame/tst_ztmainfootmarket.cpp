#include <format/markup/valuecolour.h>
#include <frame/ztmainfootmarket.h>

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

struct Index
{
    QString code;
    double last;
    double change;
    double ratio;
    double turnover;
};

Q_DD_Now indexQuote(const Index& i)
{
    DQDReader r;
    r.setValue(ZtField::UniqueCode, i.code);
    r.setValue(ZtField::Market, i.code.left(2));
    r.setValue(ZtField::Code, i.code.mid(2));
    r.setValue(ZtField::Last, i.last);
    r.setValue(ZtField::Change, i.change);
    r.setValue(ZtField::ChangeRatio, i.ratio);
    r.setValue(ZtField::Turnover, i.turnover);
    return Q_DD_Now(r);
}

// The top of a small panel tree: counts the presses the ticker passes on.
class Host : public ZtLayoutBase
{
public:
    Host() : ZtLayoutBase(nullptr) {}
    void doMousePressEvent(ZtLayoutBase*, QMouseEvent*) override { ++presses; }
    int presses = 0;
};

int cellsWidth(const QStringList& texts)
{
    const QFontMetrics fm(QFont(QStringLiteral("微软雅黑"), 11));
    int w = 0;
    for (const QString& t : texts)
        w += fm.horizontalAdvance(t) + 14;
    return w;
}

bool hasColour(const QImage& image, const QRect& rect, const QColor& colour)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                return true;
        }
    }
    return false;
}

}

class tst_ZtMainFootMarket : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

    // A shown ticker of 800 pixels under a host, with its first list painted; not
    // started when no rows are expected.
    void startTicker(Host& host, ZtMainFootMarket*& ticker, int expectedRows)
    {
        ticker = new ZtMainFootMarket(&host);
        host.resize(800, 22);
        ticker->setGeometry(0, 0, 800, 22);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        if (expectedRows < 0)
            return;
        ticker->start();
        QTRY_COMPARE(ticker->quotes().count(), expectedRows);
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.*.debug=false"));
    }

    void init()
    {
        mMarket = std::make_shared<ScriptedMarket>();
        mMarket->setQuotesDownTime(100);
        PBDataChange::installSource(mMarket);
    }

    void cleanup()
    {
        PBDataChange::installSource(nullptr);
        mMarket.reset();
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void slotsAndTexts_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<QStringList>("slot2Texts");
        QTest::newRow("all four") << QList<int>{0, 1, 2, 3}
                                  << QStringList{"深", "10234.50", "0.13", "0.00%", "1亿"};
        QTest::newRow("Shenzhen missing") << QList<int>{0, 2, 3} << QStringList();
        QTest::newRow("only the last") << QList<int>{3} << QStringList();
    }

    // Slots stay at 20 pixels and at quarters of the width whatever is missing; the
    // change is rounded to cents before it is formatted; turnover in 万/亿 units.
    void slotsAndTexts()
    {
        QFETCH(QList<int>, present);
        QFETCH(QStringList, slot2Texts);
        const Index indices[] = {
            {"SH000001", 3012.3456, -12.345, -0.41, 345678901234.0},
            {"SZ399001", 10234.5, 0.125, 0.0, 123456789.0},
            {"SZ399006", 2100.0, 21.0, 1.01, 9876543210.0},
            {"SZ399005", 6500.0, -6.5, -0.1, 55555555.0},
        };
        for (int i : present)
            mMarket->setQuote(indices[i].code, indexQuote(indices[i]));
        Host host;
        ZtMainFootMarket* ticker = nullptr;
        startTicker(host, ticker, present.size());
        QTRY_VERIFY(ticker->hitRect(present.first()).isValid());

        const QList<int> lefts{20, 200, 400, 600};
        for (int slot = 0; slot < ZtMainFootMarket::SlotCount; ++slot) {
            const QRect hit = ticker->hitRect(slot);
            if (!present.contains(slot)) {
                QVERIFY2(hit.isNull(), qPrintable(QString::number(slot)));
                continue;
            }
            QCOMPARE(hit.left(), lefts.at(slot));
            QCOMPARE(hit.top(), 0);
            QCOMPARE(hit.height(), 22);
            QVERIFY(hit.width() > 0);
        }
        if (!slot2Texts.isEmpty())
            QCOMPARE(ticker->hitRect(1).width(), cellsWidth(slot2Texts));
    }

    void trendColours_data()
    {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("colour");
        QTest::newRow("rise") << 1.25 << "Up";
        QTest::newRow("fall") << -1.25 << "Down";
        QTest::newRow("exactly flat") << 0.0 << "Flat";
    }

    // The last value, change and percent paint in the trend colour of the percent change.
    void trendColours()
    {
        QFETCH(double, ratio);
        QFETCH(QString, colour);
        mMarket->setQuote(QStringLiteral("SH000001"),
                          indexQuote({"SH000001", 3000.0, ratio * 30, ratio, 1.0e10}));
        Host host;
        ZtMainFootMarket* ticker = nullptr;
        startTicker(host, ticker, 1);
        QTRY_VERIFY(ticker->hitRect(0).isValid());

        const QImage image = ticker->grab().toImage();
        const QFontMetrics fm(QFont(QStringLiteral("微软雅黑"), 11));
        const int nameWidth = fm.horizontalAdvance(QStringLiteral("沪")) + 14;
        const QRect numbers(20 + nameWidth, 0, ticker->hitRect(0).width() - nameWidth, 22);
        QVERIFY(hasColour(image, numbers, penFromColourName(colour).color()));
        for (const QString other : {"Up", "Down", "Flat"}) {
            if (other != colour && penFromColourName(other).color() != penFromColourName(colour).color())
                QVERIFY2(!hasColour(image, numbers, penFromColourName(other).color()), qPrintable(other));
        }
    }

    void nothingBeforeTheFirstList()
    {
        Host host;
        ZtMainFootMarket* ticker = nullptr;
        startTicker(host, ticker, -1);
        QSignalSpy opened(ticker, &ZtLayoutBase::onGotoStock);
        const QImage image = ticker->grab().toImage();
        const QRgb background = image.pixel(0, 0);
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, 11), background);
        QTest::mouseClick(ticker, Qt::LeftButton, Qt::NoModifier, QPoint(30, 11));
        QCOMPARE(opened.count(), 0);
        QCOMPARE(host.presses, 1);
    }

    void clickOpensTheIndex_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("code");
        QTest::newRow("first") << 0 << "SH000001";
        QTest::newRow("left of the first group") << -1 << "";
    }

    void clickOpensTheIndex()
    {
        QFETCH(int, slot);
        QFETCH(QString, code);
        for (const QString& c : ZtMainFootMarket::codes())
            mMarket->setQuote(c, indexQuote({c, 1000.0, 1.0, 0.1, 1.0e8}));
        Host host;
        ZtMainFootMarket* ticker = nullptr;
        startTicker(host, ticker, 4);
        QTRY_VERIFY(ticker->hitRect(3).isValid());
        QSignalSpy opened(ticker, &ZtLayoutBase::onGotoStock);
        const QPoint at = slot >= 0 ? ticker->hitRect(slot).center() : QPoint(10, 11);
        QTest::mouseClick(ticker, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(host.presses, 1);
        if (code.isEmpty()) {
            QCOMPARE(opened.count(), 0);
            return;
        }
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().at(1).value<DQDUnionReader>().getUniqueValue(0), code);
        QCOMPARE(opened.first().at(3).value<enumStockSubType>(), StockSubType_Chart);
    }

    // The hand shows over an index and goes on leaving it, however often the mouse moves.
    void pointerDoesNotPileUp()
    {
        mMarket->setQuote(QStringLiteral("SH000001"), indexQuote({"SH000001", 3000.0, 1.0, 0.1, 1.0e8}));
        Host host;
        ZtMainFootMarket* ticker = nullptr;
        startTicker(host, ticker, 1);
        QTRY_VERIFY(ticker->hitRect(0).isValid());
        const QRect hit = ticker->hitRect(0);
        for (int i = 0; i < 3; ++i) {
            QTest::mouseMove(ticker, hit.center() + QPoint(i, 0));
            QTRY_VERIFY(QGuiApplication::overrideCursor());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
        }
        QTest::mouseMove(ticker, QPoint(hit.right() + 30, 11));
        QTRY_VERIFY(!QGuiApplication::overrideCursor());

        QTest::mouseMove(ticker, hit.center());
        QTRY_VERIFY(QGuiApplication::overrideCursor());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(ticker, &leave);
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(tst_ZtMainFootMarket)
#include "tst_ztmainfootmarket.moc"
