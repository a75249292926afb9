// The alert page: a small form adds a condition for a stock, the checker runs for the
// whole window, its messages come up as pop-ups that close by themselves when asked,
// and an indicator shows while alerts run. Also the information-mine box of a stock
// and confirmations through the terminal's message box. The grids' quick-alert menu
// items fill the form.
#include "terminalpages.h"

#include <alerts/formmineinfo.h>
#include <alerts/messageex.h>
#include <alerts/stockwarning.h>
#include <frame/ztformmainbase.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
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
            QApplication::beep();
        if (a.value(QStringLiteral("AutoClose")).toBool())
            QTimer::singleShot(5000, this, [this] { close(); });
    }
};

class AlertsPage : public ZtLayoutBase
{
public:
    AlertsPage(QWidget* parent, TerminalShell& shell) : ZtLayoutBase(QStringLiteral("AlertsPage"), nullptr)
    {
        setParent(parent);
        auto* column = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        mCode = new QLineEdit(QStringLiteral("SH600000"), this);
        mField = new QComboBox(this);
        mField->addItem(QStringLiteral("现价"), ZtField::Last);
        mField->addItem(QStringLiteral("涨幅"), ZtField::ChangeRatio);
        mOp = new QComboBox(this);
        mOp->addItems({QStringLiteral(">="), QStringLiteral("<=")});
        mValue = new QLineEdit(this);
        mPopUp = new QCheckBox(QStringLiteral("弹窗"), this);
        mVoice = new QCheckBox(QStringLiteral("声音"), this);
        mAutoClose = new QCheckBox(QStringLiteral("自动关闭"), this);
        for (QCheckBox* c : {mPopUp, mVoice, mAutoClose})
            c->setChecked(true);
        auto* flags = new QHBoxLayout;
        flags->addWidget(mPopUp);
        flags->addWidget(mVoice);
        flags->addWidget(mAutoClose);
        form->addRow(QStringLiteral("股票"), mCode);
        form->addRow(QStringLiteral("字段"), mField);
        form->addRow(QStringLiteral("条件"), mOp);
        form->addRow(QStringLiteral("数值"), mValue);
        form->addRow(flags);
        column->addLayout(form);
        auto* buttons = new QHBoxLayout;
        auto* add = new QPushButton(QStringLiteral("添加预警"), this);
        add->setObjectName(QStringLiteral("AlertAdd"));
        auto* clear = new QPushButton(QStringLiteral("删除全部预警"), this);
        auto* mine = new QPushButton(QStringLiteral("信息地雷"), this);
        buttons->addWidget(add);
        buttons->addWidget(clear);
        buttons->addWidget(mine);
        buttons->addStretch();
        column->addLayout(buttons);
        mIndicator = new QLabel(this);
        mIndicator->setObjectName(QStringLiteral("AlertIndicator"));
        column->addWidget(mIndicator);
        mLog = new QListWidget(this);
        column->addWidget(mLog, 1);

        connect(add, &QPushButton::clicked, this, [this] { addAlert(); });
        connect(clear, &QPushButton::clicked, this, [this] {
            if (!MessageEx::ShowBoxQuesion(QStringLiteral("删除全部预警条件？"), QStringLiteral("操作提示"), this))
                return;
            for (const QString& code : PubStaticFunc::getYJRegister())
                PubStaticFunc::delYJData(code);
        });
        connect(mine, &QPushButton::clicked, this, [this] {
            MessageEx::ShowMe(mCode->text().trimmed().toUpper(), this, -1, false);
        });

        // The checker is a hidden panel of this page; its messages come up here.
        mWarning = new StockWarning(this);
        connect(mWarning, &StockWarning::onWarningRunning, this, [this](bool on) {
            mIndicator->setText(on ? QStringLiteral("● 预警运行中") : QStringLiteral("○ 无预警"));
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyResult, this, [this] { refreshLog(); });
        mWarning->start();
        refreshLog();

        // The grids' quick-alert menu items arrive on the bus.
        TerminalShell* window = &shell;
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyAdd, this, [this, window](QString code) {
            mCode->setText(code);
            window->showPage(QStringLiteral("alerts"));
            mValue->setFocus();
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onEarlyDel, this, [this](QString code) {
            if (PubStaticFunc::getYJData(code).isEmpty())
                return;
            if (MessageEx::ShowBoxQuesion(QStringLiteral("删除 %1 的全部预警条件？").arg(code), QStringLiteral("操作提示"),
                                          this))
                PubStaticFunc::delYJData(code);
        });
    }

    void doGetImMessage(QJsonObject json) override
    {
        const QJsonObject a = json.value(QStringLiteral("attributes")).toObject();
        if (a.value(QStringLiteral("IsPopUp")).toBool()) {
            auto* popup = new AlertPopup(a);
            popup->showTop();
        }
    }

private:
    void addAlert()
    {
        const QString code = mCode->text().trimmed().toUpper();
        if (code.isEmpty() || mValue->text().trimmed().isEmpty())
            return;
        StockYJModel model = PubStaticFunc::getYJData(code);
        model.setCode(code);
        StockYJCase c(QString::number(QDateTime::currentMSecsSinceEpoch()), mField->currentData().toUInt(),
                      mOp->currentText(), mValue->text().trimmed(), mField->currentText(),
                      QStringLiteral("%1预警").arg(code), mField->currentIndex() == 1 ? QStringLiteral("%") : QStringLiteral("元"));
        c.setPopUp(mPopUp->isChecked());
        c.setVoice(mVoice->isChecked());
        c.setAutoClose(mAutoClose->isChecked());
        model.setCase(c);
        PubStaticFunc::setYJData(model);
    }

    void refreshLog()
    {
        mLog->clear();
        for (const StockYJLog& l : PubStaticFunc::getYJLogData(50))
            mLog->addItem(QStringLiteral("%1  %2 %3  %4").arg(l.getCode(), l.getName(), l.getTitle(), l.getCondition()));
    }

    QLineEdit* mCode;
    QComboBox* mField;
    QComboBox* mOp;
    QLineEdit* mValue;
    QCheckBox* mPopUp;
    QCheckBox* mVoice;
    QCheckBox* mAutoClose;
    QLabel* mIndicator;
    QListWidget* mLog;
    StockWarning* mWarning;
};

const TerminalPage::Registration reg(QStringLiteral("alerts"), QStringLiteral("预警"), QStringLiteral("PageYj"), 0,
                                     [](QWidget* parent, TerminalShell& shell) { return new AlertsPage(parent, shell); },
                                     QStringLiteral("price alerts of the focused stock: the form, the running checker, pop-ups and the log"));

}
