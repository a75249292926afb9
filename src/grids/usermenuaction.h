#pragma once

#include "ztcontrollib_global.h"

#include <QAction>
#include <QMetaType>
#include <QVariant>

// Integer ids of menu items; owners tell items apart by these, never by their texts.
enum enumRightMenuType : int {
    RightMenuType_None = -1,
    RightMenuType_YJAdd = 1021,          // 新增闪电预警
    RightMenuType_YJUpd = 1022,          // 修改闪电预警
    RightMenuType_YJDel = 1023,          // 删除闪电预警
    RightMenuType_Open = 2000,           // 打开
    RightMenuType_OpenKLine = 2001,      // 打开K线图
    RightMenuType_F10 = 2002,            // F10基本资料
    RightMenuType_ZxgAdd = 2003,         // 加入自选股 Ins
    RightMenuType_ZxgDel = 2004,         // 删除自选股 Del
    RightMenuType_HisDel = 2005,         // 删除记录 Del
    RightMenuType_HisClear = 2006,       // 清空记录
    RightMenuType_StockSign = 2007,      // 标记股票 (sub-menu)
    RightMenuType_CursorFollow = 2008,   // 光标跟随 (sub-menu)
    RightMenuType_ZxgMoveTo = 2009,      // 移动到 (sub-menu)
    RightMenuType_ZxgNote = 2010,        // 添加备注/标签
    RightMenuType_FollowRow = 3501,      // 跟随行, inside 光标跟随
    RightMenuType_FollowTarget = 3502,   // 跟随目标, inside 光标跟随
};

Q_DECLARE_METATYPE(enumRightMenuType)

// A leaf of a declarative menu. It reports its own choice: through
// onCliclParentMenu at the top level, through onCliclChileMenu with the id of
// the enclosing sub-menu otherwise.
class ZTCONTROLLIB_EXPORT UserMenuAction : public QAction
{
    Q_OBJECT

public:
    explicit UserMenuAction(QObject* parent = nullptr);
    UserMenuAction(const QString& text, QObject* parent = nullptr);

    void setParentData(const QVariant& data);
    // -1 at the top level, else the id of the enclosing sub-menu.
    int getParentData() const { return mParentData; }

signals:
    void onCliclParentMenu(UserMenuAction* mClickAction);
    void onCliclChileMenu(UserMenuAction* mClickAction, enumRightMenuType mParentData);

public slots:
    void doAsyncTriggered(bool checked);

private:
    int mParentData = -1;
};
