#include "web/ztnetmanager.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSettings>

#include <pubcache/pubsettingsformat.h>

ZtNetManager::ZtNetManager(QObject* parent) : QNetworkAccessManager(parent)
{
    connect(this, &QNetworkAccessManager::finished, this, &ZtNetManager::requestFinished);
    loadSettings();
}

void ZtNetManager::loadSettings()
{
    const std::unique_ptr<QSettings> settings = PubSettingsFormat::openDefault();
    settings->beginGroup(QStringLiteral("proxy"));
    const auto value = [&settings](const char* key, const QVariant& fallback = QVariant()) {
        return PubSettingsFormat::plainValue(*settings, QLatin1String(key), fallback);
    };
    QNetworkProxy proxy;
    if (value("enabled", false).toBool()) {
        const int type = value("type", 0).toInt();
        proxy.setType(type == 0 ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy);
        proxy.setHostName(value("hostName").toString());
        bool ok = false;
        const uint port = value("port", 1080).toUInt(&ok);
        proxy.setPort(ok && port <= 65535 ? quint16(port) : quint16(1080));
        proxy.setUser(value("userName").toString());
        proxy.setPassword(value("password").toString());
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
