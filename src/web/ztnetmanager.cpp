#include "web/ztnetmanager.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSettings>

ZtNetManager::ZtNetManager(QObject* parent) : QNetworkAccessManager(parent)
{
    connect(this, &QNetworkAccessManager::finished, this, &ZtNetManager::requestFinished);
    loadSettings();
}

void ZtNetManager::loadSettings()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("proxy"));
    QNetworkProxy proxy;
    if (settings.value(QStringLiteral("enabled"), false).toBool()) {
        const int type = settings.value(QStringLiteral("type"), 0).toInt();
        proxy.setType(type == 0 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy);
        proxy.setHostName(settings.value(QStringLiteral("hostName")).toString());
        bool ok = false;
        const uint port = settings.value(QStringLiteral("port"), 1080).toUInt(&ok);
        proxy.setPort(ok && port <= 65535 ? quint16(port) : quint16(1080));
        proxy.setUser(settings.value(QStringLiteral("userName")).toString());
        proxy.setPassword(settings.value(QStringLiteral("password")).toString());
    }
    setProxy(proxy);
}

void ZtNetManager::requestFinished(QNetworkReply* reply)
{
    if (!reply)
        return;
    ++mRequestFinishedCount;
    if (reply->attribute(QNetworkRequest::SourceIsFromCacheAttribute).toBool())
        ++mRequestFinishedFromCacheCount;
    if (reply->attribute(QNetworkRequest::HttpPipeliningWasUsedAttribute).toBool())
        ++mRequestFinishedPipelinedCount;
    if (reply->attribute(QNetworkRequest::ConnectionEncryptedAttribute).toBool())
        ++mRequestFinishedSecureCount;
    if (reply->attribute(QNetworkRequest::DownloadBufferAttribute).isValid())
        ++mRequestFinishedDownloadBufferCount;
}
