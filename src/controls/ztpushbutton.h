#pragma once

#include "grids/userrightmenu.h"
#include "ztcontrollib_global.h"

#include <pubcache/pushdatamenu.h>

#include <QPointer>
#include <QPushButton>

class QPixmap;

// A push button defined by a PushDataMenu record. Every user choice, a toggle
// or a plain click, is reported through onSyncClicked; changes made by the
// program are silent. An optional drop-down menu behaves as one exclusive
// choice, and a red count badge can be painted over the icon.
class ZTCONTROLLIB_EXPORT ZtPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ZtPushButton(QWidget* parent = nullptr);
    ZtPushButton(const QString& text, QWidget* parent);
    ZtPushButton(const QString& text, const QVariant& data, QWidget* parent);

    void setText(const QString& text);
    void setCheckable(bool checkable);
    // Silent: reports nothing.
    void setChecked(bool checked);
    void setClickId(const QString& clickId);
    PushDataMenu getData() const { return mData; }
    void setIsForceCheck(bool force) { mIsForceCheck = force; }
    bool getIsForceCheck() const { return mIsForceCheck; }
    void setDatas(const PushDataMenu& record);

    void setIcon(const QPixmap& pixmap);
    void setIcon(const QString& path);
    void clearIcon();

    void setPromptNumber(const QString& number);
    QString getPromptNumber() const { return mPromptNumber; }

    void setMenu(const QList<RightMenu>& records);
    UserRightMenu* getMenu() const { return mMenu; }
    void clearMenuChecked();
    int getCheckedMenuIndex() const;
    UserMenuAction* getCheckedMenu() const;
    bool setCheckedMenu(int index);
    bool setCheckedMenu(bool forward);

    // Checks a checkable button silently, then reports true as a user click would.
    void click();

    // The badge shown for a count: "99" above 99, nothing below 1 or for non-numbers.
    static QString promptText(const QString& number);
    // Paints the badge over a centred icon of the given size.
    static void paintPrompt(QWidget* button, const QSize& iconSize, const QString& text);

signals:
    void onSyncClicked(ZtPushButton* button, bool ischecked);
    void onAboutToShowMenu(ZtPushButton* button, QList<UserMenuAction*> mList);
    void onCliclButtonMenu(ZtPushButton* mPushButton, UserMenuAction* mClickAction);

public slots:
    void doclicked(bool checked);
    void dotoggled(bool checked);
    void doSyncClicked(bool istoggl, bool checked);
    void doCliclParentMenu(UserMenuAction* action);
    void doAboutToShowMenu(QList<UserMenuAction*> list);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void init();

    QPointer<UserRightMenu> mMenu;
    QString mPromptNumber;
    PushDataMenu mData{QString(), QVariant()};
    bool mEmitToggled = true;
    bool mIsForceCheck = false;
};
