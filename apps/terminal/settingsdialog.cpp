#include "settingsdialog.h"

#include <alerts/messageex.h>
#include <controls/ztsyssetupwidget.h>
#include <frame/zttabwidget.h>

#include <pubcache/pubconfig.h>

#include <QAbstractButton>
#include <QGridLayout>
#include <QLoggingCategory>



namespace {

Q_LOGGING_CATEGORY(lcSettings, "zt.terminal", QtInfoMsg)

// A tab needs a panel with the page's name to find it again.
ZtLayoutBase* holder(const QString& name, QWidget* page)
{
    auto* tab = new ZtLayoutBase(name, nullptr);
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(page);
    return tab;
}

}

SettingsDialog::SettingsDialog(ZtLayoutBase* parent) : ZtFormMainBase(parent, false, QStringLiteral("SettingsBody"))
{
    setWindowTitle(QStringLiteral("系统设置"));
    mTabs = new ZtTabWidget(nullptr, QTabWidget::North);
    mTabs->setObjectName(QStringLiteral("SettingsTabs"));

    const auto addPage = [this](const QString& name, const QString& title, ZtSysSetupWidget* page) {
        mPages << page;
        mTabs->addTab(holder(name, page), title);
        connect(page, &ZtSysSetupWidget::onConfirmClick, this, &SettingsDialog::save);
        connect(page, &ZtSysSetupWidget::onCancelClick, this, &ZtFormMainBase::exit);
    };
    const auto definitions = PubConfig::getSysSetupList();
    for (int i = 0; i < definitions.size(); ++i) {
        auto* page = new ZtSysSetupWidget;
        page->addTab(definitions.at(i));
        addPage(QStringLiteral("SysSetup%1").arg(i), definitions.at(i).title(), page);
    }
    auto* password = new ZtSysSetupWidget;
    password->addPwdTab();
    connect(password, &ZtSysSetupWidget::onUpatePwdClick, this, &SettingsDialog::onChangePassword);
    addPage(QStringLiteral("SysSetupPwd"), QStringLiteral("修改密码"), password);
    mTabs->addStretch();
    mTabs->setCurrentIndex(0);

    auto* body = new QGridLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(mTabs);
    setLayout(body);
    resize(640, 460);
}

void SettingsDialog::save()
{
    bool written = true;
    for (ZtSysSetupWidget* page : qAsConst(mPages)) {
        const auto options = page->getList();
        for (auto it = options.begin(); it != options.end(); ++it)
            written = PubConfig::WriteConfig(QStringLiteral("SysSetupInfo"), it.value().getKey(), it.key()->isChecked()) && written;
    }
    if (!written) {
        // The choices stay on screen, so the user can try again or note them.
        qCWarning(lcSettings) << "settings could not be written to" << PubConfig::configDir();
        MessageEx::ShowBox(QStringLiteral("设置未能保存，请检查配置目录是否可写。"), this);
        return;
    }
    emit onSaved();
    exit();
}

bool SettingsDialog::open(ZtLayoutBase* parent)
{
    auto* dialog = new SettingsDialog(parent);
    bool saved = false;
    connect(dialog, &SettingsDialog::onSaved, dialog, [&saved] { saved = true; });
    connect(dialog, &SettingsDialog::onChangePassword, dialog, [dialog] {
        // The simulated market has no account service to change a password with.
        MessageEx::ShowBox(QStringLiteral("演示行情没有账户服务，无法修改登录密码。"), dialog);
    });
    dialog->showDialog();
    return saved;
}
