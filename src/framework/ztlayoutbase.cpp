#include "ztlayoutbase.h"

#include <QFocusEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>
#include <QWheelEvent>

namespace {
void registerRelayTypes()
{
    qRegisterMetaType<DQDUnionReader>("DQDUnionReader");
    qRegisterMetaType<QWidget*>("QWidget*");
    qRegisterMetaType<enumStockSubType>("enumStockSubType");
    qRegisterMetaType<enumOpenWindow>("enumOpenWindow");
}
}

ZtLayoutBase::ZtLayoutBase(ZtLayoutBase* parent) : QWidget(parent), ZtXMLMenu(QHash<QString, QString>())
{
    connectZtLayoutBase(parent);
}

ZtLayoutBase::ZtLayoutBase(QHash<QString, QString> properties, ZtLayoutBase* parent)
    : QWidget(parent), ZtXMLMenu(properties)
{
    setObjectName(getName());
    connectZtLayoutBase(parent);
}

ZtLayoutBase::ZtLayoutBase(QString name, ZtLayoutBase* parent)
    : QWidget(parent), ZtXMLMenu(QHash<QString, QString>())
{
    setObjectName(parent ? name + QLatin1Char('-') + parent->objectName() : name);
    connectZtLayoutBase(parent);
}

ZtLayoutBase::~ZtLayoutBase() = default;

void ZtLayoutBase::connectZtLayoutBase(ZtLayoutBase* parent)
{
    registerRelayTypes();
    if (!parent)
        return;
    using B = ZtLayoutBase;

    // Input events: directly, while the event object is still alive.
    connect(this, &B::onKeyPressEvent, parent, &B::doKeyPressEvent);
    connect(this, &B::onKeyReleaseEvent, parent, &B::doKeyReleaseEvent);
    connect(this, &B::onWheelEvent, parent, &B::doWheelEvent);
    connect(this, &B::onMousePressEvent, parent, &B::doMousePressEvent);
    connect(this, &B::onMouseReleaseEvent, parent, &B::doMouseReleaseEvent);
    connect(this, &B::onMouseDoubleClickEvent, parent, &B::doMouseDoubleClickEvent);

    // Requests from web pages and account dialogs: one event-loop pass per level, so
    // a handler never runs inside the page's own call.
    connect(this, &B::onGetImMessage, parent, &B::doGetImMessage, Qt::QueuedConnection);
    connect(this, &B::onGetOpenTab, parent, &B::doGetOpenTab, Qt::QueuedConnection);
    connect(this, &B::onGetOpenForm, parent, &B::doGetOpenForm, Qt::QueuedConnection);
    connect(this, &B::onGetWebStock, parent, &B::doGetWebStock, Qt::QueuedConnection);
    connect(this, &B::onGetLoginAgain, parent, &B::doGetLoginAgain, Qt::QueuedConnection);
    connect(this, &B::onGetRegisterUser, parent, &B::doGetRegisterUser, Qt::QueuedConnection);
    connect(this, &B::onOpenImUrlString, parent, &B::doOpenImUrlString, Qt::QueuedConnection);
    connect(this, &B::onJavaScriptAlert, parent, &B::doJavaScriptAlert, Qt::QueuedConnection);
    connect(this, &B::onGetWebStockClick, parent, &B::doGetWebStockClick, Qt::QueuedConnection);
    connect(this, &B::onNoticeMessageCount, parent, &B::doNoticeMessageCount, Qt::QueuedConnection);
    connect(this, &B::onGetWebClose, parent, &B::doGetWebClose, Qt::QueuedConnection);
    connect(this, &B::onGetSetupZxg, parent, &B::doGetSetupZxg, Qt::QueuedConnection);
    connect(this, &B::onUpdateNickName, parent, &B::doUpdateNickName, Qt::QueuedConnection);
    connect(this, &B::onGetAddStock, parent, &B::doGetAddStock, Qt::QueuedConnection);

    // Stock requests.
    connect(this, &B::onOpenWindow, parent, &B::doOpenWindow);
    connect(this, &B::onChildShowMe, parent, &B::doChildShowMe);
    connect(this, &B::onFocusStock, parent, &B::doFocusStock);
    connect(this, &B::onGotoStock, parent, &B::doGotoStock);
    connect(this, &B::onOpenStockDialog, parent, &B::doOpenStockDialog);

    // The one broadcast that goes down.
    connect(parent, &B::onResetUpdStock, this, &B::doResetUpdStock);
}

void ZtLayoutBase::setKeyFocus(bool keyFocus)
{
    mKeyFocus = keyFocus;
}

void ZtLayoutBase::setMainChildWidget(QWidget* w)
{
    mMainChildWidget = w;
    if (w)
        w->setFocus(Qt::OtherFocusReason);
}

void ZtLayoutBase::disconnectZtLayoutBase(ZtLayoutBase* other)
{
    if (!other)
        return;
    using B = ZtLayoutBase;
    disconnect(this, &B::onKeyPressEvent, other, &B::doKeyPressEvent);
    disconnect(this, &B::onKeyReleaseEvent, other, &B::doKeyReleaseEvent);
    disconnect(this, &B::onWheelEvent, other, &B::doWheelEvent);
    disconnect(this, &B::onMousePressEvent, other, &B::doMousePressEvent);
    disconnect(this, &B::onMouseReleaseEvent, other, &B::doMouseReleaseEvent);
    disconnect(this, &B::onMouseDoubleClickEvent, other, &B::doMouseDoubleClickEvent);
}

void ZtLayoutBase::doGetWebClose()
{
    emit onGetWebClose();
}

void ZtLayoutBase::doJavaScriptAlert(QString msg)
{
    emit onJavaScriptAlert(msg);
}

void ZtLayoutBase::doGetWebStock(QString stockCode)
{
    emit onGetWebStock(stockCode);
}

void ZtLayoutBase::doGetImMessage(QJsonObject json)
{
    emit onGetImMessage(json);
}

void ZtLayoutBase::doUpdateNickName(QString nickName)
{
    emit onUpdateNickName(nickName);
}

void ZtLayoutBase::doNoticeMessageCount(QString number)
{
    emit onNoticeMessageCount(number);
}

void ZtLayoutBase::doOpenImUrlString(QString urlString)
{
    emit onOpenImUrlString(urlString);
}

void ZtLayoutBase::doGetSetupZxg(QWidget* parent)
{
    emit onGetSetupZxg(parent);
}

void ZtLayoutBase::doGetLoginAgain(QWidget* parent)
{
    emit onGetLoginAgain(parent);
}

void ZtLayoutBase::doGetRegisterUser(QWidget* parent)
{
    emit onGetRegisterUser(parent);
}

void ZtLayoutBase::doGetOpenForm(QString mUrl, bool showClose)
{
    emit onGetOpenForm(mUrl, showClose);
}

void ZtLayoutBase::doGetAddStock(QString stockCode, QWidget* parent)
{
    emit onGetAddStock(stockCode, parent);
}

void ZtLayoutBase::doGetWebStockClick(QString stockCode, QString Index)
{
    emit onGetWebStockClick(stockCode, Index);
}

void ZtLayoutBase::doGetOpenTab(QString text, QString name, QString tabname, QString url, QString target)
{
    emit onGetOpenTab(text, name, tabname, url, target);
}

void ZtLayoutBase::doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event)
{
    emit onWheelEvent(obj, event);
}

void ZtLayoutBase::doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    emit onKeyPressEvent(obj, event);
}

void ZtLayoutBase::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    emit onKeyReleaseEvent(obj, event);
}

void ZtLayoutBase::doMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event)
{
    emit onMousePressEvent(obj, event);
}

void ZtLayoutBase::doMouseReleaseEvent(ZtLayoutBase* obj, QMouseEvent* event)
{
    emit onMouseReleaseEvent(obj, event);
}

void ZtLayoutBase::doMouseDoubleClickEvent(ZtLayoutBase* obj, QMouseEvent* event)
{
    emit onMouseDoubleClickEvent(obj, event);
}

void ZtLayoutBase::doResetUpdStock(DQDUnionReader rowReader)
{
    if (rowReader.isEmpty())
        return;
    doQNowDataUpdStock(rowReader);
    emit onResetUpdStock(rowReader);
}

void ZtLayoutBase::doOpenWindow(enumOpenWindow type, QList<QVariant> dataList)
{
    emit onOpenWindow(type, dataList);
}

void ZtLayoutBase::doChildShowMe(QString stockCode, bool isDline, qlonglong llDatetime)
{
    emit onChildShowMe(stockCode, isDline, llDatetime);
}

void ZtLayoutBase::doFocusStock(ZtLayoutBase* obj, DQDUnionReader rowReader)
{
    emit onFocusStock(obj, rowReader);
}

void ZtLayoutBase::doGotoStock(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, DQDDataList nowquery,
                               enumStockSubType type)
{
    emit onGotoStock(obj, focusQDDNow, nowquery, type);
}

void ZtLayoutBase::doOpenStockDialog(ZtLayoutBase* obj, DQDUnionReader focusQDDNow, enumStockSubType type)
{
    emit onOpenStockDialog(obj, focusQDDNow, type);
}

void ZtLayoutBase::doQNowDataUpdStock(DQDUnionReader) {}

// A panel keeps every input event it relays, handled or not: Qt hands an
// ignored event to the parent widget, whose panel would relay it once more.
void ZtLayoutBase::mousePressEvent(QMouseEvent* event)
{
    doMousePressEvent(this, event);
    event->accept();
}

void ZtLayoutBase::mouseReleaseEvent(QMouseEvent* event)
{
    doMouseReleaseEvent(this, event);
    event->accept();
}

void ZtLayoutBase::mouseDoubleClickEvent(QMouseEvent* event)
{
    doMouseDoubleClickEvent(this, event);
    event->accept();
}

void ZtLayoutBase::wheelEvent(QWheelEvent* event)
{
    doWheelEvent(this, event);
    event->accept();
}

void ZtLayoutBase::keyPressEvent(QKeyEvent* event)
{
    doKeyPressEvent(this, event);
    event->accept();
}

void ZtLayoutBase::keyReleaseEvent(QKeyEvent* event)
{
    doKeyReleaseEvent(this, event);
    event->accept();
}

void ZtLayoutBase::focusInEvent(QFocusEvent* event)
{
    if (mMainChildWidget) {
        mMainChildWidget->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::focusInEvent(event);
}

void ZtLayoutBase::showEvent(QShowEvent* event)
{
    if (mKeyFocus)
        setFocus(Qt::OtherFocusReason);
    QWidget::showEvent(event);
}

void ZtLayoutBase::hideEvent(QHideEvent* event)
{
    if (mKeyFocus)
        clearFocus();
    QWidget::hideEvent(event);
}
