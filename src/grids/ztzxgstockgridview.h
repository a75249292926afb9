#pragma once

#include "framework/stockqnow.h"
#include "framework/ztlayoutmarketbase.h"
#include "grids/usermenuaction.h"
#include "grids/userrightmenu.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <pubcache/pubcacheenums.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QGridLayout;
class QHideEvent;
class QKeyEvent;
class QMouseEvent;
class QResizeEvent;
class QShowEvent;
class QWheelEvent;
class ZtPushButton;

// One watchlist group, or the browsing history, as live quotes in the painted grid.
// All rows are present and sorted locally; in watchlist mode rows can be dragged
// into a manual order, which is announced (onZxgOrderUpdate) and stored by the owner.
class ZTCONTROLLIB_EXPORT ZtZXGStockGridView : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    // isZxg: true shows a watchlist group, false the history.
    ZtZXGStockGridView(ZtLayoutBase* parent, QList<GridField*> fields, bool isZxg);
    ~ZtZXGStockGridView() override;

    // Codes in manual order and code -> add time, as PubStaticFunc::ZxgGet gives them.
    void InitZxgQNows(QPair<QStringList, QHash<QString, QString>> zxg);
    void InitHisQNows(QVector<QString> codes);
    void setZxgStockType(const QString& type) { mZxgStockType = type; }
    QString getZxgStockType() const { return mZxgStockType; }
    void setCanManualSequence(bool on);
    void setSortKey(unsigned int key, bool desc);

    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    UserRightMenu* getMenu() { return &mMenu; }
    ZtPushButton* getResetButton() const { return mResetButton; }
    QStringList getZxgCodes() const { return mZxgCodes; }

signals:
    void onShowEvent(QString objName);
    void onZxgOrderUpdate(int oldIndex, int newIndex);

public slots:
    void doZxgRefresh(QString code, enumZxgOperate zxgType);
    void doShowXXDLBox(QString stockCode);
    void doManualSequenceChange(int oldIndex, int newIndex);
    void doResetClick();
    void doAboutToShowMenu(QList<UserMenuAction*> mList);
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);
    void doCliclChileMenu(UserMenuAction* userAction, enumRightMenuType mParentData);
    void doCliclParentMenu(UserMenuAction* mClickAction);
    void doDataUpdate();
    void doDataRepaint() override;
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;
    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QList<RightMenu> menuList() const;
    void rebuildMoveMenu();
    void moveToGroup(const QString& groupName);
    void startQuotes(const QStringList& codes);

    QGridLayout* mLayout = nullptr;
    ZtWidgetStockGrid* mGrid = nullptr;
    ZtPushButton* mResetButton = nullptr;
    bool mIsZxg = true;
    StockQNow mStockQNow;
    QString mZxgStockType;
    QStringList mZxgCodes;
    QHash<QString, QString> mZxgTimes;
    UserRightMenu mMenu;
    // The column this panel adds in watchlist mode (date added).
    std::unique_ptr<GridField> mAddTimeField;
};
