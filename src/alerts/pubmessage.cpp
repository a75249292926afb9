#include "pubmessage.h"

#include "controls/ztpushbutton.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPropertyAnimation>
#include <QVBoxLayout>

namespace {
constexpr int kBarHeight = 50;

PubMessage::RestartFunction& restartFunction()
{
    static PubMessage::RestartFunction f;
    return f;
}

ZtPushButton* makeButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new ZtPushButton(parent);
    b->setObjectName(name);
    b->setFixedSize(76, 26);
    b->setMinimumSize(76, 26);
    b->setCursor(Qt::ArrowCursor);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolTip(text);
    b->setText(text);
    b->hide();
    return b;
}
}

PubMessage::PubMessage(ZtLayoutBase* parent) : ZtFormMainBase(parent)
{
    setWindowTitle(QString());
    setObjectName(QStringLiteral("FormMessge"));
    installEventFilter(this);

    auto* main = new QVBoxLayout;
    main->setSpacing(0);
    main->setContentsMargins(0, 0, 0, 0);
    mContent = new QWidget;
    mButtonBar = new QWidget;
    main->addWidget(mContent);
    main->addWidget(mButtonBar);

    auto* grid = new QGridLayout(mContent);
    grid->setSpacing(5);
    grid->setContentsMargins(5, 5, 5, 5);
    mLabel = new QLabel(mContent);
    mLabel->setWordWrap(true);
    mLabel->setAlignment(Qt::AlignCenter);
    grid->addWidget(mLabel);

    mButtonBar->setObjectName(QStringLiteral("messg_btn"));
    mButtonBar->setFixedHeight(kBarHeight);
    auto* bar = new QHBoxLayout(mButtonBar);
    bar->setSpacing(0);
    bar->setContentsMargins(0, 0, 0, 0);
    mConfirm = makeButton(QStringLiteral("btn_Confirm"), QStringLiteral("确定"), mButtonBar);
    mCancel = makeButton(QStringLiteral("btn_Cancel"), QStringLiteral("取消"), mButtonBar);
    mRelogin = makeButton(QStringLiteral("btn_Relogin"), QStringLiteral("重新登录"), mButtonBar);
    bar->addStretch();
    bar->addWidget(mRelogin);
    bar->addSpacing(10);
    bar->addWidget(mConfirm);
    bar->addSpacing(10);
    bar->addWidget(mCancel);
    bar->addStretch();
    setLayout(main);

    setMinimumSize(300, 150);
    setMaximumSize(580, 150);

    connect(mConfirm, &ZtPushButton::onSyncClicked, this, &PubMessage::doConfirmEvent, Qt::QueuedConnection);
    connect(mCancel, &ZtPushButton::onSyncClicked, this, &PubMessage::doFormCloseEvent, Qt::QueuedConnection);
    connect(mRelogin, &ZtPushButton::onSyncClicked, this, &PubMessage::doReloginEvent, Qt::QueuedConnection);
}

void PubMessage::fill(const QString& text, const QString& title, bool confirm, bool cancel, bool relogin)
{
    setWindowTitle(title);
    mLabel->setText(text);
    mConfirm->setVisible(confirm);
    mCancel->setVisible(cancel);
    mRelogin->setVisible(relogin);
    setFocus();
}

void PubMessage::ShowBox(const QString& text)
{
    fill(text, QStringLiteral("操作提示"), true, false, false);
}

void PubMessage::ShowBox(const QString& text, const QString& title)
{
    fill(text, title, true, false, false);
}

void PubMessage::ShowBoxQuestion(const QString& text, const QString& title)
{
    fill(text, title, true, true, false);
}

void PubMessage::ShowBoxRelogin(const QString& text, const QString& title)
{
    fill(text, title, true, true, true);
}

void PubMessage::setRestartFunction(RestartFunction function)
{
    restartFunction() = std::move(function);
}

void PubMessage::restartApplication()
{
    if (restartFunction()) {
        restartFunction()();
        return;
    }
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
}

void PubMessage::doReloginEvent()
{
    QApplication::closeAllWindows();
    restartApplication();
}

void PubMessage::doFormCloseEvent()
{
    childWindowClose();
}

void PubMessage::doConfirmEvent()
{
    setDialogCode(1);
}

bool PubMessage::eventFilter(QObject* watched, QEvent* event)
{
    // Another box that comes up (a question asked from this one) may take the focus;
    // two boxes taking it back from each other would never stop.
    if (watched == this && event->type() == QEvent::WindowDeactivate && isVisible()
        && !qobject_cast<PubMessage*>(QApplication::activeWindow())) {
        shakeWindow();
        activateWindow();
        setFocus();
        return true;
    }
    return ZtFormMainBase::eventFilter(watched, event);
}

void PubMessage::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if ((key == Qt::Key_W && (event->modifiers() & Qt::ControlModifier)) || key == Qt::Key_Escape
        || key == Qt::Key_Enter || key == Qt::Key_Return) {
        event->accept();
        doFormCloseEvent();
        return;
    }
    ZtFormMainBase::keyPressEvent(event);
}

void PubMessage::paintEvent(QPaintEvent* event)
{
    // A text that does not fit makes the box taller (at its full width) rather than
    // being cut. Measured at the widest the label can be, so the height settles.
    const int title = getWindowTitleHeight();
    const int wanted = mLabel->heightForWidth(maximumWidth() - 10);
    if (wanted > maximumHeight() - kBarHeight - title - 15) {
        mLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        const int height = kBarHeight + wanted + title + 15;
        setMinimumHeight(height);
        setMaximumHeight(height);
        resize(maximumWidth(), height);
    }
    ZtFormMainBase::paintEvent(event);
}

void PubMessage::shakeWindow()
{
    auto* animation = new QPropertyAnimation(this, "geometry", this);
    const QRect start = geometry();
    const int x = frameGeometry().x();
    static const int offsets[] = {-3, 6, -6, 6, -6, 6, -6, 6, -6, 6, -3};
    animation->setDuration(500);
    for (int i = 0; i <= 10; ++i)
        animation->setKeyValueAt(i / 10.0, QRect(x + offsets[i], start.y(), start.width(), start.height()));
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}
