#include "controls/ztsyssetupwidget.h"

#include "controls/ztpushbutton.h"

#include <pubcache/pubconfig.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

ZtSysSetupWidget::ZtSysSetupWidget(QWidget* parent) : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    mLeft = new QWidget(this);
    mLeft->setObjectName(QStringLiteral("LeftTitle"));
    mLeft->setFixedWidth(142);
    auto* left = new QVBoxLayout(mLeft);
    left->setContentsMargins(0, 30, 0, 10);
    left->setSpacing(0);
    mTitle = new QLabel(mLeft);
    left->addWidget(mTitle, 0, Qt::AlignCenter);
    left->addStretch();

    mRight = new QWidget(this);
    mRight->setObjectName(QStringLiteral("RightTitle"));
    auto* right = new QVBoxLayout(mRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    mContent = new QWidget(mRight);
    auto* content = new QVBoxLayout(mContent);
    content->setContentsMargins(50, 30, 10, 0);
    content->setSpacing(0);
    mButtonBar = new QWidget(mRight);
    mButtonBar->setFixedHeight(50);
    right->addWidget(mContent);
    right->addWidget(mButtonBar);

    mConfirm = new ZtPushButton(QStringLiteral("确定"), mButtonBar);
    mConfirm->setObjectName(QStringLiteral("BtnConfirm"));
    mConfirm->setText(QStringLiteral("确定"));
    mConfirm->setFixedSize(103, 32);
    mCancel = new ZtPushButton(QStringLiteral("取消"), mButtonBar);
    mCancel->setObjectName(QStringLiteral("BtnCancel"));
    mCancel->setText(QStringLiteral("取消"));
    mCancel->setFixedSize(103, 32);
    auto* bar = new QHBoxLayout(mButtonBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    bar->addSpacing(50);
    bar->addWidget(mCancel);
    bar->addSpacing(20);
    bar->addWidget(mConfirm);
    bar->addStretch();

    row->addWidget(mLeft);
    row->addWidget(mRight);

    // Queued, so that the host hears of the click after the button has finished with it.
    connect(mCancel, &ZtPushButton::onSyncClicked, this, &ZtSysSetupWidget::onCancelClick, Qt::QueuedConnection);
    connect(mConfirm, &ZtPushButton::onSyncClicked, this, &ZtSysSetupWidget::onConfirmClick, Qt::QueuedConnection);
}

QVBoxLayout* ZtSysSetupWidget::contentLayout() const
{
    return static_cast<QVBoxLayout*>(mContent->layout());
}

void ZtSysSetupWidget::addTab(const SysTitleInfo& info)
{
    mTitle->setText(QStringLiteral("● ") + info.title());
    QVBoxLayout* content = contentLayout();
    const auto sections = info.getList();
    for (const SysTitleInfo::Section& section : sections) {
        auto* heading = new QLabel(section.first, mContent);
        heading->setObjectName(QStringLiteral("title"));
        content->addWidget(heading);
        content->addSpacing(10);
        for (const SysContentInfo& option : section.second) {
            const bool stored =
                PubConfig::ReadConfig(QStringLiteral("SysSetupInfo"), QStringLiteral("Sys%1").arg(int(option.getData())))
                    .toBool();
            QAbstractButton* button = nullptr;
            switch (option.getType()) {
            case XmlType_CheckBox:
                button = new QCheckBox(option.text(), mContent);
                break;
            case XmlType_RadioButton:
                // All radio buttons share the content widget as parent: one exclusive set per page.
                button = new QRadioButton(option.text(), mContent);
                break;
            case XmlType_Label:
                content->addWidget(new QLabel(option.text(), mContent));
                break;
            default:
                break;
            }
            if (button) {
                button->setChecked(stored);
                mOptions.insert(button, option);
                content->addWidget(button);
            }
            content->addSpacing(10);
        }
    }
    content->addStretch();
}

void ZtSysSetupWidget::addPwdTab()
{
    mTitle->setText(QStringLiteral("● 修改密码"));
    QVBoxLayout* content = contentLayout();
    content->addWidget(new QLabel(QStringLiteral("为了确保您的账户安全，请点击修改登录密码进行修改密码。"), mContent));
    content->addSpacing(50);
    auto* link = new QLabel(QStringLiteral("<style>a{text-decoration:none;color:#0B8AEE;font-size:12px;} "
                                           "a:hover{color:red;} </style> <a href='update'>修改登录密码</a>"),
                            mContent);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this, &ZtSysSetupWidget::doLinkActivated);
    content->addWidget(link);
    content->addSpacing(10);
    content->addWidget(new QLabel(QStringLiteral("修改您的登录密码，修改后将需要重新登录"), mContent));
    content->addStretch();
}

void ZtSysSetupWidget::doLinkActivated(const QString& link)
{
    if (link == QLatin1String("update"))
        emit onUpatePwdClick();
}
