#pragma once

#include "ztcontrollib_global.h"

#include <QNetworkCookieJar>
#include <QStringList>
#include <QUrl>

class AutoSaver;

// A cookie jar that keeps its cookies and host exceptions in "cookies.ini"
// next to the application and its policies in the default settings. It loads
// on first use and saves lazily through an AutoSaver.
//
// Which cookies a reply may set: the exception lists come first, the most
// specific matching entry deciding (an entry matches its host and every
// sub-domain; "block" wins over the allow lists for the same entry). Blocked
// hosts set nothing; allowed hosts always set theirs; hosts allowed for the
// session set theirs as session cookies only. Hosts on no list follow the
// accept policy: AcceptAlways takes every valid cookie, AcceptNever none, and
// AcceptOnlyFromSitesNavigatedTo takes cookies only from the site of the
// first-party URL (the page the user is on) once one is set, and from the
// requested host itself while none is set.
class ZTCONTROLLIB_EXPORT ZtCookieJar : public QNetworkCookieJar
{
    Q_OBJECT
    Q_PROPERTY(AcceptPolicy acceptPolicy READ acceptPolicy WRITE setAcceptPolicy)
    Q_PROPERTY(KeepPolicy keepPolicy READ keepPolicy WRITE setKeepPolicy)
    Q_PROPERTY(QStringList blockedCookies READ blockedCookies WRITE setBlockedCookies)
    Q_PROPERTY(QStringList allowedCookies READ allowedCookies WRITE setAllowedCookies)
    Q_PROPERTY(QStringList allowForSessionCookies READ allowForSessionCookies WRITE setAllowForSessionCookies)

public:
    enum AcceptPolicy { AcceptAlways = 0, AcceptNever = 1, AcceptOnlyFromSitesNavigatedTo = 2 };
    Q_ENUM(AcceptPolicy)
    enum KeepPolicy { KeepUntilExpire = 0, KeepUntilExit = 1, KeepUntilTimeLimit = 2 };
    Q_ENUM(KeepPolicy)

    // How long KeepUntilTimeLimit keeps a cookie at most.
    static constexpr int kTimeLimitDays = 90;

    explicit ZtCookieJar(QObject* parent = nullptr);
    // Saves changes that are still waiting for the auto-saver.
    ~ZtCookieJar() override;

    // "<application dir>/cookies.ini", or "<home>/.<application name>/cookies.ini"
    // when the application directory is unknown.
    static QString defaultCookieFile();
    // Another file for the cookies and exceptions; set it before the first use.
    void setCookieFile(const QString& path);
    QString cookieFile() const;

    QList<QNetworkCookie> cookiesForUrl(const QUrl& url) const override;
    bool setCookiesFromUrl(const QList<QNetworkCookie>& cookieList, const QUrl& url) override;
    bool insertCookie(const QNetworkCookie& cookie) override;
    bool updateCookie(const QNetworkCookie& cookie) override;
    bool deleteCookie(const QNetworkCookie& cookie) override;

    // Every cookie in the jar.
    QList<QNetworkCookie> cookies() const;

    // The page the user is on; decides what AcceptOnlyFromSitesNavigatedTo lets in.
    void setFirstPartyUrl(const QUrl& url);
    QUrl firstPartyUrl() const { return mFirstPartyUrl; }

    AcceptPolicy acceptPolicy() const;
    void setAcceptPolicy(AcceptPolicy policy);
    KeepPolicy keepPolicy() const;
    void setKeepPolicy(KeepPolicy policy);
    QStringList blockedCookies() const;
    void setBlockedCookies(const QStringList& hosts);
    QStringList allowedCookies() const;
    void setAllowedCookies(const QStringList& hosts);
    QStringList allowForSessionCookies() const;
    void setAllowForSessionCookies(const QStringList& hosts);

signals:
    void cookiesChanged();

public slots:
    void clear();
    void loadSettings();

private slots:
    void save();

private:
    enum class Verdict { Reject, Accept, AcceptForSession };

    void load();
    void ensureLoaded() const;
    void readPolicies();
    void purgeOldCookies();
    void changed();
    void setList(QStringList& list, QStringList hosts);
    Verdict verdictFor(const QUrl& url) const;

    bool mLoaded = false;
    // The file could not be read whole: copy it aside before the first save.
    bool mKeepAside = false;
    AutoSaver* mSaveTimer = nullptr;
    AcceptPolicy mAcceptCookies = AcceptOnlyFromSitesNavigatedTo;
    KeepPolicy mKeepCookies = KeepUntilExpire;
    QStringList mExceptionsBlock;
    QStringList mExceptionsAllow;
    QStringList mExceptionsAllowForSession;
    QString mCookieFile;
    QUrl mFirstPartyUrl;
};
