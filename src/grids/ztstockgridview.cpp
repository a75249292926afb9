#include "grids/ztstockgridview.h"

#include "grids/stockgridactions.h"
#include "grids/stockmenustate.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QGridLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <utility>

ZtStockGridView::ZtStockGridView(ZtLayoutBase* parent, QList<GridField*> fields, unsigned int sortKey,
                                 bool sortDesc)
    : ZtLayoutMarketBase(parent, QString())
{
    setObjectName(QStringLiteral("ZtStockGridView-") + (parent ? parent->objectName() : QString()));

    mLayout = new QGridLayout();
    setAttribute(Qt::WA_MouseTracking);
    setFocusPolicy(Qt::StrongFocus);
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    setLayout(mLayout);

    mGrid = new ZtWidgetStockGrid(&mMarketData, this);
    auto* vbar = new QScrollBar(Qt::Vertical, this);
    auto* hbar = new QScrollBar(Qt::Horizontal, this);
    mGrid->setVScrollBar(vbar);
    mGrid->setHScrollBar(hbar);
    mLayout->addWidget(mGrid, 0, 0);
    mLayout->addWidget(vbar, 0, 1);
    mLayout->addWidget(hbar, 1, 0, 1, 0);

    connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, &ZtStockGridView::doZxgRefresh);

    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mGrid->setTopBottomPadding(1);
    mGrid->setSortKey(sortKey, sortDesc);
    mGrid->setShowXXDL(true);
    createGridViewColumns(fields);

    mMenu.appendRightMenu(menuList());
    connect(&mMenu, &UserRightMenu::onCliclChileMenu, this, &ZtStockGridView::doCliclChileMenu);
    connect(&mMenu, &UserRightMenu::onCliclParentMenu, this, &ZtStockGridView::doCliclParentMenu);
    connect(&mMenu, &UserRightMenu::onAboutToShowMenu, this, &ZtStockGridView::doAboutToShowMenu);

    connect(mGrid, &ZtWidgetStockGrid::onDataSort, this, &ZtStockGridView::doDataSort);
    connect(mGrid, &ZtWidgetStockGrid::onDataResize, this, &ZtStockGridView::doDataResize);
    connect(mGrid, &ZtWidgetStockGrid::onShowXXDLBox, this, &ZtStockGridView::doShowXXDLBox);
    connect(mGrid, &ZtWidgetStockGrid::onDataIndexChange, this, &ZtStockGridView::doDataIndexChange);
    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtStockGridView::doDataMousePressEvent);
    connect(mGrid, &ZtWidgetStockGrid::onDataMouseDoubleClickEvent, this,
            &ZtStockGridView::doDataMouseDoubleClickEvent);

    setMainChildWidget(mGrid);
}

ZtStockGridView::~ZtStockGridView() = default;

QList<RightMenu> ZtStockGridView::menuList()
{
    QList<RightMenu> follow = {
        RightMenu(QStringLiteral("跟随行"), int(RightMenuType_FollowRow), true, false, QString()),
        RightMenu(QStringLiteral("跟随目标"), int(RightMenuType_FollowTarget), true, false, QString()),
    };
    QList<RightMenu> marks;
    for (int i = 1; i <= 9; ++i) {
        marks.append(RightMenu(QStringLiteral("标记") + QChar(0x2460 + i - 1), QString::number(i), true, false,
                               QString()));
    }
    marks.append(RightMenu(true));
    marks.append(RightMenu(QStringLiteral("删除标记"), QStringLiteral("del")));
    return {
        RightMenu(QStringLiteral("打开"), int(RightMenuType_Open)),
        RightMenu(QStringLiteral("打开K线图"), int(RightMenuType_OpenKLine)),
        RightMenu(QStringLiteral("F10基本资料"), int(RightMenuType_F10)),
        RightMenu(QStringLiteral("光标跟随"), int(RightMenuType_CursorFollow), follow),
        RightMenu(QStringLiteral("标记股票"), int(RightMenuType_StockSign), marks),
        RightMenu(QStringLiteral("加入自选股 Ins"), int(RightMenuType_ZxgAdd)),
        RightMenu(QStringLiteral("删除自选股 Del"), int(RightMenuType_ZxgDel)),
        RightMenu(true),
        RightMenu(QStringLiteral("新增闪电预警"), int(RightMenuType_YJAdd)),
        RightMenu(QStringLiteral("修改闪电预警"), int(RightMenuType_YJUpd)),
        RightMenu(QStringLiteral("删除闪电预警"), int(RightMenuType_YJDel)),
    };
}

void ZtStockGridView::InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs)
{
    ZtLayoutMarketBase::InitDataMarkets(marketCodes, marketZqlxs, mGrid->getSortValueKey(), mGrid->getRowIndex(),
                                        mGrid->getDrawRowCount(), mGrid->getSortDesc(), mIsStaticDataRequest);
}

void ZtStockGridView::ResetData()
{
    mUserChecked = false;
    mMarketData.DataClear();
    mGrid->setData(&mMarketData);
    mGrid->clearFocusRow(false);
    mGrid->dataUpdate();
}

void ZtStockGridView::replaceStock()
{
    ResetData();
}

void ZtStockGridView::createGridViewColumns(QList<GridField*> fields)
{
    mGrid->clearColumn();
    for (GridField* f : fields)
        mGrid->appendColumn(f);
    mGrid->resetColumn();
}

unsigned int ZtStockGridView::getSortKey() const
{
    return mGrid->getSortValueKey();
}

bool ZtStockGridView::getSortDesc() const
{
    return mGrid->getSortDesc();
}

void ZtStockGridView::setSortKey(unsigned int key, bool desc)
{
    mGrid->setSortKey(key, desc);
}

void ZtStockGridView::useLocalSort()
{
    mGrid->setUseLocalSort(true);
}

void ZtStockGridView::setFont(const QFont& font)
{
    mGrid->setFont(font);
}

void ZtStockGridView::setTopBottomPadding(int padding)
{
    mGrid->setTopBottomPadding(padding);
}

void ZtStockGridView::setTitleTopBottomPadding(int padding)
{
    mGrid->setTitleTopBottomPadding(padding);
}

void ZtStockGridView::doShowXXDLBox(QString stockCode)
{
    emit onChildShowMe(stockCode, false, -1);
}

void ZtStockGridView::doDataResize(int, int)
{
    if (isVisible())
        doDataRepaint();
}

void ZtStockGridView::doDataSort(unsigned int, bool)
{
    if (!isVisible())
        return;
    ReSetDataMarkets(mGrid->getSortValueKey(), mGrid->getRowIndex(), mGrid->getDrawRowCount(), mGrid->getSortDesc());
}

void ZtStockGridView::doDataIndexChange(int newRowIndex)
{
    if (!isVisible())
        return;
    mUserChecked = true;
    ReSetDataMarkets(mGrid->getSortValueKey(), newRowIndex, mGrid->getDrawRowCount(), mGrid->getSortDesc());
    if (mGrid->getRowIndex() != newRowIndex && newRowIndex != 0)
        doDataRepaint();
}

void ZtStockGridView::doZxgRefresh(QString, enumZxgOperate zxgType)
{
    if (zxgType != ZxgOperate_Note)
        mGrid->dataUpdate();
}

void ZtStockGridView::doAboutToShowMenu(QList<UserMenuAction*> mList)
{
    const StockMenuState state(mGrid->getFocusRow());
    for (UserMenuAction* action : mList) {
        if (!action || state.apply(action) || action->data().toInt() != RightMenuType_CursorFollow)
            continue;
        if (QMenu* sub = action->menu()) {
            const bool followRow = PubStaticFunc::getGridViewFollowRowId();
            for (QAction* item : sub->actions()) {
                if (item->data().toInt() == RightMenuType_FollowRow)
                    item->setChecked(followRow);
                else if (item->data().toInt() == RightMenuType_FollowTarget)
                    item->setChecked(!followRow);
            }
        }
    }
}

void ZtStockGridView::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    if (mGrid->getFocusRow().isEmpty())
        return;
    mUserChecked = true;
    emit onFocusStock(this, mGrid->getFocusRow());
    if (!event || event->button() != Qt::RightButton)
        return;
    if (mGrid->getFocusRow().isEmpty())
        mGrid->setFocusRowIndex(0, true);
    mMenu.exec(mGrid->mapToGlobal(event->pos()));
}

void ZtStockGridView::doDataMouseDoubleClickEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!event || event->button() != Qt::LeftButton || mGrid->getFocusRow().isEmpty())
        return;
    mUserChecked = true;
    emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Chart);
}

void ZtStockGridView::doCliclChileMenu(UserMenuAction* mUserAction, enumRightMenuType mParentData)
{
    const DQDUnionReader focus = mGrid->getFocusRow();
    if (!mUserAction || focus.isEmpty())
        return;
    const QString code = focus.getValue(ZtField::UniqueCode).toString();
    if (mParentData == RightMenuType_CursorFollow) {
        const int id = mUserAction->data().toInt();
        const bool followRow = PubStaticFunc::getGridViewFollowRowId();
        if (id == RightMenuType_FollowRow && !followRow)
            PubStaticFunc::setGridViewFollowRowId(true);
        else if (id == RightMenuType_FollowTarget && followRow)
            PubStaticFunc::setGridViewFollowRowId(false);
    } else if (mParentData == RightMenuType_StockSign) {
        StockGridActions::applyStockSign(code, mUserAction);
        mGrid->dataUpdate();
    }
}

void ZtStockGridView::doCliclParentMenu(UserMenuAction* mClickAction)
{
    const DQDUnionReader focus = mGrid->getFocusRow();
    if (!mClickAction || focus.isEmpty())
        return;
    StockGridActions::runMenuItem(this, mClickAction->data().toInt(), focus, mMarketData, StockSubType_Open);
}

void ZtStockGridView::doDataRepaint()
{
    mGrid->setData(&mMarketData);
    if (mMarketData.isEmpty()) {
        mGrid->clearFocusRow(false);
        mGrid->setRowIndex(0);
        if (mAutoFocusRow && mUseAlternativesFocusStock) {
            const DQDUnionReader index = std::as_const(PubCache::mDataQueryAll).valueCopy(QStringLiteral("SH000001"));
            if (!index.isEmpty())
                emit onFocusStock(this, index);
        }
        return;
    }
    // Taken before a local sort, which moves the focus along with its security.
    const int focusIndex = mGrid->getFocusRowIndex();
    mGrid->doLocalSort();
    if (mAutoFocusRow) {
        // The grid numbers rows in the whole list; the first row is where the window read starts.
        const int firstRow = mMarketData.getDataStartIndex();
        const DQDUnionReader previous = mGrid->getFocusRow();
        if (mAutoCheckFirstRowBeforeUserCheck && !mUserChecked)
            mGrid->setFocusRowIndex(firstRow, false);
        else if (PubStaticFunc::getGridViewFollowRowId())
            mGrid->setFocusRowIndex(focusIndex, false);
        else
            mGrid->setFocusRowIndex(previous, false);
        if (mGrid->getFocusRow().isEmpty())
            mGrid->setFocusRowIndex(firstRow, false);
        const DQDUnionReader now = mGrid->getFocusRow();
        if (!now.isEmpty() && now != previous)
            emit onFocusStock(this, now);
    }
    mGrid->dataUpdate();
}

void ZtStockGridView::doWheelEvent(ZtLayoutBase*, QWheelEvent* event)
{
    StockGridActions::scrollByWheel(mGrid->getVScrollBar(), event);
}

void ZtStockGridView::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event && !StockGridActions::handleKeyRelease(this, event, mGrid->getFocusRow(), mMarketData, mHandleEnter))
        emit onKeyReleaseEvent(obj, event);
}

void ZtStockGridView::resizeEvent(QResizeEvent* event)
{
    int columns = 0;
    for (GridField* f : mGrid->getFields())
        columns += f->getWidth();
    if (QScrollBar* hbar = mGrid->getHScrollBar())
        hbar->setVisible(columns > event->size().width());
    QWidget::resizeEvent(event);
}
