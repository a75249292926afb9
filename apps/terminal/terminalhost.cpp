#include "terminalhost.h"

#include "terminaldialog.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubkeyboard.h>
#include <pubcache/pubstaticfunc.h>

#include <web/pubcacheweb.h>
#include <web/pubwebview.h>
#include <web/ztwebview.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QWebEnginePage>

#include <algorithm>

namespace {

Q_LOGGING_CATEGORY(lcTerminal, "zt.terminal", QtInfoMsg)

}

TerminalHost::TerminalHost(QObject* parent) : QObject(parent) {}

TerminalHost::~TerminalHost()
{
    if (PubCacheWeb::mCacheView == mService.get())
        PubCacheWeb::mCacheView = nullptr;
}

void TerminalHost::start()
{
    PubKeyboard::loadFromMarket();
    if (!PubStaticFunc::openDefaultDatabase())
        qCWarning(lcTerminal) << "zt-terminal: the watchlist is not saved this time";
    PubConfig::loadUrlList();
    qCDebug(lcTerminal) << "zt-terminal:" << PubCache::mDataQueryAll.count() << "securities," << PubCache::mUserKeyboard.size()
             << "keyboard entries, user data in" << PubStaticFunc::databasePath();

    connect(&PubCache::SSignal, &PubStaticSignal::onZxgAdd, this, &TerminalHost::doZxgAdd);
    connect(&PubCache::SSignal, &PubStaticSignal::onZxgDel, this, &TerminalHost::doZxgDel);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TerminalHost::doAboutToQuit);
}

void TerminalHost::startServicePage()
{
    if (mService)
        return;
    mService = std::make_unique<PubWebView>(nullptr);
    mService->setObjectName(QStringLiteral("ServicePage"));
    if (!PubCacheWeb::mCacheView)
        PubCacheWeb::mCacheView = mService.get();
    connect(mService.get(), &PubWebView::onNoticeMessage, this, [this](QString json) {
        const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
        if (o.value(QStringLiteral("qtcode")).toString() != QLatin1String("serviceReady"))
            return;
        mService->getHorseRaceLamp();
        mNewsPoll.start();
    });
    // What the marquee loaded counts as seen; only later items are pushed.
    connect(mService.get(), &PubWebView::onHorseRaceLamp, this, [this](QJsonObject json) {
        takeNews(json.value(QStringLiteral("data")).toVariant().toList(), false);
    });
    mNewsPoll.setInterval(10000);
    connect(&mNewsPoll, &QTimer::timeout, this, &TerminalHost::pollNews);
    mService->load(QStringLiteral("qrc:/web/service.html"));
}

void TerminalHost::startMovementFeed()
{
    if (PubStaticFunc::getDxjlList().isEmpty())
        PubStaticFunc::setDxjlList({ZtE_DXJL_FastRise, ZtE_DXJL_FastFall, ZtE_DXJL_BigBuy, ZtE_DXJL_BigSell});
    connect(&mMovements, &StockMsg::onDataUpdate, this, [this] {
        const DQDDataList& list = mMovements.mDataList;
        const bool grew = list.count() > mMovementsShown;
        mMovementsShown = list.count();
        if (grew)
            emit PubCache::SSignal.onNewStockMsg(*list.at(mMovementsShown - 1));
    });
    mMovements.InitAll();
    mMovements.run();
}

void TerminalHost::pollNews()
{
    // The feed has no push channel of its own: read its newest items from the page.
    mService->webView()->page()->runJavaScript(QStringLiteral("JSON.stringify(news.slice(0, 10))"),
                                               [this](const QVariant& v) {
                                                   const QVariant items = QJsonDocument::fromJson(
                                                       v.toString().toUtf8()).toVariant();
                                                   takeNews(items.toList(), true);
                                               });
}

void TerminalHost::takeNews(const QVariantList& items, bool push)
{
    // Newest first in the feed; pushed oldest first so the marquee keeps their order.
    QVariantList fresh;
    for (const QVariant& v : items) {
        const QVariantMap item = v.toMap();
        const QString id = item.value(QStringLiteral("objectId")).toString();
        if (id.isEmpty() || mSeenNews.contains(id))
            continue;
        mSeenNews.insert(id);
        fresh.prepend(item);
    }
    if (!push)
        return;
    for (const QVariant& v : qAsConst(fresh)) {
        const QVariantMap item = v.toMap();
        emit onNewsPushed({{QStringLiteral("data"),
                            QVariantMap{{QStringLiteral("attributes"), item},
                                        {QStringLiteral("date"), item.value(QStringLiteral("updatedAt"))}}}});
    }
}

QString TerminalHost::resolveCode(const QString& text)
{
    const QString code = text.trimmed().toUpper();
    if (code.isEmpty())
        return QString();
    const DQDDataList& all = PubCache::mDataQueryAll;
    if (all.isEmpty())
        return code;
    if (all.value(code))
        return code;
    // A bare code: the first security of the list with that code.
    for (int i = 0; i < all.count(); ++i) {
        const DQDUnionReader* row = all.at(i);
        if (row->getValue(ZtField::Code).toString() == code)
            return row->getUniqueValue(0);
    }
    return QString();
}

void TerminalHost::doZxgAdd(QString code, enumZxgOperate operate)
{
    const QString unique = resolveCode(code);
    if (unique.isEmpty()) {
        qCDebug(lcTerminal) << "zt-terminal: no security" << code;
        return;
    }
    if (operate == ZxgOperate_Note) {
        if (!PubStaticFunc::ZxgContains(unique))
            return;
        QString note;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList()) {
            const int at = g.indexOf(unique);
            if (at >= 0) {
                note = g.getList().at(at).getNote();
                break;
            }
        }
        const bool ok = TerminalDialog::askText(TerminalDialog::owner(), QStringLiteral("添加备注/标签"),
                                                QStringLiteral("%1 的备注：").arg(unique), &note);
        if (ok && PubStaticFunc::ZxgSetNote(unique, note))
            emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Note);
        return;
    }
    if (PubStaticFunc::ZxgAdd(unique))
        emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Add);
}

void TerminalHost::doZxgDel(QString code)
{
    const QString unique = resolveCode(code);
    if (!unique.isEmpty() && PubStaticFunc::ZxgDelete(unique))
        emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Delete);
}

void TerminalHost::doAboutToQuit()
{
    PubCache::runFlag = false;
    emit PubCache::SSignal.onAppExit();
}
