#include "fairy/ztkeyboardfairy.h"

#include "controls/ztpushbutton.h"
#include "fairy/ztkeyboardsearch.h"
#include "fairy/ztkeylineedit.h"
#include "fairy/ztkeytablewidget.h"
#include "framework/ztlayoutbase.h"

#include <pubcache/pubcache.h>
#include <pubcache/userkeyboard.h>
#include <ztlib/ztfields.h>

#include <QCursor>
#include <QFuture>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <memory>

namespace {

Q_LOGGING_CATEGORY(lcZtFairy, "zt.fairy", QtInfoMsg)

constexpr int kInputLimit = 8;
constexpr int kMaxRowTest = 500;

// One index for every fairy, built on a worker for each keyboard list the cache
// hands out: indexing 20,000 entries takes longer than a keystroke may. Until the
// index of the current list is in, keystrokes are answered by a plain scan of the
// list (the same ranking). Holding a copy keeps the list's data alive, so "same
// data" is a pointer test: a list the cache rebuilt or changed no longer shares it.
// GUI thread only; the worker gets its own copy of the list and hands the index over
// through the future.
struct SharedIndex
{
    QList<UserKeyBoard> list;
    std::shared_ptr<ZtKeyboardSearch> search;
    QFuture<std::shared_ptr<ZtKeyboardSearch>> building;

    // The index of the cache's list, or null while it is built.
    ZtKeyboardSearch* current()
    {
        const QList<UserKeyBoard>& live = PubCache::mUserKeyboard;
        if (live.size() != list.size() || live.constBegin() != list.constBegin()) {
            list = live;
            search.reset();
            const QList<UserKeyBoard> entries = list;
            // A build for a list replaced meanwhile finishes unseen.
            building = QtConcurrent::run([entries] {
                auto index = std::make_shared<ZtKeyboardSearch>();
                index->setEntries(entries);
                return index;
            });
            qCDebug(lcZtFairy) << "indexing" << list.size() << "keyboard entries";
        }
        if (!search && building.isFinished() && building.resultCount() > 0) {
            search = building.result();
            building = {};
            qCDebug(lcZtFairy) << "indexed" << list.size() << "keyboard entries";
        }
        return search.get();
    }
};

SharedIndex& sharedIndex()
{
    static SharedIndex index;
    return index;
}

}

ZtKeyboardFairy::ZtKeyboardFairy(QWidget* parent, bool isMain, bool clearOnPick)
    : QWidget(parent), isMain(isMain), clearOnPick(clearOnPick)
{
    qRegisterMetaType<DQDUnionReader>("DQDUnionReader");
    qRegisterMetaType<DQDDataList>("DQDDataList");
    qRegisterMetaType<ZtXMLMenu>("ZtXMLMenu");
    qRegisterMetaType<enumStockSubType>("enumStockSubType");
    qRegisterMetaType<ZtLayoutBase*>("ZtLayoutBase*");

    setObjectName(isMain ? QStringLiteral("MainKeyFairy") : QStringLiteral("FormKeyFairy"));
    setFocusPolicy(Qt::StrongFocus);

    mLineEdit = new ZtKeyLineEdit(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The field follows the fairy's height on resize; that must not become the fairy's minimum.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(mLineEdit);
    mLineEdit->setMinimumHeight(20);
    mLineEdit->setMaximumHeight(20);
    mLineEdit->setPlaceholderText(QStringLiteral("代码/名称/拼音首字母"));
    mLineEdit->setTextMargins(25, 0, 20, 0);
    mLineEdit->setMaxLength(kInputLimit);
    mLineEdit->lower();
    mLineEdit->installEventFilter(this);
    // Focus given to the fairy belongs to its field.
    setFocusProxy(mLineEdit);

    mSearchIcon = new QLabel(this);
    mSearchIcon->setFixedSize(25, 20);
    mSearchIcon->setAlignment(Qt::AlignCenter);
    mSearchIcon->setPixmap(QPixmap(QStringLiteral(":/images/MainFrom/cbb_jpjlfind.png")));

    mDropButton = new ZtPushButton(this);
    mDropButton->setFixedSize(21, 20);
    mDropButton->setFlat(true);
    mDropButton->setIcon(QStringLiteral(":/images/MainFrom/cbb_jpjldown.png"));

    mTable = new ZtKeyTableWidget(this);

    connect(mTable, &QTableWidget::cellClicked, this, &ZtKeyboardFairy::doCellClicked);
    connect(mTable, &ZtKeyTableWidget::onKeyBoardFocusOut, this, &ZtKeyboardFairy::doKeyBoardFocusOut);
    connect(mDropButton, &ZtPushButton::onSyncClicked, this, &ZtKeyboardFairy::doPushButtonClicked);
    connect(mLineEdit, &QLineEdit::textChanged, this, &ZtKeyboardFairy::doTextChanged);
    connect(mLineEdit, &ZtKeyLineEdit::onFocusOutEvent, mTable, &ZtKeyTableWidget::doFocusOutEvent);
    connect(this, &ZtKeyboardFairy::onKeyBoardFocusOut, this, &ZtKeyboardFairy::doKeyBoardFocusOut);

    // Index a list the cache already holds now rather than on the first keystroke.
    sharedIndex().current();
}

ZtKeyboardFairy::~ZtKeyboardFairy()
{
    for (const QVector<QTableWidgetItem*>& spare : mSpare)
        qDeleteAll(spare);
}

void ZtKeyboardFairy::keepItems(int rows)
{
    const QSignalBlocker quiet(mTable->model());
    for (int row = mTable->rowCount() - 1; row >= rows; --row) {
        for (int column = 0; column < 3; ++column) {
            if (QTableWidgetItem* item = mTable->takeItem(row, column))
                mSpare[column].append(item);
        }
    }
}

bool ZtKeyboardFairy::doKeyBoardFocusIn(QKeyEvent* event)
{
    if (!event)
        return false;
    const int key = event->key();
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9;
    const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
    const bool take = event->text().isEmpty() ? letter : (digit || letter);
    if (!take)
        return false;
    restoreInputLimit();
    mLineEdit->setText(event->text());
    mLineEdit->setFocus(Qt::OtherFocusReason);
    return true;
}

void ZtKeyboardFairy::setText(DQDUnionReader row)
{
    if (clearOnPick || row.isEmpty())
        return;
    const QString text = QStringLiteral("%1 %2").arg(row.getValue(ZtField::Code).toString(),
                                                     row.getValue(ZtField::Name).toString());
    // The chosen stock is shown whole; the input limit returns when typing starts
    // again. Showing it is not a search.
    mShowingPick = true;
    mLineEdit->setMaxLength(qMax(kInputLimit, text.size()));
    mLineEdit->setText(text);
    mShowingPick = false;
}

void ZtKeyboardFairy::close()
{
    closeSequence();
}

void ZtKeyboardFairy::setEnabled(bool enabled)
{
    keepItems(0);
    mTable->clearContents();
    mTable->hide();
    QWidget::setEnabled(enabled);
}

void ZtKeyboardFairy::setFiltrationTxt(const QStringList& words)
{
    mFiltrationTxt = words;
}

void ZtKeyboardFairy::setFocus()
{
    mLineEdit->setFocus(Qt::OtherFocusReason);
}

void ZtKeyboardFairy::setIsSimple(bool simple)
{
    isSimple = simple;
}

bool ZtKeyboardFairy::isSearchIndexReady()
{
    return sharedIndex().current() != nullptr;
}

void ZtKeyboardFairy::doKeyBoardFocusOut()
{
    // A click on the drop-down button toggles the list itself.
    if (mDropButton->geometry().contains(mapFromGlobal(QCursor::pos())))
        return;
    closeSequence();
}

void ZtKeyboardFairy::doCellClicked(int row, int)
{
    doKeyPressForCache(row);
}

void ZtKeyboardFairy::doPushButtonClicked()
{
    mLineEdit->setFocus(Qt::OtherFocusReason);
    if (mTable->isHidden()) {
        placeList();
        mTable->show();
        mLineEdit->setFocus(Qt::OtherFocusReason);
    } else {
        closeSequence();
    }
}

void ZtKeyboardFairy::doTextChanged(QString text)
{
    if (mShowingPick)
        return;
    if (text.isEmpty()) {
        keepItems(0);
        mTable->clearContents();
        mTable->hide();
        return;
    }
    if (mLineEdit->maxLength() > kInputLimit) {
        // The shown stock was edited: back to the input limit. Cutting the text
        // searches again.
        restoreInputLimit();
        if (mLineEdit->text() != text)
            return;
    }
    const QString upper = text.toUpper();
    if (upper != text) {
        const int cursor = mLineEdit->cursorPosition();
        mLineEdit->setText(upper);
        mLineEdit->setCursorPosition(cursor);
        // The change above searched already.
        if (mLineEdit->text() != text)
            return;
    }

    placeList();
    // Read-only access: a non-const one would detach the shared list.
    const QList<UserKeyBoard>& entries = PubCache::mUserKeyboard;
    QVector<int> found;
    if (ZtKeyboardSearch* search = sharedIndex().current()) {
        if (search->filterWords() != mFiltrationTxt)
            search->setFilterWords(mFiltrationTxt);
        found = search->search(upper);
    } else {
        found = ZtKeyboardSearch::scan(entries, upper, mFiltrationTxt);
    }
    int rows = 0;
    while (rows <= kMaxRowTest && rows < found.size() && found.at(rows) < entries.size())
        ++rows;
    // The rows of the last result are refilled in place: building 1,500 items and
    // inserting rows one by one was most of a keystroke's time.
    // Updates off on the rows only: the frame and a scroll bar that keeps its range
    // are not repainted.
    QWidget* rowsView = mTable->viewport();
    rowsView->setUpdatesEnabled(false);
    mTable->clearSelection();
    // One change notice for the whole list instead of one per item.
    QAbstractItemModel* model = mTable->model();
    bool blocked = model->blockSignals(true);
    keepItems(rows);
    model->blockSignals(blocked);
    mTable->setRowCount(rows);
    blocked = model->blockSignals(true);
    for (int row = 0; row < rows; ++row)
        fillRow(row, entries.at(found.at(row)));
    model->blockSignals(blocked);
    if (rows > 0)
        emit model->dataChanged(model->index(0, 0), model->index(rows - 1, model->columnCount() - 1));
    rowsView->setUpdatesEnabled(true);
    mTable->selectRow(0);
    mTable->show();
    qCDebug(lcZtFairy) << "search" << upper << "->" << found.size() << "matches," << mTable->rowCount() << "rows";
}

void ZtKeyboardFairy::doKeyPressForCache(int row)
{
    const QTableWidgetItem* item = mTable->item(row, 0);
    bool ok = false;
    const int index = item ? item->data(Qt::UserRole).toInt(&ok) : -1;
    UserKeyBoard entry;
    // A list the cache replaced since the search may hold another entry there.
    if (ok && index >= 0 && index < PubCache::mUserKeyboard.size()
        && PubCache::mUserKeyboard.at(index).getCode() == item->text())
        entry = PubCache::mUserKeyboard.at(index);
    qCDebug(lcZtFairy) << "choose row" << row << "index" << index << "->" << entry.getCode() << entry.getName()
                       << (entry.getStock().isEmpty() ? (entry.getMenu().isEmpty() ? "nothing" : "menu") : "stock");

    // A receiver may delete the fairy.
    const QPointer<ZtKeyboardFairy> self(this);
    if (!entry.getStock().isEmpty()) {
        const DQDUnionReader stock(entry.getStock());
        setText(stock);
        if (!isSimple)
            emit onGotoStock(nullptr, stock, PubCache::mDataQueryAll, StockSubType_Default);
        else
            emit onFocusStock(stock);
    } else if (!entry.getMenu().isEmpty()) {
        emit onFocusXmlData(entry.getMenu());
    }
    if (self)
        closeSequence();
}

void ZtKeyboardFairy::createKeyBoard(UserKeyBoard* mm)
{
    if (!mm)
        return;
    const int row = mTable->rowCount();
    mTable->insertRow(row);
    fillRow(row, *mm);
}

void ZtKeyboardFairy::fillRow(int row, const UserKeyBoard& entry)
{
    if (mWritten.size() < (row + 1) * 3)
        mWritten.resize((row + 1) * 3);
    auto write = [&](int column, const QString& text, int index) {
        QTableWidgetItem* item = mTable->item(row, column);
        Written& last = mWritten[row * 3 + column];
        if (!item) {
            if (!mSpare[column].isEmpty()) {
                item = mSpare[column].takeLast();
            } else {
                item = new QTableWidgetItem;
                if (column == 2)
                    item->setTextAlignment(0x86);
            }
            mTable->setItem(row, column, item);
        } else if (last.item == item && last.index == index && last.text == text) {
            // Items are written here only, so the cell still shows this text.
            return;
        }
        item->setText(text);
        if (column == 0)
            item->setData(Qt::UserRole, index);
        last = {item, text, index};
    };
    write(0, entry.getCode(), entry.getIndex());
    write(1, entry.getName(), -1);
    write(2, entry.getType(), -1);
}

void ZtKeyboardFairy::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        if (!mTable->currentItem()) {
            event->ignore();
            return;
        }
        const int rows = mTable->rowCount();
        const int current = mTable->currentRow();
        int next = 0;
        if (event->key() == Qt::Key_Up)
            next = current > 0 ? current - 1 : rows - 1;
        else
            next = current < rows - 1 ? current + 1 : 0;
        mTable->selectRow(next);
        event->accept();
        return;
    }
    default:
        // Enter, Return and Escape act on their release; their presses belong
        // to the parent (a dialog's default button, a form's Escape).
        event->ignore();
    }
}

void ZtKeyboardFairy::keyReleaseEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return: {
        const QPointer<ZtKeyboardFairy> self(this);
        if (mTable->currentItem())
            doKeyPressForCache(mTable->currentRow());
        if (self)
            closeSequence();
        event->accept();
        return;
    }
    case Qt::Key_Escape:
        closeSequence();
        event->accept();
        return;
    default:
        event->ignore();
    }
}

void ZtKeyboardFairy::resizeEvent(QResizeEvent* event)
{
    mTable->setFixedWidth(width());
    mSearchIcon->setFixedHeight(height());
    mLineEdit->setFixedHeight(height());
    mDropButton->setFixedHeight(qMax(0, height() - 5));
    const int inset = isMain ? 10 : 2;
    mDropButton->move(width() - mDropButton->width() - inset, (height() - mDropButton->height()) / 2);
    QWidget::resizeEvent(event);
}

bool ZtKeyboardFairy::eventFilter(QObject* watched, QEvent* event)
{
    // Typing over a shown stock starts a new search instead of editing "code name".
    if (watched == mLineEdit && event->type() == QEvent::KeyPress && mLineEdit->maxLength() > kInputLimit) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool edits = (!key->text().isEmpty() && key->text().at(0).isPrint())
                           || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
        if (edits && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            mShowingPick = true;
            mLineEdit->QLineEdit::clear();
            mShowingPick = false;
            restoreInputLimit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ZtKeyboardFairy::closeSequence()
{
    // Clearing the field's focus reports a focus loss, which would close again.
    if (mClosing)
        return;
    mClosing = true;
    mLineEdit->clear(clearOnPick);
    keepItems(0);
    mTable->clearContents();
    mTable->hide();
    mClosing = false;
    emit onClose();
}

void ZtKeyboardFairy::placeList()
{
    // Moving a window, even to where it is, repaints all of it.
    const QPoint at = mapToGlobal(QPoint(0, 0)) + QPoint(0, mLineEdit->height() - 1);
    if (mTable->pos() != at)
        mTable->move(at);
}

void ZtKeyboardFairy::restoreInputLimit()
{
    if (mLineEdit->maxLength() != kInputLimit)
        mLineEdit->setMaxLength(kInputLimit);
}
