#include "grids/ztzxgstockgridview.h"
#include "ztgridslog.h"

#include "controls/ztpushbutton.h"
#include "grids/stockgridactions.h"
#include "grids/stockmenustate.h"

#include <format/markup/valuecolour.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QLoggingCategory>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <utility>

namespace {

}

ZtZXGStockGridView::ZtZXGStockGridView(ZtLayoutBase* parent, QList<GridField*> fields, bool isZxg)
    : ZtLayoutMarketBase(parent, QString())
{
    setObjectName(QStringLiteral("PubZXGStockGridView-") + (parent ? parent->objectName() : QString()));

    mLayout = new QGridLayout();
    mResetButton = new ZtPushButton(this);
    setAttribute(Qt::WA_MouseTracking);
    setFocusPolicy(Qt::StrongFocus);
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    setLayout(mLayout);
    mIsZxg = isZxg;

    mGrid = new ZtWidgetStockGrid(&mMarketData, this);
    auto* vbar = new QScrollBar(Qt::Vertical, this);
    auto* hbar = new QScrollBar(Qt::Horizontal, this);
    mGrid->setVScrollBar(vbar);
    mGrid->setHScrollBar(hbar);
    mLayout->addWidget(mGrid, 0, 0);
    mLayout->addWidget(vbar, 0, 1);
    mLayout->addWidget(hbar, 1, 0, 1, 0);

    mGrid->setUseLocalSort(true);
    mGrid->setShowXXDL(true);
    mGrid->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    mGrid->setTopBottomPadding(1);
    mResetButton->hide();

    mGrid->clearColumn();
    for (GridField* f : fields) {
        mGrid->appendColumn(f);
        if (mIsZxg && f && f->getFieldId() == ZtField::ChangeRatio && !mAddTimeField) {
            DQDField::Field added(QStringLiteral("入选时间"), ZtField::AddTime,
                                  QStringLiteral("casedate:") + colourTextForName(QStringLiteral("InSelfTimeList")),
                                  QStringLiteral("[tn:yyyy-MM-dd]"));
            added.mTitleOption = QTextOption(Qt::AlignRight | Qt::AlignVCenter);
            added.mValueOption = QTextOption(Qt::AlignRight | Qt::AlignVCenter);
            added.mFlag = false;
            added.mParam1 = 0;
            added.mParam2 = 0;
            mAddTimeField = std::make_unique<GridField>(added, 120);
            mGrid->appendColumn(mAddTimeField.get());
        }
    }
    mGrid->resetColumn();

    if (mIsZxg)
        mGrid->removeZxgStockColor();
    mMenu.appendRightMenu(menuList());

    connect(mResetButton, &ZtPushButton::onSyncClicked, this, [this](ZtPushButton*, bool) { doResetClick(); });
    connect(&mStockQNow, &StockQNow::onDataUpdate, this, &ZtZXGStockGridView::doDataUpdate);
    connect(&mMenu, &UserRightMenu::onCliclChileMenu, this, &ZtZXGStockGridView::doCliclChileMenu);
    connect(&mMenu, &UserRightMenu::onCliclParentMenu, this, &ZtZXGStockGridView::doCliclParentMenu);
    connect(&mMenu, &UserRightMenu::onAboutToShowMenu, this, &ZtZXGStockGridView::doAboutToShowMenu);
    connect(mGrid, &ZtWidgetStockGrid::onShowXXDLBox, this, &ZtZXGStockGridView::doShowXXDLBox);
    connect(mGrid, &ZtWidgetStockGrid::onDataMousePressEvent, this, &ZtZXGStockGridView::doDataMousePressEvent);
    connect(mGrid, &ZtWidgetStockGrid::onManualSequenceChange, this,
            &ZtZXGStockGridView::doManualSequenceChange);
    connect(mGrid, &ZtWidgetStockGrid::onDataMouseDoubleClickEvent, this,
            &ZtZXGStockGridView::doDataMouseDoubleClickEvent);
    connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, &ZtZXGStockGridView::doZxgRefresh);

    setMainChildWidget(mGrid);
}

ZtZXGStockGridView::~ZtZXGStockGridView()
{
    mStockQNow.stop();
}

QList<RightMenu> ZtZXGStockGridView::menuList() const
{
    QList<RightMenu> marks;
    for (int i = 1; i <= 9; ++i) {
        marks.append(RightMenu(QStringLiteral("标记") + QChar(0x2460 + i - 1), QString::number(i), true, false,
                               QString()));
    }
    marks.append(RightMenu(true));
    marks.append(RightMenu(QStringLiteral("删除标记"), QStringLiteral("del")));

    QList<RightMenu> list = {
        RightMenu(QStringLiteral("打开"), int(RightMenuType_Open)),
        RightMenu(QStringLiteral("打开K线图"), int(RightMenuType_OpenKLine)),
        RightMenu(QStringLiteral("F10基本资料"), int(RightMenuType_F10)),
    };
    if (mIsZxg) {
        list << RightMenu(QStringLiteral("加入自选股 Ins"), int(RightMenuType_ZxgAdd))
             << RightMenu(QStringLiteral("删除自选股 Del"), int(RightMenuType_ZxgDel))
             << RightMenu(QStringLiteral("移动到"), int(RightMenuType_ZxgMoveTo))
             << RightMenu(QStringLiteral("添加备注/标签"), int(RightMenuType_ZxgNote));
    } else {
        list << RightMenu(QStringLiteral("删除记录 Del"), int(RightMenuType_HisDel))
             << RightMenu(QStringLiteral("清空记录"), int(RightMenuType_HisClear));
    }
    list << RightMenu(QStringLiteral("标记股票"), int(RightMenuType_StockSign), marks) << RightMenu(true)
         << RightMenu(QStringLiteral("新增闪电预警"), int(RightMenuType_YJAdd))
         << RightMenu(QStringLiteral("修改闪电预警"), int(RightMenuType_YJUpd))
         << RightMenu(QStringLiteral("删除闪电预警"), int(RightMenuType_YJDel));
    return list;
}

void ZtZXGStockGridView::startQuotes(const QStringList& codes)
{
    mStockQNow.InitQNows(QVector<QString>(codes.begin(), codes.end()));
}

void ZtZXGStockGridView::InitZxgQNows(QPair<QStringList, QHash<QString, QString>> zxg)
{
    mPanelFlag = true;
    mMarketData.DataClear();
    mGrid->clearFocusRow(false);
    mZxgCodes = zxg.first;
    mZxgTimes = zxg.second;
    if (mIsZxg)
        mGrid->setSideValues(ZtField::AddTime, mZxgTimes);
    qCDebug(lcZtGrids) << "ZtZXGStockGridView::InitZxgQNows" << objectName() << mZxgStockType << mZxgCodes.size();
    startQuotes(mZxgCodes);
}

void ZtZXGStockGridView::InitHisQNows(QVector<QString> codes)
{
    mPanelFlag = true;
    mMarketData.DataClear();
    mGrid->clearFocusRow(false);
    qCDebug(lcZtGrids) << "ZtZXGStockGridView::InitHisQNows" << objectName() << codes.size();
    mStockQNow.InitQNows(codes);
    doDataRepaint();
}

void ZtZXGStockGridView::setCanManualSequence(bool on)
{
    mGrid->setCanManualSequence(on);
    if (!on) {
        mResetButton->hide();
        return;
    }
    mResetButton->setStyleSheet(QStringLiteral("color: #fff;background-color: rgba(133, 133, 133, 255);"));
    mResetButton->setParent(this);
    mResetButton->setText(QStringLiteral("初始"));
    mResetButton->resize(49, 31);
    mResetButton->move(1, 1);
    mResetButton->raise();
    mResetButton->show();
}

void ZtZXGStockGridView::setSortKey(unsigned int key, bool desc)
{
    mGrid->setSortKey(key, desc);
}

void ZtZXGStockGridView::doZxgRefresh(QString, enumZxgOperate zxgType)
{
    if (!mIsZxg || zxgType == ZxgOperate_Note)
        return;
    mGrid->dataUpdate();
    InitZxgQNows(PubStaticFunc::ZxgGet(mZxgStockType));
}

void ZtZXGStockGridView::doShowXXDLBox(QString stockCode)
{
    emit onChildShowMe(stockCode, false, -1);
}

void ZtZXGStockGridView::doManualSequenceChange(int oldIndex, int newIndex)
{
    if (oldIndex < 0 || oldIndex >= mMarketData.count() || newIndex < 0 || newIndex >= mMarketData.count())
        return;
    mMarketData.setPos(oldIndex);
    const DQDUnionReader row = mMarketData.value()->copy();
    mMarketData.DataRemove(oldIndex, 1);
    mMarketData.InsertUnionReader(newIndex, row);
    mGrid->setFocusRowIndex(newIndex, true);
    const QString moved = row.getUniqueValue(0);
    if (mZxgCodes.value(oldIndex) == moved && newIndex < mZxgCodes.size()) {
        mZxgCodes.move(oldIndex, newIndex);
    } else if (mZxgCodes.contains(moved)) {
        // Codes without a quote have no row: place the code before its new neighbour.
        mZxgCodes.removeAll(moved);
        const DQDUnionReader* next = std::as_const(mMarketData).at(newIndex + 1);
        const int before = next ? mZxgCodes.indexOf(next->getUniqueValue(0)) : -1;
        mZxgCodes.insert(before < 0 ? mZxgCodes.size() : before, moved);
    }
    startQuotes(mZxgCodes);
    mGrid->dataUpdate();
    emit onZxgOrderUpdate(oldIndex, newIndex);
}

void ZtZXGStockGridView::doResetClick()
{
    mGrid->setFocus(Qt::OtherFocusReason);
    mGrid->setSortKey(0, true);
    mMarketData.clear();
    mGrid->setData(&mMarketData);
    mGrid->dataUpdate();
    startQuotes(mZxgCodes);
}

void ZtZXGStockGridView::doAboutToShowMenu(QList<UserMenuAction*> mList)
{
    const StockMenuState state(mGrid->getFocusRow());
    for (UserMenuAction* action : mList) {
        if (action)
            state.apply(action);
    }
}

void ZtZXGStockGridView::rebuildMoveMenu()
{
    for (UserMenuAction* action : mMenu.actions()) {
        if (!action || action->data().toInt() != RightMenuType_ZxgMoveTo)
            continue;
        if (QMenu* old = action->menu()) {
            action->setMenu(nullptr);
            old->deleteLater();
        }
        // Owned by the right-click menu, replaced on the next right-click.
        auto* groups = new QMenu(&mMenu);
        for (const StockZxgBK& group : PubStaticFunc::getZxgCodeList()) {
            QAction* item = groups->addAction(group.getName());
            connect(item, &QAction::triggered, this, [this, item] { moveToGroup(item->text()); });
        }
        action->setMenu(groups);
    }
}

void ZtZXGStockGridView::moveToGroup(const QString& groupName)
{
    const DQDUnionReader focus = mGrid->getFocusRow();
    if (groupName.isEmpty() || focus.isEmpty())
        return;
    const QString code = focus.getUniqueValue(0);
    if (PubStaticFunc::ZxgMoveNewBK(code, groupName))
        emit PubCache::SSignal.onZxgRefresh(code, ZxgOperate_Add);
}

void ZtZXGStockGridView::doDataMousePressEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!mGrid->getFocusRow().isEmpty())
        emit onFocusStock(this, mGrid->getFocusRow());
    if (!event || event->button() != Qt::RightButton)
        return;
    if (mGrid->getFocusRow().isEmpty())
        mGrid->setFocusRowIndex(0, true);
    rebuildMoveMenu();
    mMenu.exec(mGrid->mapToGlobal(event->pos()));
}

void ZtZXGStockGridView::doDataMouseDoubleClickEvent(QMouseEvent* event, QString, unsigned int)
{
    if (!event || event->button() != Qt::LeftButton || mGrid->getFocusRow().isEmpty())
        return;
    emit onGotoStock(this, mGrid->getFocusRow(), mMarketData, StockSubType_Chart);
}

void ZtZXGStockGridView::doCliclChileMenu(UserMenuAction* userAction, enumRightMenuType mParentData)
{
    const DQDUnionReader focus = mGrid->getFocusRow();
    if (!userAction || focus.isEmpty() || mParentData != RightMenuType_StockSign)
        return;
    StockGridActions::applyStockSign(focus.getValue(ZtField::UniqueCode).toString(), userAction);
    mGrid->dataUpdate();
}

void ZtZXGStockGridView::doCliclParentMenu(UserMenuAction* mClickAction)
{
    const DQDUnionReader focus = mGrid->getFocusRow();
    if (!mClickAction || focus.isEmpty())
        return;
    const int id = mClickAction->data().toInt();
    if (StockGridActions::runMenuItem(this, id, focus, mMarketData, StockSubType_Chart))
        return;
    switch (id) {
    case RightMenuType_ZxgNote:
        emit PubCache::SSignal.onZxgAdd(focus.getUniqueValue(0), ZxgOperate_Note);
        break;
    case RightMenuType_HisDel: {
        const QString code = focus.getValue(ZtField::UniqueCode).toString();
        if (PubStaticFunc::HisGetAll().contains(code)) {
            PubStaticFunc::HisDelete(code);
            InitHisQNows(PubStaticFunc::HisGetAll());
        }
        break;
    }
    case RightMenuType_HisClear:
        PubStaticFunc::HisClear();
        InitHisQNows(PubStaticFunc::HisGetAll());
        break;
    default:
        break;
    }
}

void ZtZXGStockGridView::doDataUpdate()
{
    if (!mGrid)
        return;
    // The list stays shared with the reader: the add times are painted from beside it.
    mMarketData = mStockQNow.mQNows;
    mGrid->setData(&mMarketData);
    doDataRepaint();
}

void ZtZXGStockGridView::doDataRepaint()
{
    if (!mMarketData.isEmpty() && mPanelFlag) {
        mGrid->doLocalSort();
        if (mGrid->getFocusRow().isEmpty())
            mGrid->setFocusRowIndex(0, true);
        mPanelFlag = false;
        emit onFocusStock(this, mGrid->getFocusRow());
    } else if (mMarketData.isEmpty()) {
        mGrid->setData(&mMarketData);
        mGrid->doLocalSort();
        const DQDUnionReader index = std::as_const(PubCache::mDataQueryAll).valueCopy(QStringLiteral("SH000001"));
        if (!index.isEmpty())
            emit onFocusStock(this, index);
    } else {
        mGrid->setData(&mMarketData);
        mGrid->doLocalSort();
    }
    mGrid->dataUpdate();
}

void ZtZXGStockGridView::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event && !StockGridActions::handleKeyRelease(this, event, mGrid->getFocusRow(), mMarketData, true))
        emit onKeyReleaseEvent(obj, event);
}

void ZtZXGStockGridView::doWheelEvent(ZtLayoutBase*, QWheelEvent* event)
{
    StockGridActions::scrollByWheel(mGrid->getVScrollBar(), event);
}

void ZtZXGStockGridView::resizeEvent(QResizeEvent* event)
{
    int columns = 0;
    for (GridField* f : mGrid->getFields())
        columns += f->getWidth();
    if (QScrollBar* hbar = mGrid->getHScrollBar())
        hbar->setVisible(columns > event->size().width());
    QWidget::resizeEvent(event);
}

void ZtZXGStockGridView::showEvent(QShowEvent* event)
{
    mPanelFlag = true;
    mStockQNow.run();
    emit onShowEvent(objectName());
    ZtLayoutMarketBase::showEvent(event);
}

void ZtZXGStockGridView::hideEvent(QHideEvent* event)
{
    mStockQNow.stop();
    ZtLayoutMarketBase::hideEvent(event);
}
