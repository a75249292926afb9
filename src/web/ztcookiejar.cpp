#include "web/ztcookiejar.h"

#include "web/autosaver.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QMetaEnum>
#include <QNetworkCookie>
#include <QSettings>

#include <algorithm>
#include <mutex>

namespace {

const quint32 kCookieStreamVersion = 23;

const QString kCookiesKey = QStringLiteral("cookies");
const QString kExceptionsGroup = QStringLiteral("Exceptions");
const QString kBlockKey = QStringLiteral("block");
const QString kAllowKey = QStringLiteral("allow");
const QString kAllowForSessionKey = QStringLiteral("allowForSession");
const QString kPolicyGroup = QStringLiteral("cookies");
const QString kAcceptKey = QStringLiteral("acceptCookies");
const QString kKeepKey = QStringLiteral("keepCookiesUntil");

}

// The stream format of the saved cookie list: version, count, raw cookies.
QDataStream& operator<<(QDataStream& stream, const QList<QNetworkCookie>& list)
{
    stream << kCookieStreamVersion << quint32(list.size());
    for (const QNetworkCookie& cookie : list)
        stream << cookie.toRawForm();
    return stream;
}

QDataStream& operator>>(QDataStream& stream, QList<QNetworkCookie>& list)
{
    list.clear();
    quint32 version = 0;
    stream >> version;
    if (stream.status() != QDataStream::Ok || version != kCookieStreamVersion) {
        qWarning() << "CookieJar: ignoring saved cookies of stream version" << version;
        return stream;
    }
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray value;
        if (!stream.atEnd())
            stream >> value;
        if (stream.status() != QDataStream::Ok || (value.isNull() && stream.atEnd())) {
            qWarning() << "CookieJar: saved cookie list ends after" << i << "of" << count << "entries";
            break;
        }
        const QList<QNetworkCookie> parsed = QNetworkCookie::parseCookies(value);
        if (parsed.isEmpty() && !value.isEmpty())
            qWarning() << "CookieJar: Unable to parse saved cookie:" << value;
        list += parsed;
    }
    return stream;
}

namespace {

void registerCookieStream()
{
    static std::once_flag once;
    std::call_once(once, [] {
        qRegisterMetaTypeStreamOperators<QList<QNetworkCookie>>("QList<QNetworkCookie>");
    });
}

template <typename E>
QString keyText(E value)
{
    return QString::fromLatin1(QMetaEnum::fromType<E>().valueToKey(int(value)));
}

template <typename E>
E keyValue(const QString& text, E fallback)
{
    bool ok = false;
    const int value = QMetaEnum::fromType<E>().keyToValue(text.toLatin1().constData(), &ok);
    return ok ? E(value) : fallback;
}

QStringList sortedHosts(QStringList hosts)
{
    std::sort(hosts.begin(), hosts.end());
    return hosts;
}

// Length of the entry of the list that matches host (itself or a parent
// domain), the longest one winning; -1 when none does.
int matchLength(const QStringList& entries, const QString& host)
{
    int best = -1;
    for (QString entry : entries) {
        entry = entry.trimmed().toLower();
        if (entry.startsWith(QLatin1Char('.')))
            entry.remove(0, 1);
        if (entry.isEmpty())
            continue;
        const bool matches = host == entry
                             || (host.endsWith(entry) && host.at(host.size() - entry.size() - 1) == QLatin1Char('.'));
        if (matches)
            best = qMax(best, entry.size());
    }
    return best;
}

// The registrable part of a host ("www.example.com.cn" -> "example.com.cn").
QString siteOf(const QString& host)
{
    if (host.isEmpty() || !QHostAddress(host).isNull())
        return host;
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    const QString suffix = QUrl(QStringLiteral("http://") + host).topLevelDomain();
    QT_WARNING_POP
    if (suffix.isEmpty() || suffix.size() >= host.size())
        return host;
    const QString rest = host.left(host.size() - suffix.size());
    const int dot = rest.lastIndexOf(QLatin1Char('.'));
    return rest.mid(dot + 1) + suffix;
}

}

ZtCookieJar::ZtCookieJar(QObject* parent) : QNetworkCookieJar(parent), mSaveTimer(new AutoSaver(this))
{
    registerCookieStream();
}

ZtCookieJar::~ZtCookieJar()
{
    mSaveTimer->saveIfNeeded();
}

QString ZtCookieJar::defaultCookieFile()
{
    QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.") + QCoreApplication::applicationName();
    return dir + QStringLiteral("/cookies.ini");
}

void ZtCookieJar::setCookieFile(const QString& path)
{
    mCookieFile = path;
}

QString ZtCookieJar::cookieFile() const
{
    return mCookieFile.isEmpty() ? defaultCookieFile() : mCookieFile;
}

void ZtCookieJar::ensureLoaded() const
{
    if (!mLoaded)
        const_cast<ZtCookieJar*>(this)->load();
}

void ZtCookieJar::load()
{
    if (mLoaded)
        return;
    const QString file = cookieFile();
    QSettings cookieSettings(file, QSettings::IniFormat);
    if (cookieSettings.status() != QSettings::NoError)
        qWarning() << "CookieJar: cannot read" << file << cookieSettings.status();
    const QVariant saved = cookieSettings.value(kCookiesKey);
    if (cookieSettings.contains(kCookiesKey) && saved.userType() != qMetaTypeId<QList<QNetworkCookie>>())
        qWarning() << "CookieJar: no readable cookie list in" << file;
    setAllCookies(saved.value<QList<QNetworkCookie>>());

    cookieSettings.beginGroup(kExceptionsGroup);
    mExceptionsBlock = sortedHosts(cookieSettings.value(kBlockKey).toStringList());
    mExceptionsAllow = sortedHosts(cookieSettings.value(kAllowKey).toStringList());
    mExceptionsAllowForSession = sortedHosts(cookieSettings.value(kAllowForSessionKey).toStringList());
    cookieSettings.endGroup();

    readPolicies();
    mLoaded = true;
    emit cookiesChanged();
}

void ZtCookieJar::readPolicies()
{
    QSettings settings;
    settings.beginGroup(kPolicyGroup);
    mAcceptCookies = keyValue(settings.value(kAcceptKey, keyText(AcceptOnlyFromSitesNavigatedTo)).toString(),
                              AcceptOnlyFromSitesNavigatedTo);
    mKeepCookies = keyValue(settings.value(kKeepKey, keyText(KeepUntilExpire)).toString(), KeepUntilExpire);
    if (mKeepCookies == KeepUntilExit)
        setAllCookies(QList<QNetworkCookie>());
}

void ZtCookieJar::loadSettings()
{
    // Reading the policies alone would leave the file's cookies unread, and the
    // next save would then overwrite them.
    if (!mLoaded) {
        load();
        return;
    }
    readPolicies();
    emit cookiesChanged();
}

void ZtCookieJar::purgeOldCookies()
{
    const QList<QNetworkCookie> all = allCookies();
    if (all.isEmpty())
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<QNetworkCookie> kept;
    for (const QNetworkCookie& cookie : all) {
        if (cookie.isSessionCookie() || cookie.expirationDate() >= now)
            kept.append(cookie);
    }
    if (kept.size() != all.size()) {
        setAllCookies(kept);
        emit cookiesChanged();
    }
}

void ZtCookieJar::save()
{
    if (!mLoaded)
        return;
    purgeOldCookies();
    const QString file = cookieFile();
    const QString dir = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(dir))
        qWarning() << "CookieJar: cannot create" << dir;

    QList<QNetworkCookie> lasting;
    for (const QNetworkCookie& cookie : allCookies()) {
        if (!cookie.isSessionCookie())
            lasting.append(cookie);
    }
    QSettings cookieSettings(file, QSettings::IniFormat);
    cookieSettings.setValue(kCookiesKey, QVariant::fromValue(lasting));
    cookieSettings.beginGroup(kExceptionsGroup);
    cookieSettings.setValue(kBlockKey, mExceptionsBlock);
    cookieSettings.setValue(kAllowKey, mExceptionsAllow);
    cookieSettings.setValue(kAllowForSessionKey, mExceptionsAllowForSession);
    cookieSettings.endGroup();
    cookieSettings.sync();
    if (cookieSettings.status() != QSettings::NoError)
        qWarning() << "CookieJar: cannot write" << file << cookieSettings.status();

    QSettings settings;
    settings.beginGroup(kPolicyGroup);
    settings.setValue(kAcceptKey, keyText(mAcceptCookies));
    settings.setValue(kKeepKey, keyText(mKeepCookies));
}

void ZtCookieJar::changed()
{
    mSaveTimer->changeOccurred();
    emit cookiesChanged();
}

void ZtCookieJar::clear()
{
    ensureLoaded();
    setAllCookies(QList<QNetworkCookie>());
    changed();
}

QList<QNetworkCookie> ZtCookieJar::cookies() const
{
    ensureLoaded();
    return allCookies();
}

QList<QNetworkCookie> ZtCookieJar::cookiesForUrl(const QUrl& url) const
{
    ensureLoaded();
    return QNetworkCookieJar::cookiesForUrl(url);
}

ZtCookieJar::Verdict ZtCookieJar::verdictFor(const QUrl& url) const
{
    const QString host = url.host().toLower();
    const int blocked = matchLength(mExceptionsBlock, host);
    const int allowed = matchLength(mExceptionsAllow, host);
    const int session = matchLength(mExceptionsAllowForSession, host);
    const int best = qMax(blocked, qMax(allowed, session));
    if (best >= 0) {
        if (blocked == best)
            return Verdict::Reject;
        return allowed == best ? Verdict::Accept : Verdict::AcceptForSession;
    }
    switch (mAcceptCookies) {
    case AcceptAlways:
        return Verdict::Accept;
    case AcceptNever:
        return Verdict::Reject;
    case AcceptOnlyFromSitesNavigatedTo:
        break;
    }
    if (!mFirstPartyUrl.isValid() || mFirstPartyUrl.host().isEmpty())
        return Verdict::Accept;
    return siteOf(host) == siteOf(mFirstPartyUrl.host().toLower()) ? Verdict::Accept : Verdict::Reject;
}

bool ZtCookieJar::setCookiesFromUrl(const QList<QNetworkCookie>& cookieList, const QUrl& url)
{
    ensureLoaded();
    const Verdict verdict = verdictFor(url);
    if (verdict == Verdict::Reject) {
        qDebug() << "CookieJar: refused" << cookieList.size() << "cookies from" << url.host();
        return false;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime limit = now.addDays(kTimeLimitDays);
    QList<QNetworkCookie> accepted;
    accepted.reserve(cookieList.size());
    for (QNetworkCookie cookie : cookieList) {
        // An expiry in the past deletes the cookie and must stay as it is.
        const bool lasting = !cookie.isSessionCookie() && cookie.expirationDate() >= now;
        if (lasting && (verdict == Verdict::AcceptForSession || mKeepCookies == KeepUntilExit))
            cookie.setExpirationDate(QDateTime());
        else if (lasting && mKeepCookies == KeepUntilTimeLimit && cookie.expirationDate() > limit)
            cookie.setExpirationDate(limit);
        accepted.append(cookie);
    }
    return QNetworkCookieJar::setCookiesFromUrl(accepted, url);
}

bool ZtCookieJar::insertCookie(const QNetworkCookie& cookie)
{
    ensureLoaded();
    const bool inserted = QNetworkCookieJar::insertCookie(cookie);
    if (inserted)
        changed();
    return inserted;
}

bool ZtCookieJar::updateCookie(const QNetworkCookie& cookie)
{
    ensureLoaded();
    const bool updated = QNetworkCookieJar::updateCookie(cookie);
    if (updated)
        changed();
    return updated;
}

bool ZtCookieJar::deleteCookie(const QNetworkCookie& cookie)
{
    ensureLoaded();
    const bool deleted = QNetworkCookieJar::deleteCookie(cookie);
    if (deleted)
        changed();
    return deleted;
}

void ZtCookieJar::setFirstPartyUrl(const QUrl& url)
{
    mFirstPartyUrl = url;
}

ZtCookieJar::AcceptPolicy ZtCookieJar::acceptPolicy() const
{
    ensureLoaded();
    return mAcceptCookies;
}

void ZtCookieJar::setAcceptPolicy(AcceptPolicy policy)
{
    ensureLoaded();
    if (policy == mAcceptCookies)
        return;
    mAcceptCookies = policy;
    mSaveTimer->changeOccurred();
}

ZtCookieJar::KeepPolicy ZtCookieJar::keepPolicy() const
{
    ensureLoaded();
    return mKeepCookies;
}

void ZtCookieJar::setKeepPolicy(KeepPolicy policy)
{
    ensureLoaded();
    if (policy == mKeepCookies)
        return;
    mKeepCookies = policy;
    mSaveTimer->changeOccurred();
}

QStringList ZtCookieJar::blockedCookies() const
{
    ensureLoaded();
    return mExceptionsBlock;
}

QStringList ZtCookieJar::allowedCookies() const
{
    ensureLoaded();
    return mExceptionsAllow;
}

QStringList ZtCookieJar::allowForSessionCookies() const
{
    ensureLoaded();
    return mExceptionsAllowForSession;
}

void ZtCookieJar::setList(QStringList& list, QStringList hosts)
{
    ensureLoaded();
    hosts = sortedHosts(std::move(hosts));
    if (hosts == list)
        return;
    list = hosts;
    mSaveTimer->changeOccurred();
}

void ZtCookieJar::setBlockedCookies(const QStringList& hosts)
{
    setList(mExceptionsBlock, hosts);
}

void ZtCookieJar::setAllowedCookies(const QStringList& hosts)
{
    setList(mExceptionsAllow, hosts);
}

void ZtCookieJar::setAllowForSessionCookies(const QStringList& hosts)
{
    setList(mExceptionsAllowForSession, hosts);
}
