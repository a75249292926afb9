#pragma once

#include <QMetaType>

// Watchlist operation carried by the bus.
enum enumZxgOperate : int {
    ZxgOperate_Delete = -1,  // a code left the watchlist
    ZxgOperate_Add = 0,
    ZxgOperate_Note = 1,     // note or label change; lists need no reload
};

// Kind of a menu or settings entry ("type" attribute of a menu node).
enum enumXmlType : int {
    XmlType_None = -1,
    XmlType_Button = 0,
    XmlType_Stretch = 1,
    XmlType_Label = 2,
    XmlType_CheckBox = 3,
    XmlType_RadioButton = 4,
};

// Numbers of the system settings options; the stored key is "Sys<number>"
// in the settings group "SysSetupInfo".
enum enumSysSetup : int {
    SysSetup_None = 0,
    SysSetup_AutoStart = 101,          // 开机自动启动
    SysSetup_MinimizeToTray = 102,     // 关闭时最小化到托盘
    SysSetup_ConfirmExit = 103,        // 退出时提示确认
    SysSetup_RememberLayout = 104,     // 记住上次打开的页面
    SysSetup_ShowMarquee = 201,        // 显示滚动资讯
    SysSetup_ShowStockMsg = 202,       // 显示短线精灵提示
    SysSetup_ZxgColour = 203,          // 自选股代码以特殊颜色显示
    SysSetup_ShowXXDL = 204,           // 显示信息地雷
    SysSetup_AlertPopUp = 301,         // 预警弹出窗口
    SysSetup_AlertVoice = 302,         // 预警声音提示
    SysSetup_AlertAutoClose = 303,     // 预警窗口自动关闭
    SysSetup_RiseRed = 401,            // 红涨绿跌
    SysSetup_RiseGreen = 402,          // 绿涨红跌
};

Q_DECLARE_METATYPE(enumZxgOperate)
Q_DECLARE_METATYPE(enumXmlType)
Q_DECLARE_METATYPE(enumSysSetup)
