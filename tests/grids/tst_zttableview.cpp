#include <grids/nofocusdelegate.h>
#include <grids/zttableview.h>
#include <grids/ztviewfield.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QTableWidget>
#include <QtTest>

namespace {

QList<ZtViewField*> makeFields(int count)
{
    QList<ZtViewField*> fields;
    for (int i = 0; i < count; ++i)
        fields.append(new ZtViewField(QStringLiteral("字段%1").arg(i + 1)));
    return fields;
}

}

class tst_ZtTableView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Fusion draws a visible focus frame, so the delegate test means something.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    void columnsAndSampleRows_data()
    {
        QTest::addColumn<int>("columns");
        QTest::newRow("none") << 0;
        QTest::newRow("five") << 5;
    }

    void columnsAndSampleRows()
    {
        QFETCH(int, columns);
        const QList<ZtViewField*> fields = makeFields(columns);
        ZtTableView view(fields);
        QTableWidget* table = view.tableWidget();
        QCOMPARE(table->columnCount(), columns);
        for (int i = 0; i < columns; ++i)
            QCOMPARE(table->horizontalHeaderItem(i), fields.at(i));  // handed over, not copied

        view.setData();
        view.setData();  // refilling replaces, it does not add
        QCOMPARE(table->rowCount(), 20);
        QCOMPARE(table->columnCount(), columns);
        if (columns)
            QCOMPARE(table->item(19, columns - 1)->text(), QStringLiteral("列%1_行20").arg(columns));
    }

    void badHeaderItems()
    {
        // A repeated item, a null item and an item another table owns must not
        // end in a double delete.
        QTableWidget other(0, 1);
        auto* foreign = new ZtViewField(QStringLiteral("别处"));
        other.setHorizontalHeaderItem(0, foreign);
        auto* shared = new ZtViewField(QStringLiteral("重复"));
        shared->setData(42);  // the copy keeps the value, and the text stays
        {
            ZtTableView view({shared, shared, nullptr, foreign});
            QTableWidget* table = view.tableWidget();
            QCOMPARE(table->columnCount(), 4);
            QCOMPARE(table->horizontalHeaderItem(0), shared);
            auto* copy = dynamic_cast<ZtViewField*>(table->horizontalHeaderItem(1));
            QVERIFY(copy && copy != shared);
            QCOMPARE(copy->text(), QStringLiteral("重复"));
            QCOMPARE(copy->data(), QVariant(42));
            QVERIFY(!table->horizontalHeaderItem(2));
            QVERIFY(table->horizontalHeaderItem(3) != foreign);
            QCOMPARE(table->horizontalHeaderItem(3)->text(), QStringLiteral("别处"));
            view.setData();
            QCOMPARE(table->item(19, 3)->text(), QStringLiteral("列4_行20"));
        }
        QCOMPARE(other.horizontalHeaderItem(0), foreign);
    }

    void focusedCellPaintsLikeUnfocused()
    {
        ZtTableView view(makeFields(2));
        view.setData();
        view.resize(400, 300);
        QTableWidget* table = view.tableWidget();
        const QModelIndex index = table->model()->index(0, 0);

        const auto render = [&](const QAbstractItemDelegate& delegate, bool focused) {
            QStyleOptionViewItem option;
            option.initFrom(table->viewport());
            option.rect = QRect(0, 0, 120, 24);
            option.widget = table;
            option.state |= QStyle::State_Enabled | QStyle::State_Active;
            if (focused)
                option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
            QImage image(120, 24, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            delegate.paint(&painter, option, index);
            return image;
        };
        QStyledItemDelegate plain;
        QVERIFY2(render(plain, true) != render(plain, false), "the style draws no focus frame; test is void");
        NoFocusDelegate noFocus;
        QCOMPARE(render(noFocus, true), render(noFocus, false));
    }
};

QTEST_MAIN(tst_ZtTableView)
#include "tst_zttableview.moc"
