#include "grids/stockgridactions.h"

#include "framework/ztlayoutbase.h"
#include "grids/usermenuaction.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <utility>

void StockGridActions::applyStockSign(const QString& code, const UserMenuAction* action)
{
    const QString value = action->data().toString();
    if (value == QLatin1String("del"))
        PubStaticFunc::delStockSign(code);
    else if (!value.isEmpty())
        PubStaticFunc::setStockSign(code, value);
}

bool StockGridActions::runMenuItem(ZtLayoutBase* panel, int id, const DQDUnionReader& focus,
                                   const DQDDataList& rows, enumStockSubType openType)
{
    const QString code = focus.getUniqueValue(0);
    switch (id) {
    case RightMenuType_Open:
        emit panel->onGotoStock(panel, focus, rows, openType);
        return true;
    case RightMenuType_OpenKLine:
        emit panel->onGotoStock(panel, focus, rows, StockSubType_KLine);
        return true;
    case RightMenuType_F10:
        emit panel->onOpenStockDialog(panel, focus, StockSubType_F10);
        return true;
    case RightMenuType_ZxgAdd:
        emit PubCache::SSignal.onZxgAdd(code, ZxgOperate_Add);
        return true;
    case RightMenuType_ZxgDel:
        emit PubCache::SSignal.onZxgDel(code);
        return true;
    case RightMenuType_YJAdd:
        emit PubCache::SSignal.onEarlyAdd(code);
        return true;
    case RightMenuType_YJUpd:
        emit PubCache::SSignal.onEarlyUpd(code);
        return true;
    case RightMenuType_YJDel:
        emit PubCache::SSignal.onEarlyDel(code);
        return true;
    default:
        return false;
    }
}

bool StockGridActions::handleKeyRelease(ZtLayoutBase* panel, QKeyEvent* event, const DQDUnionReader& focus,
                                        const DQDDataList& rows, bool openOnEnter)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!event->isAutoRepeat() && !focus.isEmpty())
            emit panel->onFocusStock(panel, focus);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Enter:
    case Qt::Key_Return:
    case Qt::Key_F5:
        if (!openOnEnter)
            return false;
        if (!rows.isEmpty())
            emit panel->onGotoStock(panel, focus.isEmpty() ? *std::as_const(rows).at(0) : focus, rows,
                                    StockSubType_Chart);
        return true;
    default:
        return false;
    }
}

void StockGridActions::scrollByWheel(QScrollBar* bar, const QWheelEvent* event)
{
    if (!bar || !event)
        return;
    // The delta of the wheel that moved most, so a sideways tilt scrolls too.
    const QPoint angle = event->angleDelta();
    const int delta = qAbs(angle.x()) > qAbs(angle.y()) ? angle.x() : angle.y();
    bar->setSliderPosition(bar->sliderPosition() + (delta > 0 ? -1 : 1));
}
