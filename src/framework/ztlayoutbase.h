#pragma once

#include "framework/ztlayoutenums.h"
#include "ztcontrollib_global.h"

#include <pubcache/ztxmlmenu.h>
#include <ztlib/dqdquery.h>
#include <ztlib/dqdreader.h>

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

class QFocusEvent;
class QHideEvent;
class QKeyEvent;
class QMouseEvent;
class QShowEvent;
class QWheelEvent;

// The base of every panel. A panel is wired to the panel it was created under, so the
// panels of a window form a relay tree: each item a panel does not handle goes up one
// level (signal on…, parent's virtual slot do…, which re-emits on… by default), and
// onResetUpdStock goes down to every descendant. Override a do… slot to handle an
// item; an override that does not call the base stops it there.
class ZTCONTROLLIB_EXPORT ZtLayoutBase : public QWidget, public ZtXMLMenu
{
    Q_OBJECT
public:
    explicit ZtLayoutBase(ZtLayoutBase* parent);
    ZtLayoutBase(QHash<QString, QString> properties, ZtLayoutBase* parent);
    ZtLayoutBase(QString name, ZtLayoutBase* parent);
    ~ZtLayoutBase() override;

    void setKeyFocus(bool keyFocus);
    void setMainChildWidget(QWidget* w);
    // Cuts only the input-event relays from this panel to `other`; requests still pass.
    void disconnectZtLayoutBase(ZtLayoutBase* other);

signals:
    void onGetWebClose();
    void onJavaScriptAlert(QString msg);
    void onGetWebStock(QString stockCode);
    void onGetImMessage(QJsonObject json);
    void onUpdateNickName(QString nickName);
    void onNoticeMessageCount(QString number);
    void onOpenImUrlString(QString urlString);
    void onGetSetupZxg(QWidget* parent = nullptr);
    void onGetLoginAgain(QWidget* parent = nullptr);
    void onGetRegisterUser(QWidget* parent = nullptr);
    void onGetOpenForm(QString mUrl, bool showClose = true);
    void onGetWebStockClick(QString stockCode, QString Index);
    void onGetAddStock(QString stockCode, QWidget* parent = nullptr);
    void onGetOpenTab(QString text, QString name, QString tabname, QString url, QString target);
    void onKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event);
    void onKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event);
    void onWheelEvent(ZtLayoutBase* obj, QWheelEvent* event);
    void onMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event);
    void onMouseReleaseEvent(ZtLayoutBase* obj, QMouseEvent* event);
    void onMouseDoubleClickEvent(ZtLayoutBase* obj, QMouseEvent* event);
    void onOpenWindow(enumOpenWindow type, QList<QVariant> dataList = QList<QVariant>());
    void onChildShowMe(QString stockCode, bool isDline, qlonglong llDatetime = -1);
    void onFocusStock(ZtLayoutBase* obj, DQDUnionReader rowReader);
    void onGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                     enumStockSubType type = StockSubType_Chart);
    void onOpenStockDialog(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, enumStockSubType type);
    void onResetUpdStock(DQDUnionReader rowReader);

public slots:
    virtual void doGetWebClose();
    virtual void doJavaScriptAlert(QString msg);
    virtual void doGetWebStock(QString stockCode);
    virtual void doGetImMessage(QJsonObject json);
    virtual void doUpdateNickName(QString nickName);
    virtual void doNoticeMessageCount(QString number);
    virtual void doOpenImUrlString(QString urlString);
    virtual void doGetSetupZxg(QWidget* parent = nullptr);
    virtual void doGetLoginAgain(QWidget* parent = nullptr);
    virtual void doGetRegisterUser(QWidget* parent = nullptr);
    virtual void doGetOpenForm(QString mUrl, bool showClose = true);
    virtual void doGetAddStock(QString stockCode, QWidget* parent = nullptr);
    virtual void doGetWebStockClick(QString stockCode, QString Index);
    virtual void doGetOpenTab(QString text, QString name, QString tabname, QString url, QString target);
    virtual void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event);
    virtual void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event);
    virtual void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event);
    virtual void doMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event);
    virtual void doMouseReleaseEvent(ZtLayoutBase* obj, QMouseEvent* event);
    virtual void doMouseDoubleClickEvent(ZtLayoutBase* obj, QMouseEvent* event);
    virtual void doResetUpdStock(DQDUnionReader rowReader);
    virtual void doOpenWindow(enumOpenWindow type, QList<QVariant> dataList);
    virtual void doChildShowMe(QString stockCode, bool isDline, qlonglong llDatetime);
    virtual void doFocusStock(ZtLayoutBase* obj, DQDUnionReader rowReader);
    virtual void doGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                             enumStockSubType type = StockSubType_Chart);
    virtual void doOpenStockDialog(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, enumStockSubType type);
    virtual void doQNowDataUpdStock(DQDUnionReader rowReader);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    bool mKeyFocus = true;
    QWidget* mMainChildWidget = nullptr;

private:
    void connectZtLayoutBase(ZtLayoutBase* parent);
};
