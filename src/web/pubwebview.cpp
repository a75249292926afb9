#include "web/pubwebview.h"

#include "frame/ztfullscreen.h"
#include "web/webobject.h"
#include "web/ztwebpage.h"
#include "web/ztwebview.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/datatrans.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/ztfields.h>

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString compact(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

QString memberText(const QJsonObject& o, const QString& key)
{
    return o.value(key).toVariant().toString();
}

}

PubWebView::PubWebView(ZtLayoutBase* parent, bool alwaysReload)
    : ZtLayoutBase(parent)
    , mLoadTimer(new QTimer(this))
    , mWebView(new ZtWebView(this))
{
    setUrl(QString());
    PubWebViewInit();
    mAlwaysReload = alwaysReload;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mWebView);
    mLoadTimer->setInterval(1000);
    connect(mLoadTimer, &QTimer::timeout, this, &PubWebView::doLoadTimeOut);
}

PubWebView::~PubWebView()
{
    // The full-screen window is a top-level window of its own; it must not outlive the page.
    if (mFullScreen) {
        mFullScreen->disconnect(this);
        mFullScreen->setPage(nullptr);
        delete mFullScreen;
    }
}

void PubWebView::PubWebViewInit()
{
    mWebView->setContextMenuPolicy(PubCache::mIsDebug ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    // Made once per view: a second init replaces the first set, so each request is handled once.
    for (const QMetaObject::Connection& c : qAsConst(mViewConnections))
        disconnect(c);
    mViewConnections.clear();
    using V = ZtWebView;
    using P = PubWebView;
    auto& c = mViewConnections;
    c << connect(mWebView, &V::loadStarted, this, &P::doloadStarted);
    c << connect(mWebView, &V::loadFinished, this, &P::doloadFinished);
    c << connect(mWebView, &V::titleChanged, this, &P::onTitleChanged);
    c << connect(mWebView, &V::onFullScreen, this, &P::doFullScreen);
    c << connect(mWebView, &V::onExitScreen, this, &P::doExitScreen);
    c << connect(mWebView, &V::onGetWebClose, this, &P::onGetWebClose);
    c << connect(mWebView, &V::onFormClose, this, &P::onGetWebClose);
    c << connect(mWebView, &V::onJavaScriptAlert, this, &P::onJavaScriptAlert);
    c << connect(mWebView, &V::onSignalOpenWindow, this, &P::doSignalOpenWindow);
    c << connect(mWebView, &V::onLoginBack, this, &P::onLoginBack);
    c << connect(mWebView, &V::onGetOpenTab, this, &P::onGetOpenTab);
    c << connect(mWebView, &V::onGetWebStock, this, &P::onGetWebStock);
    c << connect(mWebView, qOverload<QString, bool>(&V::onGetOpenForm), this, &P::onGetOpenForm);
    c << connect(mWebView, &V::onGetImMessage, this, &P::onGetImMessage);
    c << connect(mWebView, &V::onUpdateNickName, this, &P::onUpdateNickName);
    c << connect(mWebView, &V::onGetWebStockClick, this, &P::onGetWebStockClick);
    c << connect(mWebView, &V::onNoticeMessageCount, this, &P::onNoticeMessageCount);
    c << connect(mWebView, &V::onGetSetupZxg, this, qOverload<>(&P::doGetSetupZxg));
    c << connect(mWebView, &V::onGetAddStock, this, qOverload<QString>(&P::doGetAddStock));
    c << connect(mWebView, &V::onGetLoginAgain, this, qOverload<>(&P::doGetLoginAgain));
    c << connect(mWebView, &V::onGetRegisterUser, this, qOverload<>(&P::doGetRegisterUser));
    c << connect(mWebView, &V::onNoticeMessage, this, &P::doNoticeMessage);
}

void PubWebView::load(QString url)
{
    setUrl(PubConfig::replaceUrl(url));
    if (!mAlwaysReload && getUrl() == mWebView->url().toString())
        return;
    mWebView->stop();
    mWebView->load(QUrl(getUrl()));
}

void PubWebView::reload()
{
    mWebView->reload();
}

void PubWebView::setShowPage()
{
    PubWebViewInit();
    mWebView->stop();
    mWebView->load(QUrl(getUrl()));
}

void PubWebView::setHidePage()
{
    close();
    deleteLater();
    disconnect();
}

bool PubWebView::isSuccess()
{
    return mSuccess;
}

void PubWebView::doloadStarted()
{
    mLoadTicks = 3;
    mLoadTimer->start();
    mSuccess = false;
}

void PubWebView::doLoadTimeOut()
{
    if (--mLoadTicks > 0)
        return;
    mLoadTimer->stop();
    mWebView->mShowTimer->start();
    mSuccess = true;
    emit onloadFinished(false);
}

void PubWebView::doloadFinished(bool success)
{
    // A load that already timed out has been reported; its late end is not news.
    const bool reported = mSuccess && !mLoadTimer->isActive();
    mLoadTimer->stop();
    mWebView->mShowTimer->start();
    mSuccess = true;
    if (!reported)
        emit onloadFinished(success);
}

void PubWebView::doGetSetupZxg()
{
    emit onGetSetupZxg(this);
}

void PubWebView::doGetLoginAgain()
{
    emit onGetLoginAgain(this);
}

void PubWebView::doGetRegisterUser()
{
    emit onGetRegisterUser(this);
}

void PubWebView::doGetAddStock(QString stockCode)
{
    emit onGetAddStock(stockCode, this);
}

void PubWebView::doFullScreen()
{
    if (mIsFullScreen)
        return;
    mIsFullScreen = true;
    mEscape = false;
    mFullScreen = new ZtFullScreen(this);
    mFullScreen->setPage(mWebView->webPage());
    connect(mFullScreen, &ZtFullScreen::onCloseScreen, this, &PubWebView::doCloseScreen);
    mFullScreen->show();
    mFullScreen->setFocus();
}

void PubWebView::doExitScreen()
{
    if (mFullScreen)
        mFullScreen->close();
}

void PubWebView::doCloseScreen()
{
    if (mFullScreen) {
        ZtFullScreen* window = mFullScreen;
        mFullScreen = nullptr;
        mWebView->QWebEngineView::setPage(mWebView->webPage());
        window->disconnect(this);
        disconnect(window);
        window->deleteLater();
    }
    setFocus();
    mIsFullScreen = false;
}

void PubWebView::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event && event->key() == Qt::Key_Escape) {
        if (mIsFullScreen) {
            if (mFullScreen)
                mFullScreen->close();
            mEscape = false;
            return;
        }
        if (!mEscape) {
            // The Escape that left full screen is not the parent's.
            mEscape = true;
            return;
        }
    }
    emit onKeyReleaseEvent(obj, event);
}

bool PubWebView::isTrustedHost(const QString& host)
{
    const QString h = host.toLower();
    if (h.isEmpty())
        return false;
    const QVariant setting = PubConfig::ReadConfig(QStringLiteral("Web"), QStringLiteral("TrustedHosts"));
    QStringList entries = setting.toStringList();
    if (entries.size() == 1)
        entries = entries.first().split(QLatin1Char(','));
    for (QString e : qAsConst(entries)) {
        e = e.trimmed().toLower();
        if (e.startsWith(QLatin1Char('.')))
            e.remove(0, 1);
        // The host itself or a name below it; "ztquote.example.evil.test" is neither.
        if (!e.isEmpty() && (h == e || h.endsWith(QLatin1Char('.') + e)))
            return true;
    }
    return false;
}

void PubWebView::doSignalOpenWindow(QUrl urlString)
{
    const QString url = urlString.toString();
    if (url.isEmpty())
        return;
    const QString scheme = urlString.scheme().toLower();
    if (scheme == QLatin1String("qrc")) {
        emit onGetOpenForm(url, true);
        return;
    }
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (!web || !isTrustedHost(urlString.host())) {
        qDebug() << "PubWebView: link not opened" << url;
        return;
    }
    const QString loading = QStringLiteral("加载中…");
    emit onGetOpenTab(loading, PubConfig::EncryPtionMD5(loading), PubConfig::EncryPtionMD5(url), url,
                      QStringLiteral("web"));
}

// Service calls.

void PubWebView::runCall(const QString& function, const QStringList& args)
{
    if (!mWebView->webPage())
        return;
    mWebView->callScript(function, args);
}

void PubWebView::getLogin(QString user, QString password, QString)
{
    runCall(QStringLiteral("sendLogin"), {user, password, WebObject::macAddress(), QString()});
}

void PubWebView::getLoginCode(QString phone, QString code)
{
    runCall(QStringLiteral("sendLoginSmsCode"), {phone, code});
}

void PubWebView::getQuickLogin(QString phone, QString code, QString)
{
    runCall(QStringLiteral("sendLoginSms"),
            {compact(QJsonObject{{QStringLiteral("code"), code}, {QStringLiteral("phone"), phone}})});
}

void PubWebView::getTouristLogin(QString)
{
    runCall(QStringLiteral("sendTouristLogin"), {WebObject::macAddress()});
}

void PubWebView::getCheckLogin(QString name)
{
    runCall(QStringLiteral("sendVerifyLogin"), {name, QStringLiteral("againLogin")});
}

void PubWebView::getCheckUserAd()
{
    runCall(QStringLiteral("sendVerifyHomeAd"), {QString(), QStringLiteral("userAd")});
}

void PubWebView::getLoginOut()
{
    if (PubCache::m_Logininfo.isTourist())
        return;
    const qint32 ms = qint32(PubCache::m_Logininfo.getLoginTime().msecsTo(QDateTime::currentDateTime()));
    runCall(QStringLiteral("sendLogOut"), {QString::number(ms / 60000), QStringLiteral("pvnLogout")});
}

void PubWebView::getRegister(QString phone, QString code, QString password, QString extra)
{
    const QJsonObject doc{{QStringLiteral("code"), code},
                          {QStringLiteral("password"), password},
                          {QStringLiteral("phone"), phone},
                          {QStringLiteral("username"), QString()}};
    runCall(QStringLiteral("sendRegister"), {compact(doc), extra});
}

void PubWebView::getRegisterCode(QString phone, QString kind)
{
    runCall(QStringLiteral("sendRegisterCode"), {phone, kind});
}

void PubWebView::getFindPassWord(QString phone, QString code, QString password, QString extra)
{
    const QJsonObject doc{
        {QStringLiteral("code"), code}, {QStringLiteral("password"), password}, {QStringLiteral("phone"), phone}};
    runCall(QStringLiteral("sendFindPassword"), {compact(doc), extra});
}

void PubWebView::getPasswordCode(QString phone, QString kind)
{
    runCall(QStringLiteral("sendFindPasswordCode"), {phone, kind});
}

void PubWebView::getUpdNickName(QString nickName, QString extra)
{
    runCall(QStringLiteral("sendNickName"), {nickName, extra});
}

bool PubWebView::getStockList()
{
    if (!mWebView->webPage())
        return false;
    runCall(QStringLiteral("sendStockList"), {QStringLiteral("zxg_get")});
    return true;
}

QString PubWebView::zxgUploadJson(const QList<StockZxgBK>& groups)
{
    QJsonArray out;
    for (const StockZxgBK& g : groups) {
        if (g.getName().isEmpty())
            continue;
        QJsonArray list;
        for (const StockZxg& e : g.getList()) {
            const Q_DD_Now q = PBDataChange::LBDG_QNowSingle(e.getCode(), false);
            if (q.isEmpty())
                continue;
            QJsonObject item{{QStringLiteral("stockCode"), q.getValue(ZtField::UniqueCode).toString()},
                             {QStringLiteral("stockName"), q.getValue(ZtField::Name).toString()}};
            if (e.getAddTime() > 0)
                item.insert(QStringLiteral("addTime"), DataTrans::getDateTimeFromULL(e.getAddTime())
                                                           .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
            list.append(item);
        }
        out.append(QJsonObject{{QStringLiteral("name"), g.getName()}, {QStringLiteral("list"), list}});
    }
    return QString::fromUtf8(QJsonDocument(out).toJson(QJsonDocument::Compact));
}

void PubWebView::getSaveStock(QList<StockZxgBK> groups)
{
    if (PubCache::m_Logininfo.isTourist())
        return;
    runCall(QStringLiteral("sendSaveStock"), {zxgUploadJson(groups), QStringLiteral("zxg_save")});
}

void PubWebView::getHorseRaceLamp()
{
    runCall(QStringLiteral("sendInformation7x24"),
            {compact(QJsonObject{{QStringLiteral("page"), 1}, {QStringLiteral("pagesize"), 10}}),
             QStringLiteral("timenews")});
}

void PubWebView::getRefreshBKTitle()
{
    runCall(QStringLiteral("getzxlist"), {mWebView->webObject()->getStockType()});
}

void PubWebView::noticeWebAddStock(QString stockCode)
{
    runCall(QStringLiteral("backzx"), {stockCode});
}

void PubWebView::setWebTheme(QString theme)
{
    runCall(QStringLiteral("sendTheme"), {theme, QStringLiteral("qtTheme")});
}

void PubWebView::setUserClick(QString columnCode, QString column, QString module, QString moduleCode)
{
    const QJsonObject doc{{QStringLiteral("column"), column},
                          {QStringLiteral("columnCode"), columnCode},
                          {QStringLiteral("module"), module},
                          {QStringLiteral("moduleCode"), moduleCode}};
    runCall(QStringLiteral("sendIOtrack"), {compact(doc)});
}

// Answers.

void PubWebView::doNoticeMessage(QString json)
{
    const QJsonDocument doc = WebObject::parseJson(json);
    if (doc.isNull()) {
        qDebug() << "PubWebView: notice is not JSON, dropped";
        return;
    }
    const QJsonObject o = doc.object();
    const QString tag = memberText(o, QStringLiteral("qtcode"));
    const bool status = o.value(QStringLiteral("status")).toBool();
    if (tag == QLatin1String("zxg_get")) {
        zxgDownload(o, tag);
    } else if (tag == QLatin1String("zxg_save")) {
        if (status)
            emit onServiceZxgResult(true, tag, QStringLiteral("同步至云端数据成功！"));
        else
            emit onServiceZxgResult(false, tag,
                                    QStringLiteral("同步至云端数据失败！失败原因：")
                                        + memberText(o, QStringLiteral("msg")));
    } else if (tag == QLatin1String("againLogin")) {
        if (!status)
            emit onShowLoginAgain(
                memberText(o.value(QStringLiteral("data")).toObject(), QStringLiteral("YKName")));
    } else if (tag == QLatin1String("userAd")) {
        if (status)
            emit onShowUserAdBox();
    } else if (tag == QLatin1String("pvnLogout")) {
        emit onPvnExitOut();
    } else if (tag == QLatin1String("timenews")) {
        emit onHorseRaceLamp(o);
    } else {
        emit onNoticeMessage(json);
    }
}

void PubWebView::zxgDownload(const QJsonObject& answer, const QString& tag)
{
    if (!answer.value(QStringLiteral("status")).toBool()) {
        emit onServiceZxgResult(false, tag, QStringLiteral("获取云端数据失败！"));
        return;
    }
    const QJsonArray data = answer.value(QStringLiteral("data")).toArray();
    if (!data.isEmpty()) {
        QList<StockZxgBK> groups;
        for (const QJsonValue& gv : data) {
            const QJsonObject g = gv.toObject();
            const QString name = memberText(g, QStringLiteral("name"));
            if (name.isEmpty())
                continue;
            StockZxgBK group(name);
            const QJsonArray list = g.value(QStringLiteral("list")).toArray();
            for (const QJsonValue& ev : list) {
                const QJsonObject e = ev.toObject();
                const QString code = memberText(e, QStringLiteral("stockCode"));
                const DQDUnionReader* row = PubCache::mDataQueryAll.value(code, QString(), QString());
                if (code.isEmpty() || !row || row->isEmpty())
                    continue;
                StockZxg entry(code);
                const QJsonValue at = e.value(QStringLiteral("addTime"));
                if (!at.isUndefined() && !at.isNull()) {
                    const QString t = at.toVariant().toString();
                    QDateTime dt = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                    if (!dt.isValid())
                        dt = QDateTime::fromString(t, Qt::ISODate);
                    if (dt.isValid())
                        entry.setAddTime(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(dt));
                }
                group.append(entry);
            }
            if (groups.isEmpty())
                group.setName(StockZxgBK(QStringLiteral("自选股")).getName());
            groups.append(group);
        }
        PubStaticFunc::ZxgSave(groups);
    }
    emit onServiceZxgResult(true, tag, QStringLiteral("获取云端数据成功！"));
    emit PubCache::SSignal.onZxgRefresh(QString(), ZxgOperate_Add);
}
