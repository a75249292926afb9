#pragma once

#include "ztcontrollib_global.h"

#include <QWidget>

class QHBoxLayout;
class QLabel;
class ZtPushButton;

// The 30-pixel title bar of a frameless window: icon, title and the pin, minimise,
// maximise and close buttons. It takes no mouse presses, so dragging it drags the window.
class ZTCONTROLLIB_EXPORT ZtFormTitle : public QWidget
{
    Q_OBJECT

public:
    explicit ZtFormTitle(QWidget* parent = nullptr);

    void setWindowTitle(const QString& text);
    QString windowTitleText() const;
    void setTitleAlignment(Qt::Alignment alignment);
    void setWindowIcon(const QPixmap& pixmap);
    void setTitleHeight(int height);
    void setTitleFirstWidget(QWidget* w, int spacing);
    void setTitleLastWidget(QWidget* w, int spacing);
    void setMaxMinmizeBtn(bool visible);
    void setSetTopmizeBtn(bool visible);
    void setClosemizeBtn(bool visible);
    void setTopMizeChecked(bool checked);
    bool getTopMizeButton() const;
    bool getCloseMizeButton() const;
    void setWindowState(Qt::WindowStates state);

    ZtPushButton* topButton() const { return mTopButton; }
    ZtPushButton* minButton() const { return mMinButton; }
    ZtPushButton* maxButton() const { return mMaxButton; }
    ZtPushButton* closeButton() const { return mCloseButton; }
    QHBoxLayout* boxLayout() const { return mBox; }
    QLabel* iconLabel() const { return mIconLabel; }
    QLabel* titleLabel() const { return mTitleLabel; }

signals:
    void onMouseDoubleClick();
    void onWindowMinClick();
    void onWindowMaxClick();
    void onWindowTopClick(bool checked);
    void onWindowCloseClick();

public slots:
    void doWindowTopClick(ZtPushButton* button, bool checked);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ZtPushButton* makeButton(const QString& tip, const QString& icon);

    QWidget* mInner;
    QHBoxLayout* mBox;
    QLabel* mIconLabel;
    QLabel* mTitleLabel;
    ZtPushButton* mTopButton;
    ZtPushButton* mMinButton;
    ZtPushButton* mMaxButton;
    ZtPushButton* mCloseButton;
};
