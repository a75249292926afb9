#include "web/ztdownloadfile.h"

#include <pubcache/pubconfig.h>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {

const QString kSuffix = QStringLiteral(".zip");
const QString kAsideSuffix = QStringLiteral(".temp");
const QString kDefaultBaseUrl = QStringLiteral("http://127.0.0.1:18080/update/");

QString readUpdateBaseUrl()
{
    const QVariant configured = PubConfig::ReadConfig(QStringLiteral("update"), QStringLiteral("baseUrl"));
    return configured.isValid() ? configured.toString() : kDefaultBaseUrl;
}

// A name is safe when the file it replaces is a different file inside the
// target folder: its file name holds ".zip" after something (the target is cut
// before the last one, so a folder is never the target) and it stays below the
// folder.
bool isSafeName(const QString& name)
{
    if (QDir::isAbsolutePath(name) || name.startsWith(QLatin1Char('/')))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    if (parts.last().lastIndexOf(kSuffix) <= 0)
        return false;
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String("..") || part == QLatin1String("."))
            return false;
    }
    return true;
}

}

ZtDownLoadFile::ZtDownLoadFile(QObject* parent) : QObject(parent), mManager(new QNetworkAccessManager(this))
{
    mTimer.setSingleShot(true);
    mTimer.setInterval(kTimeOutMs);
}

ZtDownLoadFile::~ZtDownLoadFile()
{
    cleanUp();
}

QUrl ZtDownLoadFile::configuredBaseUrl()
{
    QString text = readUpdateBaseUrl().trimmed();
    if (text.isEmpty())
        text = kDefaultBaseUrl;
    if (!text.endsWith(QLatin1Char('/')))
        text += QLatin1Char('/');
    return QUrl(text);
}

QUrl ZtDownLoadFile::baseUrl() const
{
    return mBaseUrl.isValid() ? mBaseUrl : configuredBaseUrl();
}

void ZtDownLoadFile::setBaseUrl(const QUrl& url)
{
    mBaseUrl = url;
}

QString ZtDownLoadFile::targetDirectory() const
{
    return mTargetDir.isEmpty() ? QCoreApplication::applicationDirPath() : mTargetDir;
}

void ZtDownLoadFile::setTargetDirectory(const QString& dir)
{
    mTargetDir = dir;
}

void ZtDownLoadFile::setTimeOut(int ms)
{
    mTimer.setInterval(qMax(0, ms));
}

bool ZtDownLoadFile::start(QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!isSafeName(name)) {
        qWarning() << "ZtDownLoadFile: refusing" << name << "(no file to replace safely)";
        return false;
    }
    if (mReply)
        cleanUp();

    const QString path = QDir(targetDirectory()).filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    mFile.setFileName(path);
    if (!mFile.open(QIODevice::WriteOnly)) {
        qWarning() << "ZtDownLoadFile: cannot write" << path << mFile.errorString();
        return false;
    }
    mReceived = 0;

    const QUrl base = baseUrl();
    QUrl url(base);
    QString basePath = base.path();
    if (!basePath.endsWith(QLatin1Char('/')))
        basePath += QLatin1Char('/');
    url.setPath(basePath + name);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    mReply = mManager->get(request);
    qDebug() << "ZtDownLoadFile: downloading" << url.toString() << "to" << path;

    connect(mReply, &QNetworkReply::readyRead, this, &ZtDownLoadFile::doDownLoadReadyRead);
    connect(mReply, &QNetworkReply::finished, this, &ZtDownLoadFile::doDownLoadFinished);
    connect(mReply, &QNetworkReply::errorOccurred, this, &ZtDownLoadFile::doDownLoadError);
    connect(&mTimer, &QTimer::timeout, this, &ZtDownLoadFile::doDownLoadTimeOut);
    mTimer.start();
    return true;
}

void ZtDownLoadFile::stop()
{
    cleanUp();
}

void ZtDownLoadFile::doDownLoadReadyRead()
{
    if (!mReply)
        return;
    if (mTimer.isActive())
        mTimer.stop();
    const QByteArray data = mReply->readAll();
    // An error page is no part of the file; the error itself ends the download.
    const QVariant status = mReply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (data.isEmpty() || (status.isValid() && status.toInt() >= 300))
        return;
    if (mFile.write(data) != data.size()) {
        qWarning() << "ZtDownLoadFile: cannot write" << mFile.fileName() << mFile.errorString();
        cleanUp();
        return;
    }
    mReceived += data.size();
}

bool ZtDownLoadFile::replyComplete() const
{
    if (mReply->error() != QNetworkReply::NoError)
        return false;
    const QVariant status = mReply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() >= 300))
        return false;
    const QVariant length = mReply->header(QNetworkRequest::ContentLengthHeader);
    return !length.isValid() || length.toLongLong() == mReceived;
}

void ZtDownLoadFile::doDownLoadFinished()
{
    if (!mReply)
        return;
    doDownLoadReadyRead();
    if (!mReply)
        return;
    if (!replyComplete()) {
        qWarning() << "ZtDownLoadFile: incomplete download of" << mReply->url().toString() << "status"
                   << mReply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() << "bytes" << mReceived;
        cleanUp();
        return;
    }
    mFile.flush();
    mFile.close();
    const QString downloaded = mFile.fileName();
    replaceTarget(downloaded);
    cleanUp();
    emit onDownLoadFinished();
}

bool ZtDownLoadFile::replaceTarget(const QString& downloaded)
{
    const QString target = downloaded.left(downloaded.lastIndexOf(kSuffix));
    const QString temp = target + kAsideSuffix;
    const bool hadTarget = QFileInfo::exists(target);
    // A ".temp" left next to an existing target is stale; without a target it
    // is the last good copy and stays until the new file is in place.
    if (hadTarget && QFileInfo::exists(temp) && !QFile::remove(temp)) {
        qWarning() << "ZtDownLoadFile: cannot remove stale" << temp << "- keeping" << target;
        QFile::remove(downloaded);
        return false;
    }
    if (hadTarget && !QFile::rename(target, temp)) {
        qWarning() << "ZtDownLoadFile: cannot move" << target << "aside - keeping it";
        QFile::remove(downloaded);
        return false;
    }
    if (QFile::copy(downloaded, target)) {
        if (hadTarget)
            QFile::setPermissions(target, QFileInfo(temp).permissions());
        QFile::remove(downloaded);
        QFile::remove(temp);
        qDebug() << "ZtDownLoadFile: replaced" << target;
        return true;
    }
    qWarning() << "ZtDownLoadFile: cannot copy" << downloaded << "to" << target << "- restoring the old file";
    if (QFileInfo::exists(temp) && !QFile::rename(temp, target))
        qCritical() << "ZtDownLoadFile: cannot restore" << target << "- the old file is" << temp;
    QFile::remove(downloaded);
    return false;
}

void ZtDownLoadFile::doDownLoadTimeOut()
{
    qWarning() << "ZtDownLoadFile: no data within" << mTimer.interval() << "ms from"
               << (mReply ? mReply->url().toString() : QString());
    cleanUp();
}

void ZtDownLoadFile::doDownLoadError(QNetworkReply::NetworkError code)
{
    qWarning() << "ZtDownLoadFile: download failed" << code << (mReply ? mReply->errorString() : QString());
    cleanUp();
}

void ZtDownLoadFile::cleanUp()
{
    mTimer.stop();
    disconnect(&mTimer, nullptr, this, nullptr);
    if (mFile.isOpen())
        mFile.close();
    if (mReply) {
        QNetworkReply* reply = mReply;
        mReply = nullptr;
        disconnect(reply, nullptr, this, nullptr);
        if (reply->isRunning())
            reply->abort();
        mManager->clearAccessCache();
        reply->deleteLater();
    }
}
