#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/logininfo.h>
#include <pubcache/stockzxgbk.h>

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QTimer;
class ZtFullScreen;
class ZtWebView;

// A panel holding one web page: it keeps the page address in its menu record, reports
// a load that has not settled within three seconds as failed, moves the page to a
// full-screen window and back, and relays the page's requests up the panel tree.
// As the service page it also calls the page's account, watchlist-cloud and news
// functions and dispatches their answers.
class ZTCONTROLLIB_EXPORT PubWebView : public ZtLayoutBase
{
    Q_OBJECT

public:
    PubWebView(ZtLayoutBase* parent, bool alwaysReload = false);
    ~PubWebView() override;

    void load(QString url);
    void reload();
    void setShowPage();
    void setHidePage();
    bool isSuccess();
    ZtWebView* webView() const { return mWebView; }
    ZtFullScreen* fullScreen() const { return mFullScreen; }
    bool isFullScreen() const { return mIsFullScreen; }

    // Service calls: each runs one page function and returns at once; the answer, if
    // any, comes back through login() or noticeMessage() of the bridge.
    void getLogin(QString user, QString password, QString unused = QString());
    void getLoginCode(QString phone, QString code);
    void getQuickLogin(QString phone, QString code, QString unused = QString());
    void getTouristLogin(QString unused = QString());
    void getCheckLogin(QString name);
    void getCheckUserAd();
    void getLoginOut();
    void getRegister(QString phone, QString code, QString password, QString extra);
    void getRegisterCode(QString phone, QString kind);
    void getFindPassWord(QString phone, QString code, QString password, QString extra);
    void getPasswordCode(QString phone, QString kind);
    void getUpdNickName(QString nickName, QString extra);
    bool getStockList();
    void getSaveStock(QList<StockZxgBK> groups);
    void getHorseRaceLamp();
    void getRefreshBKTitle();
    void noticeWebAddStock(QString stockCode);
    void setWebTheme(QString theme);
    void setUserClick(QString columnCode, QString column, QString module, QString moduleCode);

    // The upload document of getSaveStock.
    static QString zxgUploadJson(const QList<StockZxgBK>& groups);
    // Whether a link may open a tab: its host is one of the trusted hosts or below one.
    static bool isTrustedHost(const QString& host);

signals:
    void onPvnExitOut();
    void onShowUserAdBox();
    void onNoticeMessage(QString josn);
    void onloadFinished(bool isSuccess);
    void onShowLoginAgain(QString YKName);
    void onTitleChanged(QString title);
    void onHorseRaceLamp(QJsonObject JsonObj);
    void onLoginBack(QString msg, bool status, LoginInfo login);
    void onServiceZxgResult(bool isResult, QString type, QString msg);

public slots:
    void doFullScreen();
    void doExitScreen();
    void doCloseScreen();
    void PubWebViewInit();
    void doLoadTimeOut();
    void doGetSetupZxg();
    void doGetLoginAgain();
    void doGetRegisterUser();
    void doloadStarted();
    void doloadFinished(bool success);
    void doNoticeMessage(QString json);
    void doGetAddStock(QString stockCode);
    void doSignalOpenWindow(QUrl urlString);
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;

private:
    void runCall(const QString& function, const QStringList& args);
    void zxgDownload(const QJsonObject& answer, const QString& tag);

    QTimer* mLoadTimer;
    int mLoadTicks = 0;
    bool mSuccess = false;
    bool mAlwaysReload = false;
    bool mIsFullScreen = false;
    bool mEscape = true;
    ZtWebView* mWebView;
    ZtFullScreen* mFullScreen = nullptr;
    // Connections made by PubWebViewInit, cut before it makes them again.
    QList<QMetaObject::Connection> mViewConnections;
};
