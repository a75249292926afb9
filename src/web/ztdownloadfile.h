#pragma once

#include "ztcontrollib_global.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkReply>
#include <QObject>
#include <QTimer>
#include <QSharedPointer>
#include <QUrl>
#include <QVector>

class QNetworkAccessManager;

// Downloads "<name>" (normally ending in ".zip") from the update server into
// the application directory and then puts it in place of the file named up to
// the last ".zip", moving the old file aside as "<file>.temp" and back again when the
// replacement fails. Only a body that is complete by the transfer's own framing
// (a Content-Length that is met) and not empty replaces
// anything; every other end keeps the old file and raises onDownLoadFailed.
class ZTCONTROLLIB_EXPORT ZtDownLoadFile : public QObject
{
    Q_OBJECT

public:
    static constexpr int kTimeOutMs = 5000;
    static constexpr int kStallTimeOutMs = 5000;

    explicit ZtDownLoadFile(QObject* parent = nullptr);
    ~ZtDownLoadFile() override;

    // False, with nothing requested, when the name cannot be replaced safely
    // (no ".zip" in the file name, absolute, leaving the folder) or the
    // download file cannot be written.
    bool start(QString name);
    void stop();
    bool isDownloading() const { return mReply != nullptr; }
    // True until the first data of the current download arrive.
    bool isWaitingForData() const { return mTimer.isActive(); }

    // The update server's base address; from the configuration unless set.
    QUrl baseUrl() const;
    void setBaseUrl(const QUrl& url);
    // The folder that receives the files; the application directory unless set.
    QString targetDirectory() const;
    void setTargetDirectory(const QString& dir);
    // Time allowed until the first data arrive.
    void setTimeOut(int ms);
    int timeOut() const { return mTimer.interval(); }
    // Time allowed between data once they flow.
    void setStallTimeOut(int ms);
    int stallTimeOut() const { return mStallTimer.interval(); }

    // The address configured for the update server.
    static QUrl configuredBaseUrl();

signals:
    void onDownLoadFinished();
    // A download that ended without replacing anything (not raised by stop()).
    void onDownLoadFailed(const QString& reason);

private slots:
    void doDownLoadFinished();
    void doDownLoadTimeOut();
    void doDownLoadStalled();
    void doDownLoadReadyRead();
    void doDownLoadError(QNetworkReply::NetworkError code);

private:
    // A checksum the server sent for the body (Content-MD5 or Digest).
    struct ExpectedDigest
    {
        QByteArray value;
        QSharedPointer<QCryptographicHash> hash;
    };

    void cleanUp();
    void fail(const QString& reason);
    QString incompleteReason() const;
    static bool replaceTarget(const QString& downloaded);
    static QVector<ExpectedDigest> expectedDigests(const QNetworkReply* reply);

    QTimer mTimer;
    QFile mFile;
    QNetworkAccessManager* mManager = nullptr;
    QNetworkReply* mReply = nullptr;
    QUrl mBaseUrl;
    QString mTargetDir;
    qint64 mReceived = 0;
    QTimer mStallTimer;
    QVector<ExpectedDigest> mDigests;
};
