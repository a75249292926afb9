#include <ztwidgetlib/ztgridbarcell.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <ztlib/pubcachecustom.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace {

DQDUnionReader stock(int i, double changeRatio)
{
    DQDUnionReader r;
    const QString code = QString::number(600000 + i);
    r.setValue(ZtField::Market, QStringLiteral("SH"));
    r.setValue(ZtField::Code, code);
    r.setValue(ZtField::UniqueCode, QStringLiteral("SH") + code);
    r.setValue(ZtField::Name, QStringLiteral("股票%1").arg(i));
    r.setValue(ZtField::Type, int(ZtE_ZQLX_AShare));
    r.setValue(ZtField::PrevClose, 10.0);
    r.setValue(ZtField::Last, 10.0 * (1 + changeRatio / 100));
    r.setValue(ZtField::ChangeRatio, changeRatio);
    return r;
}

DQDDataList listOf(int rows)
{
    DQDDataList list;
    for (int i = 0; i < rows; ++i)
        list.append(stock(i, (i % 7) - 3));
    return list;
}

QStringList codesOf(const DQDQuery& q)
{
    QStringList out;
    for (int i = 0; i < q.count(); ++i)
        out << q.at(i)->getUniqueValue(0);
    return out;
}

struct Columns
{
    std::vector<std::unique_ptr<GridField>> fields;

    Columns()
    {
        add(QStringLiteral("代码"), ZtField::Code, QString(), QStringLiteral("!p"), 80);
        add(QStringLiteral("名称"), ZtField::Name, QString(), QStringLiteral("!p"), 100);
        add(QStringLiteral("最新"), ZtField::Last, QStringLiteral("bos:12010"), QStringLiteral("d2"), 80);
        add(QStringLiteral("涨幅"), ZtField::ChangeRatio, QStringLiteral("case:0"), QStringLiteral("d2[ls:%]"), 80);
    }

    void add(const QString& title, unsigned int key, const QString& rule, const QString& format, int width)
    {
        fields.push_back(std::make_unique<GridField>(DQDField::Field(title, key, rule, format), width));
    }

    void applyTo(ZtWidgetStockGrid& grid)
    {
        grid.clearColumn();
        for (auto& f : fields)
            grid.appendColumn(f.get());
        grid.resetColumn();
    }
};

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, const QPoint& pos,
           Qt::MouseButtons buttons = Qt::NoButton)
{
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
        buttons |= button;
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void key(QWidget* w, int k)
{
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A grid of `rows` rows showing exactly `visible` full rows.
struct Fixture
{
    DQDDataList data;
    Columns columns;
    QScrollBar vbar{Qt::Vertical};
    ZtWidgetStockGrid grid{&data};

    explicit Fixture(int rows, int visible = 10)
    {
        data = listOf(rows);
        columns.applyTo(grid);
        grid.setVScrollBar(&vbar);
        grid.setData(&data);
        grid.resize(400, grid.titleHeight() + grid.rowHeight() * visible + grid.rowHeight() / 2);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
    }
};

}

class tst_ZtWidgetStockGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<QMouseEvent*>("QMouseEvent*");
    }

    void init()
    {
        PubCacheCustom::resetColours();
        PubCacheCustom::mStockCodeList.clear();
        PubCacheCustom::mStockSign.clear();
    }

    void localSort_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<bool>("desc");
        QTest::addColumn<QList<int>>("order");
        const QVariant dash(QStringLiteral("-"));
        const QVariantList ties = {1.0, 3.0, 2.0, 3.0, 1.0};
        const QVariantList gaps = {dash, -5.0, dash, 7};
        QTest::newRow("descending, ties keep order") << ties << true << QList<int>{1, 3, 2, 0, 4};
        QTest::newRow("ascending, ties keep order") << ties << false << QList<int>{0, 4, 2, 1, 3};
        QTest::newRow("missing last when descending") << gaps << true << QList<int>{3, 1, 0, 2};
        QTest::newRow("missing last when ascending") << gaps << false << QList<int>{1, 3, 0, 2};
        QTest::newRow("numeric texts compare as numbers")
            << QVariantList{QStringLiteral("10"), QStringLiteral("9"), 9.5} << false << QList<int>{1, 2, 0};
        QTest::newRow("texts after numbers")
            << QVariantList{QStringLiteral("b"), 1, QStringLiteral("a")} << false << QList<int>{1, 2, 0};
    }

    void localSort()
    {
        QFETCH(QVariantList, values);
        QFETCH(bool, desc);
        QFETCH(QList<int>, order);
        DQDDataList data;
        for (int i = 0; i < values.size(); ++i) {
            DQDUnionReader r = stock(i, 0);
            r.setValue(22300, values.at(i));
            data.append(r);
        }
        data.setDataDownTime(42);
        ZtWidgetStockGrid grid(&data);
        grid.setFocusRowIndex(1, false);
        grid.setSortKey(22300, desc);
        grid.doLocalSort();
        QCOMPARE(codesOf(data), codesOf(listOf(values.size())));  // off by default
        grid.setUseLocalSort(true);
        grid.doLocalSort();
        QStringList expected;
        for (int i : order)
            expected << stock(i, 0).getUniqueValue(0);
        QCOMPARE(codesOf(data), expected);
        QCOMPARE(data.getDataDownTime(), qint64(42));
        QCOMPARE(data.indexOf(expected.first()), 0);
        // The focus goes along with its security.
        QCOMPARE(grid.getFocusRowIndex(), expected.indexOf(stock(1, 0).getUniqueValue(0)));
        QCOMPARE(grid.getFocusRow().getUniqueValue(0), stock(1, 0).getUniqueValue(0));
    }

    void headerClickSorts()
    {
        Fixture f(20);
        QSignalSpy sorts(&f.grid, &ZtWidgetStockGrid::onDataSort);
        const QPoint ratioHeader = f.grid.headerRect(3).center();
        mouse(&f.grid, QEvent::MouseButtonPress, Qt::LeftButton, ratioHeader);
        QCOMPARE(sorts.size(), 1);
        QCOMPARE(sorts.at(0).at(1).toBool(), true);
        // Server-side sorting: the rows are left for the source to reorder.
        QCOMPARE(codesOf(f.data), codesOf(listOf(20)));

        mouse(&f.grid, QEvent::MouseButtonPress, Qt::LeftButton, ratioHeader);
        QCOMPARE(sorts.size(), 2);
        QCOMPARE(sorts.at(1).at(1).toBool(), false);
    }

    void navigationKeys_data()
    {
        QTest::addColumn<int>("startFocus");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("focus");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("down") << 0 << QList<int>{Qt::Key_Down} << 1 << 0;
        QTest::newRow("down past the window scrolls by one") << 9 << QList<int>{Qt::Key_Down} << 10 << 1;
        QTest::newRow("up at the top stays") << 0 << QList<int>{Qt::Key_Up} << 0 << 0;
        QTest::newRow("page down twice, then page up")
            << 2 << QList<int>{Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageUp} << 12 << 10;
        QTest::newRow("end") << 3 << QList<int>{Qt::Key_End} << 99 << 90;
        QTest::newRow("end then home") << 3 << QList<int>{Qt::Key_End, Qt::Key_Home} << 0 << 0;
        QTest::newRow("no focus: down takes the first visible row") << -1 << QList<int>{Qt::Key_Down} << 0 << 0;
    }

    void navigationKeys()
    {
        QFETCH(int, startFocus);
        QFETCH(QList<int>, keys);
        QFETCH(int, focus);
        QFETCH(int, firstRow);
        Fixture f(100, 10);
        f.grid.setFocusRowIndex(startFocus, false);
        QSignalSpy scrolled(&f.grid, &ZtWidgetStockGrid::onDataIndexChange);
        for (int k : keys)
            key(&f.grid, k);
        QCOMPARE(f.grid.getFocusRowIndex(), focus);
        QCOMPARE(f.grid.getFocusRow().getUniqueValue(0), f.data.at(focus)->getUniqueValue(0));
        QCOMPARE(f.grid.getRowIndex(), firstRow);
        QCOMPARE(f.vbar.value(), firstRow);
        if (firstRow != 0)
            QCOMPARE(scrolled.last().at(0).toInt(), firstRow);
    }

    void scrollBarFollowsAndReports()
    {
        Fixture f(100, 10);
        QCOMPARE(f.vbar.maximum(), 90);
        QCOMPARE(f.vbar.pageStep(), 10);
        QSignalSpy scrolled(&f.grid, &ZtWidgetStockGrid::onDataIndexChange);
        f.grid.setRowIndex(30);  // program moves are silent
        QCOMPARE(f.vbar.value(), 30);
        QCOMPARE(scrolled.size(), 0);
        f.grid.setRowIndex(5000);
        QCOMPARE(f.grid.getRowIndex(), 90);
        // A shorter list pulls the window back.
        f.data = listOf(15);
        f.grid.setData(&f.data);
        QCOMPARE(f.grid.getRowIndex(), 5);
        QCOMPARE(f.vbar.maximum(), 5);
    }

    void otherKeysAndTheWheelAreLeftToTheOwner()
    {
        Fixture f(100);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        enter.accept();
        f.grid.doKeyPressEvent(&enter);
        QVERIFY(enter.isAccepted());  // untouched
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
        QApplication::sendEvent(&f.grid, &press);
        QVERIFY(!press.isAccepted());
        QWheelEvent e(QPointF(10, 40), QPointF(f.grid.mapToGlobal(QPoint(10, 40))), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        e.accept();
        QApplication::sendEvent(&f.grid, &e);
        QVERIFY(!e.isAccepted());
        QCOMPARE(f.grid.getRowIndex(), 0);
    }

    void pressFocusesBeforeReporting_data()
    {
        QTest::addColumn<bool>("belowRows");
        QTest::newRow("on a row") << false;
        QTest::newRow("below the rows") << true;
    }

    void pressFocusesBeforeReporting()
    {
        QFETCH(bool, belowRows);
        Fixture f(3, 10);
        f.grid.setFocusRowIndex(0, false);
        QString focusAtSignal;
        connect(&f.grid, &ZtWidgetStockGrid::onDataMousePressEvent, this,
                [&] { focusAtSignal = f.grid.getFocusRow().getUniqueValue(0); });
        QSignalSpy presses(&f.grid, &ZtWidgetStockGrid::onDataMousePressEvent);
        const QPoint pos = belowRows ? f.grid.rowRect(8).center() : f.grid.cellRect(2, 1).center();
        mouse(&f.grid, QEvent::MouseButtonPress, Qt::RightButton, pos);
        QCOMPARE(presses.size(), 1);
        if (!belowRows) {
            QCOMPARE(focusAtSignal, QStringLiteral("SH600002"));
            QCOMPARE(presses.at(0).at(1).toString(), QStringLiteral("SH600002"));
            QCOMPARE(presses.at(0).at(2).toUInt(), ZtField::Name);
        } else {
            QCOMPARE(f.grid.getFocusRowIndex(), 0);
            QVERIFY(presses.at(0).at(1).toString().isEmpty());
        }
    }

    void infoMineMarker()
    {
        Fixture f(4, 10);
        f.data.at(1)->setValue(ZtField::InfoMineCount, 3);
        f.data.at(2)->setValue(ZtField::InfoMineCount, 0);
        f.grid.setData(&f.data);
        QVERIFY(f.grid.xxdlRect(1).isEmpty());  // markers off
        f.grid.setShowXXDL(true);
        QVERIFY(!f.grid.xxdlRect(1).isEmpty());
        QVERIFY(f.grid.xxdlRect(2).isEmpty());
        QSignalSpy boxes(&f.grid, &ZtWidgetStockGrid::onShowXXDLBox);
        mouse(&f.grid, QEvent::MouseButtonPress, Qt::LeftButton, f.grid.cellRect(2, 1).topRight() + QPoint(-3, 4));
        QCOMPARE(boxes.size(), 0);
        mouse(&f.grid, QEvent::MouseButtonPress, Qt::LeftButton, f.grid.xxdlRect(1).center());
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.at(0).at(0).toString(), QStringLiteral("SH600001"));
        QCOMPARE(f.grid.getFocusRowIndex(), 1);
    }

    // Resting the mouse on a marker asks for the box once per visit: moves inside the
    // marker, over other rows or with a button held ask for nothing more.
    void hoverOnTheMarkerAsksOncePerVisit()
    {
        Fixture f(4, 10);
        f.data.at(1)->setValue(ZtField::InfoMineCount, 3);
        f.grid.setShowXXDL(true);
        f.grid.setData(&f.data);
        const QRect marker = f.grid.xxdlRect(1);
        QVERIFY(!marker.isEmpty());
        QSignalSpy boxes(&f.grid, &ZtWidgetStockGrid::onShowXXDLBox);
        QTest::mouseMove(&f.grid, f.grid.cellRect(2, 1).center());
        QTest::mouseMove(&f.grid, marker.center());
        QTest::mouseMove(&f.grid, marker.center() + QPoint(1, 1));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.at(0).at(0).toString(), QStringLiteral("SH600001"));
        // Off the marker and back: a new visit.
        QTest::mouseMove(&f.grid, f.grid.cellRect(1, 0).center());
        QTest::mouseMove(&f.grid, marker.center());
        QCOMPARE(boxes.size(), 2);
        // The mouse leaves the grid (for the box that opened over it) and comes back.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&f.grid, &leave);
        QTest::mouseMove(&f.grid, marker.center() + QPoint(0, 1));
        QCOMPARE(boxes.size(), 3);
        // A drag across the marker is a drag.
        QTest::mouseMove(&f.grid, f.grid.cellRect(2, 0).center());
        mouse(&f.grid, QEvent::MouseMove, Qt::NoButton, marker.center(), Qt::LeftButton);
        QCOMPARE(boxes.size(), 3);
        // Markers off: nothing.
        f.grid.setShowXXDL(false);
        QTest::mouseMove(&f.grid, f.grid.cellRect(2, 0).center());
        QTest::mouseMove(&f.grid, marker.center());
        QCOMPARE(boxes.size(), 3);
    }

    void dragReorders_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<unsigned int>("sortKey");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("reports");
        QTest::newRow("row 1 to row 4") << true << 0u << 1 << 4 << 1;
        QTest::newRow("back onto itself") << true << 0u << 2 << 2 << 0;
        QTest::newRow("manual order off") << false << 0u << 3 << 0 << 0;
        QTest::newRow("sorted rows") << true << unsigned(ZtField::ChangeRatio) << 3 << 0 << 0;
    }

    void dragReorders()
    {
        QFETCH(bool, manual);
        QFETCH(unsigned int, sortKey);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, reports);
        Fixture f(6, 10);
        f.grid.setCanManualSequence(manual);
        f.grid.setSortKey(sortKey, true);
        QSignalSpy moves(&f.grid, &ZtWidgetStockGrid::onManualSequenceChange);
        const QPoint start = f.grid.rowRect(from).center();
        const QPoint end = f.grid.rowRect(to).center() + QPoint(0, 2);
        mouse(&f.grid, QEvent::MouseButtonPress, Qt::LeftButton, start);
        mouse(&f.grid, QEvent::MouseMove, Qt::NoButton, start + QPoint(0, (end.y() - start.y()) / 2 + 8),
              Qt::LeftButton);
        mouse(&f.grid, QEvent::MouseMove, Qt::NoButton, end, Qt::LeftButton);
        mouse(&f.grid, QEvent::MouseButtonRelease, Qt::LeftButton, end);
        QCOMPARE(moves.size(), reports);
        if (reports)
            QCOMPARE(moves.at(0), (QList<QVariant>{from, to}));
        QCOMPARE(codesOf(f.data), codesOf(listOf(6)));  // the owner moves the rows
    }

    void focusFollowsItsSecurityThroughNewData()
    {
        Fixture f(10);
        f.grid.setFocusRowIndex(4, false);
        // New data: the focused security moved to row 0 with a new price.
        const DQDUnionReader moved = stock(4, 9);
        f.data.DataRemove(4, 1);
        f.data.InsertUnionReader(0, moved);
        f.grid.setData(&f.data);
        // The row number stays; the reader is the security's fresh row.
        QCOMPARE(f.grid.getFocusRowIndex(), 4);
        QVERIFY(f.grid.getFocusRow() == moved);
        f.grid.setFocusRowIndex(f.grid.getFocusRow(), false);
        QCOMPARE(f.grid.getFocusRowIndex(), 0);
        f.grid.setFocusRowIndex(stock(77, 0), true);
        QCOMPARE(f.grid.getFocusRowIndex(), -1);
        QVERIFY(f.grid.getFocusRow().isEmpty());
    }

    void windowOfALongerList()
    {
        Fixture f(0, 10);
        for (int i = 100; i < 250; ++i)
            f.data.append(stock(i, 0));
        f.data.setDataWindow(100, 5000);
        f.grid.setData(&f.data);
        QCOMPARE(f.grid.getRowCount(), 5000);
        QCOMPARE(f.vbar.maximum(), 4990);
        QCOMPARE(f.grid.rowAt(f.grid.rowRect(0).center()), -1);  // not read yet
        f.grid.setRowIndex(120);
        QCOMPARE(f.grid.rowAt(f.grid.rowRect(125).center()), 125);
        f.grid.setFocusRowIndex(125, false);
        QCOMPARE(f.grid.getFocusRow().getUniqueValue(0), QStringLiteral("SH600125"));
        f.grid.setFocusRowIndex(stock(130, 0), false);
        QCOMPARE(f.grid.getFocusRowIndex(), 130);
        // Holding Down stops at the last row that has arrived.
        f.grid.setFocusRowIndex(249, false);
        key(&f.grid, Qt::Key_Down);
        QCOMPARE(f.grid.getFocusRowIndex(), 249);
        QCOMPARE(f.grid.getRowIndex(), 241);
    }

    void frozenColumnsStayWhenScrollingSideways()
    {
        Fixture f(5);
        QScrollBar hbar(Qt::Horizontal);
        f.grid.setHScrollBar(&hbar);
        f.grid.resize(230, f.grid.height());
        QCoreApplication::processEvents();
        // 80 + 100 fixed (up to the name), 160 of prices in 50 pixels of room.
        QCOMPARE(hbar.maximum(), 2);
        hbar.setValue(1);
        QCOMPARE(f.grid.headerRect(0).x(), 0);
        QCOMPARE(f.grid.headerRect(1).x(), 80);
        QVERIFY(f.grid.headerRect(2).isEmpty());
        QCOMPARE(f.grid.headerRect(3).x(), 180);
        key(&f.grid, Qt::Key_Right);
        QCOMPARE(hbar.value(), 2);
    }

    void resizeReportsVisibleRows()
    {
        Fixture f(50, 10);
        QSignalSpy resized(&f.grid, &ZtWidgetStockGrid::onDataResize);
        f.grid.resize(400, f.grid.titleHeight() + f.grid.rowHeight() * 20);
        QCOMPARE(resized.size(), 1);
        QCOMPARE(resized.at(0).at(1).toInt(), 20);
        QCOMPARE(f.grid.getDrawRowCount(), 20);
        f.grid.setTopBottomPadding(10);
        QVERIFY(f.grid.getDrawRowCount() < 20);
    }

    void barCellText()
    {
        const QString format = QStringLiteral(
            "!![box:%1:sys:Pen_BuyVolColor,%2:sys:Pen_SellVolColor[max:%3][vpis:r][fmt:[ss:[@%4;d2[ls:%竞]]]/fmt]/box]")
            .arg(32060).arg(32070).arg(1500000.0).arg(32060);
        const ZtGridBarCell cell = ZtGridBarCell::parse(format);
        DQDReader row;
        row.setValue(32060, 750000);
        row.setValue(32070, 375000);
        QCOMPARE(cell.text(row), QStringLiteral("750000.00%竞"));
        QCOMPARE(cell.segmentWidths(row, 100), (QVector<int>{50, 25}));
        row.setValue(32060, 3000000);  // above the maximum: the bar fills the cell
        QCOMPARE(cell.segmentWidths(row, 100), (QVector<int>{100, 0}));
    }

    void barCellBadInput_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("empty") << QString();
        QTest::newRow("bare marker") << QStringLiteral("!!");
        QTest::newRow("unclosed box") << QStringLiteral("!![box:1:sys:up,x:y,,[max:abc][fmt:[@1;d2");
        QTest::newRow("negative max") << QStringLiteral("!![box:1:up[max:-5]/box]");
        QTest::newRow("self reference") << QStringLiteral("!![fmt:[@1;[@1;d2]]/fmt]");
        QTest::newRow("brackets only") << QStringLiteral("!![[[[]]]][box:[/box]");
    }

    void barCellBadInput()
    {
        QFETCH(QString, format);
        const ZtGridBarCell cell = ZtGridBarCell::parse(format);
        DQDReader row;
        row.setValue(1, -7);
        for (int w : {0, 1, 100})
            for (int v : cell.segmentWidths(row, w))
                QVERIFY(v >= 0 && v <= w);
        cell.text(row);
        QImage image(60, 20, QImage::Format_RGB32);
        QPainter p(&image);
        cell.paint(&p, image.rect(), row, Qt::white);
    }

    void paintsRiseFallWatchlistCodesAndMarks()
    {
        Fixture f(7, 10);
        QFont big = f.grid.font();
        big.setPixelSize(20);
        big.setBold(true);
        f.grid.setFont(big);
        f.grid.resize(400, f.grid.titleHeight() + f.grid.rowHeight() * 8);
        PubCacheCustom::mStockCodeList = {QStringLiteral("SH600001")};
        PubCacheCustom::mStockSign.insert(QStringLiteral("SH600001"), QStringLiteral("3"));
        QImage image(f.grid.size(), QImage::Format_RGB32);
        f.grid.render(&image);
        // Anti-aliased glyphs blend into the black background: test the hue, not the exact colour.
        auto count = [&](int row, int column, auto test) {
            const QRect r = f.grid.cellRect(row, column);
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    n += test(QColor(image.pixel(x, y))) ? 1 : 0;
            return n;
        };
        const auto rise = [](const QColor& c) { return c.red() > 180 && c.green() < 120 && c.blue() < 120; };
        const auto fall = [](const QColor& c) { return c.green() > 160 && c.red() < 100 && c.blue() < 100; };
        const auto zxg = [](const QColor& c) { return c.red() > 120 && c.blue() > 120 && c.green() < c.red() * 0.6; };
        const auto sign = [](const QColor& c) {
            return c.red() > 120 && c.blue() < 40 && c.green() > c.red() * 0.45 && c.green() < c.red() * 0.85;
        };
        // Row 6 (6 % 7 - 3 = 3) rises, row 0 (-3) falls.
        QVERIFY(count(6, 3, rise) > 10);
        QCOMPARE(count(6, 3, fall), 0);
        QVERIFY(count(0, 3, fall) > 10);
        QCOMPARE(count(0, 3, rise), 0);
        QVERIFY(count(1, 0, zxg) > 3);
        QVERIFY(count(0, 0, zxg) <= 3);
        QVERIFY(count(1, 1, sign) > 3);
        QVERIFY(count(0, 1, sign) <= 3);

        f.grid.removeZxgStockColor();
        f.grid.render(&image);
        QVERIFY(count(1, 0, zxg) <= 3);
    }

    // Prices show the security's decimals; a value too wide for its cell shows the
    // first true form that fits. Given longer forms, the cell is as wide as the
    // expected text, so the longer forms must not fit.
    void cellText_data()
    {
        QTest::addColumn<unsigned int>("key");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("decimals");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QStringList>("wider");
        QTest::addColumn<QString>("expected");
        const unsigned int last = ZtField::Last, bid = ZtField::BuyPrice1;
        const QVariant none, level(10262.70);
        QTest::newRow("B share price") << last << "d2" << QVariant(3) << QVariant(0.523) << QStringList() << "0.523";
        QTest::newRow("B share change keeps its sign")
            << unsigned(ZtField::Change) << "fd2" << QVariant(3) << QVariant(0.004) << QStringList() << "+0.004";
        QTest::newRow("B share bid in a conditional format")
            << bid << "{if#=0;[ss:-]}d2" << QVariant(3) << QVariant(0.521) << QStringList() << "0.521";
        QTest::newRow("B share bid of zero stays a dash")
            << bid << "{if#=0;[ss:-]}d2" << QVariant(3) << QVariant(0.0) << QStringList() << "-";
        QTest::newRow("ratio is no price")
            << unsigned(ZtField::ChangeRatio) << "d2[ls:%]" << QVariant(3) << QVariant(1.234) << QStringList() << "1.23%";
        QTest::newRow("two-decimal stock") << last << "d3" << QVariant(2) << QVariant(10.5) << QStringList() << "10.50";
        QTest::newRow("no decimals known") << last << "d2" << none << QVariant(0.523) << QStringList() << "0.52";
        QTest::newRow("fits as it is") << last << "d2" << none << level << QStringList() << "10262.70";
        QTest::newRow("one decimal fewer") << last << "d2" << none << level << QStringList{"10262.70"} << "10262.7";
        QTest::newRow("no decimals") << last << "d2" << none << level << QStringList{"10262.70", "10262.7"} << "10263";
        QTest::newRow("ten-thousands")
            << last << "d2" << none << level << QStringList{"10262.70", "10262.7", "10263", "1.03万"} << "1.0万";
        QTest::newRow("keeps sign and suffix") << unsigned(ZtField::ChangeRatio) << "{if#>0;fd2[ls:%]}d2[ls:%]" << none
                                               << QVariant(12.345) << QStringList{"+12.35%"} << "+12.3%";
        QTest::newRow("hundred-millions shorter") << unsigned(ZtField::Turnover) << "d2wc" << none
                                                  << QVariant(412345678901.0) << QStringList{"4123.46亿"} << "4123.5亿";
        QTest::newRow("divisor kept") << unsigned(ZtField::Volume) << "100d2" << none << QVariant(123456789)
                                      << QStringList{"1234567.89", "1234567.9"} << "1234568";
        QTest::newRow("divisor kept, ten-thousands")
            << unsigned(ZtField::Volume) << "100d2" << none << QVariant(123456789)
            << QStringList{"1234567.89", "1234567.9", "1234568", "123.46万", "123.5万"} << "123万";
        QTest::newRow("text cut visibly") << unsigned(ZtField::Name) << "!p" << none
                                          << QVariant(QStringLiteral("深证成份指数")) << QStringList{"深证成份指数"}
                                          << "深证成…";
    }

    void cellText()
    {
        QFETCH(unsigned int, key);
        QFETCH(QString, format);
        QFETCH(QVariant, decimals);
        QFETCH(QVariant, value);
        QFETCH(QStringList, wider);
        QFETCH(QString, expected);
        DQDDataList data;
        DQDUnionReader row = stock(0, 0);
        if (decimals.isValid()) {
            row.setValue(ZtField::Type, int(ZtE_ZQLX_BShare));
            row.setValue(ZtField::Decimals, decimals);
        }
        row.setValue(key, value);
        data.append(row);
        ZtWidgetStockGrid grid(&data);
        Columns cols;
        cols.fields.clear();
        const QFontMetricsF fm(grid.font());
        const int textWidth = qCeil(fm.horizontalAdvance(expected));
        for (const QString& longer : wider)
            QVERIFY2(fm.horizontalAdvance(longer) > textWidth + 1, qPrintable(longer));
        // The grid keeps 4 pixels either side of a cell's text.
        cols.add(QStringLiteral("值"), key, QString(), format, wider.isEmpty() ? 120 : textWidth + 1 + 8);
        cols.applyTo(grid);
        grid.setData(&data);
        grid.resize(300, 100);
        QCOMPARE(grid.cellText(0, 0), expected);
    }

    void badInputNeverCrashes()
    {
        ZtWidgetStockGrid grid(nullptr);
        Columns cols;
        cols.fields[1]->setWidth(-20);
        cols.applyTo(grid);
        grid.resize(0, 0);
        grid.setData(nullptr);
        grid.doLocalSort();
        grid.setFocusRowIndex(3, true);
        grid.setFocusRowIndex(DQDUnionReader(), true);
        grid.setRowIndex(-5);
        grid.doKeyPressEvent(nullptr);
        key(&grid, Qt::Key_End);
        key(&grid, Qt::Key_PageDown);
        QImage image(10, 10, QImage::Format_RGB32);
        grid.render(&image);
        grid.resize(300, 300);
        grid.render(&image);
        mouse(&grid, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 100));
        QCOMPARE(grid.getFocusRowIndex(), -1);
        QCOMPARE(grid.getRowCount(), 0);
    }
};

QTEST_MAIN(tst_ZtWidgetStockGrid)
#include "tst_ztwidgetstockgrid.moc"
