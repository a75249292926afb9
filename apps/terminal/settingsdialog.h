#pragma once

#include <frame/ztformmainbase.h>

#include <QList>

class ZtSysSetupWidget;
class ZtTabWidget;

// The system settings: one tab per shipped settings page and the password tab.
// "确定" on any page writes the options of every page under "SysSetupInfo" and
// closes; "取消" closes without writing.
class SettingsDialog : public ZtFormMainBase
{
    Q_OBJECT
public:
    explicit SettingsDialog(ZtLayoutBase* parent);

    // Runs the dialog modally over the window; true when the user saved the settings.
    static bool open(ZtLayoutBase* parent);

    ZtTabWidget* tabs() const { return mTabs; }
    QList<ZtSysSetupWidget*> pages() const { return mPages; }

signals:
    // After the values are written.
    void onSaved();
    void onChangePassword();

private:
    void save();

    ZtTabWidget* mTabs = nullptr;
    QList<ZtSysSetupWidget*> mPages;
};
