#include <fairy/ztkeyitemdelegate.h>
#include <fairy/ztkeytablewidget.h>

#include <QProxyStyle>
#include <QStyledItemDelegate>
#include <QtTest>

namespace {

// Counts the cells the style paints.
class CountingStyle : public QProxyStyle
{
public:
    int cells = 0;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_ItemViewItem)
            ++const_cast<CountingStyle*>(this)->cells;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}

class tst_ZtKeyItemDelegate : public QObject
{
    Q_OBJECT

private slots:
    // The kept texts paint the same pixels as the style: selected and not, each
    // alignment, Chinese text, and text too wide for its column (elided).
    void samePixelsAsTheStyle_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("styledCells");  // at most; the current cell may carry the focus
        QTest::newRow("stock rows") << QStringList{"600000", QStringLiteral("浦发银行"), QStringLiteral("A股"),
                                                   "000001", QStringLiteral("平安银行"), QStringLiteral("A股")}
                                    << 0 << 1;
        QTest::newRow("second row selected")
            << QStringList{"06", QStringLiteral("自选股"), QStringLiteral("功能"), "BK0001", QStringLiteral("银行"),
                           QStringLiteral("板块")}
            << 1 << 1;
        QTest::newRow("too wide and empty")
            << QStringList{"12345678901234567890123",
                           QStringLiteral("沪深三百指数期货主力合约连续沪深三百指数期货主力合约连续"),
                           QString(),
                           QString(),
                           "X", QStringLiteral("其他类型很长的说明其他类型很长的说明")}
            << -1 << 0;
    }

    void samePixelsAsTheStyle()
    {
        QFETCH(QStringList, cells);
        QFETCH(int, selected);
        QFETCH(int, styledCells);
        ZtKeyTableWidget table;
        CountingStyle style;
        table.setStyle(&style);
        // Room for the texts that fit whatever the font's widths.
        table.resize(400, 300);
        table.setColumnWidth(0, 100);
        table.setColumnWidth(2, 100);
        table.setRowCount(cells.size() / 3);
        for (int i = 0; i < cells.size(); ++i) {
            auto* item = new QTableWidgetItem(cells.at(i));
            if (i % 3 == 2)
                item->setTextAlignment(0x86);
            table.setItem(i / 3, i % 3, item);
        }
        if (selected >= 0)
            table.selectRow(selected);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(qobject_cast<ZtKeyItemDelegate*>(table.itemDelegate()));
        style.cells = 0;
        const QImage kept = table.viewport()->grab().toImage();
        QVERIFY2(style.cells <= styledCells, qPrintable(QString::number(style.cells)));
        table.setItemDelegate(new QStyledItemDelegate(&table));
        const QImage styled = table.viewport()->grab().toImage();
        QCOMPARE(kept, styled);
    }
};

QTEST_MAIN(tst_ZtKeyItemDelegate)
#include "tst_ztkeyitemdelegate.moc"
