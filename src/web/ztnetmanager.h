#pragma once

#include "ztcontrollib_global.h"

#include <QNetworkAccessManager>

// A network access manager whose proxy comes from the settings group "proxy"
// and which counts how its replies were served.
class ZTCONTROLLIB_EXPORT ZtNetManager : public QNetworkAccessManager
{
    Q_OBJECT

public:
    explicit ZtNetManager(QObject* parent = nullptr);

    quint64 requestsFinished() const { return mRequestFinishedCount; }
    quint64 requestsFromCache() const { return mRequestFinishedFromCacheCount; }
    quint64 requestsPipelined() const { return mRequestFinishedPipelinedCount; }
    quint64 requestsEncrypted() const { return mRequestFinishedSecureCount; }
    quint64 requestsWithDownloadBuffer() const { return mRequestFinishedDownloadBufferCount; }

public slots:
    void loadSettings();
    void requestFinished(QNetworkReply* reply);

private:
    quint64 mRequestFinishedCount = 0;
    quint64 mRequestFinishedFromCacheCount = 0;
    quint64 mRequestFinishedPipelinedCount = 0;
    quint64 mRequestFinishedSecureCount = 0;
    quint64 mRequestFinishedDownloadBufferCount = 0;
};
