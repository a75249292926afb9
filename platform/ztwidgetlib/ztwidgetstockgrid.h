#pragma once

#include "ztgridbarcell.h"
#include "ztgridtextpainter.h"

#include <pubcache/gridfield.h>
#include <ztlib/dqdquery.h>

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <QVariant>
#include <QVector>
#include <QWidget>

class QKeyEvent;
class QMouseEvent;

// The painted stock grid: a header row and the rows of a query in columns, each
// cell drawn with its column's value format and colour rule. Only the rows of the
// visible window are touched when painting, whatever the length of the list.
//
// Row numbers are positions in the whole list. A query that holds one window of
// a longer list says where its rows sit (DQDQuery::getDataStartIndex and
// getDataTotalCount); rows outside that window paint empty until they arrive.
class ZtWidgetStockGrid : public QWidget
{
    Q_OBJECT

public:
    explicit ZtWidgetStockGrid(DQDQuery* query, QWidget* parent = nullptr);
    ~ZtWidgetStockGrid() override;

    // The grid sets their range and follows their moves; the owner places them.
    void setVScrollBar(QScrollBar* bar);
    void setHScrollBar(QScrollBar* bar);
    QScrollBar* getVScrollBar() const;
    QScrollBar* getHScrollBar() const;

    // Columns are collected by appendColumn and take effect at resetColumn.
    // The descriptors stay owned by the caller.
    void clearColumn();
    void appendColumn(GridField* field);
    void resetColumn();
    QList<GridField*> getFields() const;
    GridField* getColumn(unsigned int key) const;
    GridField* getColumnByIndex(int index) const;

    void setData(DQDSelection* data);
    DQDSelection* getData() const;
    void dataUpdate();

    // Values of one field kept beside the rows, by combined code (painted and
    // sorted as if the rows held them): an owner adds a field of its own without
    // writing into, and so copying, a list it shares with its reader. Codes
    // without a value fall back to the row. Key 0 drops them.
    void setSideValues(unsigned int key, const QHash<QString, QString>& values);
    // The value a cell of this field shows for the row.
    QVariant valueOf(const DQDUnionReader& row, unsigned int key) const;

    // Stable sort of the query's rows by the sort key (when local sorting is on);
    // the focus stays on its security.
    void doLocalSort();
    void setSortKey(unsigned int key, bool desc);
    unsigned int getSortValueKey() const;
    bool getSortDesc() const;
    void setUseLocalSort(bool on);
    bool getUseLocalSort() const;
    void setCanSort(bool on);
    bool getCanSort() const;

    // The focus row, kept current when new data hold its security.
    DQDUnionReader getFocusRow() const;
    int getFocusRowIndex() const;
    // notify: report the change with onFocusRowChange.
    void setFocusRowIndex(int index, bool notify);
    void setFocusRowIndex(const DQDUnionReader& row, bool notify);
    void clearFocusRow(bool notify);

    int getRowIndex() const;
    void setRowIndex(int index);
    // Rows that fit completely.
    int getDrawRowCount() const;
    // Rows of the whole list.
    int getRowCount() const;

    void setShowXXDL(bool on);
    void setCanManualSequence(bool on);
    bool getCanManualSequence() const;
    // The first `columns` columns stay in place when the grid scrolls sideways;
    // by default the columns up to the name stay.
    void setStartIndex(int columns);
    void setTitleEnable(bool on);
    // Paint the partly visible row at the bottom.
    void setDrawLastRow(bool on);
    // On: mouse signals only for presses on a row. Off: for any press below the header.
    void setRowEmitMode(bool on);
    // Watchlist codes are painted like other codes (for grids of the watchlist itself).
    void removeZxgStockColor();
    void setTopBottomPadding(int padding);
    void setTitleTopBottomPadding(int padding);

    // Navigation keys: Up, Down, PageUp, PageDown, Home, End, and Left/Right for
    // the columns. Other keys are left alone (the event stays ignored).
    void doKeyPressEvent(QKeyEvent* event);

    // Geometry, in widget coordinates.
    int rowHeight() const { return mRowHeight; }
    int titleHeight() const { return mTitleEnable ? mTitleHeight : 0; }
    QRect rowRect(int rowIndex) const;
    QRect headerRect(int columnIndex) const;
    QRect cellRect(int rowIndex, int columnIndex) const;
    // The information-mine marker of a row, empty when it shows none.
    QRect xxdlRect(int rowIndex) const;
    int rowAt(const QPoint& pos) const;
    // The text a visible cell shows, as fitted to its width; empty for bar cells.
    QString cellText(int rowIndex, int columnIndex) const;
    int columnAt(const QPoint& pos) const;

    QSize sizeHint() const override;

signals:
    void onDataSort(unsigned int key, bool desc);
    void onDataResize(int rowIndex, int rowCount);
    void onDataIndexChange(int newRowIndex);
    // The string is the row's combined code, the number the field key of the column.
    void onDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void onDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);
    void onShowXXDLBox(QString stockCode);
    void onManualSequenceChange(int oldIndex, int newIndex);
    void onFocusRowChange(int rowIndex);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Slot
    {
        int column;
        int x;
        int width;
    };

    struct Palette;

    const DQDUnionReader* rowData(int rowIndex) const;
    int dataFirst() const;
    int dataEnd() const;
    int paintRowCount() const;
    int maxRowIndex() const;
    int frozenCount() const;
    int maxColumnOffset() const;
    int decorColumn() const;

    void updateMetrics();
    void updateLayout();
    void ensureLayout() const;
    void syncScrollBars();
    void refreshFocusRow();
    void sortRows();
    void applyFocus(int rowIndex, bool notify);
    // User scrolling: moves the window and reports it.
    void scrollTo(int rowIndex);
    void ensureVisible(int rowIndex);
    void moveFocusBy(int delta);
    void movePage(int direction);
    void headerClicked(int columnIndex);
    int dropTarget(const QPoint& pos) const;

    void paintHeader(QPainter& p, const Palette& pal);
    void paintRow(QPainter& p, const Palette& pal, int rowIndex, int y);
    const ZtGridBarCell& barCell(const QString& format);
    // The stock mark ①..⑨ of a row, empty when it has none.
    QString signText(const DQDUnionReader& row) const;
    // Where a cell's text goes: inside the margins, left of the marker and mark.
    QRect textArea(const DQDUnionReader& row, int column, const QRect& cell) const;

    void vScrolled(int value);
    void hScrolled(int value);

    DQDQuery* mData = nullptr;
    QPointer<QScrollBar> mVBar;
    QPointer<QScrollBar> mHBar;
    bool mSyncingBars = false;

    QList<GridField*> mPending;
    QList<GridField*> mColumns;
    mutable QVector<Slot> mSlots;
    mutable int mLayoutWidth = -1;
    int mColumnOffset = 0;
    int mStartIndex = -1;

    unsigned int mSortKey = 0;
    bool mSortDesc = true;
    bool mUseLocalSort = false;
    bool mCanSort = true;

    int mFocusIndex = -1;
    DQDUnionReader mFocusRow;
    QString mFocusCode;

    int mRowIndex = 0;
    int mRowHeight = 20;
    int mTitleHeight = 24;
    int mRowPadding = 2;
    int mTitlePadding = 4;
    bool mTitleEnable = true;
    bool mDrawLastRow = true;
    bool mRowEmitMode = false;
    bool mShowXXDL = false;
    // The stock whose marker the mouse rests on; its box is asked for once per visit.
    QString mHoverMarker;
    bool mZxgColour = true;
    bool mCanManualSequence = false;

    int mDragFrom = -1;
    QPoint mDragStart;
    bool mDragging = false;
    int mDragTarget = -1;

    unsigned int mSideKey = 0;
    QHash<QString, QString> mSideValues;

    QSize mLastSize;
    QHash<QString, ZtGridBarCell> mBarCells;
    // Measuring caches what it lays out, also for the const queries.
    mutable ZtGridTextPainter mText;
};
