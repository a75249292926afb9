#include "grids/ztmaxstockgridtable.h"
#include "grids/ztzhpmstockgridview.h"

#include <pubcache/pubconfig.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QtTest>

#include <testwindow.h>

#include <memory>
#include <vector>

Q_DECLARE_METATYPE(ZtZHPMStockGridView::enumZHPM_LX)

namespace {

const QString kRanking = QStringLiteral("LBGD_QNowForZongHePaiMing_DL");

DQDDataList ranking(int n)
{
    DQDDataList list;
    for (int i = 0; i < n; ++i) {
        DQDUnionReader r;
        r.setValue(ZtField::Market, QStringLiteral("SH"));
        r.setValue(ZtField::Code, QString::number(600000 + i));
        r.setValue(ZtField::UniqueCode, QStringLiteral("SH%1").arg(600000 + i));
        r.setValue(ZtField::Name, QStringLiteral("股票%1").arg(i));
        r.setValue(ZtField::PrevClose, 10.0);
        r.setValue(ZtField::Last, 11.0 - i * 0.01);
        r.setValue(ZtField::ChangeRatio, 10.0 - i * 0.1);
        list.append(r);
    }
    return list;
}

// A parent panel that counts what reaches it.
class Catcher : public ZtLayoutBase
{
public:
    Catcher() : ZtLayoutBase(QStringLiteral("Root"), nullptr) {}
    void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event) override
    {
        keyPresses << qMakePair(obj, event->key());
    }
    void doMousePressEvent(ZtLayoutBase* obj, QMouseEvent*) override { mousePresses << obj; }
    void doFocusStock(ZtLayoutBase*, DQDUnionReader row) override { focused << row.getUniqueValue(0); }
    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType type) override
    {
        opened << qMakePair(row.getUniqueValue(0), int(type));
    }
    QList<QPair<ZtLayoutBase*, int>> keyPresses;
    QList<ZtLayoutBase*> mousePresses;
    QStringList focused;
    QList<QPair<QString, int>> opened;
};

}

class tst_ZtZHPMStockGridView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false\ndefault.debug=false"));
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

    void kinds_data();
    void kinds();
    void narrowTileKeepsConfiguredWidths();
    void wideTileSharesWidth();
    void growingAsksForMoreRows();
    void clicksAndEnter();
    void pageDownInTableScrolls();

private:
    std::shared_ptr<ScriptedMarket> mMarket;
};

void tst_ZtZHPMStockGridView::kinds_data()
{
    QTest::addColumn<ZtZHPMStockGridView::enumZHPM_LX>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<uint>("key");
    QTest::addColumn<bool>("desc");
    QTest::addColumn<QString>("columnSet");
    using K = ZtZHPMStockGridView;
    QTest::newRow("rise") << K::ZHPM_ZF << "涨幅排名" << 22030u << true << "ZHPM_zdf";
    QTest::newRow("fall") << K::ZHPM_DF << "跌幅排名" << 22030u << false << "ZHPM_zdf";
    QTest::newRow("amplitude") << K::ZHPM_ZhenF << "振幅排名" << 22040u << true << "ZHPM_zf";
    QTest::newRow("rise-5min") << K::ZHPM_ZF5 << "5分钟涨幅" << 22250u << true << "ZHPM_fzzdf05";
    QTest::newRow("fall-5min") << K::ZHPM_DF5 << "5分钟跌幅" << 22250u << false << "ZHPM_fzzdf05";
    QTest::newRow("volume-ratio") << K::ZHPM_LB << "量比排名" << 22050u << true << "ZHPM_lb";
    QTest::newRow("imbalance-top") << K::ZHPM_WBTop << "委比前几名" << 22110u << true << "ZHPM_wb";
    QTest::newRow("imbalance-bottom") << K::ZHPM_WBBottom << "委比后几名" << 22110u << false << "ZHPM_wb";
    QTest::newRow("turnover") << K::ZHPM_ZJE << "总金额排名" << 17050u << true << "ZHPM_zje";
    QTest::newRow("unknown") << K::enumZHPM_LX(9) << "" << 0u << true << "";
}

// The read asks the data source for the kind's order; the title carries the prefix.
void tst_ZtZHPMStockGridView::kinds()
{
    QFETCH(ZtZHPMStockGridView::enumZHPM_LX, kind);
    QFETCH(QString, title);
    QFETCH(uint, key);
    QFETCH(bool, desc);
    QFETCH(QString, columnSet);

    ZtLayoutBase root(QStringLiteral("Root"), nullptr);
    auto* tile = new ZtZHPMStockGridView(&root, kind, true);
    QVERIFY(TestWindow::showIn(&root, tile, QSize(300, 300)));

    QStringList titles;
    for (GridField* f : tile->getGrid()->getFields())
        titles << f->getTitle();
    QStringList expected;
    if (!columnSet.isEmpty()) {
        for (GridField* f : PubConfig::getColumn(columnSet))
            expected << f->getTitle();
    }
    QCOMPARE(titles, expected);

    mMarket->setAnswer(kRanking, ranking(3), 1);
    tile->ResetData(QStringLiteral("沪深A股"), {QStringLiteral("SH"), QStringLiteral("SZ")}, {ZtE_ZQLX_AShare});
    if (columnSet.isEmpty())
        return;
    QCOMPARE(tile->titleLabel()->text(), QStringLiteral("沪深A股") + title);
    QTRY_VERIFY(mMarket->callCount(kRanking) > 0);
    const ScriptedMarket::Call call = mMarket->calls(kRanking).first();
    QCOMPARE(call.args.at(0).toStringList(), (QStringList{QStringLiteral("SH"), QStringLiteral("SZ")}));
    QCOMPARE(call.args.at(3).toUInt(), key);
    QCOMPARE(call.args.at(5).toInt(), tile->getGrid()->getDrawRowCount());
    QCOMPARE(call.args.at(6).toBool(), desc);
    QTRY_COMPARE(tile->getGrid()->getData()->count(), 3);
}

void tst_ZtZHPMStockGridView::narrowTileKeepsConfiguredWidths()
{
    const QList<GridField*> configured = PubConfig::getColumnZHPM_zdf();
    const int sharedWidth = configured.at(2)->getWidth();
    ZtLayoutBase root(QStringLiteral("Root"), nullptr);
    auto* tile = new ZtZHPMStockGridView(&root, ZtZHPMStockGridView::ZHPM_ZF, true);
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));
    tile->resize(250, 300);
    QVERIFY(250 / configured.size() < configured.at(1)->getWidth());
    const QList<GridField*> columns = tile->getGrid()->getFields();
    QCOMPARE(columns.at(0)->getWidth(), configured.at(0)->getWidth());
    QCOMPARE(columns.at(1)->getWidth(), configured.at(1)->getWidth());
    QCOMPARE(columns.at(2)->getWidth(),
             250 - configured.at(0)->getWidth() - configured.at(1)->getWidth() - configured.at(3)->getWidth());
    QCOMPARE(columns.at(3)->getWidth(), configured.at(3)->getWidth());
    // The shared column set itself is never refitted.
    QCOMPARE(configured.at(2)->getWidth(), sharedWidth);
}

void tst_ZtZHPMStockGridView::wideTileSharesWidth()
{
    ZtLayoutBase root(QStringLiteral("Root"), nullptr);
    auto* tile = new ZtZHPMStockGridView(&root, ZtZHPMStockGridView::ZHPM_ZJE, true);
    root.show();
    QVERIFY(QTest::qWaitForWindowExposed(&root));
    tile->resize(400, 300);
    for (GridField* f : tile->getGrid()->getFields())
        QCOMPARE(f->getWidth(), 100);
    tile->resize(200, 300);
    QCOMPARE(tile->getGrid()->getFields().at(0)->getWidth(), PubConfig::getColumnZHPM_zje().at(0)->getWidth());
}

// A taller tile asks for as many rows as now fit, without a new ResetData.
void tst_ZtZHPMStockGridView::growingAsksForMoreRows()
{
    ZtLayoutBase root(QStringLiteral("Root"), nullptr);
    auto* tile = new ZtZHPMStockGridView(&root, ZtZHPMStockGridView::ZHPM_ZF, true);
    QVERIFY(TestWindow::showIn(&root, tile, root.size()));
    const int rowHeight = tile->getGrid()->rowHeight();
    const int chrome = tile->height() - tile->getGrid()->height();
    auto heightFor = [&](int rows) { return chrome + tile->getGrid()->titleHeight() + rows * rowHeight; };
    root.resize(300, heightFor(10));
    QTRY_COMPARE(tile->getGrid()->getDrawRowCount(), 10);

    mMarket->setAnswer(kRanking, ranking(30), 1);
    tile->ResetData(QString(), {QStringLiteral("SH")}, {ZtE_ZQLX_AShare});
    QTRY_VERIFY(mMarket->callCount(kRanking) > 0);
    QCOMPARE(mMarket->calls(kRanking).last().args.at(5).toInt(), 10);

    root.resize(300, heightFor(20));
    QTRY_COMPARE(tile->getGrid()->getDrawRowCount(), 20);
    mMarket->clearCalls();
    QVERIFY(mMarket->waitForCalls(kRanking, 1, 10000));
    QTRY_COMPARE(mMarket->calls(kRanking).last().args.at(5).toInt(), 20);
}

// A click focuses and goes up; Enter without a focus opens the first row, a double click its row.
void tst_ZtZHPMStockGridView::clicksAndEnter()
{
    Catcher root;
    auto* tile = new ZtZHPMStockGridView(&root, ZtZHPMStockGridView::ZHPM_DF, true);
    QVERIFY(TestWindow::showIn(&root, tile, QSize(300, 400)));
    mMarket->setAnswer(kRanking, ranking(5), 1);
    tile->ResetData(QString(), {QStringLiteral("SH")}, {ZtE_ZQLX_AShare});
    QTRY_COMPARE(tile->getGrid()->getData()->count(), 5);

    QTest::keyClick(tile->getGrid(), Qt::Key_Return);
    QCOMPARE(root.opened, (QList<QPair<QString, int>>{qMakePair(QStringLiteral("SH600000"), int(StockSubType_Chart))}));

    ZtWidgetStockGrid* grid = tile->getGrid();
    const QPoint row2 = grid->rowRect(2).center();
    TestWindow::mouse(grid, QEvent::MouseButtonPress, row2);
    TestWindow::mouse(grid, QEvent::MouseButtonRelease, row2);
    QCOMPARE(root.focused.last(), QStringLiteral("SH600002"));
    QCOMPARE(root.mousePresses, QList<ZtLayoutBase*>{tile});
    TestWindow::mouse(grid, QEvent::MouseButtonDblClick, row2);
    QCOMPARE(root.opened.size(), 2);
    QCOMPARE(root.opened.last(), qMakePair(QStringLiteral("SH600002"), int(StockSubType_Chart)));
}

// PageDown on the table scrolls its grid; PageDown relayed from a child panel goes on up.
void tst_ZtZHPMStockGridView::pageDownInTableScrolls()
{
    Catcher root;
    auto* table = new ZtMaxStockGridTable(&root, PubConfig::getColumnZHPM_zdf(), true, true);
    QVERIFY(TestWindow::showIn(&root, table, QSize(300, 200)));
    table->setData(ranking(100));
    table->doDataRepaint();
    QVERIFY(table->getDrawRowCount() > 0);
    QCOMPARE(table->getGrid()->getRowIndex(), 0);

    QTest::keyClick(table, Qt::Key_PageDown);
    QVERIFY(table->getGrid()->getRowIndex() > 0);
    QVERIFY(root.keyPresses.isEmpty());

    auto* child = new ZtLayoutBase(QStringLiteral("Child"), table);
    child->show();
    const int before = table->getGrid()->getRowIndex();
    QTest::keyClick(child, Qt::Key_PageDown);
    QCOMPARE(table->getGrid()->getRowIndex(), before);
    QCOMPARE(root.keyPresses.size(), 1);
    QCOMPARE(root.keyPresses.first(), qMakePair(static_cast<ZtLayoutBase*>(table), int(Qt::Key_PageDown)));

    // Other keys pressed on the table go up as well.
    QTest::keyClick(table, Qt::Key_A);
    QCOMPARE(root.keyPresses.size(), 2);

    table->ResetData();
    QCOMPARE(table->getGrid()->getData()->count(), 0);
    QCOMPARE(table->getGrid()->getRowIndex(), 0);
}

QTEST_MAIN(tst_ZtZHPMStockGridView)
#include "tst_ztzhpmstockgridview.moc"
