#include "ztwidgetstockgrid.h"

#include "ztgridcell.h"

#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <utility>
#include <cmath>
#include <vector>

namespace {

constexpr int kCellMargin = 4;
constexpr int kMarkerSize = 7;
constexpr int kBarCacheLimit = 256;

bool isCodeKey(unsigned int key)
{
    return key == ZtField::Code || key == ZtField::UniqueCode;
}

// Sort key of one row: numbers, then texts; a missing value ("-") always goes last.
struct SortItem
{
    int kind;  // 0 number, 1 text, 2 missing
    double number;
    QString text;
    int row;
};

SortItem sortItemOf(const QVariant& v, int row)
{
    switch (v.userType()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong: {
        const double d = v.toDouble();
        if (std::isnan(d))
            return {2, 0, QString(), row};
        return {0, d, QString(), row};
    }
    default:
        break;
    }
    if (!v.isValid())
        return {2, 0, QString(), row};
    const QString s = v.toString();
    if (s.isEmpty() || s == QLatin1String("-"))
        return {2, 0, QString(), row};
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (ok && !std::isnan(d))
        return {0, d, QString(), row};
    return {1, 0, s, row};
}

}

struct ZtWidgetStockGrid::Palette
{
    QColor background;
    QColor alternate;
    QColor line;
    QColor header;
    QColor headerText;
    QColor focus;
    QColor focusLine;
    QColor sortMark;
    QColor xxdl;
    QColor zxgCode;
    QColor sign;
    QColor text;

    static Palette current()
    {
        using ZtGridCell::named;
        Palette p;
        p.background = named(QStringLiteral("Background"), QColor(0, 0, 0));
        p.alternate = named(QStringLiteral("GridRowAlt"), p.background.lighter(115));
        p.line = named(QStringLiteral("GridLine"), QColor(0x2b, 0x2b, 0x2b));
        p.header = named(QStringLiteral("GridHeader"), p.background);
        p.headerText = named(QStringLiteral("GridHeaderText"), QColor(0xb4, 0xb4, 0xb4));
        p.focus = named(QStringLiteral("GridFocus"), QColor(0x1e, 0x3a, 0x6e));
        p.focusLine = named(QStringLiteral("GridFocusLine"), QColor(0x3c, 0x78, 0xd8));
        p.sortMark = named(QStringLiteral("SortMark"), QColor(0xff, 0xa5, 0x00));
        p.xxdl = named(QStringLiteral("XXDL"), QColor(0xff, 0x99, 0x00));
        p.zxgCode = named(QStringLiteral("ZxgCode"), QColor(0xff, 0x66, 0xff));
        p.sign = named(QStringLiteral("Sign"), QColor(0xff, 0xa5, 0x00));
        p.text = named(QStringLiteral("Default"), QColor(0xe6, 0xe6, 0xe6));
        return p;
    }
};

ZtWidgetStockGrid::ZtWidgetStockGrid(DQDQuery* query, QWidget* parent) : QWidget(parent), mData(query)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    updateMetrics();
}

ZtWidgetStockGrid::~ZtWidgetStockGrid() = default;

void ZtWidgetStockGrid::setVScrollBar(QScrollBar* bar)
{
    if (mVBar)
        disconnect(mVBar, nullptr, this, nullptr);
    mVBar = bar;
    if (mVBar) {
        mVBar->setSingleStep(1);
        connect(mVBar, &QScrollBar::valueChanged, this, &ZtWidgetStockGrid::vScrolled);
    }
    syncScrollBars();
}

void ZtWidgetStockGrid::setHScrollBar(QScrollBar* bar)
{
    if (mHBar)
        disconnect(mHBar, nullptr, this, nullptr);
    mHBar = bar;
    if (mHBar) {
        mHBar->setSingleStep(1);
        connect(mHBar, &QScrollBar::valueChanged, this, &ZtWidgetStockGrid::hScrolled);
    }
    syncScrollBars();
}

QScrollBar* ZtWidgetStockGrid::getVScrollBar() const
{
    return mVBar.data();
}

QScrollBar* ZtWidgetStockGrid::getHScrollBar() const
{
    return mHBar.data();
}

void ZtWidgetStockGrid::clearColumn()
{
    mPending.clear();
}

void ZtWidgetStockGrid::appendColumn(GridField* field)
{
    if (field)
        mPending.append(field);
}

void ZtWidgetStockGrid::resetColumn()
{
    mColumns = mPending;
    mColumnOffset = std::min(mColumnOffset, maxColumnOffset());
    updateLayout();
    syncScrollBars();
    update();
}

QList<GridField*> ZtWidgetStockGrid::getFields() const
{
    return mColumns;
}

GridField* ZtWidgetStockGrid::getColumn(unsigned int key) const
{
    for (GridField* f : mColumns) {
        if (f->getFieldId() == key)
            return f;
    }
    return nullptr;
}

GridField* ZtWidgetStockGrid::getColumnByIndex(int index) const
{
    return index >= 0 && index < mColumns.size() ? mColumns.at(index) : nullptr;
}

void ZtWidgetStockGrid::setData(DQDSelection* data)
{
    mData = data;
    refreshFocusRow();
    if (mDragFrom >= 0 && !rowData(mDragFrom)) {
        mDragFrom = -1;
        mDragging = false;
    }
    mRowIndex = std::clamp(mRowIndex, 0, maxRowIndex());
    syncScrollBars();
}

DQDSelection* ZtWidgetStockGrid::getData() const
{
    return mData;
}

void ZtWidgetStockGrid::setSideValues(unsigned int key, const QHash<QString, QString>& values)
{
    mSideKey = key;
    mSideValues = key != 0 ? values : QHash<QString, QString>();
    update();
}

QVariant ZtWidgetStockGrid::valueOf(const DQDUnionReader& row, unsigned int key) const
{
    if (key != 0 && key == mSideKey) {
        const auto it = mSideValues.constFind(row.getUniqueValue(0));
        if (it != mSideValues.constEnd())
            return it.value();
    }
    return row.getValue(key);
}

void ZtWidgetStockGrid::dataUpdate()
{
    syncScrollBars();
    update();
}

void ZtWidgetStockGrid::doLocalSort()
{
    if (!mUseLocalSort || !mData)
        return;
    if (mSortKey != 0 && mData->count() > 1)
        sortRows();
    // Rows may have come in another order than the focus was set in.
    if (mFocusIndex >= 0 && !mFocusCode.isEmpty()) {
        const DQDQuery& rows = *mData;
        const int at = rows.indexOf(mFocusCode);
        if (at >= 0) {
            mFocusIndex = rows.getDataStartIndex() + at;
            mFocusRow = *rows.at(at);
        }
    }
    update();
}

void ZtWidgetStockGrid::sortRows()
{
    const int n = mData->count();
    // Reads through the const side: a list shared with its sender is not copied.
    const DQDQuery& rows = *mData;
    std::vector<SortItem> items;
    items.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        items.push_back(sortItemOf(valueOf(*rows.at(i), mSortKey), i));
    const bool desc = mSortDesc;
    std::stable_sort(items.begin(), items.end(), [desc](const SortItem& a, const SortItem& b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (a.kind == 0)
            return desc ? a.number > b.number : a.number < b.number;
        if (a.kind == 1)
            return desc ? a.text > b.text : a.text < b.text;
        return false;
    });
    bool unchanged = true;
    for (int i = 0; i < n && unchanged; ++i)
        unchanged = items[size_t(i)].row == i;
    if (unchanged)
        return;

    DQDQuery sorted;
    sorted.reserve(n);
    for (const SortItem& item : items)
        sorted.append(*rows.at(item.row));
    sorted.setDataIsUpdate(rows.getDataIsUpdate());
    sorted.setDataDownTime(rows.getDataDownTime());
    sorted.setDataDownValid(rows.getDataDownValid());
    sorted.setDataWindow(rows.getDataStartIndex(), rows.getDataTotalCount());
    sorted.setPos(rows.pos());
    *mData = sorted;
}

void ZtWidgetStockGrid::setSortKey(unsigned int key, bool desc)
{
    mSortKey = key;
    mSortDesc = desc;
    update();
}

unsigned int ZtWidgetStockGrid::getSortValueKey() const
{
    return mSortKey;
}

bool ZtWidgetStockGrid::getSortDesc() const
{
    return mSortDesc;
}

void ZtWidgetStockGrid::setUseLocalSort(bool on)
{
    mUseLocalSort = on;
}

bool ZtWidgetStockGrid::getUseLocalSort() const
{
    return mUseLocalSort;
}

void ZtWidgetStockGrid::setCanSort(bool on)
{
    mCanSort = on;
}

bool ZtWidgetStockGrid::getCanSort() const
{
    return mCanSort;
}

DQDUnionReader ZtWidgetStockGrid::getFocusRow() const
{
    return mFocusIndex >= 0 ? mFocusRow : DQDUnionReader();
}

int ZtWidgetStockGrid::getFocusRowIndex() const
{
    return mFocusIndex;
}

void ZtWidgetStockGrid::setFocusRowIndex(int index, bool notify)
{
    applyFocus(index, notify);
}

void ZtWidgetStockGrid::setFocusRowIndex(const DQDUnionReader& row, bool notify)
{
    const QString code = row.getUniqueValue(0);
    const int at = mData && !code.isEmpty() ? mData->indexOf(code) : -1;
    applyFocus(at < 0 ? -1 : dataFirst() + at, notify);
}

void ZtWidgetStockGrid::clearFocusRow(bool notify)
{
    const bool had = mFocusIndex >= 0;
    mFocusIndex = -1;
    mFocusRow = DQDUnionReader();
    mFocusCode.clear();
    if (had)
        update();
    if (notify)
        emit onFocusRowChange(-1);
}

int ZtWidgetStockGrid::getRowIndex() const
{
    return mRowIndex;
}

void ZtWidgetStockGrid::setRowIndex(int index)
{
    const int clamped = std::clamp(index, 0, maxRowIndex());
    if (clamped == mRowIndex)
        return;
    mRowIndex = clamped;
    syncScrollBars();
    update();
}

int ZtWidgetStockGrid::getDrawRowCount() const
{
    const int body = height() - titleHeight();
    return body > 0 && mRowHeight > 0 ? body / mRowHeight : 0;
}

int ZtWidgetStockGrid::getRowCount() const
{
    return mData ? mData->getDataTotalCount() : 0;
}

void ZtWidgetStockGrid::setShowXXDL(bool on)
{
    mShowXXDL = on;
    update();
}

void ZtWidgetStockGrid::setCanManualSequence(bool on)
{
    mCanManualSequence = on;
    if (!on) {
        mDragFrom = -1;
        mDragging = false;
        update();
    }
}

bool ZtWidgetStockGrid::getCanManualSequence() const
{
    return mCanManualSequence;
}

void ZtWidgetStockGrid::setStartIndex(int columns)
{
    mStartIndex = std::max(0, columns);
    mColumnOffset = std::min(mColumnOffset, maxColumnOffset());
    updateLayout();
    syncScrollBars();
    update();
}

void ZtWidgetStockGrid::setTitleEnable(bool on)
{
    mTitleEnable = on;
    mRowIndex = std::clamp(mRowIndex, 0, maxRowIndex());
    syncScrollBars();
    update();
}

void ZtWidgetStockGrid::setDrawLastRow(bool on)
{
    mDrawLastRow = on;
    update();
}

void ZtWidgetStockGrid::setRowEmitMode(bool on)
{
    mRowEmitMode = on;
}

void ZtWidgetStockGrid::removeZxgStockColor()
{
    mZxgColour = false;
    update();
}

void ZtWidgetStockGrid::setTopBottomPadding(int padding)
{
    mRowPadding = std::clamp(padding, 0, 100);
    updateMetrics();
}

void ZtWidgetStockGrid::setTitleTopBottomPadding(int padding)
{
    mTitlePadding = std::clamp(padding, 0, 100);
    updateMetrics();
}

void ZtWidgetStockGrid::doKeyPressEvent(QKeyEvent* event)
{
    if (!event)
        return;
    switch (event->key()) {
    case Qt::Key_Up:
        moveFocusBy(-1);
        break;
    case Qt::Key_Down:
        moveFocusBy(1);
        break;
    case Qt::Key_PageUp:
        movePage(-1);
        break;
    case Qt::Key_PageDown:
        movePage(1);
        break;
    case Qt::Key_Home:
        scrollTo(0);
        applyFocus(std::max(0, dataFirst()), true);
        break;
    case Qt::Key_End: {
        scrollTo(maxRowIndex());
        const int last = std::min(getRowCount(), dataEnd()) - 1;
        applyFocus(last, true);
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (!mHBar || maxColumnOffset() == 0)
            return;
        mHBar->setValue(mColumnOffset + (event->key() == Qt::Key_Left ? -1 : 1));
        break;
    default:
        return;
    }
    event->accept();
}

QRect ZtWidgetStockGrid::rowRect(int rowIndex) const
{
    const int visual = rowIndex - mRowIndex;
    if (visual < 0 || visual >= paintRowCount())
        return QRect();
    return QRect(0, titleHeight() + visual * mRowHeight, width(), mRowHeight);
}

QRect ZtWidgetStockGrid::headerRect(int columnIndex) const
{
    ensureLayout();
    if (!mTitleEnable)
        return QRect();
    for (const Slot& s : mSlots) {
        if (s.column == columnIndex)
            return QRect(s.x, 0, s.width, mTitleHeight);
    }
    return QRect();
}

QRect ZtWidgetStockGrid::cellRect(int rowIndex, int columnIndex) const
{
    const QRect row = rowRect(rowIndex);
    if (row.isEmpty())
        return QRect();
    ensureLayout();
    for (const Slot& s : mSlots) {
        if (s.column == columnIndex)
            return QRect(s.x, row.y(), s.width, row.height());
    }
    return QRect();
}

QRect ZtWidgetStockGrid::xxdlRect(int rowIndex) const
{
    if (!mShowXXDL)
        return QRect();
    const DQDUnionReader* row = rowData(rowIndex);
    if (!row || row->getValue(ZtField::InfoMineCount).toInt() <= 0)
        return QRect();
    const QRect cell = cellRect(rowIndex, decorColumn());
    if (cell.isEmpty())
        return QRect();
    const int side = std::min(cell.height(), 16);
    return QRect(cell.right() - side + 1, cell.top() + (cell.height() - side) / 2, side, side);
}

int ZtWidgetStockGrid::rowAt(const QPoint& pos) const
{
    const int y = pos.y() - titleHeight();
    if (y < 0 || pos.x() < 0 || pos.x() >= width() || mRowHeight <= 0)
        return -1;
    const int visual = y / mRowHeight;
    if (visual >= paintRowCount())
        return -1;
    const int index = mRowIndex + visual;
    return rowData(index) ? index : -1;
}

int ZtWidgetStockGrid::columnAt(const QPoint& pos) const
{
    ensureLayout();
    for (const Slot& s : mSlots) {
        if (pos.x() >= s.x && pos.x() < s.x + s.width)
            return s.column;
    }
    return -1;
}

QSize ZtWidgetStockGrid::sizeHint() const
{
    int w = 0;
    for (GridField* f : mColumns)
        w += std::max(0, f->getWidth());
    return QSize(std::max(w, 200), titleHeight() + mRowHeight * 12);
}

void ZtWidgetStockGrid::paintEvent(QPaintEvent*)
{
    ensureLayout();
    QPainter p(this);
    const Palette pal = Palette::current();
    p.fillRect(rect(), pal.background);
    p.setFont(font());
    mText.setFont(font());
    if (mTitleEnable)
        paintHeader(p, pal);
    const int rows = paintRowCount();
    for (int v = 0; v < rows; ++v)
        paintRow(p, pal, mRowIndex + v, titleHeight() + v * mRowHeight);

    if (mDragging && mDragTarget >= 0 && mDragTarget != mDragFrom) {
        const QRect target = rowRect(mDragTarget);
        if (!target.isEmpty()) {
            const int y = mDragTarget < mDragFrom ? target.top() : target.bottom() - 1;
            p.fillRect(QRect(0, y, width(), 2), pal.focusLine);
        }
    }
}

void ZtWidgetStockGrid::paintHeader(QPainter& p, const Palette& pal)
{
    p.fillRect(QRect(0, 0, width(), mTitleHeight), pal.header);
    const QString arrow = mSortDesc ? QStringLiteral("↓") : QStringLiteral("↑");
    const int arrowWidth = mText.textWidth(arrow);
    for (const Slot& s : mSlots) {
        const GridField* f = mColumns.at(s.column);
        const QRect cell(s.x, 0, s.width, mTitleHeight);
        const QRect inner = cell.adjusted(kCellMargin, 0, -kCellMargin, 0);
        const bool sorted = mSortKey != 0 && f->getFieldId() == mSortKey;
        const QString title = f->getField().mTitle;
        const int need = mText.textWidth(title) + (sorted ? arrowWidth : 0);
        const Qt::Alignment h = f->getField().mTitleOption.alignment() & Qt::AlignHorizontal_Mask;
        int x = inner.left();
        if (h & Qt::AlignRight)
            x = inner.right() + 1 - need;
        else if (h & Qt::AlignHCenter)
            x = inner.left() + (inner.width() - need) / 2;
        x = std::max(x, inner.left());
        p.setPen(pal.headerText);
        mText.draw(p, QRect(x, 0, inner.right() + 1 - x, mTitleHeight), Qt::AlignLeft, title);
        if (sorted) {
            p.setPen(pal.sortMark);
            const int ax = std::min(x + need - arrowWidth, inner.right() + 1 - arrowWidth);
            mText.draw(p, QRect(ax, 0, arrowWidth, mTitleHeight), Qt::AlignLeft, arrow);
        }
        p.fillRect(QRect(cell.right(), 4, 1, mTitleHeight - 8), pal.line);
    }
    p.fillRect(QRect(0, mTitleHeight - 1, width(), 1), pal.line);
}

void ZtWidgetStockGrid::paintRow(QPainter& p, const Palette& pal, int rowIndex, int y)
{
    const QRect line(0, y, width(), mRowHeight);
    const bool focused = rowIndex == mFocusIndex;
    if (focused) {
        p.fillRect(line, pal.focus);
        p.fillRect(QRect(0, y, width(), 1), pal.focusLine);
        p.fillRect(QRect(0, y + mRowHeight - 1, width(), 1), pal.focusLine);
    } else if (rowIndex % 2 == 1 && rowIndex < getRowCount()) {
        p.fillRect(line, pal.alternate);
    }
    const DQDUnionReader* row = rowData(rowIndex);
    if (!row)
        return;

    const int decor = decorColumn();
    const bool zxg = mZxgColour && !PubCacheCustom::mStockCodeList.isEmpty()
                     && PubCacheCustom::mStockCodeList.contains(row->getUniqueValue(0));
    const int decimals = row->getValue(ZtField::Decimals).toInt();
    QColor current;
    for (const Slot& s : mSlots) {
        const GridField* gf = mColumns.at(s.column);
        const DQDField::Field& f = gf->getField();
        QRect cell(s.x, y, s.width, mRowHeight);
        const QVariant value = valueOf(*row, f.mFieldId);

        if (ZtGridCell::isGridOnly(f.mFormat)) {
            barCell(f.mFormat).paint(&p, cell, *row, pal.text);
            current = QColor();
            continue;
        }

        QColor colour = ZtGridCell::colour(value, row, f.mColorRule);
        if (!colour.isValid())
            colour = pal.text;
        if (zxg && isCodeKey(f.mFieldId))
            colour = pal.zxgCode;

        if (s.column == decor) {
            if (mShowXXDL && row->getValue(ZtField::InfoMineCount).toInt() > 0) {
                const int side = std::min(cell.height(), 16);
                const QRect marker(cell.right() - side + 1, y + (mRowHeight - side) / 2, side, side);
                const QPoint c = marker.center();
                const int r = kMarkerSize / 2;
                const QPoint diamond[4] = {QPoint(c.x(), c.y() - r), QPoint(c.x() + r, c.y()),
                                           QPoint(c.x(), c.y() + r), QPoint(c.x() - r, c.y())};
                p.setPen(Qt::NoPen);
                p.setBrush(pal.xxdl);
                p.drawPolygon(diamond, 4);
                p.setBrush(Qt::NoBrush);
                current = QColor();
            }
            const QString circled = signText(*row);
            if (!circled.isEmpty()) {
                const int w = mText.textWidth(circled);
                const int right = textArea(*row, s.column, cell).right() + w + 2;
                p.setPen(pal.sign);
                current = pal.sign;
                mText.draw(p, QRect(right + 1 - w, y, w, mRowHeight), Qt::AlignRight, circled);
            }
        }

        const QRect textRect = textArea(*row, s.column, cell);
        if (textRect.width() <= 0)
            continue;
        const QString text = ZtGridCell::fitted(mText, value, f.mFormat, f.mFieldId, decimals, textRect.width());
        if (text.isEmpty())
            continue;
        if (colour != current) {
            p.setPen(colour);
            current = colour;
        }
        const Qt::Alignment h = f.mValueOption.alignment() & Qt::AlignHorizontal_Mask;
        mText.draw(p, textRect, h ? h : Qt::AlignLeft, text);
    }
}

QString ZtWidgetStockGrid::signText(const DQDUnionReader& row) const
{
    const int n = PubCacheCustom::mStockSign.value(row.getUniqueValue(0)).toInt();
    return n >= 1 && n <= 9 ? QString(QChar(0x2460 + n - 1)) : QString();
}

QRect ZtWidgetStockGrid::textArea(const DQDUnionReader& row, int column, const QRect& cell) const
{
    QRect area = cell.adjusted(kCellMargin, 0, -kCellMargin, 0);
    if (column != decorColumn())
        return area;
    if (mShowXXDL && row.getValue(ZtField::InfoMineCount).toInt() > 0)
        area.setRight(cell.right() - std::min(cell.height(), 16));
    const QString circled = signText(row);
    if (!circled.isEmpty())
        area.setRight(area.right() - mText.textWidth(circled) - 2);
    return area;
}

QString ZtWidgetStockGrid::cellText(int rowIndex, int columnIndex) const
{
    const QRect cell = cellRect(rowIndex, columnIndex);
    const DQDUnionReader* row = rowData(rowIndex);
    if (!row || cell.isEmpty())
        return QString();
    const DQDField::Field& f = mColumns.at(columnIndex)->getField();
    if (ZtGridCell::isGridOnly(f.mFormat))
        return QString();
    mText.setFont(font());
    const QRect area = textArea(*row, columnIndex, cell);
    if (area.width() <= 0)
        return QString();
    return ZtGridCell::fitted(mText, valueOf(*row, f.mFieldId), f.mFormat, f.mFieldId,
                              row->getValue(ZtField::Decimals).toInt(), area.width());
}

const ZtGridBarCell& ZtWidgetStockGrid::barCell(const QString& format)
{
    auto it = mBarCells.find(format);
    if (it == mBarCells.end()) {
        // Owners put the current maximum into the text, so texts come and go.
        if (mBarCells.size() >= kBarCacheLimit)
            mBarCells.clear();
        it = mBarCells.insert(format, ZtGridBarCell::parse(format));
    }
    return it.value();
}

void ZtWidgetStockGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    mColumnOffset = std::min(mColumnOffset, maxColumnOffset());
    mRowIndex = std::clamp(mRowIndex, 0, maxRowIndex());
    updateLayout();
    syncScrollBars();
    if (size() != mLastSize) {
        mLastSize = size();
        emit onDataResize(mRowIndex, getDrawRowCount());
    }
}

void ZtWidgetStockGrid::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
}

void ZtWidgetStockGrid::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    doKeyPressEvent(event);
}

void ZtWidgetStockGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    if (mTitleEnable && pos.y() < mTitleHeight) {
        if (event->button() == Qt::LeftButton)
            headerClicked(columnAt(pos));
        return;
    }
    const int row = rowAt(pos);
    const int column = columnAt(pos);
    const unsigned int key = column >= 0 ? mColumns.at(column)->getFieldId() : 0;
    QString code;
    if (row >= 0) {
        code = rowData(row)->getUniqueValue(0);
        if (row != mFocusIndex)
            applyFocus(row, true);
        if (event->button() == Qt::LeftButton && mCanManualSequence && mSortKey == 0) {
            mDragFrom = row;
            mDragStart = pos;
            mDragging = false;
        }
    }
    const bool onMarker = row >= 0 && event->button() == Qt::LeftButton && xxdlRect(row).contains(pos);
    // The receiver may open a modal menu and change or delete the grid meanwhile.
    QPointer<ZtWidgetStockGrid> alive(this);
    if (row >= 0 || !mRowEmitMode)
        emit onDataMousePressEvent(event, code, key);
    if (alive && onMarker)
        emit onShowXXDLBox(code);
}

void ZtWidgetStockGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() == Qt::NoButton && mShowXXDL) {
        const int row = rowAt(event->pos());
        const QString code = row >= 0 && xxdlRect(row).contains(event->pos()) ? rowData(row)->getUniqueValue(0) : QString();
        const bool entered = !code.isEmpty() && code != mHoverMarker;
        mHoverMarker = code;
        if (entered)
            emit onShowXXDLBox(code);
        return;
    }
    if (mDragFrom < 0 || !(event->buttons() & Qt::LeftButton))
        return;
    if (!mDragging) {
        if ((event->pos() - mDragStart).manhattanLength() < QApplication::startDragDistance())
            return;
        mDragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    const int y = event->pos().y();
    if (y < titleHeight() && mRowIndex > 0)
        scrollTo(mRowIndex - 1);
    else if (y >= titleHeight() + getDrawRowCount() * mRowHeight && mRowIndex < maxRowIndex())
        scrollTo(mRowIndex + 1);
    mDragTarget = dropTarget(event->pos());
    update();
}

void ZtWidgetStockGrid::leaveEvent(QEvent* event)
{
    mHoverMarker.clear();
    QWidget::leaveEvent(event);
}

void ZtWidgetStockGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragging = mDragging;
    const int from = mDragFrom;
    const int to = dragging ? dropTarget(event->pos()) : -1;
    mDragFrom = -1;
    mDragging = false;
    mDragTarget = -1;
    if (dragging) {
        unsetCursor();
        update();
        if (to >= 0 && to != from)
            emit onManualSequenceChange(from, to);
    }
}

void ZtWidgetStockGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    if (mTitleEnable && pos.y() < mTitleHeight)
        return;
    const int row = rowAt(pos);
    if (row < 0)
        return;
    if (row != mFocusIndex)
        applyFocus(row, true);
    const int column = columnAt(pos);
    emit onDataMouseDoubleClickEvent(event, rowData(row)->getUniqueValue(0),
                                     column >= 0 ? mColumns.at(column)->getFieldId() : 0);
}

void ZtWidgetStockGrid::wheelEvent(QWheelEvent* event)
{
    // The owning panel decides how far a wheel step scrolls.
    event->ignore();
}

const DQDUnionReader* ZtWidgetStockGrid::rowData(int rowIndex) const
{
    if (!mData || rowIndex < 0)
        return nullptr;
    const DQDQuery& rows = *mData;
    return rows.at(rowIndex - rows.getDataStartIndex());
}

int ZtWidgetStockGrid::dataFirst() const
{
    return mData ? mData->getDataStartIndex() : 0;
}

int ZtWidgetStockGrid::dataEnd() const
{
    return mData ? mData->getDataStartIndex() + mData->count() : 0;
}

int ZtWidgetStockGrid::paintRowCount() const
{
    const int body = height() - titleHeight();
    if (body <= 0 || mRowHeight <= 0)
        return 0;
    const int full = body / mRowHeight;
    return full + (mDrawLastRow && body % mRowHeight > 0 ? 1 : 0);
}

int ZtWidgetStockGrid::maxRowIndex() const
{
    const int total = getRowCount();
    const int full = getDrawRowCount();
    return std::max(0, full > 0 ? total - full : total - 1);
}

int ZtWidgetStockGrid::frozenCount() const
{
    int frozen = 0;
    if (mStartIndex >= 0) {
        frozen = std::min(mStartIndex, int(mColumns.size()));
    } else {
        for (int i = 0; i < std::min(3, int(mColumns.size())); ++i) {
            if (mColumns.at(i)->getFieldId() == ZtField::Name)
                frozen = i + 1;
        }
    }
    int w = 0;
    for (int i = 0; i < frozen; ++i)
        w += std::max(0, mColumns.at(i)->getWidth());
    // Fixed columns that fill the grid would leave nothing to scroll into view.
    return w + 40 > width() ? 0 : frozen;
}

int ZtWidgetStockGrid::maxColumnOffset() const
{
    const int frozen = frozenCount();
    int fixedWidth = 0;
    for (int i = 0; i < frozen; ++i)
        fixedWidth += std::max(0, mColumns.at(i)->getWidth());
    const int room = width() - fixedWidth;
    int rest = 0;
    for (int i = frozen; i < mColumns.size(); ++i)
        rest += std::max(0, mColumns.at(i)->getWidth());
    int offset = 0;
    for (int i = frozen; i < mColumns.size() && rest > room; ++i, ++offset)
        rest -= std::max(0, mColumns.at(i)->getWidth());
    return offset;
}

int ZtWidgetStockGrid::decorColumn() const
{
    int code = -1;
    for (int i = 0; i < mColumns.size(); ++i) {
        const unsigned int key = mColumns.at(i)->getFieldId();
        if (key == ZtField::Name)
            return i;
        if (code < 0 && isCodeKey(key))
            code = i;
    }
    return code >= 0 ? code : (mColumns.isEmpty() ? -1 : 0);
}

void ZtWidgetStockGrid::updateMetrics()
{
    const QFontMetrics fm(font());
    mRowHeight = std::max(1, fm.height() + 2 * mRowPadding);
    mTitleHeight = std::max(1, fm.height() + 2 * mTitlePadding);
    mRowIndex = std::clamp(mRowIndex, 0, maxRowIndex());
    syncScrollBars();
    update();
}

void ZtWidgetStockGrid::updateLayout()
{
    mLayoutWidth = -1;
    ensureLayout();
}

// Hidden widgets get their resize event only when shown; painting and hit
// testing lay the columns out again whenever the width moved.
void ZtWidgetStockGrid::ensureLayout() const
{
    if (mLayoutWidth == width())
        return;
    mLayoutWidth = width();
    mSlots.clear();
    const int frozen = frozenCount();
    int x = 0;
    for (int i = 0; i < mColumns.size(); ++i) {
        if (i >= frozen && i < frozen + mColumnOffset)
            continue;
        const int w = std::max(0, mColumns.at(i)->getWidth());
        if (w > 0)
            mSlots.append(Slot{i, x, w});
        x += w;
        if (x >= width() && i >= frozen)
            break;
    }
}

void ZtWidgetStockGrid::syncScrollBars()
{
    mSyncingBars = true;
    if (mVBar) {
        mVBar->setRange(0, maxRowIndex());
        mVBar->setPageStep(std::max(1, getDrawRowCount()));
        mVBar->setValue(mRowIndex);
    }
    if (mHBar) {
        mHBar->setRange(0, maxColumnOffset());
        mHBar->setPageStep(1);
        mHBar->setValue(mColumnOffset);
    }
    mSyncingBars = false;
}

void ZtWidgetStockGrid::refreshFocusRow()
{
    if (mFocusIndex < 0 || mFocusCode.isEmpty() || !mData)
        return;
    if (const DQDUnionReader* row = std::as_const(*mData).value(mFocusCode))
        mFocusRow = *row;
}

void ZtWidgetStockGrid::applyFocus(int rowIndex, bool notify)
{
    const DQDUnionReader* row = rowData(rowIndex);
    if (!row) {
        clearFocusRow(notify);
        return;
    }
    mFocusIndex = rowIndex;
    mFocusRow = *row;
    mFocusCode = row->getUniqueValue(0);
    update();
    if (notify)
        emit onFocusRowChange(rowIndex);
}

void ZtWidgetStockGrid::scrollTo(int rowIndex)
{
    const int clamped = std::clamp(rowIndex, 0, maxRowIndex());
    if (clamped == mRowIndex)
        return;
    mRowIndex = clamped;
    syncScrollBars();
    update();
    emit onDataIndexChange(mRowIndex);
}

void ZtWidgetStockGrid::ensureVisible(int rowIndex)
{
    const int full = std::max(1, getDrawRowCount());
    if (rowIndex < mRowIndex)
        scrollTo(rowIndex);
    else if (rowIndex >= mRowIndex + full)
        scrollTo(rowIndex - full + 1);
}

void ZtWidgetStockGrid::moveFocusBy(int delta)
{
    const int total = getRowCount();
    if (total <= 0 || dataEnd() <= dataFirst())
        return;
    int wanted;
    if (mFocusIndex < 0)
        wanted = std::clamp(mRowIndex, dataFirst(), dataEnd() - 1);
    else
        wanted = std::clamp(mFocusIndex + delta, 0, total - 1);
    ensureVisible(wanted);
    // Rows beyond the data window arrive with the next read; stay at its edge.
    const int target = std::clamp(wanted, dataFirst(), dataEnd() - 1);
    if (target != mFocusIndex)
        applyFocus(target, true);
}

void ZtWidgetStockGrid::movePage(int direction)
{
    const int total = getRowCount();
    if (total <= 0)
        return;
    const int page = std::max(1, getDrawRowCount());
    scrollTo(mRowIndex + direction * page);
    if (dataEnd() <= dataFirst())
        return;
    int wanted = mFocusIndex < 0 ? mRowIndex : mFocusIndex + direction * page;
    wanted = std::clamp(wanted, 0, total - 1);
    ensureVisible(wanted);
    const int target = std::clamp(wanted, dataFirst(), dataEnd() - 1);
    if (target != mFocusIndex)
        applyFocus(target, true);
}

void ZtWidgetStockGrid::headerClicked(int columnIndex)
{
    if (!mCanSort || columnIndex < 0 || columnIndex >= mColumns.size())
        return;
    const unsigned int key = mColumns.at(columnIndex)->getFieldId();
    if (key == 0)
        return;
    const bool desc = key == mSortKey ? !mSortDesc : true;
    setSortKey(key, desc);
    if (mUseLocalSort)
        doLocalSort();
    emit onDataSort(key, desc);
}

int ZtWidgetStockGrid::dropTarget(const QPoint& pos) const
{
    if (dataEnd() <= dataFirst() || mRowHeight <= 0)
        return -1;
    const int visual = (pos.y() - titleHeight()) / mRowHeight;
    const int y = pos.y() - titleHeight();
    const int index = y < 0 ? mRowIndex - 1 : mRowIndex + visual;
    return std::clamp(index, dataFirst(), dataEnd() - 1);
}

void ZtWidgetStockGrid::vScrolled(int value)
{
    if (mSyncingBars || value == mRowIndex)
        return;
    mRowIndex = std::clamp(value, 0, maxRowIndex());
    update();
    emit onDataIndexChange(mRowIndex);
}

void ZtWidgetStockGrid::hScrolled(int value)
{
    if (mSyncingBars || value == mColumnOffset)
        return;
    mColumnOffset = std::clamp(value, 0, maxColumnOffset());
    updateLayout();
    update();
}
