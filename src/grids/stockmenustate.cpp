#include "grids/stockmenustate.h"

#include "grids/usermenuaction.h"

#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QMenu>

StockMenuState::StockMenuState(const DQDUnionReader& focus)
    : mFocus(focus),
      mCode(focus.isEmpty() ? QString() : focus.getValue(ZtField::UniqueCode).toString()),
      mInZxg(PubCacheCustom::mStockCodeList.contains(mCode)),
      mHasYj(PubCacheCustom::mYjsStock.contains(mCode))
{
}

bool StockMenuState::apply(UserMenuAction* action) const
{
    switch (action->data().toInt()) {
    case RightMenuType_F10:
        action->setVisible(mFocus.isStock());
        return true;
    case RightMenuType_ZxgAdd:
        action->setVisible(!mInZxg);
        return true;
    case RightMenuType_ZxgDel:
        action->setVisible(mInZxg);
        return true;
    case RightMenuType_StockSign:
        if (QMenu* sub = action->menu()) {
            const QString mark = PubCacheCustom::mStockSign.value(mCode);
            for (QAction* item : sub->actions()) {
                if (item->isSeparator())
                    continue;
                const QString data = item->data().toString();
                if (data == QLatin1String("del"))
                    item->setEnabled(PubCacheCustom::mStockSign.contains(mCode));
                else
                    item->setChecked(!mark.isEmpty() && data == mark);
            }
        }
        return true;
    case RightMenuType_YJAdd:
        action->setEnabled(!mHasYj);
        return true;
    case RightMenuType_YJUpd:
    case RightMenuType_YJDel:
        action->setEnabled(mHasYj);
        return true;
    default:
        return false;
    }
}
