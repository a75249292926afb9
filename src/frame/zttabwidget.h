#pragma once

#include "ztcontrollib_global.h"

#include <QList>
#include <QPixmap>
#include <QTabWidget>
#include <QWidget>

class QBoxLayout;
class ZtButtonGroup;
class ZtLayoutBase;
class ZtTabButton;

// Tabs for panels: a bar of ZtTabButtons on one side of a page area, where only the
// page of the checked tab is visible. Tabs are sized to their text, can be hidden
// without being removed and closed with their own small button.
class ZTCONTROLLIB_EXPORT ZtTabWidget : public QWidget
{
    Q_OBJECT

public:
    explicit ZtTabWidget(QWidget* parent = nullptr, QTabWidget::TabPosition position = QTabWidget::North);

    ZtTabButton* addTab(ZtLayoutBase* page, const QString& text, const QPixmap& icon, bool closable = false);
    ZtTabButton* addTab(ZtLayoutBase* page, const QString& text, bool closable = false);
    void addStretch();

    int count() const { return mButtons.size(); }
    int currentIndex() const;
    ZtLayoutBase* currentWidget() const;
    ZtLayoutBase* widget(int index) const;
    ZtTabButton* tabButton(int index) const;

    void setCurrentIndex(int index);
    void setCurrentWidget(ZtLayoutBase* page);
    // Every tab of that object name is clicked in turn, so the last one ends current.
    void setCurrentWidget(const QString& name);

    // Shows or hides a tab; its page stays. Hiding the current tab moves to another one.
    void setHideTable(ZtLayoutBase* page, bool visible);
    void setHideTable(int index, bool visible);

    void setTitleHeight(int height);
    void setTitleWidth(int width);
    void setMaxBthWidth(int width) { mMaxBtnWidth = width; }
    void setMaxBtnHeight(int height) { mMaxBtnHeight = height; }
    bool isHorizontal() const { return mIsHorizontal; }
    QWidget* titleWidget() const { return mTitleWidget; }
    QWidget* subWidget() const { return mSubWidget; }

signals:
    void onCurrentChanged(ZtLayoutBase* page);

protected:
    void focusInEvent(QFocusEvent* event) override;

private slots:
    void doCloseClick(ZtTabButton* _tempButton);

private:
    QWidget* mMainWidget;
    QWidget* mTitleWidget;
    QWidget* mSubWidget;
    QBoxLayout* mTitleLayout;
    ZtButtonGroup* mGroup;
    QList<ZtTabButton*> mButtons;
    int mMaxBtnWidth = 0;
    int mMaxBtnHeight = 0;
    bool mIsHorizontal = true;
};
