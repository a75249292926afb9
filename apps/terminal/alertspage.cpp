// The alert page: a small form adds a condition for a stock, the checker runs for the
// whole window, its messages come up as pop-ups that close by themselves when asked,
// and an indicator in the title bar shows while alerts run. Also the information-mine
// box of a stock, and confirmations and the re-login prompt through the terminal's
// message box. The grids' quick-alert menu items fill the form.
#include "alertform.h"
#include "alertsound.h"
#include "terminalpages.h"

#include <alerts/messageex.h>
#include <alerts/stockwarning.h>
#include <frame/ztformmainbase.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Shows an alert message the way the host is meant to: a small window with the
// condition, closing itself after a few seconds when the alert asks for it.
class AlertPopup : public ZtFormMainBase
{
public:
    explicit AlertPopup(const QJsonObject& a) : ZtFormMainBase(nullptr)
    {
        setWindowTitle(QStringLiteral("预警消息"));
        setObjectName(QStringLiteral("AlertPopup"));
        auto* layout = new QVBoxLayout;
        auto* text = new QLabel(QStringLiteral("%1 %2\n%3\n%4")
                                    .arg(a.value(QStringLiteral("stockCode")).toString(),
                                         a.value(QStringLiteral("stockName")).toString(),
                                         a.value(QStringLiteral("stockYjtj")).toString(),
                                         a.value(QStringLiteral("stockDate")).toString()));
        text->setObjectName(QStringLiteral("AlertText"));
        layout->addWidget(text);
        setLayout(layout);
        resize(280, 120);
        if (a.value(QStringLiteral("IsVoice")).toBool())
            AlertSound::play();
        if (a.value(QStringLiteral("AutoClose")).toBool()) {
            auto* autoClose = new QTimer(this);
            autoClose->setObjectName(QStringLiteral("AlertAutoClose"));
            autoClose->setSingleShot(true);
            connect(autoClose, &QTimer::timeout, this, &QWidget::close);
            autoClose->start(5000);
        }
    }
};

class AlertsPage : public ZtLayoutBase
{
public:
    AlertsPage(QWidget* parent, TerminalShell& shell) : ZtLayoutBase(QStringLiteral("AlertsPage"), nullptr)
    {
        setParent(parent);
        auto* column = new QVBoxLayout(this);
        mForm = new AlertForm(true, this);
        column->addWidget(mForm);
        auto* buttons = new QHBoxLayout;
        auto* clear = new QPushButton(QStringLiteral("删除全部预警"), this);
        auto* mine = new QPushButton(QStringLiteral("信息地雷"), this);
        auto* relogin = new QPushButton(QStringLiteral("登录失效"), this);
        relogin->setObjectName(QStringLiteral("AlertRelogin"));
        relogin->setToolTip(QStringLiteral("模拟账号在别处登录：提示重新登录"));
        buttons->addWidget(clear);
        buttons->addWidget(mine);
        buttons->addWidget(relogin);
        buttons->addStretch();
        column->addLayout(buttons);
        mIndicator = new QLabel(this);
        mIndicator->setObjectName(QStringLiteral("AlertIndicator"));
        column->addWidget(mIndicator);
        mLog = new QListWidget(this);
        column->addWidget(mLog, 1);

        connect(clear, &QPushButton::clicked, this, [this] {
            if (!MessageEx::ShowBoxQuesion(QStringLiteral("删除全部预警条件？"), QStringLiteral("操作提示"), this))
                return;
            for (const QString& code : PubStaticFunc::getYJRegister())
                PubStaticFunc::delYJData(code);
        });
        connect(mine, &QPushButton::clicked, this, [this] { MessageEx::ShowMe(mForm->stock(), this, -1, false); });
        // What the service page's "login elsewhere" notice leads to: the box whose
        // re-login button starts the terminal again.
        connect(relogin, &QPushButton::clicked, this, [this] {
            MessageEx::ShowBoxRelogin(QStringLiteral("您的账号已在其他地方登录，请重新登录。"), QStringLiteral("操作提示"),
                                      this);
        });

        // The checker runs for the whole window; its messages come up through this page,
        // and the title bar shows while alerts run, whatever page is on screen.
        auto* running = new QLabel(QStringLiteral("● 预警"));
        running->setObjectName(QStringLiteral("AlertRunning"));
        running->setToolTip(QStringLiteral("预警运行中"));
        running->setStyleSheet(QStringLiteral("color:#FF9900;"));
        running->hide();
        shell.addTitleWidget(running);
        mRunning = running;
        mWarning = new StockWarning(this);
        connect(mWarning, &StockWarning::onWarningRunning, this, [this](bool on) {
            mIndicator->setText(on ? QStringLiteral("● 预警运行中") : QStringLiteral("○ 无预警"));
            if (mRunning)
                mRunning->setVisible(on);
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyResult, this, [this] { refreshLog(); });
        mWarning->start();
        refreshLog();

        // The grids' quick-alert menu items arrive on the bus.
        TerminalShell* window = &shell;
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyAdd, this, [this, window](QString code) {
            mForm->setStock(code);
            window->showPage(QStringLiteral("alerts"));
            mForm->focusValue();
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyDel, this, [this](QString code) {
            if (PubStaticFunc::getYJData(code).isEmpty())
                return;
            if (MessageEx::ShowBoxQuesion(QStringLiteral("删除 %1 的全部预警条件？").arg(code), QStringLiteral("操作提示"),
                                          this))
                PubStaticFunc::delYJData(code);
        });
    }

    ~AlertsPage() override
    {
        // The title bar may outlive the page.
        delete mRunning;
    }

    void doGetImMessage(QJsonObject json) override
    {
        const QJsonObject a = json.value(QStringLiteral("attributes")).toObject();
        if (a.value(QStringLiteral("IsPopUp")).toBool()) {
            auto* popup = new AlertPopup(a);
            placePopup(popup);
            popup->showTop();
        } else if (a.value(QStringLiteral("IsVoice")).toBool()) {
            AlertSound::play();
        }
    }

private:
    // In the bottom right corner of the screen, above the alerts still open, so a burst
    // of alerts stays readable and the charts stay free.
    static void placePopup(QWidget* popup)
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
        int bottom = area.bottom();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w != popup && w->isVisible() && dynamic_cast<AlertPopup*>(w))
                bottom = std::min(bottom, w->frameGeometry().top() - 6);
        }
        if (bottom - popup->height() < area.top())
            bottom = area.bottom();
        popup->move(area.right() - popup->width() - 10, bottom - popup->height());
    }

    void refreshLog()
    {
        mLog->clear();
        for (const StockYJLog& l : PubStaticFunc::getYJLogData(50))
            mLog->addItem(QStringLiteral("%1  %2 %3  %4").arg(l.getCode(), l.getName(), l.getTitle(), l.getCondition()));
    }

    AlertForm* mForm;
    QLabel* mIndicator;
    QPointer<QLabel> mRunning;
    QListWidget* mLog;
    StockWarning* mWarning;
};

const TerminalPage::Registration reg(QStringLiteral("alerts"), QStringLiteral("预警"), QStringLiteral("PageYj"), 0,
                                     [](QWidget* parent, TerminalShell& shell) { return new AlertsPage(parent, shell); },
                                     QStringLiteral("price alerts of the focused stock: the form, the running checker, pop-ups and the log"));

}
