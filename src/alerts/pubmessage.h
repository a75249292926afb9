#pragma once

#include "frame/ztformmainbase.h"
#include "ztcontrollib_global.h"

#include <functional>

class QLabel;
class ZtPushButton;

// The terminal's own modal message box: a word-wrapped text over up to three
// buttons. It cannot be left by clicking elsewhere; it shakes instead.
class ZTCONTROLLIB_EXPORT PubMessage : public ZtFormMainBase
{
    Q_OBJECT
public:
    explicit PubMessage(ZtLayoutBase* parent);

    void ShowBox(const QString& text);
    void ShowBox(const QString& text, const QString& title);
    void ShowBoxQuestion(const QString& text, const QString& title);
    void ShowBoxRelogin(const QString& text, const QString& title);

    // Starts the terminal again after the re-login button has closed its windows.
    // Replaceable so that a test can check it without losing its own process.
    using RestartFunction = std::function<void()>;
    static void setRestartFunction(RestartFunction function);
    static void restartApplication();

    QLabel* getLabel() const { return mLabel; }
    ZtPushButton* getConfirmButton() const { return mConfirm; }
    ZtPushButton* getCancelButton() const { return mCancel; }
    ZtPushButton* getReloginButton() const { return mRelogin; }

private slots:
    void doReloginEvent();
    void doFormCloseEvent();
    void doConfirmEvent();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fill(const QString& text, const QString& title, bool confirm, bool cancel, bool relogin);
    void shakeWindow();

    QWidget* mContent = nullptr;
    QWidget* mButtonBar = nullptr;
    QLabel* mLabel = nullptr;
    ZtPushButton* mConfirm = nullptr;
    ZtPushButton* mCancel = nullptr;
    ZtPushButton* mRelogin = nullptr;
};
