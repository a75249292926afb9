#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>

class QBoxLayout;
class QButtonGroup;
class ZtToolButton;

// A row or column of buttons, labels and stretches built from a menu definition,
// with a history of clicked entries to step back through.
class ZTCONTROLLIB_EXPORT ZtMainMenu : public ZtLayoutBase
{
    Q_OBJECT

public:
    explicit ZtMainMenu(ZtLayoutBase* parent = nullptr, bool horizontal = false);

    // Replaces every entry with those of the named definition; returns the buttons made.
    QList<ZtToolButton*> load(const QString& name);
    ZtToolButton* load(const QHash<QString, QString>& entry);
    void load(QWidget* widget);

    void checkedMenu(int index);
    int getCheckedMenu() const;
    bool setCheckedName(const QString& name);
    void setCheckedTagName(const QString& tabName);
    void setText(const QString& objectName, const QString& text);

    void addIndentation(ZtToolButton* button);
    void goBackIndentation();
    QList<ZtToolButton*> history() const;

    void setIsAutoSize(bool autoSize) { mIsAutoSize = autoSize; }
    bool getIsAutoSize() const { return mIsAutoSize; }
    void setButtonHeight(int height) { mButtonHeight = height; }
    void setButtonWidth(int width) { mButtonWidth = width; }
    bool isHorizontal() const { return mHorizontal; }
    QList<ZtToolButton*> buttons() const;
    QWidget* innerWidget() const { return mInner; }
    QBoxLayout* boxLayout() const { return mBox; }

signals:
    void onSyncClicked(ZtToolButton* _ztToolButton, bool checked);

private:
    void fit(QWidget* widget) const;

    QWidget* mInner;
    QBoxLayout* mBox;
    QButtonGroup* mGroup;
    // Guarded: a reload deletes the old buttons, and the history is kept across reloads.
    QList<QPointer<ZtToolButton>> mHistory;
    bool mHorizontal;
    bool mIsAutoSize = false;
    int mButtonHeight = 0;
    int mButtonWidth = 0;
};
