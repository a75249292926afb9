#include "grids/ztstocklistview.h"

#include <pubcache/pubcache.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>

#include <utility>

namespace {

// The type column's text.
QString typeText(const DQDUnionReader& row)
{
    const QString market = row.getValue(ZtField::Market).toString().toUpper();
    switch (row.getValue(ZtField::Type).toInt()) {
    case 10:
        return QStringLiteral("A股");
    case 15:
        return QStringLiteral("B股");
    case 5:
        if (market == QLatin1String("SH") || market == QLatin1String("SZ"))
            return QStringLiteral("指数");
        return market;
    default:
        return market;
    }
}

}

ZtStockListView::ZtStockListView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mTable = new QTableWidget(this);
    layout->addWidget(mTable);
    setFocusPolicy(Qt::NoFocus);
    mTable->setFocusPolicy(Qt::NoFocus);
    mTable->setColumnCount(3);
    mTable->setColumnWidth(0, 75);
    mTable->setColumnWidth(2, 50);
    mTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    mTable->setShowGrid(false);
    mTable->horizontalHeader()->hide();
    mTable->verticalHeader()->hide();
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(mTable, &QTableWidget::cellDoubleClicked, this, &ZtStockListView::doItemDoubleClicked);

    const DQDDataList& all = PubCache::mDataQueryAll;
    mTable->setRowCount(all.count());
    int row = 0;
    for (int i = 0; i < all.count(); ++i) {
        const DQDUnionReader* entry = all.at(i);
        if (entry->getValue(ZtField::Type).toInt() == 5
            && entry->getValue(ZtField::Market).toString().toUpper() == QLatin1String("BK"))
            continue;
        const QString type = typeText(*entry);
        mTable->setItem(row, 0, new QTableWidgetItem(entry->getUniqueValue(0)));
        mTable->setItem(row, 1, new QTableWidgetItem(entry->getValue(ZtField::Name).toString()));
        auto* typeItem = new QTableWidgetItem(type);
        typeItem->setTextAlignment(0x86);
        mTable->setItem(row, 2, typeItem);
        ++row;
    }
    mTable->setRowCount(row);
}

void ZtStockListView::doItemDoubleClicked(int row)
{
    const QTableWidgetItem* item = mTable->item(row, 0);
    emit onResetStock(item ? item->text() : QString());
    hide();
}
