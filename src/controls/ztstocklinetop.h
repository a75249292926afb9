#pragma once

#include "controls/ztpushbutton.h"
#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/pushdatamenu.h>

#include <QList>
#include <QString>

class UserMenuAction;
class ZtDisColour;
class ZtStockGroupBox;

// The thin bar over a security's view: fold buttons, the code (a click shows the
// name), the host's buttons, "显示" with the chart-count menu, "画线" and "F10".
// It acts on nothing itself; every press becomes one of its signals.
class ZTCONTROLLIB_EXPORT ZtStockLineTop : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtStockLineTop(ZtLayoutBase* parent = nullptr);

    void appendGroup(QList<PushDataMenu> records);
    void setChecked(int index);
    void setChecked(QString name);
    int getCheckedMenu(int index) const;
    bool setCheckedMenu(int index, bool forward);
    void resetStock(DQDUnionReader row);
    void replaceStock(DQDUnionReader row);
    void setFixedHeight(int h);
    void setVisableGroup(bool visible);

    ZtPushButton* foldLeftButton() const { return mFoldLeft; }
    ZtDisColour* codeLabel() const { return mCodeLabel; }
    ZtPushButton* displayButton() const { return mDisplay; }
    ZtPushButton* f10Button() const { return mF10; }
    ZtPushButton* foldFullButton() const { return mFoldFull; }
    ZtPushButton* foldRightButton() const { return mFoldRight; }
    ZtPushButton* toolButton() const { return mTool; }
    ZtStockGroupBox* lineBox() const { return mLineBox; }

signals:
    void onFoldLeftClick(bool checked);
    void onFoldFullClick(bool checked);
    void onFoldRighClick(bool checked);
    void onPushsF10Click(bool checked);
    void onPushsToolClick(bool checked);
    void onLineBoxClicked(PushDataMenu record);
    void onCliclButtonMenu(ZtPushButton* button, UserMenuAction* action);

public slots:
    void doSetPushsToolFalse();
    void doSetPushsToolTrue();
    void doSyncClicked(ZtPushButton* button, bool ischecked);

private:
    void showCode(const DQDUnionReader& row);

    int mButtonHeight = 26;
    DQDUnionReader mStock;
    QWidget* mRow = nullptr;
    ZtPushButton* mFoldLeft = nullptr;
    ZtDisColour* mCodeLabel = nullptr;
    ZtPushButton* mDisplay = nullptr;
    ZtPushButton* mF10 = nullptr;
    ZtPushButton* mFoldFull = nullptr;
    ZtPushButton* mFoldRight = nullptr;
    ZtPushButton* mTool = nullptr;
    ZtStockGroupBox* mLineBox = nullptr;
};
