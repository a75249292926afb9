#pragma once

#include "ztcontrollib_global.h"

#include <pubcache/syscontentinfo.h>
#include <pubcache/systitleinfo.h>

#include <QHash>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QVBoxLayout;
class ZtPushButton;

// One page of the system settings: a title column and the page's options, each
// showing its stored value. The page never stores anything: the host reads the
// buttons through getList() when the user confirms.
class ZTCONTROLLIB_EXPORT ZtSysSetupWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ZtSysSetupWidget(QWidget* parent = nullptr);

    void addTab(const SysTitleInfo& info);
    void addPwdTab();
    QHash<QAbstractButton*, SysContentInfo> getList() const { return mOptions; }

signals:
    void onCancelClick();
    void onConfirmClick();
    void onUpatePwdClick();

private slots:
    void doLinkActivated(const QString& link);

private:
    QVBoxLayout* contentLayout() const;

    QLabel* mTitle = nullptr;
    QWidget* mLeft = nullptr;
    QWidget* mRight = nullptr;
    QWidget* mButtonBar = nullptr;
    QWidget* mContent = nullptr;
    ZtPushButton* mConfirm = nullptr;
    ZtPushButton* mCancel = nullptr;
    QHash<QAbstractButton*, SysContentInfo> mOptions;
};
