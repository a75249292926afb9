#include "grids/ztminstockgridtable.h"
#include "grids/ztstocklistview.h"
#include "grids/ztstockmingridview.h"

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QAction>
#include <QApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QTableWidget>
#include <QtTest>

#include <testrows.h>
#include <testwindow.h>

#include <memory>
#include <vector>

namespace {

using TestRows::codeOf;

DQDUnionReader security(const QString& code, int type, const QString& name = QString())
{
    return TestRows::security(code, name, type, 10.5);
}

Q_DD_Now quote(int n)
{
    return Q_DD_Now(security(codeOf(n), int(ZtE_ZQLX_AShare)));
}

QStringList codesOf(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << codeOf(i);
    return out;
}

DQDDataList ticks(int n, double maxVolume = 0)
{
    DQDDataList list;
    for (int i = 0; i < n; ++i) {
        DQDUnionReader r;
        r.setValue(ZtField::Time, qint64(20260105093000000LL) + i * 3000);
        r.setValue(ZtField::Price, 10.0 + i * 0.01);
        r.setValue(ZtField::DetailPrice, 10.0 + i * 0.01);
        r.setValue(ZtField::BuyVolume, 100.0 * i);
        r.setValue(ZtField::SellVolume, 50.0 * i);
        r.setValue(ZtField::SeriesVolume, i == n / 2 && maxVolume > 0 ? maxVolume : 150.0 * i);
        list.append(r);
    }
    return list;
}

class Catcher : public ZtLayoutBase
{
public:
    Catcher() : ZtLayoutBase(QStringLiteral("Root"), nullptr) {}
    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType type) override
    {
        opened << qMakePair(row.getUniqueValue(0), int(type));
    }
    void doOpenStockDialog(ZtLayoutBase*, DQDUnionReader row, enumStockSubType type) override
    {
        dialogs << qMakePair(row.getUniqueValue(0), int(type));
    }
    void doMousePressEvent(ZtLayoutBase*, QMouseEvent*) override { ++presses; }
    void doMouseReleaseEvent(ZtLayoutBase*, QMouseEvent*) override { ++releases; }
    QList<QPair<QString, int>> opened;
    QList<QPair<QString, int>> dialogs;
    int presses = 0;
    int releases = 0;
};

struct Columns
{
    std::vector<std::unique_ptr<GridField>> owned;
    QList<GridField*> list;
    void add(unsigned int key, const QString& rule = QStringLiteral("sys:default"),
             const QString& format = QStringLiteral("d2"))
    {
        owned.push_back(std::make_unique<GridField>(DQDField::Field(QString::number(key), key, rule, format), 60));
        list << owned.back().get();
    }
};

}

class tst_CompactGrids : public QObject
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
        PubCache::mDataQueryAll = DQDDataList();
    }
    void cleanup()
    {
        PBDataChange::installSource(nullptr);
        mMarket.reset();
        PubCache::mDataQueryAll = DQDDataList();
    }

    void opensOnceWhenComplete();
    void emptyListOpensIndex_data();
    void emptyListOpensIndex();
    void clickAndArrowsOpen();
    void newestRowsAtBottom_data();
    void newestRowsAtBottom();
    void priceColumnFollowsStock_data();
    void priceColumnFollowsStock();
    void volumeBarMaximum();
    void tableMouseAndMenu();
    void listViewTypes();

private:
    std::shared_ptr<ScriptedMarket> mMarket;
};

// 19 of 20 quotes open nothing; the 20th opens the focused row (row 0) once.
void tst_CompactGrids::opensOnceWhenComplete()
{
    Catcher root;
    auto* view = new ZtStockMinGridView(&root);
    for (int i = 0; i < 19; ++i)
        mMarket->setQuote(codeOf(i), quote(i));
    mMarket->setQuotesDownTime(1);
    QVERIFY(TestWindow::showIn(&root, view, QSize(240, 400)));
    view->resetData(true);
    view->InitZxgQNows({codesOf(20), {}});
    QTRY_COMPARE(view->getGrid()->getData()->count(), 19);
    QVERIFY(root.opened.isEmpty());

    mMarket->setQuote(codeOf(19), quote(19));
    mMarket->setQuotesDownTime(2);
    QTRY_COMPARE(view->getGrid()->getData()->count(), 20);
    QCOMPARE(root.opened.size(), 1);
    QCOMPARE(root.opened.first(), qMakePair(codeOf(0), int(StockSubType_Default)));

    mMarket->setQuotesDownTime(3);
    QVERIFY(mMarket->waitForCalls(QStringLiteral("LBDG_QNow_DL"), mMarket->callCount(QStringLiteral("LBDG_QNow_DL")) + 2,
                                  10000));
    QCoreApplication::processEvents();
    QCOMPARE(root.opened.size(), 1);
}

void tst_CompactGrids::emptyListOpensIndex_data()
{
    QTest::addColumn<bool>("indexListed");
    QTest::newRow("listed") << true;
    QTest::newRow("not listed") << false;
}

void tst_CompactGrids::emptyListOpensIndex()
{
    QFETCH(bool, indexListed);
    if (indexListed)
        PubCache::mDataQueryAll.append(security(QStringLiteral("SH000001"), 5, QStringLiteral("上证指数")));
    Catcher root;
    auto* view = new ZtStockMinGridView(&root);
    view->InitHisQNows({});
    QVERIFY(TestWindow::showIn(&root, view, QSize(240, 400)));
    root.resize(240, 300);
    if (!indexListed) {
        QCOMPARE(root.opened.size(), 0);
        return;
    }
    QTRY_COMPARE(root.opened.size(), 1);
    QCOMPARE(root.opened.first(), qMakePair(QStringLiteral("SH000001"), int(StockSubType_Default)));
    root.resize(240, 200);
    QCOMPARE(root.opened.size(), 1);
}

void tst_CompactGrids::clickAndArrowsOpen()
{
    Catcher root;
    auto* view = new ZtStockMinGridView(&root);
    for (int i = 0; i < 5; ++i)
        mMarket->setQuote(codeOf(i), quote(i));
    mMarket->setQuotesDownTime(1);
    QVERIFY(TestWindow::showIn(&root, view, QSize(240, 400)));
    view->setFirstInit(true);
    view->InitHisQNows(QVector<QString>{codeOf(0), codeOf(1), codeOf(2), codeOf(3), codeOf(4)});
    QTRY_COMPARE(root.opened.size(), 1);

    ZtWidgetStockGrid* grid = view->getGrid();
    TestWindow::mouse(grid, QEvent::MouseButtonPress, grid->rowRect(3).center());
    TestWindow::mouse(grid, QEvent::MouseButtonRelease, grid->rowRect(3).center());
    QCOMPARE(root.opened.size(), 2);
    QCOMPARE(root.opened.last().first, codeOf(3));

    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(root.opened.size(), 3);
    QCOMPARE(root.opened.last().first, codeOf(4));
    // PageDown stays in the grid.
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(root.opened.size(), 3);
}

void tst_CompactGrids::newestRowsAtBottom_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("firstShown");
    QTest::newRow("100 rows") << 100 << 88;
    QTest::newRow("5 rows") << 5 << 0;
}

// A type-1 table keeps its newest rows in view.
void tst_CompactGrids::newestRowsAtBottom()
{
    QFETCH(int, rows);
    QFETCH(int, firstShown);
    const QString code = codeOf(1);
    mMarket->setQuote(code, quote(1));
    mMarket->setAnswer(QStringLiteral("LBGD_Detail"), ticks(rows), 1);
    Columns columns;
    columns.add(ZtField::Time, QStringLiteral("sys:default"), QStringLiteral("[tn:hh:mm]"));
    columns.add(ZtField::Price);
    Catcher root;
    auto* table = new ZtMinStockGridTable(&root, ZtMinStockGridTable::TableType_Newest, columns.list);
    QVERIFY(TestWindow::showIn(&root, table, QSize(240, 12 * table->getGrid()->rowHeight() + 5)));
    QTRY_COMPARE(table->getGrid()->getDrawRowCount(), 12);

    table->resetStock(security(code, 10), ZtE_RegDataType_DetailAsc);
    QTRY_COMPARE(table->getGrid()->getData()->count(), rows);
    QCOMPARE(table->getGrid()->getRowIndex(), firstShown);
    QCOMPARE(mMarket->calls(QStringLiteral("LBGD_Detail")).first().args.at(1).toBool(), false);

    table->replaceStock();
    QCOMPARE(table->getGrid()->getData()->count(), 0);
}

void tst_CompactGrids::priceColumnFollowsStock_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<uint>("priceKey");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("format");
    QTest::newRow("type 1, two decimals") << 1 << uint(ZtField::Price) << 2 << "d2";
    QTest::newRow("type 2, three decimals") << 2 << uint(ZtField::DetailPrice) << 3 << "d3";
    QTest::newRow("other type") << 7 << uint(ZtField::DetailPrice) << 3 << "d2";
}

void tst_CompactGrids::priceColumnFollowsStock()
{
    QFETCH(int, type);
    QFETCH(uint, priceKey);
    QFETCH(int, decimals);
    QFETCH(QString, format);
    Columns columns;
    columns.add(ZtField::Time);
    columns.add(priceKey, QStringLiteral("sys:default"), QStringLiteral("d2"));
    Catcher root;
    ZtMinStockGridTable table(&root, ZtMinStockGridTable::TableType(type), columns.list);
    DQDUnionReader stock = security(codeOf(2), 15);
    stock.setValue(ZtField::PrevClose, 0.456);
    stock.setValue(ZtField::Decimals, decimals);
    table.resetStock(stock, ZtE_RegDataType_Detail);
    const DQDField::Field& f = table.getGrid()->getColumn(priceKey)->getField();
    if (type == 7) {
        QCOMPARE(f.mColorRule, QStringLiteral("sys:default"));
        QCOMPARE(f.mFormat, QStringLiteral("d2"));
    } else {
        QCOMPARE(f.mColorRule, QStringLiteral("case:0.456"));
        QCOMPARE(f.mFormat, format);
    }
    // The column set the owner passed is left as it was.
    QCOMPARE(columns.list.at(1)->getField().mColorRule, QStringLiteral("sys:default"));
    // The same stock again, or none, changes nothing.
    table.resetStock(DQDUnionReader(), ZtE_RegDataType_Detail);
    QCOMPARE(table.stock().getUniqueValue(0), codeOf(2));
}

// The bar scales to the largest volume, written as QString::arg writes a double.
void tst_CompactGrids::volumeBarMaximum()
{
    const QString code = codeOf(3);
    mMarket->setQuote(code, quote(3));
    mMarket->setAnswer(QStringLiteral("LBGD_Fjbxx"), ticks(20, 1500000), 1);
    Columns columns;
    columns.add(ZtField::DetailPrice);
    columns.add(ZtField::SeriesVolume);
    columns.add(ZtField::BuyVolume);
    columns.add(ZtField::SeriesVolume, QStringLiteral("sys:vol"), QString());
    Catcher root;
    auto* table = new ZtMinStockGridTable(&root, ZtMinStockGridTable::TableType_VolumeBar, columns.list);
    QVERIFY(TestWindow::showIn(&root, table, QSize(300, 300)));
    table->resetStock(security(code, 10), ZtE_RegDataType_Fjbxx);
    QTRY_COMPARE(table->getGrid()->getData()->count(), 20);
    QCOMPARE(table->getGrid()->getColumnByIndex(3)->getField().mFormat,
             QStringLiteral("!![box:32060:sys:Pen_BuyVolColor,32070:sys:Pen_SellVolColor[max:1.5e+06][vpis:r]"
                            "[fmt:[ss:[@32060;d2[ls:%竞]]]/fmt]/box]"));
    // Local sort by price, highest first.
    QCOMPARE(std::as_const(*table->getGrid()->getData()).at(0)->getValue(ZtField::DetailPrice).toDouble(), 10.19);
}

void tst_CompactGrids::tableMouseAndMenu()
{
    const QString code = codeOf(4);
    mMarket->setQuote(code, quote(4));
    mMarket->setAnswer(QStringLiteral("LBGD_Detail"), ticks(5), 1);
    Columns columns;
    columns.add(ZtField::Time);
    columns.add(ZtField::Price);
    Catcher root;
    auto* table = new ZtMinStockGridTable(&root, ZtMinStockGridTable::TableType_Newest, columns.list);
    QVERIFY(TestWindow::showIn(&root, table, QSize(300, 300)));
    table->resetStock(security(code, 10), ZtE_RegDataType_Detail);
    QTRY_COMPARE(table->getGrid()->getData()->count(), 5);

    ZtWidgetStockGrid* grid = table->getGrid();
    const QPoint at = grid->rowRect(1).center();
    TestWindow::mouse(grid, QEvent::MouseButtonPress, at);
    TestWindow::mouse(grid, QEvent::MouseButtonRelease, at);
    QCOMPARE(root.presses, 0);
    QCOMPARE(root.releases, 1);
    TestWindow::mouse(grid, QEvent::MouseButtonDblClick, at);
    QCOMPARE(root.dialogs, (QList<QPair<QString, int>>{qMakePair(code, int(StockSubType_TickDetail))}));

    QSignalSpy lineMode(table, &ZtMinStockGridTable::onChangeLineMode);
    QAction tick;
    tick.setData(3001);
    table->doCliclParentMenu(&tick);
    QCOMPARE(root.dialogs.last(), qMakePair(code, int(StockSubType_PriceVolume)));
    QAction mode;
    mode.setData(3002);
    table->doCliclParentMenu(&mode);
    QCOMPARE(lineMode.count(), 1);
}

void tst_CompactGrids::listViewTypes()
{
    PubCache::mDataQueryAll.append(security(QStringLiteral("SH600000"), 10, QStringLiteral("浦发")));
    PubCache::mDataQueryAll.append(security(QStringLiteral("SH900901"), 15, QStringLiteral("B股一")));
    PubCache::mDataQueryAll.append(security(QStringLiteral("SH000001"), 5, QStringLiteral("上证指数")));
    PubCache::mDataQueryAll.append(security(QStringLiteral("SZ399001"), 5, QStringLiteral("深证成指")));
    PubCache::mDataQueryAll.append(security(QStringLiteral("BK0001"), 5, QStringLiteral("银行")));
    PubCache::mDataQueryAll.append(security(QStringLiteral("HK00700"), 20, QStringLiteral("港股")));
    ZtStockListView list;
    QTableWidget* table = list.table();
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + QLatin1Char(' ') + table->item(r, 2)->text();
    QCOMPARE(rows, (QStringList{QStringLiteral("SH600000 A股"), QStringLiteral("SH900901 B股"),
                                QStringLiteral("SH000001 指数"), QStringLiteral("SZ399001 指数"),
                                QStringLiteral("HK00700 HK")}));
    QCOMPARE(table->item(2, 1)->text(), QStringLiteral("上证指数"));

    QSignalSpy chosen(&list, &ZtStockListView::onResetStock);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QRect cell = table->visualItemRect(table->item(3, 1));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("SZ399001"));
    QVERIFY(!list.isVisible());
}

QTEST_MAIN(tst_CompactGrids)
#include "tst_compactgrids.moc"
