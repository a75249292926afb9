#include "web/ztwebview.h"

#include "web/webobject.h"
#include "web/ztwebpage.h"

#include <QDebug>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebChannel>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

ZtWebView::ZtWebView(QWidget* parent)
    : QWebEngineView(parent)
    , mShowTimer(new QTimer(this))
    , mWebObject(new WebObject(this))
    , mChannel(new QWebChannel(this))
{
    mShowTimer->setSingleShot(true);
    mShowTimer->setInterval(1000);
    connect(mShowTimer, &QTimer::timeout, this, &ZtWebView::doShowTimer);
    setAttribute(Qt::WA_DeleteOnClose);

    using W = WebObject;
    using V = ZtWebView;
    connect(mWebObject, &W::onFormClose, this, &V::onFormClose);
    connect(mWebObject, &W::onFullScreen, this, &V::onFullScreen);
    connect(mWebObject, &W::onExitScreen, this, &V::onExitScreen);
    connect(mWebObject, &W::onGetSetupZxg, this, &V::onGetSetupZxg);
    connect(mWebObject, &W::onGetLoginAgain, this, &V::onGetLoginAgain);
    connect(mWebObject, &W::onGetRegisterUser, this, &V::onGetRegisterUser);
    connect(mWebObject, &W::onNoticeMessage, this, &V::onNoticeMessage);
    connect(mWebObject, &W::onGetImMessage, this, &V::onGetImMessage);
    connect(mWebObject, &W::onGetWebStock, this, &V::onGetWebStock);
    connect(mWebObject, &W::onGetAddStock, this, &V::onGetAddStock);
    connect(mWebObject, &W::onUpdateNickName, this, &V::onUpdateNickName);
    connect(mWebObject, &W::onNoticeMessageCount, this, &V::onNoticeMessageCount);
    connect(mWebObject, qOverload<QString, bool>(&W::onGetOpenForm), this,
            qOverload<QString, bool>(&V::onGetOpenForm));
    connect(mWebObject, qOverload<QString>(&W::onGetOpenForm), this, qOverload<QString>(&V::onGetOpenForm));
    connect(mWebObject, &W::onLoginBack, this, &V::onLoginBack);
    connect(mWebObject, &W::onGetWebStockClick, this, &V::onGetWebStockClick);
    connect(mWebObject, &W::onGetOpenTab, this, &V::onGetOpenTab);
    mChannel->registerObject(QStringLiteral("WebToQt"), mWebObject);

    setPage(new ZtWebPage(this));
    setAcceptDrops(false);
}

void ZtWebView::setPage(ZtWebPage* page)
{
    if (page) {
        QWebEngineProfile* profile = page->profile();
        profile->clearHttpCache();
        profile->clearAllVisitedLinks();
        profile->cookieStore()->deleteAllCookies();
        profile->cookieStore()->deleteSessionCookies();
        const QString cache = profile->cachePath();
        if (!cache.isEmpty() && QDir(cache).exists()) {
            const bool removed = QDir().rmdir(cache);
            qDebug().noquote() << QStringLiteral("删除缓存目录") + cache
                                      + (removed ? QStringLiteral("成功！") : QStringLiteral("失败！"));
        }
        page->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, true);
        page->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
        page->setWebChannel(mChannel);
        connect(page, &ZtWebPage::onjavaScriptAlert, this, &ZtWebView::onJavaScriptAlert);
        connect(page, &ZtWebPage::onSignalOpenWindow, this, &ZtWebView::onSignalOpenWindow);
        connect(page, &ZtWebPage::loadingUrl, this, &ZtWebView::urlChanged);
        connect(page, &QWebEnginePage::windowCloseRequested, this, &ZtWebView::onGetWebClose);
    }
    mPage = page;
    QWebEngineView::setPage(page);
}

QString ZtWebView::scriptCall(const QString& function, const QStringList& args)
{
    // "[a,b]" from the JSON writer becomes the argument list "(a,b)".
    QString list = QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(args)).toJson(QJsonDocument::Compact));
    list[0] = QLatin1Char('(');
    list[list.size() - 1] = QLatin1Char(')');
    return function + list;
}

void ZtWebView::callScript(const QString& function, const QStringList& args)
{
    if (mPage)
        mPage->runJavaScript(scriptCall(function, args));
}

void ZtWebView::doShowTimer()
{
    if (!mPage)
        return;
    mPage->profile()->clearHttpCache();
    mPage->runJavaScript(isVisible() ? QStringLiteral("qtTowebHome('show')") : QStringLiteral("qtTowebHome('hide')"));
}

void ZtWebView::showEvent(QShowEvent* event)
{
    mShowTimer->start();
    QWebEngineView::showEvent(event);
}

void ZtWebView::hideEvent(QHideEvent* event)
{
    doShowTimer();
    QWebEngineView::hideEvent(event);
}
