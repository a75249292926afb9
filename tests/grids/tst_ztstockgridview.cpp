#include "grids/ztstockgridview.h"

#include <format/markup/valueformat.h>

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <spontaneousinput.h>
#include <testrows.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QString kQuery = QStringLiteral("LBGD_QNowForMK_DL");

DQDUnionReader stock(int i, double last = 10.0, int type = ZtE_ZQLX_AShare)
{
    DQDUnionReader r;
    const QString code = QString::number(600000 + i);
    r.setValue(ZtField::Market, QStringLiteral("SH"));
    r.setValue(ZtField::Code, code);
    r.setValue(ZtField::UniqueCode, QStringLiteral("SH") + code);
    r.setValue(ZtField::Name, QStringLiteral("股票%1").arg(i));
    r.setValue(ZtField::Type, type);
    r.setValue(ZtField::PrevClose, 10.0);
    r.setValue(ZtField::Last, last);
    return r;
}

// Rows of the securities with these numbers, in this order.
DQDDataList rowsOf(const QList<int>& numbers, double last = 10.0)
{
    DQDDataList list;
    for (int n : numbers)
        list.append(stock(n, last));
    return list;
}

QList<int> range(int n)
{
    QList<int> out;
    for (int i = 0; i < n; ++i)
        out << i;
    return out;
}

QString codeOf(int n)
{
    return QStringLiteral("SH%1").arg(600000 + n);
}

QString focusCode(ZtStockGridView* view)
{
    return view->getGrid()->getFocusRow().getUniqueValue(0);
}

QString codeIn(const QList<QVariant>& signal)
{
    return signal.at(1).value<DQDUnionReader>().getUniqueValue(0);
}

// The top-level menu item with this id or, given sub, the item of its sub-menu with that data.
QAction* item(ZtStockGridView* view, int id, const QVariant& sub = QVariant())
{
    for (UserMenuAction* a : view->getMenu()->actions()) {
        if (!a || a->isSeparator() || a->data().toInt() != id)
            continue;
        if (!sub.isValid())
            return a;
        for (QAction* s : a->menu()->actions()) {
            if (!s->isSeparator() && s->data() == sub)
                return s;
        }
    }
    return nullptr;
}

void click(QWidget* w, Qt::MouseButton button, const QPoint& pos, QEvent::Type type = QEvent::MouseButtonPress)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
    QMouseEvent r(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &r);
}

// A market list panel under a root panel, on a scripted market.
struct Harness
{
    std::shared_ptr<ScriptedMarket> market = std::make_shared<ScriptedMarket>();
    std::vector<std::unique_ptr<GridField>> fields;
    ZtLayoutBase root{QStringLiteral("Root"), nullptr};
    ZtStockGridView* view = nullptr;
    qint64 time = 0;

    // With rows, the panel starts on that many securities; columns replace the default four.
    explicit Harness(int rows = 0, QList<GridField*> columns = {})
    {
        PBDataChange::installSource(market);
        auto add = [&](const QString& title, unsigned int key, const QString& rule, const QString& format, int width) {
            fields.push_back(std::make_unique<GridField>(DQDField::Field(title, key, rule, format), width));
        };
        add(QStringLiteral("代码"), ZtField::Code, QString(), QString(), 80);
        add(QStringLiteral("名称"), ZtField::Name, QString(), QString(), 100);
        add(QStringLiteral("最新"), ZtField::Last, QStringLiteral("bos:12010"), QStringLiteral("d2"), 80);
        add(QStringLiteral("涨幅"), ZtField::ChangeRatio, QStringLiteral("case:0"), QStringLiteral("d2[ls:%]"), 80);
        QList<GridField*> list = columns;
        for (auto& f : fields) {
            if (columns.isEmpty())
                list << f.get();
        }
        view = new ZtStockGridView(&root, list, ZtField::ChangeRatio, true);
        auto* layout = new QVBoxLayout(&root);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        root.resize(500, 300);
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
        if (rows > 0)
            start(rowsOf(range(rows)));
    }

    ~Harness()
    {
        delete view;
        PBDataChange::installSource(nullptr);
    }

    // Incomplete answers keep the panel from recording a window, so every request reads at once.
    void start(const DQDDataList& rows)
    {
        market->setAnswer(kQuery, rows, ++time, false);
        view->InitDataMarkets({QStringLiteral("SH")}, {ZtE_ZQLX_AShare});
        waitFor(rows);
    }

    void feed(const DQDDataList& rows)
    {
        market->setAnswer(kQuery, rows, ++time, false);
        ZtWidgetStockGrid* grid = view->getGrid();
        view->ReSetDataMarkets(grid->getSortValueKey(), grid->getRowIndex(), grid->getDrawRowCount(),
                               grid->getSortDesc());
        waitFor(rows);
    }

    void waitFor(const DQDDataList& rows)
    {
        auto shown = [&] {
            const DQDQuery* data = view->getGrid()->getData();
            if (!data || data->count() != rows.count())
                return false;
            for (int i = 0; i < rows.count(); ++i) {
                if (!std::as_const(*data).at(i)->sameValues(*rows.at(i)))
                    return false;
            }
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shown(), 5000);
    }
};

}

class tst_ZtStockGridView : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    int mDatabases = 0;

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false"));
        qRegisterMetaType<QMouseEvent*>("QMouseEvent*");
        qRegisterMetaType<enumZxgOperate>("enumZxgOperate");
        QVERIFY(mDir.isValid());
    }

    void init()
    {
        // A fresh user database for every test function.
        QVERIFY(PubStaticFunc::openDatabase(mDir.filePath(QStringLiteral("user%1.db").arg(++mDatabases))));
        PubCache::mDataQueryAll = DQDDataList();
        PubStaticFunc::setGridViewFollowRowId(false);
    }

    void focusAfterRefresh_data()
    {
        QTest::addColumn<bool>("followRow");
        QTest::addColumn<bool>("localSort");
        QTest::addColumn<bool>("firstUntilUserPicks");
        QTest::addColumn<bool>("userPicks");
        QTest::addColumn<QList<int>>("next");
        QTest::addColumn<int>("windowStart");  // where the next rows sit in a list of 200
        QTest::addColumn<int>("focusRow");
        QTest::addColumn<int>("focusStock");
        QTest::addColumn<int>("reports");

        const QList<int> swapped = {0, 1, 2, 6, 4, 5, 3, 7, 8, 9};
        const QList<int> gone = {0, 1, 2, 99, 4, 5, 6, 7, 8, 9};
        const QList<int> further = {40, 41, 42, 43, 44, 45, 46, 47, 48, 49};
        QTest::newRow("follow row: a new security") << true << false << false << true << swapped << 0 << 3 << 6 << 1;
        // The rows carry no sort values, so the local sort keeps their order.
        QTest::newRow("follow row, sorted locally") << true << true << false << true << swapped << 0 << 3 << 6 << 1;
        QTest::newRow("follow target: it moved") << false << false << false << true << swapped << 0 << 6 << 3 << 0;
        QTest::newRow("follow target: it left") << false << false << false << true << gone << 0 << 0 << 0 << 1;
        QTest::newRow("follow target: left a window further down")
            << false << false << false << true << further << 40 << 40 << 40 << 1;
        QTest::newRow("same security, nothing reported")
            << false << false << false << true << range(10) << 0 << 3 << 3 << 0;
        QTest::newRow("first row until the user picks")
            << false << false << true << false << swapped << 0 << 0 << 0 << 1;
        QTest::newRow("the user picked") << false << false << true << true << swapped << 0 << 6 << 3 << 0;
    }

    void focusAfterRefresh()
    {
        QFETCH(bool, followRow);
        QFETCH(bool, localSort);
        QFETCH(bool, firstUntilUserPicks);
        QFETCH(bool, userPicks);
        QFETCH(QList<int>, next);
        QFETCH(int, windowStart);
        QFETCH(int, focusRow);
        QFETCH(int, focusStock);
        QFETCH(int, reports);
        PubStaticFunc::setGridViewFollowRowId(followRow);
        Harness h;
        if (localSort)
            h.view->useLocalSort();
        h.view->setAutoCheckFirstRowBeforeUserCheck(firstUntilUserPicks);
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        h.start(rowsOf(range(10)));
        QCOMPARE(focus.size(), 1);
        QCOMPARE(codeIn(focus.at(0)), codeOf(0));
        ZtWidgetStockGrid* grid = h.view->getGrid();
        if (userPicks) {
            click(grid, Qt::LeftButton, grid->rowRect(3).center());
            QCOMPARE(focusCode(h.view), codeOf(3));
            QCOMPARE(focus.size(), 2);
        } else {
            grid->setFocusRowIndex(3, false);
        }
        focus.clear();
        // New prices throughout, so every row is new data.
        DQDDataList rows = rowsOf(next, 10.5);
        if (windowStart > 0)
            rows.setDataWindow(windowStart, 200);
        h.feed(rows);
        QCOMPARE(grid->getFocusRowIndex(), focusRow);
        QCOMPARE(focusCode(h.view), codeOf(focusStock));
        QCOMPARE(focus.size(), reports);
        if (reports)
            QCOMPARE(codeIn(focus.last()), codeOf(focusStock));
    }

    void resetStartsOverWithTheFirstRow()
    {
        Harness h;
        h.view->setAutoCheckFirstRowBeforeUserCheck(true);
        h.start(rowsOf(range(10)));
        click(h.view->getGrid(), Qt::LeftButton, h.view->getGrid()->rowRect(4).center());
        h.feed(rowsOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
        QCOMPARE(focusCode(h.view), codeOf(4));
        h.view->ResetData();
        QVERIFY(h.view->getGrid()->getFocusRow().isEmpty());
        QCOMPARE(h.view->getGrid()->getData()->count(), 0);
        h.feed(rowsOf({5, 4, 3}));
        QCOMPARE(focusCode(h.view), codeOf(5));
    }

    void emptyListFallsBackToTheIndex_data()
    {
        QTest::addColumn<bool>("autoFocus");
        QTest::addColumn<bool>("alternative");
        QTest::addColumn<bool>("indexKnown");
        QTest::addColumn<bool>("reported");
        QTest::newRow("both on") << true << true << true << true;
        QTest::newRow("index not in the list") << true << true << false << false;
        QTest::newRow("no auto focus") << false << true << true << false;
        QTest::newRow("no alternative") << true << false << true << false;
    }

    void emptyListFallsBackToTheIndex()
    {
        QFETCH(bool, autoFocus);
        QFETCH(bool, alternative);
        QFETCH(bool, indexKnown);
        QFETCH(bool, reported);
        PubCache::mDataQueryAll = rowsOf({1, 2});
        if (indexKnown) {
            DQDUnionReader index = stock(0, 10.0, ZtE_ZQLX_Index);
            index.setValue(ZtField::Code, QStringLiteral("000001"));
            index.setValue(ZtField::UniqueCode, QStringLiteral("SH000001"));
            PubCache::mDataQueryAll.append(index);
        }
        Harness h;
        h.view->setAutoFocusRow(autoFocus);
        h.view->setUseAlternativesFocusStock(alternative);
        h.view->getGrid()->setRowIndex(0);
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        h.view->doDataRepaint();
        QCOMPARE(focus.size(), reported ? 1 : 0);
        if (reported)
            QCOMPARE(codeIn(focus.at(0)), QStringLiteral("SH000001"));
        QVERIFY(h.view->getGrid()->getFocusRow().isEmpty());
    }

    void enterOpensAStock_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("handleEnter");
        QTest::addColumn<bool>("rows");
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("opened");  // -1: nothing opened
        QTest::addColumn<bool>("relayed");
        QTest::newRow("enter on the focus row") << int(Qt::Key_Enter) << true << true << 4 << 4 << false;
        QTest::newRow("return without focus: first row") << int(Qt::Key_Return) << true << true << -1 << 0 << false;
        QTest::newRow("F5") << int(Qt::Key_F5) << true << true << 2 << 2 << false;
        QTest::newRow("empty list") << int(Qt::Key_Return) << true << false << -1 << -1 << false;
        QTest::newRow("enter left to the parents") << int(Qt::Key_Enter) << false << true << 4 << -1 << true;
        QTest::newRow("other keys go up") << int(Qt::Key_A) << true << true << 4 << -1 << true;
        QTest::newRow("page down stops here") << int(Qt::Key_PageDown) << true << true << 4 << -1 << false;
    }

    void enterOpensAStock()
    {
        QFETCH(int, key);
        QFETCH(bool, handleEnter);
        QFETCH(bool, rows);
        QFETCH(int, focus);
        QFETCH(int, opened);
        QFETCH(bool, relayed);
        Harness h;
        h.view->setHandleEnter(handleEnter);
        h.view->setAutoFocusRow(false);
        if (rows)
            h.start(rowsOf(range(8)));
        if (focus >= 0)
            h.view->getGrid()->setFocusRowIndex(focus, false);
        QSignalSpy gotos(h.view, &ZtLayoutBase::onGotoStock);
        QSignalSpy relays(h.view, &ZtLayoutBase::onKeyReleaseEvent);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        h.view->doKeyReleaseEvent(h.view, &release);
        QCOMPARE(gotos.size(), opened >= 0 ? 1 : 0);
        if (opened >= 0) {
            QCOMPARE(codeIn(gotos.at(0)), codeOf(opened));
            QCOMPARE(gotos.at(0).at(2).value<DQDDataList>().count(), 8);
            QCOMPARE(gotos.at(0).at(3).value<enumStockSubType>(), StockSubType_Chart);
        }
        QCOMPARE(relays.size(), relayed ? 1 : 0);
    }

    void upDownReportOnlyTheFinalRelease()
    {
        Harness h(8);
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier, QString(), true);
        h.view->doKeyReleaseEvent(h.view, &repeat);
        QCOMPARE(focus.size(), 0);
        QKeyEvent last(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        h.view->doKeyReleaseEvent(h.view, &last);
        QCOMPARE(focus.size(), 1);
    }

    void wheelMovesOneRow_data()
    {
        QTest::addColumn<QPoint>("angle");
        QTest::addColumn<int>("row");
        QTest::newRow("one notch down") << QPoint(0, -120) << 11;
        QTest::newRow("fine scrolling up") << QPoint(0, 15) << 9;
        QTest::newRow("a big step up") << QPoint(0, 720) << 9;
        QTest::newRow("zero goes down") << QPoint() << 11;
        QTest::newRow("sideways tilt up") << QPoint(120, -15) << 9;
    }

    void wheelMovesOneRow()
    {
        QFETCH(QPoint, angle);
        QFETCH(int, row);
        Harness h(100);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        grid->setRowIndex(10);
        QSignalSpy scrolled(grid, &ZtWidgetStockGrid::onDataIndexChange);
        QWheelEvent wheel(QPointF(5, 50), QPointF(5, 50), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        h.view->doWheelEvent(h.view, &wheel);
        QCOMPARE(grid->getRowIndex(), row);
        QCOMPARE(scrolled.size(), 1);
        // The new window is asked of the source.
        QTRY_VERIFY(h.market->callCount(kQuery) >= 2);
    }

    // The shipped market-list columns show real index levels whole, and no cell
    // of the index list paints more text than its cell holds.
    void indexListFitsItsCells()
    {
        struct Level
        {
            const char* code;
            const char* name;
            double last;
            double change;
            double turnover;
        };
        const Level levels[] = {{"399001", "深证成指", 10262.70, -123.45, 4.123e11},
                                {"000001", "上证指数", 3089.26, 12.07, 3.9e11},
                                {"399006", "创业板指", 2039.11, -25.6, 1.6e11},
                                {"000016", "上证50", 2456.78, 0.0, 6.1e10},
                                {"399005", "中小100", 6543.21, 99.99, 9.9e10}};
        DQDDataList rows;
        for (const Level& l : levels) {
            const QString market = QLatin1String(l.code).startsWith(QLatin1Char('3')) ? "SZ" : "SH";
            DQDUnionReader r = TestRows::security(market + QString::fromLatin1(l.code), QString::fromUtf8(l.name),
                                                  ZtE_ZQLX_Index, l.last);
            r.setValue(ZtField::Decimals, 2);
            const double prev = l.last - l.change;
            r.setValue(ZtField::PrevClose, prev);
            r.setValue(ZtField::Open, prev * 1.001);
            r.setValue(ZtField::High, l.last * 1.004);
            r.setValue(ZtField::Low, prev * 0.995);
            r.setValue(ZtField::Change, l.change);
            r.setValue(ZtField::ChangeRatio, l.change / prev * 100);
            r.setValue(ZtField::Volume, l.turnover / 12);
            r.setValue(ZtField::Turnover, l.turnover);
            r.setValue(ZtField::Amplitude, 1.23);
            r.setValue(ZtField::BuyPrice1, 0.0);
            r.setValue(ZtField::SellPrice1, 0.0);
            rows.append(r);
        }
        const QList<GridField*> columns = PubConfig::getColumn(QStringLiteral("StockList"));
        QVERIFY(!columns.isEmpty());
        int width = 0;
        for (const GridField* f : columns)
            width += f->getWidth();
        Harness h(0, columns);
        h.root.resize(width + 20, 300);
        h.start(rows);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        QCOMPARE(grid->getFields().size(), columns.size());
        QVERIFY(!grid->grab().isNull());
        const QFontMetricsF fm(grid->font());
        int prices = 0;
        for (int r = 0; r < rows.count(); ++r) {
            const DQDUnionReader* row = std::as_const(*grid->getData()).at(r);
            for (int c = 0; c < columns.size(); ++c) {
                const QRect cell = grid->cellRect(r, c);
                QVERIFY2(!cell.isEmpty(), qPrintable(columns.at(c)->getField().mTitle));
                const QString text = grid->cellText(r, c);
                const QString where = QStringLiteral("%1 %2: %3").arg(row->getValue(ZtField::Name).toString(),
                                                                      columns.at(c)->getField().mTitle, text);
                // 4 pixels either side of the text.
                QVERIFY2(fm.horizontalAdvance(text) <= cell.width() - 8, qPrintable(where));
                const unsigned int key = columns.at(c)->getFieldId();
                if (ZtField::isPriceKey(key) || key == ZtField::Turnover || key == ZtField::Volume) {
                    QCOMPARE(text, formatValue(row->getValue(key), columns.at(c)->getField().mFormat));
                    ++prices;
                }
            }
        }
        QVERIFY(prices > 20);
        QCOMPARE(grid->cellText(0, 3), QStringLiteral("10262.70"));
    }

    // A wheel step over the grid, delivered as the window system does: the grid
    // scrolls one row and its parent panel never hears of the wheel.
    void scrolledWheelStaysWithTheGrid()
    {
        Harness h(100);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        grid->setRowIndex(10);
        QSignalSpy relayed(&h.root, &ZtLayoutBase::onWheelEvent);
        QVERIFY(SpontaneousInput::wheel(grid, grid->rect().center(), -120));
        QCOMPARE(grid->getRowIndex(), 11);
        QCOMPARE(relayed.count(), 0);
    }

    void menuFollowsTheFocusStock_data()
    {
        QTest::addColumn<bool>("inZxg");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<bool>("isStock");
        QTest::newRow("plain stock") << false << QString() << false << true;
        QTest::newRow("watchlist, marked 4, alert") << true << QStringLiteral("4") << true << true;
        QTest::newRow("index") << false << QStringLiteral("9") << false << false;
    }

    void menuFollowsTheFocusStock()
    {
        QFETCH(bool, inZxg);
        QFETCH(QString, mark);
        QFETCH(bool, alert);
        QFETCH(bool, isStock);
        Harness h;
        DQDDataList rows = rowsOf(range(3));
        rows.replace(1, stock(1, 10.0, isStock ? ZtE_ZQLX_AShare : ZtE_ZQLX_Index));
        h.start(rows);
        h.view->getGrid()->setFocusRowIndex(1, false);
        PubStaticFunc::setGridViewFollowRowId(true);
        if (inZxg)
            QVERIFY(PubStaticFunc::ZxgAdd(codeOf(1)));
        if (!mark.isEmpty())
            QVERIFY(PubStaticFunc::setStockSign(codeOf(1), mark));
        // The alert table is the data library's; every change of the cache library rewrites it.
        if (alert)
            PubCacheCustom::mYjsStock.insert(codeOf(1), true);

        h.view->doAboutToShowMenu(h.view->getMenu()->actions());
        QCOMPARE(item(h.view, 2002)->isVisible(), isStock);
        QCOMPARE(item(h.view, 2003)->isVisible(), !inZxg);
        QCOMPARE(item(h.view, 2004)->isVisible(), inZxg);
        QCOMPARE(item(h.view, 1021)->isEnabled(), !alert);
        QCOMPARE(item(h.view, 1022)->isEnabled(), alert);
        QCOMPARE(item(h.view, 1023)->isEnabled(), alert);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(item(h.view, 2007, QString::number(i))->isChecked(), QString::number(i) == mark);
        QCOMPARE(item(h.view, 2007, QStringLiteral("del"))->isEnabled(), !mark.isEmpty());
        QVERIFY(item(h.view, 2008, 3501)->isChecked());
        QVERIFY(!item(h.view, 2008, 3502)->isChecked());
    }

    void subMenuChoices()
    {
        Harness h(3);
        h.view->getGrid()->setFocusRowIndex(2, false);
        QAction* mark5 = item(h.view, 2007, QStringLiteral("5"));
        mark5->trigger();
        QCOMPARE(PubStaticFunc::getStockSign(codeOf(2)), QStringLiteral("5"));
        // Choosing the mark a stock already has keeps it.
        h.view->doAboutToShowMenu(h.view->getMenu()->actions());
        QVERIFY(mark5->isChecked());
        mark5->trigger();
        QCOMPARE(PubStaticFunc::getStockSign(codeOf(2)), QStringLiteral("5"));
        item(h.view, 2007, QStringLiteral("del"))->trigger();
        QCOMPARE(PubStaticFunc::getStockSign(codeOf(2)), QString());

        item(h.view, 2008, 3501)->trigger();
        QVERIFY(PubStaticFunc::getGridViewFollowRowId());
        item(h.view, 2008, 3502)->trigger();
        QVERIFY(!PubStaticFunc::getGridViewFollowRowId());
    }

    void topLevelChoices_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("signal");  // the position in the spies below
        QTest::addColumn<int>("subType");
        QTest::newRow("open") << 2000 << 0 << 3;
        QTest::newRow("k-line") << 2001 << 0 << 4;
        QTest::newRow("F10") << 2002 << 1 << 6;
        QTest::newRow("add to watchlist") << 2003 << 2 << 0;
        QTest::newRow("remove from watchlist") << 2004 << 3 << 0;
        QTest::newRow("new alert") << 1021 << 4 << 0;
        QTest::newRow("change alert") << 1022 << 5 << 0;
        QTest::newRow("delete alert") << 1023 << 6 << 0;
    }

    void topLevelChoices()
    {
        QFETCH(int, id);
        QFETCH(int, signal);
        QFETCH(int, subType);
        Harness h(3);
        h.view->getGrid()->setFocusRowIndex(1, false);
        PubStaticSignal* cache = &PubCache::SSignal;
        QSignalSpy spies[] = {{h.view, &ZtLayoutBase::onGotoStock}, {h.view, &ZtLayoutBase::onOpenStockDialog},
                              {cache, &PubStaticSignal::onZxgAdd},   {cache, &PubStaticSignal::onZxgDel},
                              {cache, &PubStaticSignal::onEarlyAdd}, {cache, &PubStaticSignal::onEarlyUpd},
                              {cache, &PubStaticSignal::onEarlyDel}};
        item(h.view, id)->trigger();
        for (int i = 0; i < 7; ++i)
            QCOMPARE(spies[i].size(), i == signal ? 1 : 0);
        const QList<QVariant> args = spies[signal].at(0);
        if (signal == 0) {
            QCOMPARE(codeIn(args), codeOf(1));
            QCOMPARE(int(args.at(3).value<enumStockSubType>()), subType);
        } else if (signal == 1) {
            QCOMPARE(int(args.at(2).value<enumStockSubType>()), subType);
        } else {
            QCOMPARE(args.at(0).toString(), codeOf(1));
            if (signal == 2)
                QCOMPARE(args.at(1).value<enumZxgOperate>(), ZxgOperate_Add);
        }

        // Without a focus row nothing happens.
        h.view->getGrid()->clearFocusRow(false);
        item(h.view, id)->trigger();
        QCOMPARE(spies[signal].size(), 1);
    }

    void rightClickOpensTheMenuOnItsRow()
    {
        Harness h(5);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        QWidget* shown = nullptr;
        QTimer::singleShot(0, this, [&] {
            shown = QApplication::activePopupWidget();
            if (shown)
                shown->close();
        });
        click(grid, Qt::RightButton, grid->rowRect(2).center());
        QCOMPARE(shown, static_cast<QWidget*>(h.view->getMenu()));
        QCOMPARE(focusCode(h.view), codeOf(2));
        QCOMPARE(focus.size(), 1);
    }

    void doubleClickOpensTheFocusRow()
    {
        Harness h(5);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        QSignalSpy gotos(h.view, &ZtLayoutBase::onGotoStock);
        click(grid, Qt::LeftButton, grid->rowRect(3).center(), QEvent::MouseButtonDblClick);
        QCOMPARE(gotos.size(), 1);
        QCOMPARE(codeIn(gotos.at(0)), codeOf(3));
        QCOMPARE(gotos.at(0).at(3).value<enumStockSubType>(), StockSubType_Chart);
    }

    void infoMineMarkerAsksForTheBox()
    {
        Harness h;
        DQDDataList rows = rowsOf(range(3));
        rows.at(1)->setValue(ZtField::InfoMineCount, 2);
        h.start(rows);
        QSignalSpy boxes(h.view, &ZtLayoutBase::onChildShowMe);
        click(h.view->getGrid(), Qt::LeftButton, h.view->getGrid()->xxdlRect(1).center());
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.at(0), (QList<QVariant>{codeOf(1), false, qlonglong(-1)}));
    }

    void headerClickAsksForANewOrder()
    {
        Harness h(20);
        const int before = h.market->callCount(kQuery);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        click(grid, Qt::LeftButton, grid->headerRect(2).center());
        QTRY_VERIFY(h.market->callCount(kQuery) > before);
        const ScriptedMarket::Call call = h.market->calls(kQuery).last();
        QCOMPARE(call.args.at(3).toUInt(), ZtField::Last);
        QCOMPARE(call.args.at(6).toBool(), true);
    }

    void horizontalBarOnlyWhenColumnsOverflow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("shown");
        QTest::newRow("narrow") << 300 << true;
        QTest::newRow("exactly the columns") << 340 << false;
    }

    void horizontalBarOnlyWhenColumnsOverflow()
    {
        QFETCH(int, width);
        QFETCH(bool, shown);
        Harness h;
        h.root.resize(width, 200);
        QTRY_COMPARE(h.view->width(), width);
        QCOMPARE(!h.view->getGrid()->getHScrollBar()->isHidden(), shown);
    }
};

QTEST_MAIN(tst_ZtStockGridView)
#include "tst_ztstockgridview.moc"
