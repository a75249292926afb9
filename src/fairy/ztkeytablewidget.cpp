#include "fairy/ztkeytablewidget.h"

#include "fairy/ztkeyitemdelegate.h"

#include <QCursor>
#include <QFocusEvent>
#include <QHeaderView>

ZtKeyTableWidget::ZtKeyTableWidget(QWidget* parent) : QTableWidget(parent)
{
    setColumnCount(3);
    resize(240, 300);
    setWindowFlags(Qt::ToolTip);
    hide();
    setShowGrid(false);
    // One line per entry, elided when too long; wrapping made every cell's paint
    // break its text into lines.
    setWordWrap(false);
    setItemDelegate(new ZtKeyItemDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setFocusPolicy(Qt::NoFocus);
    horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    setColumnWidth(0, 60);
    setColumnWidth(2, 80);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ZtKeyTableWidget::clearContents()
{
    QTableWidget::clearContents();
    setRowCount(0);
}

void ZtKeyTableWidget::doFocusOutEvent()
{
    if (rect().contains(mapFromGlobal(QCursor::pos())))
        return;
    clearContents();
    emit onKeyBoardFocusOut();
}

void ZtKeyTableWidget::focusOutEvent(QFocusEvent* event)
{
    emit onKeyBoardFocusOut();
    QTableWidget::focusOutEvent(event);
}
