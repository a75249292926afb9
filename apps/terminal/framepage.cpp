// Demo page: the left menu switching the pages of a tab widget, and a frameless dialog.
#include "terminalpages.h"

#include <controls/zttoolbutton.h>
#include <frame/ztformmainbase.h>
#include <frame/ztmainmenu.h>
#include <frame/zttabwidget.h>
#include <framework/ztlayoutbase.h>

#include <pubcache/pubconfig.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

class FramePage : public ZtLayoutBase
{
public:
    explicit FramePage(QWidget* parent)
        : ZtLayoutBase(QStringLiteral("FramePage"), nullptr)
    {
        setParent(parent);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);

        auto* menu = new ZtMainMenu(this, false);
        menu->setButtonHeight(48);
        menu->setFixedWidth(72);
        const QList<ZtToolButton*> buttons = menu->load(QStringLiteral("LeftMenu"));
        row->addWidget(menu);

        auto* right = new QVBoxLayout;
        auto* tabs = new ZtTabWidget(this, QTabWidget::North);
        for (ZtToolButton* button : buttons) {
            const ZtXMLMenu entry = button->getXmlData();
            if (!entry.getIsChecked())
                continue;
            auto* page = new ZtLayoutBase(entry.getTabName(), this);
            auto* box = new QVBoxLayout(page);
            const int subEntries = PubConfig::getPubMenuNode(entry.getTabName()).size();
            box->addWidget(new QLabel(QStringLiteral("%1 (%2)：%3 个子菜单")
                                          .arg(entry.getText(), entry.getTabName())
                                          .arg(subEntries)));
            box->addStretch();
            tabs->addTab(page, entry.getText(), true);
        }
        tabs->addStretch();
        right->addWidget(tabs, 1);

        auto* dialogRow = new QHBoxLayout;
        auto* open = new QPushButton(QStringLiteral("打开对话框"));
        auto* result = new QLabel(QStringLiteral("对话框返回：-"));
        dialogRow->addWidget(open);
        dialogRow->addWidget(result);
        dialogRow->addStretch();
        right->addLayout(dialogRow);
        row->addLayout(right, 1);

        connect(menu, &ZtMainMenu::onSyncClicked, tabs, [tabs](ZtToolButton* button, bool) {
            tabs->setCurrentWidget(button->getXmlData().getTabName());
        });
        // A tab clicked by the user only marks its menu entry; checking it silently avoids a loop.
        connect(tabs, &ZtTabWidget::onCurrentChanged, menu, [buttons](ZtLayoutBase* page) {
            for (ZtToolButton* button : buttons)
                if (page && button->getXmlData().getTabName() == page->objectName())
                    button->setChecked(true);
        });
        connect(open, &QPushButton::clicked, this, [this, result] {
            auto* dialog = new ZtFormMainBase(this);
            dialog->setWindowTitle(QStringLiteral("确认"));
            dialog->setSetTopmizeBtn(true);
            auto* box = new QVBoxLayout;
            box->addWidget(new QLabel(QStringLiteral("选择一个返回码：")));
            auto* buttonsRow = new QHBoxLayout;
            for (int code : {1, 2}) {
                auto* b = new QPushButton(QStringLiteral("返回 %1").arg(code));
                connect(b, &QPushButton::clicked, dialog, [dialog, code] { dialog->setDialogCode(code); });
                buttonsRow->addWidget(b);
            }
            box->addLayout(buttonsRow);
            dialog->setLayout(box);
            dialog->resize(300, 140);
            result->setText(QStringLiteral("对话框返回：%1").arg(dialog->showDialog()));
        });
        menu->checkedMenu(0);
    }
};

const TerminalPage::Registration reg(QStringLiteral("frame"), QStringLiteral("窗口与标签"), 80,
                                     [](QWidget* parent) { return new FramePage(parent); });

} // namespace
