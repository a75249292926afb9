// Demo page: tab bars on the other three sides, a frameless dialog and a full-screen web view.
#include "terminalpages.h"

#include <frame/ztformmainbase.h>
#include <frame/ztfullscreen.h>
#include <frame/zttabwidget.h>
#include <framework/ztlayoutbase.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>

namespace {

ZtTabWidget* sampleTabs(QWidget* parent, QTabWidget::TabPosition position, const QString& side)
{
    auto* tabs = new ZtTabWidget(parent, position);
    const bool horizontal = tabs->isHorizontal();
    const QStringList titles = horizontal ? QStringList{QStringLiteral("成交明细"), QStringLiteral("分价表"),
                                                        QStringLiteral("大单追踪")}
                                          : QStringList{QStringLiteral("盘"), QStringLiteral("值"),
                                                        QStringLiteral("财")};
    for (const QString& title : titles) {
        auto* page = new ZtLayoutBase(side + title, nullptr);
        auto* box = new QVBoxLayout(page);
        box->addWidget(new QLabel(QStringLiteral("%1：%2").arg(side, title), page), 0, Qt::AlignCenter);
        // Side bars are narrow: their tabs carry one character and no close box.
        tabs->addTab(page, title, horizontal);
    }
    tabs->addStretch();
    return tabs;
}

class FramePage : public ZtLayoutBase
{
public:
    explicit FramePage(QWidget* parent, TerminalShell& shell)
        : ZtLayoutBase(QStringLiteral("FramePage"), nullptr)
    {
        setParent(parent);
        auto* layout = new QVBoxLayout(this);

        auto* sides = new QGridLayout;
        QList<ZtTabWidget*> tabs;
        const std::pair<QTabWidget::TabPosition, QString> placements[] = {
            {QTabWidget::South, QStringLiteral("下方")},
            {QTabWidget::East, QStringLiteral("左侧")},
            {QTabWidget::West, QStringLiteral("右侧")}};
        for (const auto& [position, side] : placements) {
            auto* frame = new QGroupBox(QStringLiteral("标签在%1").arg(side), this);
            auto* box = new QVBoxLayout(frame);
            tabs << sampleTabs(frame, position, side);
            box->addWidget(tabs.last());
            sides->addWidget(frame, 0, sides->count());
        }
        layout->addLayout(sides, 1);

        auto* controls = new QHBoxLayout;
        auto* hide = new QCheckBox(QStringLiteral("隐藏第二个标签（页面保留）"), this);
        auto* open = new QPushButton(QStringLiteral("打开对话框"), this);
        auto* full = new QPushButton(QStringLiteral("全屏网页"), this);
        auto* result = new QLabel(QStringLiteral("对话框返回：-"), this);
        controls->addWidget(hide);
        controls->addWidget(open);
        controls->addWidget(full);
        controls->addWidget(result);
        controls->addStretch();
        layout->addLayout(controls);

        connect(hide, &QCheckBox::toggled, this, [tabs](bool on) {
            for (ZtTabWidget* t : tabs)
                t->setHideTable(1, !on);
        });
        connect(open, &QPushButton::clicked, this, [&shell, result] {
            result->setText(QStringLiteral("对话框返回：%1").arg(askCode(shell.mainWindow())));
        });
        connect(full, &QPushButton::clicked, this, [this, full, &shell] {
            auto* view = new ZtFullScreen(full);
            mFullScreen = view;
            view->setAttribute(Qt::WA_DeleteOnClose);
            // A page whose renderer dies closes; the terminal goes on.
            connect(view->page(), &QWebEnginePage::renderProcessTerminated, view,
                    [view, &shell](QWebEnginePage::RenderProcessTerminationStatus status) {
                        if (status == QWebEnginePage::NormalTerminationStatus)
                            return;
                        shell.showStatus(QStringLiteral("网页进程意外退出，全屏网页已关闭"), 10000);
                        view->close();
                    });
            view->setHtml(QStringLiteral(
                "<html><body style='background:#101014;color:#E6E6E6;font-size:28px;text-align:center'>"
                "<p style='margin-top:30%'>全屏网页：按 Esc 退出</p>"
                "<script>window.exitScreen = function () {};</script></body></html>"));
        });
    }

    // The web view is a window of its own; it must go before the web profile does,
    // which ends with the application.
    ~FramePage() override { delete mFullScreen; }

private:
    QPointer<ZtFullScreen> mFullScreen;

    // A frameless dialog over the main window that returns the code of the button clicked.
    static int askCode(ZtFormMainBase* over)
    {
        auto* dialog = new ZtFormMainBase(over);
        dialog->setWindowTitle(QStringLiteral("确认"));
        dialog->setSetTopmizeBtn(true);
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(QStringLiteral("选择一个返回码（Esc 返回 0）：")));
        auto* buttons = new QHBoxLayout;
        for (int code : {1, 2}) {
            auto* b = new QPushButton(QStringLiteral("返回 %1").arg(code));
            QObject::connect(b, &QPushButton::clicked, dialog, [dialog, code] { dialog->setDialogCode(code); });
            buttons->addWidget(b);
        }
        box->addLayout(buttons);
        dialog->setLayout(box);
        dialog->resize(300, 140);
        return dialog->showDialog();
    }
};

const TerminalPage::Registration reg(QStringLiteral("frame"), QStringLiteral("窗口与标签"), demoGroupName(), 80,
                                     [](QWidget* parent, TerminalShell& shell) {
                                         return new FramePage(parent, shell);
                                     },
                                     QStringLiteral("tab bars on three sides, a frameless dialog, a full-screen web page"));

} // namespace
