#pragma once

#include "ztcontrollib_global.h"

#include <pubcache/logininfo.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QObject>
#include <QString>

// What page scripts see as "WebToQt". Getters answer with compact JSON text (keys
// sorted); the other methods raise signals that the view passes on. Everything that
// comes from a page is parsed with the JSON library; nothing here trusts its shape.
class ZTCONTROLLIB_EXPORT WebObject : public QObject
{
    Q_OBJECT

public:
    explicit WebObject(QObject* parent = nullptr);

    // The login answer of the service page as a record; the message is empty on success.
    static void parseLogin(const QString& json, QString* message, bool* status, LoginInfo* login);
    // JSON text from a page. Qt's parser drops a U+FEFF that opens a string value, so
    // it is handed over escaped.
    static QJsonDocument parseJson(const QString& text);
    // The first interface that is up, running and not loop-back; empty when none.
    static QString macAddress();

signals:
    void onFormClose();
    void onFullScreen();
    void onExitScreen();
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
    QString getUserMAC();
    QString getVersion();
    QString getStockType();
    QString getStockList();
    bool getdelStock(QString stockCode);
    QString getStockZxg(QString mKeyId);
    QString getQuotation(QString stockList);
    void FullScreen();
    void ExitScreen();
    void getSetupZxg();
    void doFormClose();
    void getLoginAgain();
    void getRegisterUser();
    void login(QString json);
    void getOpenForm(QString url);
    void noticeMessage(QString json);
    void getAddStock(QString stockCode);
    void getWebStock(QString stockCode);
    void getOpenDefaultUrl(QString url);
    void updateNickName(QString nickName);
    void getImMessage(QString jsonstring);
    void noticeMessageCount(QString number);
    void getWebStockClick(QString stockCode, QString Index);
    void setUserClick(QString column, QString columnCode, QString module, QString moduleCode);
    void getOpenTab(QString text, QString name, QString tabname, QString url, QString target);
};
