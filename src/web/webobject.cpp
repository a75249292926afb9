#include "web/webobject.h"

#include "web/ztwebview.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/ztfields.h>

#include <QDebug>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QNetworkInterface>
#include <QUrl>
#include <QVariantMap>

namespace {

QString compact(const QJsonDocument& doc)
{
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}

QString text(const DQDReader& r, unsigned key)
{
    return r.getValue(key).toString();
}

double number(const DQDReader& r, unsigned key)
{
    return r.getValue(key).toDouble();
}

// One watchlist quote as the pages read it.
QJsonObject zxgRecord(const DQDReader& q)
{
    return QJsonObject{{QStringLiteral("zhdm"), text(q, ZtField::UniqueCode)},
                       {QStringLiteral("zqdm"), text(q, ZtField::Code)},
                       {QStringLiteral("zqmc"), text(q, ZtField::Name)},
                       {QStringLiteral("zxj"), number(q, ZtField::Last)},
                       {QStringLiteral("zdf"), number(q, ZtField::ChangeRatio)},
                       {QStringLiteral("cjl"), number(q, ZtField::Volume)},
                       {QStringLiteral("cjje"), number(q, ZtField::Turnover)}};
}

QString zxgAnswer(bool status, const QJsonArray& data)
{
    return compact(QJsonDocument(QJsonObject{{QStringLiteral("status"), status}, {QStringLiteral("data"), data}}));
}

bool knownSecurity(const QString& code)
{
    const DQDUnionReader* row = PubCache::mDataQueryAll.value(code, QString(), QString());
    return row && !row->isEmpty();
}

}

WebObject::WebObject(QObject* parent) : QObject(parent) {}

QJsonDocument WebObject::parseJson(const QString& text)
{
    QString escaped = text;
    // Outside a string U+FEFF is not JSON anyway; a leading one is a byte-order mark.
    const int from = escaped.startsWith(QChar(0xFEFF)) ? 1 : 0;
    for (int i = escaped.size() - 1; i >= from; --i) {
        if (escaped.at(i) == QChar(0xFEFF))
            escaped.replace(i, 1, QStringLiteral("\\ufeff"));
    }
    return QJsonDocument::fromJson(escaped.toUtf8());
}

QString WebObject::getUserMAC()
{
    return macAddress();
}

QString WebObject::macAddress()
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& i : interfaces) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning)
            && !flags.testFlag(QNetworkInterface::IsLoopBack))
            return i.hardwareAddress();
    }
    return QString();
}

QString WebObject::getVersion()
{
    return PubConfig::getVersion();
}

QString WebObject::getStockType()
{
    QJsonArray groups;
    const QList<StockZxgBK> list = PubStaticFunc::getZxgCodeList();
    for (const StockZxgBK& g : list)
        groups.append(QJsonObject{{QStringLiteral("Title"), g.getName()}});
    if (groups.isEmpty())
        groups.append(QJsonObject{{QStringLiteral("Title"), QStringLiteral("自选股")}});
    return compact(QJsonDocument(groups));
}

QString WebObject::getStockList()
{
    QJsonArray data;
    const QList<StockZxgBK> list = PubStaticFunc::getZxgCodeList();
    for (const StockZxgBK& g : list) {
        for (const QString& code : g.getCodes()) {
            const Q_DD_Now q = PBDataChange::LBDG_QNowSingle(code, false);
            if (!q.isEmpty())
                data.append(zxgRecord(q));
        }
    }
    return zxgAnswer(true, data);
}

bool WebObject::getdelStock(QString stockCode)
{
    const bool deleted = PubStaticFunc::ZxgDelete(stockCode);
    if (deleted)
        emit PubCache::SSignal.onZxgRefresh(stockCode, ZxgOperate_Delete);
    return deleted;
}

QString WebObject::getStockZxg(QString mKeyId)
{
    // Only a page on screen may read the watchlist.
    auto* view = qobject_cast<ZtWebView*>(parent());
    if (!view || !view->isVisible())
        return zxgAnswer(false, QJsonArray());
    const QStringList codes = PubStaticFunc::ZxgGet(mKeyId).first;
    QJsonArray data;
    if (!codes.isEmpty()) {
        const QVector<Q_DD_Now> quotes = PBDataChange::LBDG_QNow(codes.toVector(), 0, true);
        for (const Q_DD_Now& q : quotes)
            data.append(zxgRecord(q));
    }
    return zxgAnswer(true, data);
}

QString WebObject::getQuotation(QString stockList)
{
    const QStringList parts = stockList.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return QString();
    const QVector<Q_DD_Now> quotes = PBDataChange::LBDG_QNow(parts.toVector(), 0, true);
    if (quotes.isEmpty())
        return QString();
    QJsonArray out;
    for (const Q_DD_Now& q : quotes) {
        out.append(QJsonObject{{QStringLiteral("ZhongWenJianCheng"), text(q, ZtField::Name)},
                               {QStringLiteral("ShiJian"), text(q, ZtField::Time)},
                               {QStringLiteral("ZuiXinJia"), number(q, ZtField::Last)},
                               {QStringLiteral("KaiPanJia"), number(q, ZtField::Open)},
                               {QStringLiteral("ZuiGaoJia"), number(q, ZtField::High)},
                               {QStringLiteral("ZuiDiJia"), number(q, ZtField::Low)},
                               {QStringLiteral("ZuoShou"), number(q, ZtField::PrevClose)},
                               {QStringLiteral("ZhangDie"), number(q, ZtField::Change)},
                               {QStringLiteral("ChengJiaoLiang"), number(q, ZtField::Volume)},
                               {QStringLiteral("ChengJiaoE"), number(q, ZtField::Turnover)},
                               {QStringLiteral("ZongChengJiaoBiShu"), number(q, ZtField::Trades)},
                               {QStringLiteral("ShiYingLv"), number(q, ZtField::PE)}});
    }
    return compact(QJsonDocument(out));
}

void WebObject::FullScreen()
{
    emit onFullScreen();
}

void WebObject::ExitScreen()
{
    emit onExitScreen();
}

void WebObject::getSetupZxg()
{
    emit onGetSetupZxg();
}

void WebObject::doFormClose()
{
    emit onFormClose();
}

void WebObject::getLoginAgain()
{
    emit onGetLoginAgain();
}

void WebObject::getRegisterUser()
{
    emit onGetRegisterUser();
}

void WebObject::parseLogin(const QString& json, QString* message, bool* status, LoginInfo* login)
{
    *message = QString();
    *status = false;
    *login = LoginInfo(QString());
    const QJsonDocument doc = parseJson(json);
    if (doc.isNull()) {
        *message = QStringLiteral("错误原因：服务器返回Json格式有误！");
        return;
    }
    const QJsonObject o = doc.object();
    *status = o.value(QStringLiteral("status")).toBool();
    const QString code = o.value(QStringLiteral("code")).toVariant().toString();
    if (!*status) {
        if (o.value(QStringLiteral("code")).toVariant().toInt() == -1)
            *message = QStringLiteral("错误原因：网络连接失败！ 错误代码：") + code;
        else
            *message = QStringLiteral("错误原因：") + o.value(QStringLiteral("msg")).toVariant().toString()
                       + QStringLiteral(" 错误代码：") + code;
        return;
    }
    login->setMac(macAddress());
    const QVariantMap data = o.value(QStringLiteral("data")).toObject().toVariantMap();
    if (data.contains(QStringLiteral("YKName"))) {
        login->setTourist(true);
        login->setRoleName(QStringLiteral("游客"));
        login->setUserName(data.value(QStringLiteral("YKName")).toString());
        login->setJurisdiction(QStringLiteral("zjsz1"), true);
        login->setJurisdiction(QStringLiteral("zjsz2"), false);
        return;
    }
    login->setTourist(false);
    auto has = [&](const char* key) { return data.contains(QLatin1String(key)); };
    auto str = [&](const char* key) { return data.value(QLatin1String(key)).toString(); };
    if (has("userId"))
        login->setUserId(data.value(QStringLiteral("userId")).toInt());
    if (has("roleId"))
        login->setRoleId(data.value(QStringLiteral("roleId")).toInt());
    if (has("sessionToken"))
        login->setSessionToken(str("sessionToken"));
    if (has("userObjectId"))
        login->setUserObjectId(str("userObjectId"));
    if (has("username"))
        login->setUserName(str("username"));
    if (has("nickname"))
        login->setNickName(str("nickname"));
    if (has("roleName"))
        login->setRoleName(str("roleName"));
    if (has("headPortrait"))
        login->setHeadPortrait(str("headPortrait"));
    if (has("roleEndDate"))
        login->setRoleEndDate(str("roleEndDate"));
    if (has("jurisdiction"))
        login->setJurisdiction(data.value(QStringLiteral("jurisdiction")).toMap());
    login->setUserIdMD5(PubConfig::EncryPtionMD5(QString::number(login->getUserId())));
    // The terminal, not the server, decides these two rights for the fixed roles.
    const int role = login->getRoleId();
    if (role == 6) {
        login->setJurisdiction(QStringLiteral("zjsz1"), false);
        login->setJurisdiction(QStringLiteral("zjsz2"), false);
    } else if (role < 6 || role == 99) {
        login->setJurisdiction(QStringLiteral("zjsz1"), true);
        login->setJurisdiction(QStringLiteral("zjsz2"), false);
    }
}

void WebObject::login(QString json)
{
    qDebug().noquote() << QStringLiteral("--------------------WebToQtObject:login--------------------：") + json;
    QString message;
    bool status = false;
    LoginInfo record;
    parseLogin(json, &message, &status, &record);
    emit onLoginBack(message, status, record);
}

void WebObject::getOpenForm(QString url)
{
    emit onGetOpenForm(url, true);
}

void WebObject::noticeMessage(QString json)
{
    emit onNoticeMessage(json);
}

void WebObject::getAddStock(QString stockCode)
{
    if (knownSecurity(stockCode))
        emit onGetAddStock(stockCode);
}

void WebObject::getWebStock(QString stockCode)
{
    emit onGetWebStock(stockCode);
}

void WebObject::getOpenDefaultUrl(QString url)
{
    // A page may hand the browser web addresses only, never a local file or program.
    const QUrl u(url);
    const QString scheme = u.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        qWarning() << "WebToQt: refused to open" << url;
        return;
    }
    QDesktopServices::openUrl(u);
}

void WebObject::updateNickName(QString nickName)
{
    emit onUpdateNickName(nickName);
}

void WebObject::getImMessage(QString jsonstring)
{
    const QJsonDocument doc = parseJson(jsonstring);
    if (!doc.isNull())
        emit onGetImMessage(doc.object());
}

void WebObject::noticeMessageCount(QString number)
{
    emit onNoticeMessageCount(number);
}

void WebObject::getWebStockClick(QString stockCode, QString Index)
{
    emit onGetWebStockClick(stockCode, Index);
}

void WebObject::setUserClick(QString column, QString columnCode, QString module, QString moduleCode)
{
    emit PubCache::SSignal.onSetUserClick(columnCode);
}

void WebObject::getOpenTab(QString text, QString name, QString tabname, QString url, QString target)
{
    emit onGetOpenTab(text, name, tabname, url, target);
}
