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

// The path with every symbolic link resolved, at the last name too; a name
// that does not exist yet is resolved through the folder that would hold it.
QString resolvedPath(const QString& path, int& linkHops)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return ++linkHops > 40 ? QString() : resolvedPath(info.symLinkTarget(), linkHops);
    if (info.exists())
        return info.canonicalFilePath();
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath())
        return QString();
    const QString folder = resolvedPath(parent, linkHops);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(info.fileName());
}

bool staysInside(const QString& folder, const QString& path)
{
    int hops = 0;
    QString root = resolvedPath(folder, hops);
    hops = 0;
    const QString resolved = resolvedPath(path, hops);
    if (root.isEmpty() || resolved.isEmpty())
        return false;
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    return resolved.startsWith(root);
}

bool digestAlgorithm(const QByteArray& name, QCryptographicHash::Algorithm* algorithm)
{
    static const QHash<QByteArray, QCryptographicHash::Algorithm> known{{"md5", QCryptographicHash::Md5},
                                                                         {"sha", QCryptographicHash::Sha1},
                                                                         {"sha-256", QCryptographicHash::Sha256},
                                                                         {"sha-512", QCryptographicHash::Sha512}};
    const auto it = known.constFind(name);
    if (it == known.cend())
        return false;
    *algorithm = *it;
    return true;
}

}

ZtDownLoadFile::ZtDownLoadFile(QObject* parent) : QObject(parent), mManager(new QNetworkAccessManager(this))
{
    mTimer.setSingleShot(true);
    mTimer.setInterval(kTimeOutMs);
    mStallTimer.setSingleShot(true);
    mStallTimer.setInterval(kStallTimeOutMs);
    connect(&mStallTimer, &QTimer::timeout, this, &ZtDownLoadFile::doDownLoadStalled);
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

void ZtDownLoadFile::setStallTimeOut(int ms)
{
    mStallTimer.setInterval(qMax(0, ms));
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
    const QString target = path.left(path.lastIndexOf(kSuffix));
    // A link inside the folder must not carry any of the three files outside it.
    for (const QString& file : {path, target, target + kAsideSuffix}) {
        if (!staysInside(targetDirectory(), file)) {
            qWarning() << "ZtDownLoadFile: refusing" << name << "(" << file << "leads out of" << targetDirectory() << ")";
            return false;
        }
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    mFile.setFileName(path);
    if (!mFile.open(QIODevice::WriteOnly)) {
        qWarning() << "ZtDownLoadFile: cannot write" << path << mFile.errorString();
        return false;
    }
    mReceived = 0;
    mDigests.clear();

    const QUrl base = baseUrl();
    QUrl url(base);
    QString basePath = base.path();
    if (!basePath.endsWith(QLatin1Char('/')))
        basePath += QLatin1Char('/');
    url.setPath(basePath + name);
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // Asking ourselves keeps Qt from decoding gzip, which drops the length that
    // tells a cut body from a whole one.
    request.setRawHeader("Accept-Encoding", "identity");
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
    mStallTimer.start();
    if (mReceived == 0)
        mDigests = expectedDigests(mReply);
    if (mFile.write(data) != data.size()) {
        fail(QStringLiteral("cannot write %1: %2").arg(mFile.fileName(), mFile.errorString()));
        return;
    }
    for (const ExpectedDigest& digest : qAsConst(mDigests))
        digest.hash->addData(data);
    mReceived += data.size();
}

QVector<ZtDownLoadFile::ExpectedDigest> ZtDownLoadFile::expectedDigests(const QNetworkReply* reply)
{
    QList<QByteArray> items = reply->rawHeader("Digest").split(',');
    if (reply->hasRawHeader("Content-MD5"))
        items.append("md5=" + reply->rawHeader("Content-MD5"));
    QVector<ExpectedDigest> digests;
    for (const QByteArray& item : qAsConst(items)) {
        const int equals = item.indexOf('=');
        QCryptographicHash::Algorithm algorithm;
        // Algorithms we do not know are no evidence either way.
        if (equals <= 0 || !digestAlgorithm(item.left(equals).trimmed().toLower(), &algorithm))
            continue;
        digests.append({item.mid(equals + 1).trimmed(), QSharedPointer<QCryptographicHash>::create(algorithm)});
    }
    return digests;
}

// Empty when the body is complete by the transfer's own framing: a status of
// 200, no encoding we did not ask for, a Content-Length that is met, at
// least one byte, and any
// checksum the server sent matches. A Content-Length that the server set too
// short is met by its framing; only a checksum can tell that one.
QString ZtDownLoadFile::incompleteReason() const
{
    if (mReply->error() != QNetworkReply::NoError)
        return mReply->errorString();
    const QVariant status = mReply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        return QStringLiteral("not an HTTP answer");
    if (status.toInt() != 200)
        return QStringLiteral("status %1").arg(status.toInt());
    const QByteArray encoding = mReply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
        return QStringLiteral("encoding %1 that was not asked for").arg(QString::fromLatin1(encoding));
    if (mReceived == 0)
        return QStringLiteral("empty body");
    // Qt reads the chunks itself and, when the server closes right after a
    // chunk, ends a cut body like a whole one; without the last chunk in
    // sight a chunked body cannot be told complete, so only a length counts.
    if (mReply->rawHeader("Transfer-Encoding").toLower().contains("chunked"))
        return QStringLiteral("chunked body, its end cannot be checked");
    if (!mReply->hasRawHeader("Content-Length"))
        return QStringLiteral("no length, %1 bytes").arg(mReceived);
    bool ok = false;
    const qint64 length = mReply->rawHeader("Content-Length").trimmed().toLongLong(&ok);
    if (!ok || length != mReceived)
        return QStringLiteral("%1 bytes of Content-Length %2")
            .arg(mReceived)
            .arg(QString::fromLatin1(mReply->rawHeader("Content-Length")));
    for (const ExpectedDigest& digest : mDigests) {
        if (digest.hash->result().toBase64() != digest.value)
            return QStringLiteral("checksum %1 does not match").arg(QString::fromLatin1(digest.value));
    }
    return QString();
}

void ZtDownLoadFile::doDownLoadFinished()
{
    if (!mReply)
        return;
    doDownLoadReadyRead();
    if (!mReply)
        return;
    const QString reason = incompleteReason();
    if (!reason.isEmpty()) {
        fail(QStringLiteral("incomplete download of %1: %2").arg(mReply->url().toString(), reason));
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
    fail(QStringLiteral("no data within %1 ms from %2").arg(mTimer.interval()).arg(mReply ? mReply->url().toString() : QString()));
}

void ZtDownLoadFile::doDownLoadStalled()
{
    fail(QStringLiteral("no data for %1 ms from %2").arg(mStallTimer.interval()).arg(mReply ? mReply->url().toString() : QString()));
}

void ZtDownLoadFile::doDownLoadError(QNetworkReply::NetworkError code)
{
    fail(QStringLiteral("download failed (%1) %2").arg(int(code)).arg(mReply ? mReply->errorString() : QString()));
}

void ZtDownLoadFile::fail(const QString& reason)
{
    qWarning().noquote() << "ZtDownLoadFile:" << reason;
    cleanUp();
    emit onDownLoadFailed(reason);
}

void ZtDownLoadFile::cleanUp()
{
    mTimer.stop();
    mStallTimer.stop();
    mDigests.clear();
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
