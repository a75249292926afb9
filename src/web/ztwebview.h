#pragma once

#include "ztcontrollib_global.h"

#include <pubcache/logininfo.h>

#include <QJsonObject>
#include <QPointer>

#include "web/ztwebpage.h"
#include <QStringList>
#include <QUrl>
#include <QWebEngineView>

class QTimer;
class QWebChannel;
class WebObject;

// A web view whose page scripts reach the terminal through "WebToQt", and whose page
// hears "qtTowebHome('show'|'hide')" when the view is shown or hidden.
class ZTCONTROLLIB_EXPORT ZtWebView : public QWebEngineView
{
    Q_OBJECT

public:
    explicit ZtWebView(QWidget* parent = nullptr);

    // Installs a page; a new page starts from a clean profile (no cache, no cookies).
    void setPage(ZtWebPage* page);
    // The installed page, wherever it is shown now (the full-screen window borrows it).
    // Unlike page(), this never makes a page of its own.
    ZtWebPage* webPage() const { return mPage; }
    WebObject* webObject() const { return mWebObject; }
    QWebChannel* channel() const { return mChannel; }

    // Runs function(arg1, arg2, ...) in the page; each argument goes in as a JSON string
    // literal, so nothing a user typed can change the script around it.
    void callScript(const QString& function, const QStringList& args);
    static QString scriptCall(const QString& function, const QStringList& args);

signals:
    void onFullScreen();
    void onExitScreen();
    void onGetWebClose();
    void onJavaScriptAlert(QString msg);
    void onSignalOpenWindow(QUrl urlString);
    void onFormClose();
    void ongetStockZxg();
    void onGetSetupZxg();
    void onGetLoginAgain();
    void onGetRegisterUser();
    void onNoticeMessage(QString json);
    void onGetImMessage(QJsonObject json);
    void onGetWebStock(QString stockCode);
    void onGetAddStock(QString stockCode);
    void onUpdateNickName(QString nickName);
    void onNoticeMessageCount(QString number);
    void onGetOpenForm(QString mUrl, bool showClose);
    void onGetOpenForm(QString mUrl);
    void onLoginBack(QString msg, bool status, LoginInfo login);
    void onGetWebStockClick(QString stockCode, QString Index);
    void onGetOpenTab(QString text, QString name, QString tabname, QString url, QString target);

public slots:
    void doShowTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* mShowTimer;
    WebObject* mWebObject;
    QWebChannel* mChannel;
    QPointer<ZtWebPage> mPage;

    friend class PubWebView;
};
