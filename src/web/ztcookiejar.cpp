#include "web/ztcookiejar.h"

#include "web/autosaver.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QMetaEnum>
#include <QNetworkCookie>
#include <QSettings>

#include <pubcache/pubsettingsformat.h>

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

namespace {

// Reads the saved list from `stream`. The count and every length come from a file,
// so each is checked against the bytes that are left before anything is read; a
// cut list gives the records before the cut. False when the list was not whole.
bool readCookieList(QDataStream& stream, QList<QNetworkCookie>& list)
{
    list.clear();
    QIODevice* device = stream.device();
    const auto left = [device] { return device ? device->bytesAvailable() : 0; };
    quint32 version = 0;
    stream >> version;
    if (stream.status() != QDataStream::Ok || version != kCookieStreamVersion) {
        qWarning() << "CookieJar: ignoring saved cookies of stream version" << version;
        return false;
    }
    quint32 count = 0;
    stream >> count;
    for (quint32 i = 0; i < count; ++i) {
        quint32 length = 0;
        if (left() >= 4)
            stream >> length;
        else
            stream.setStatus(QDataStream::ReadPastEnd);
        // 0xffffffff is an empty (null) entry; anything else must fit in what is left.
        if (stream.status() != QDataStream::Ok || (length != 0xffffffffu && qint64(length) > left())) {
            qWarning() << "CookieJar: saved cookie list ends after" << i << "of" << count << "entries";
            return false;
        }
        const QByteArray value = length == 0xffffffffu ? QByteArray() : device->read(length);
        const QList<QNetworkCookie> parsed = QNetworkCookie::parseCookies(value);
        if (parsed.isEmpty() && !value.isEmpty())
            qWarning() << "CookieJar: Unable to parse saved cookie:" << value;
        list += parsed;
    }
    return true;
}

// The bytes of the "@Variant(...)" value: a QVariant of the list as QSettings
// streams it (user type 127, the type's name, then the list).
bool readCookieVariant(const QByteArray& bytes, QList<QNetworkCookie>& list, bool* whole)
{
    *whole = false;
    list.clear();
    QDataStream stream(bytes);
    stream.setVersion(QDataStream::Qt_4_0);
    static const QByteArray typeName = QByteArrayLiteral("QList<QNetworkCookie>");
    quint32 type = 0;
    quint32 nameLength = 0;
    stream >> type >> nameLength;
    if (stream.status() != QDataStream::Ok || type != 127 || nameLength != quint32(typeName.size() + 1))
        return false;
    if (stream.device()->read(nameLength) != QByteArray(typeName.constData(), typeName.size() + 1))
        return false;
    *whole = readCookieList(stream, list);
    return true;
}

}

QDataStream& operator>>(QDataStream& stream, QList<QNetworkCookie>& list)
{
    if (!stream.device()) {
        list.clear();
        return stream;
    }
    readCookieList(stream, list);
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
    const std::unique_ptr<QSettings> cookieSettings = PubSettingsFormat::open(file);
    if (cookieSettings->status() != QSettings::NoError)
        qWarning() << "CookieJar: cannot read" << file << cookieSettings->status();
    const QVariant saved = cookieSettings->value(kCookiesKey);
    QList<QNetworkCookie> cookies;
    bool whole = true;
    if (saved.userType() == qMetaTypeId<QList<QNetworkCookie>>()) {
        // Read earlier in this process by Qt's own reader, which shares parsed files.
        cookies = saved.value<QList<QNetworkCookie>>();
    } else if (PubSettingsFormat::isSerialized(saved) && PubSettingsFormat::serialized(saved).kind == "Variant") {
        if (!readCookieVariant(PubSettingsFormat::serialized(saved).data, cookies, &whole)) {
            qWarning() << "CookieJar: no readable cookie list in" << file;
            whole = false;
        }
    } else if (cookieSettings->contains(kCookiesKey)) {
        qWarning() << "CookieJar: no readable cookie list in" << file;
        whole = false;
    }
    // What could not be read must not vanish under the next save.
    mKeepAside = !whole;
    setAllCookies(cookies);

    cookieSettings->beginGroup(kExceptionsGroup);
    mExceptionsBlock = sortedHosts(PubSettingsFormat::plainValue(*cookieSettings, kBlockKey).toStringList());
    mExceptionsAllow = sortedHosts(PubSettingsFormat::plainValue(*cookieSettings, kAllowKey).toStringList());
    mExceptionsAllowForSession =
        sortedHosts(PubSettingsFormat::plainValue(*cookieSettings, kAllowForSessionKey).toStringList());
    cookieSettings->endGroup();

    readPolicies();
    mLoaded = true;
    emit cookiesChanged();
}

void ZtCookieJar::readPolicies()
{
    const std::unique_ptr<QSettings> settings = PubSettingsFormat::openDefault();
    settings->beginGroup(kPolicyGroup);
    mAcceptCookies = keyValue(
        PubSettingsFormat::plainValue(*settings, kAcceptKey, keyText(AcceptOnlyFromSitesNavigatedTo)).toString(),
        AcceptOnlyFromSitesNavigatedTo);
    mKeepCookies =
        keyValue(PubSettingsFormat::plainValue(*settings, kKeepKey, keyText(KeepUntilExpire)).toString(), KeepUntilExpire);
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
    if (mKeepAside && QFile::exists(file)) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        QString copy = file + QStringLiteral(".unreadable-") + stamp;
        for (int n = 2; QFile::exists(copy); ++n)
            copy = file + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
        if (QFile::copy(file, copy))
            qWarning() << "CookieJar:" << file << "could not be read whole; kept as" << copy;
        else
            qWarning() << "CookieJar: cannot keep a copy of" << file << "before saving over it";
    }
    mKeepAside = false;

    const std::unique_ptr<QSettings> cookieSettings = PubSettingsFormat::open(file);
    cookieSettings->setValue(kCookiesKey, QVariant::fromValue(lasting));
    cookieSettings->beginGroup(kExceptionsGroup);
    cookieSettings->setValue(kBlockKey, mExceptionsBlock);
    cookieSettings->setValue(kAllowKey, mExceptionsAllow);
    cookieSettings->setValue(kAllowForSessionKey, mExceptionsAllowForSession);
    cookieSettings->endGroup();
    cookieSettings->sync();
    if (cookieSettings->status() != QSettings::NoError)
        qWarning() << "CookieJar: cannot write" << file << cookieSettings->status();

    const std::unique_ptr<QSettings> settings = PubSettingsFormat::openDefault();
    settings->beginGroup(kPolicyGroup);
    settings->setValue(kAcceptKey, keyText(mAcceptCookies));
    settings->setValue(kKeepKey, keyText(mKeepCookies));
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
