#include "controls/ztpushbutton.h"
#include "grids/ztstocklistview.h"
#include "quote/ztmarketlinebtngroup.h"
#include "quote/ztmarketlinedgtlbtngroup.h"

#include <format/markup/valuecolour.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QLabel>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

#include <testrows.h>

#include <memory>

namespace {

const QString kIndustry = QStringLiteral("LBGD_BKList_BKDHForStock");
const QString kConcept = QStringLiteral("LBGD_BKList_BKDGSpecialForStock");

DQDUnionReader stock(const QString& code, const QString& name = QString())
{
    return TestRows::security(code, name);
}

DQDDataList sectors(const QString& prefix, int n)
{
    DQDDataList list;
    for (int i = 0; i < n; ++i) {
        DQDUnionReader r;
        r.setValue(ZtField::SectorName, prefix + QString::number(i));
        r.setValue(ZtField::SectorCode, QStringLiteral("BK%1").arg(i, 4, 10, QLatin1Char('0')));
        list.append(r);
    }
    return list;
}

QStringList shown(const ZtMarketLineBtnGroup& group, bool industry)
{
    QStringList out;
    for (int i = 0; i < 3; ++i) {
        ZtPushButton* b = industry ? group.industryButton(i) : group.conceptButton(i);
        if (!b->isHidden())
            out << b->text();
    }
    return out;
}

}

class tst_ZtMarketLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false\ndefault.debug=false"));
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
    }
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

    void sectorButtons_data();
    void sectorButtons();
    void emptyListsStopOnSwitch();
    void noStaleLoadAfterSwitch();
    void quoteLine_data();
    void quoteLine();
    void dropDownList();
    void watchlistButton();

private:
    std::shared_ptr<ScriptedMarket> mMarket;
};

void tst_ZtMarketLine::sectorButtons_data()
{
    QTest::addColumn<int>("industries");
    QTest::addColumn<int>("concepts");
    QTest::newRow("five rows, three buttons") << 5 << 5;
    QTest::newRow("one industry, two concepts") << 1 << 2;
}

void tst_ZtMarketLine::sectorButtons()
{
    QFETCH(int, industries);
    QFETCH(int, concepts);
    mMarket->setAnswer(kIndustry, sectors(QStringLiteral("行业"), industries), 1);
    mMarket->setAnswer(kConcept, sectors(QStringLiteral("概念"), concepts), 1);
    ZtMarketLineBtnGroup group(true, 0, 0, 24);
    QSignalSpy width(&group, &ZtMarketLineBtnGroup::onShowPushButton);
    group.resetStock(stock(QStringLiteral("SH600000")));
    QTRY_COMPARE(width.count(), 1);
    QTRY_COMPARE(shown(group, false).size(), qMin(concepts, 3));
    QCOMPARE(shown(group, true).size(), qMin(industries, 3));
    QCOMPARE(group.industryButton(0)->text(), QStringLiteral("行业0"));
    QVERIFY(!group.caption()->isHidden());
    QCOMPARE(group.caption()->text(), QStringLiteral("所属行业："));
    QVERIFY(width.first().at(0).toInt() > group.caption()->sizeHint().width());

    QSignalSpy chosen(&group, &ZtMarketLineBtnGroup::onResetStock);
    group.show();
    QVERIFY(QTest::qWaitForWindowExposed(&group));
    QTest::mouseClick(group.conceptButton(0), Qt::LeftButton);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().at(0).toString(), QStringLiteral("BK0000"));
}

// Empty answers keep the buttons hidden, and the load of that code ends once another is set.
void tst_ZtMarketLine::emptyListsStopOnSwitch()
{
    ZtMarketLineBtnGroup group(false, 10, 4, 24);
    group.resetStock(stock(QStringLiteral("SH600001")));
    QVERIFY(mMarket->waitForCalls(kConcept, 3, 5000));
    QVERIFY(mMarket->calls(kIndustry).isEmpty());
    QVERIFY(group.caption()->isHidden());
    QCOMPARE(shown(group, false).size(), 0);

    mMarket->setAnswer(kConcept, sectors(QStringLiteral("概念"), 1), 1);
    group.resetStock(stock(QStringLiteral("SH600002")));
    QTRY_COMPARE(shown(group, false).size(), 1);
    // Both loads are over: no further queries arrive for either code.
    const int calls = mMarket->callCount(kConcept);
    QVERIFY(!mMarket->waitForCalls(kConcept, calls + 1, 700));
}

// A load held in its query while the stock changes never shows its sectors.
void tst_ZtMarketLine::noStaleLoadAfterSwitch()
{
    mMarket->setAnswerFunction(kConcept, [](const ScriptedMarket::Call& call) {
        ScriptedMarket::Answer a;
        a.rows = sectors(call.args.at(0).toString(), 2);
        a.downTime = 1;
        return a;
    });
    ZtMarketLineBtnGroup group(false, 0, 0, 24);
    // Queued after the group's own handler, so a count of 2 means both answers were handled.
    int handled = 0;
    connect(&group, &ZtMarketLineBtnGroup::onGptLoad, &group, [&handled] { ++handled; }, Qt::QueuedConnection);
    mMarket->hold(kConcept);
    group.resetStock(stock(QStringLiteral("SH600003")));
    QVERIFY(mMarket->waitUntilHeld(kConcept, 5000));
    group.resetStock(stock(QStringLiteral("SH600004")));
    mMarket->release(kConcept);
    QTRY_COMPARE(handled, 2);
    QCOMPARE(shown(group, false).size(), 2);
    QCOMPARE(group.conceptButton(0)->text(), QStringLiteral("SH6000040"));
}

void tst_ZtMarketLine::quoteLine_data()
{
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("change");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::newRow("no trade") << 0.0 << 0.0 << 0.0 << 2 << "--  --  --" << "Flat";
    QTest::newRow("three decimals rise") << 1.234 << 0.123 << 11.0 << 3 << "1.234  +0.123  11.00%" << "Up";
    QTest::newRow("fall") << 9.5 << -0.5 << -5.0 << 2 << "9.50  -0.50  -5.00%" << "Down";
    QTest::newRow("unchanged") << 10.0 << 0.0 << 0.0 << 2 << "10.00  0.00  0.00%" << "Flat";
}

void tst_ZtMarketLine::quoteLine()
{
    QFETCH(double, last);
    QFETCH(double, change);
    QFETCH(double, ratio);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    const QString code = QStringLiteral("SH600005");
    DQDReader q = stock(code, QStringLiteral("测试股"));
    q.setValue(ZtField::Last, last);
    q.setValue(ZtField::Change, change);
    q.setValue(ZtField::ChangeRatio, ratio);
    q.setValue(ZtField::Decimals, decimals);
    mMarket->setQuote(code, Q_DD_Now(q));
    ZtMarketLineDGTLBtnGroup line(30);
    line.resize(400, 30);
    line.show();
    QVERIFY(QTest::qWaitForWindowExposed(&line));
    line.resetStock(stock(code, QStringLiteral("测试股")));
    QCOMPARE(line.nameLabel()->text(), QStringLiteral("测试股"));
    QCOMPARE(line.quoteLabel()->text(), QStringLiteral("--  --  --"));
    QTRY_VERIFY(mMarket->callCount(QStringLiteral("LBDG_QNowSingle")) > 0);
    QTRY_COMPARE(line.quoteLabel()->text(), text);
    QCOMPARE(line.quoteLabel()->styleSheet(), QStringLiteral("color:") + colourTextForName(colour) + QStringLiteral(";"));
}

void tst_ZtMarketLine::dropDownList()
{
    PubCache::mDataQueryAll = DQDDataList();
    DQDUnionReader a = stock(QStringLiteral("SH600006"), QStringLiteral("甲"));
    a.setValue(ZtField::Type, 10);
    PubCache::mDataQueryAll.append(a);
    QWidget host;
    host.resize(200, 600);
    auto* line = new ZtMarketLineDGTLBtnGroup(30, &host);
    line->setGeometry(20, 10, 180, 30);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QTest::mouseClick(line->switchButton(), Qt::LeftButton);
    QVERIFY(line->listView());
    QVERIFY(line->listView()->isVisible());
    QCOMPARE(line->listView()->parentWidget(), &host);  // drops over the panels below

    QSignalSpy chosen(line, &ZtMarketLineDGTLBtnGroup::onResetStock);
    line->listView()->doItemDoubleClicked(0);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().at(0).toString(), QStringLiteral("SH600006"));
    QVERIFY(!line->listView()->isVisible());
    PubCache::mDataQueryAll = DQDDataList();
}

void tst_ZtMarketLine::watchlistButton()
{
    const QString code = QStringLiteral("SH600007");
    PubStaticFunc::ZxgDelete(code);
    ZtMarketLineDGTLBtnGroup line(30);
    QSignalSpy add(&PubCache::SSignal, &PubStaticSignal::onZxgAdd);
    line.resetStock(stock(code));
    QCOMPARE(line.zxgButton()->text(), QStringLiteral("+自选"));
    QVERIFY(!line.zxgButton()->isCheckable());
    line.show();
    QVERIFY(QTest::qWaitForWindowExposed(&line));
    QTest::mouseClick(line.zxgButton(), Qt::LeftButton);
    QCOMPARE(add.count(), 1);
    QCOMPARE(add.first().at(0).toString(), code);

    // A change made anywhere reaches the button through the shared signal object.
    QVERIFY(PubStaticFunc::ZxgAdd(code));
    emit PubCache::SSignal.onZxgRefresh(code, ZxgOperate_Add);
    QVERIFY(line.zxgButton()->isCheckable());
    QVERIFY(line.zxgButton()->isChecked());
    QVERIFY(line.zxgButton()->text().isEmpty());
    QTest::mouseClick(line.zxgButton(), Qt::LeftButton);
    QVERIFY(!PubStaticFunc::ZxgContains(code));
    QCOMPARE(line.zxgButton()->text(), QStringLiteral("+自选"));
}

QTEST_MAIN(tst_ZtMarketLine)
#include "tst_ztmarketline.moc"
