#include "grids/zttableview.h"

#include "grids/nofocusdelegate.h"
#include "grids/ztviewfield.h"

#include <QLoggingCategory>
#include <QHeaderView>
#include <QScrollBar>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcZtTable, "zt.grids", QtInfoMsg)

const int kSampleRows = 20;

const QString kScrollBarStyle = QStringLiteral(
    "QScrollBar{background:transparent; %1} "
    "QScrollBar::handle{background:lightgray; border:2px solid transparent; border-radius:5px;} "
    "QScrollBar::handle:hover{background:gray;} "
    "QScrollBar::sub-line{background:transparent;} "
    "QScrollBar::add-line{background:transparent;}");

}

ZtTableView::ZtTableView(QList<ZtViewField*> fields, QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mTable = new QTableWidget(this);
    layout->addWidget(mTable);

    QHeaderView* header = mTable->horizontalHeader();
    mTable->setColumnCount(fields.size());
    header->setMinimumSectionSize(100);
    // An item can belong to one table once only: a repeated or foreign item
    // would be deleted twice, so such a column gets a copy instead.
    QSet<ZtViewField*> taken;
    for (int i = 0; i < fields.size(); ++i) {
        ZtViewField* field = fields.at(i);
        if (field && (taken.contains(field) || field->tableWidget()))
            field = static_cast<ZtViewField*>(field->clone());
        taken.insert(field);
        mTable->setHorizontalHeaderItem(i, field);
        header->setSectionResizeMode(i, QHeaderView::Stretch);
    }
    header->setStretchLastSection(true);

    QHeaderView* rows = mTable->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::ResizeToContents);
    rows->setDefaultSectionSize(24);

    mTable->setFrameShape(QFrame::NoFrame);
    mTable->setShowGrid(false);
    mTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    mTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    header->setHighlightSections(false);
    header->setFixedHeight(30);

    mTable->setStyleSheet(QStringLiteral("selection-background-color:lightblue;"));
    header->setStyleSheet(QStringLiteral("QHeaderView::section{background:skyblue;border:1px solid #999;}"));
    mTable->horizontalScrollBar()->setStyleSheet(kScrollBarStyle.arg(QStringLiteral("height:10px;")));
    mTable->verticalScrollBar()->setStyleSheet(kScrollBarStyle.arg(QStringLiteral("width: 10px;")));

    mTable->setItemDelegate(new NoFocusDelegate(mTable));
    mTable->sortByColumn(0, Qt::AscendingOrder);

    connect(mTable, &QTableWidget::itemDoubleClicked, this, &ZtTableView::doItemDoubleClicked);
}

void ZtTableView::setData()
{
    mTable->clearContents();
    mTable->setRowCount(kSampleRows);
    const int columns = mTable->columnCount();
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < kSampleRows; ++r) {
            const QString text = QStringLiteral("列%1_行%2").arg(c + 1).arg(r + 1);
            mTable->setItem(r, c, new ZtViewField(text, r + c));
        }
    }
}

void ZtTableView::doItemDoubleClicked(QTableWidgetItem* item)
{
    qCDebug(lcZtTable) << "ZtTableView: double-clicked item" << static_cast<const void*>(item);
}
