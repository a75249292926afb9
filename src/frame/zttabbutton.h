#pragma once

#include "ztcontrollib_global.h"

#include <QPushButton>

class QLabel;
class QPixmap;
class ZtLayoutBase;
class ZtToolButton;

// One tab of a ZtTabWidget: a text, an optional icon and an optional small close
// button. Checking the button shows its page, unchecking hides it.
class ZTCONTROLLIB_EXPORT ZtTabButton : public QPushButton
{
    Q_OBJECT

public:
    ZtTabButton(bool closable, ZtLayoutBase* page, QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    void setIcon(const QPixmap& pixmap);
    // Silent: the page is not shown or hidden and nothing is reported.
    void setChecked(bool checked);
    void setIsForceCheck(bool force) { mIsForceCheck = force; }
    bool getIsForceCheck() const { return mIsForceCheck; }
    ZtLayoutBase* getSubWidget() const { return mSubWidget; }
    ZtToolButton* closeButton() const { return mCloseButton; }

    // Makes this tab current: checked, page shown, reported.
    void click();

signals:
    void onCurrentClick();
    void onCloseClick(ZtTabButton* _tempButton);
    void onCurrentChanged(ZtLayoutBase* page);

private slots:
    void doCloseClick();
    void dotoggled(bool checked);

private:
    QLabel* mIconLabel;
    QLabel* mTextLabel;
    ZtToolButton* mCloseButton;
    ZtLayoutBase* mSubWidget;
    bool mEmitToggled = true;
    bool mIsForceCheck = false;
};
