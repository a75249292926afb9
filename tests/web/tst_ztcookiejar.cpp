#include "testfiles.h"

#include <web/autosaver.h>
#include <web/cookiemodel.h>
#include <web/ztcookiejar.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QNetworkCookie>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QNetworkCookie makeCookie(const QByteArray& name, const QString& domain, const QDateTime& expiry,
                          bool secure = false, const QString& path = QStringLiteral("/"))
{
    QNetworkCookie cookie(name, "v-" + name);
    cookie.setDomain(domain);
    cookie.setPath(path);
    cookie.setExpirationDate(expiry);
    cookie.setSecure(secure);
    return cookie;
}

QDateTime inDays(int days)
{
    return QDateTime::currentDateTimeUtc().addDays(days);
}

// The saved list as QSettings streams a QVariant of it.
QByteArray variantStream(quint32 version, quint32 count, const QList<QByteArray>& entries)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    out << quint32(127) << "QList<QNetworkCookie>" << version << count;
    for (const QByteArray& e : entries)
        out << e;
    return bytes;
}

// INI text whose "cookies" value is the given variant stream.
QByteArray cookieIni(const QByteArray& variant)
{
    QByteArray text = "[General]\ncookies=@Variant(";
    for (unsigned char c : variant)
        text += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
    return text + ")\n";
}

// A saved file holding the given cookies.
void writeSaved(const QString& path, const QList<QNetworkCookie>& cookies)
{
    QList<QByteArray> raw;
    for (const QNetworkCookie& c : cookies)
        raw << c.toRawForm();
    TestFiles::write(path, cookieIni(variantStream(23, quint32(raw.size()), raw)));
}

}

// Stands in for a saved object: counts save() calls.
class SaveCounter : public QObject
{
    Q_OBJECT

public:
    int saves = 0;

public slots:
    void save() { ++saves; }
};


class tst_ZtCookieJar : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> mDir;

    QString cookieFile() const { return mDir->filePath(QStringLiteral("profile/cookies.ini")); }

    ZtCookieJar* newJar(QObject* parent = nullptr)
    {
        auto* jar = new ZtCookieJar(parent);
        jar->setCookieFile(cookieFile());
        return jar;
    }

    static AutoSaver* saverOf(ZtCookieJar* jar) { return jar->findChild<AutoSaver*>(); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("ZtControlLibTest"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_ztcookiejar"));
    }

    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        QSettings().remove(QStringLiteral("cookies"));
    }

    void cleanup()
    {
        mDir.reset();
        // Tests point the jar elsewhere; nothing may land beside the binary.
        QVERIFY(!QFileInfo::exists(QCoreApplication::applicationDirPath() + "/cookies.ini"));
    }

    void savesAndReloads()
    {
        QScopedPointer<ZtCookieJar> jar(newJar());
        QSignalSpy changed(jar.data(), &ZtCookieJar::cookiesChanged);
        jar->setAcceptPolicy(ZtCookieJar::AcceptAlways);
        jar->setBlockedCookies({"tracker.example", "ads.example"});
        jar->setAllowedCookies({"quote.example"});
        jar->setAllowForSessionCookies({"news.example", "bbs.example"});
        const QDateTime expiry = inDays(30);
        QVERIFY(jar->setCookiesFromUrl({makeCookie("lasting", "example.com", expiry, true),
                                        makeCookie("session", "example.com", QDateTime())},
                                       QUrl("https://www.example.com/")));
        QVERIFY(changed.count() >= 1);
        QCOMPARE(jar->cookies().size(), 2);
        QVERIFY(saverOf(jar.data())->hasPendingChange());
        jar.reset();  // a pending change is saved when the jar goes

        QSettings file(cookieFile(), QSettings::IniFormat);
        QCOMPARE(file.value("Exceptions/block").toStringList(), (QStringList{"ads.example", "tracker.example"}));
        QCOMPARE(file.value("Exceptions/allow").toStringList(), QStringList{"quote.example"});
        QCOMPARE(file.value("Exceptions/allowForSession").toStringList(), (QStringList{"bbs.example", "news.example"}));
        QCOMPARE(QSettings().value("cookies/acceptCookies").toString(), QStringLiteral("AcceptAlways"));
        QCOMPARE(QSettings().value("cookies/keepCookiesUntil").toString(), QStringLiteral("KeepUntilExpire"));
        QVERIFY(!TestFiles::read(cookieFile()).contains("session"));

        jar.reset(newJar());
        const QList<QNetworkCookie> loaded = jar->cookies();
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.first().name(), QByteArray("lasting"));
        QCOMPARE(loaded.first().expirationDate().toSecsSinceEpoch(), expiry.toSecsSinceEpoch());
        QVERIFY(loaded.first().isSecure());
        QCOMPARE(jar->acceptPolicy(), ZtCookieJar::AcceptAlways);
        QCOMPARE(jar->blockedCookies(), (QStringList{"ads.example", "tracker.example"}));
        QCOMPARE(jar->allowForSessionCookies(), (QStringList{"bbs.example", "news.example"}));
    }

    void loadsLazilyAndSavesOnlyWhenLoaded()
    {
        writeSaved(cookieFile(), {makeCookie("kept", ".example.com", inDays(5))});
        const QByteArray before = TestFiles::read(cookieFile());
        {
            QScopedPointer<ZtCookieJar> jar(newJar());
            QMetaObject::invokeMethod(jar.data(), "save");  // unloaded: must not touch the file
            QCOMPARE(TestFiles::read(cookieFile()), before);
            QSignalSpy changed(jar.data(), &ZtCookieJar::cookiesChanged);
            jar->loadSettings();  // reads the file first, not just the policies
            QCOMPARE(changed.count(), 1);
            QCOMPARE(jar->cookies().size(), 1);
            QMetaObject::invokeMethod(jar.data(), "save");
        }
        QScopedPointer<ZtCookieJar> again(newJar());
        QCOMPARE(again->cookies().size(), 1);
    }

    // Broken files load no cookies, warn and never crash.
    void unreadableFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("cookies");
        QTest::addColumn<QString>("warning");
        const QByteArray a = makeCookie("a", ".example.com", inDays(5)).toRawForm();
        const QByteArray b = makeCookie("b", ".example.com", inDays(5)).toRawForm();
        const QByteArray two = variantStream(23, 2, {a, b});
        QTest::newRow("stream version 24") << cookieIni(variantStream(24, 2, {a, b})) << 0 << "stream version 24";
        QTest::newRow("fewer entries than counted") << cookieIni(variantStream(23, 5, {a, b})) << 2 << "ends after 2 of 5";
        QTest::newRow("entry cut in the middle") << cookieIni(two.left(two.size() - 10)) << 1 << "ends after 1 of 2";
        QTest::newRow("unparsable entry") << cookieIni(variantStream(23, 3, {a, "=", b})) << 2 << "Unable to parse saved cookie";
        QTest::newRow("unknown type name")
            << cookieIni(QByteArray(variantStream(23, 1, {a})).replace("QList<QNetworkCookie>", "QList<QNetworkCookiX>"))
            << 0 << "no readable cookie list";
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise += char((i * 7919 + 13) % 256);
        QTest::newRow("list of 2^31-1 variants") << QByteArray("[General]\ncookies=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\n")
                                                 << 0 << "no readable cookie list";
        QTest::newRow("count of 2^31-1 cookies") << cookieIni(variantStream(23, 0x7fffffff, {a})) << 1 << "ends after 1 of";
        QTest::newRow("hostile exception list")
            << cookieIni(two) + "[Exceptions]\nblock=@Variant(\\0\\0\\0\\xb\\x7f\\xff\\xff\\xff)\n" << 2
            << "not plain text";
        QTest::newRow("value of random bytes") << "[General]\ncookies=@Variant(" + noise + ")\n" << 0 << "no readable cookie list";
    }

    void unreadableFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, cookies);
        QFETCH(QString, warning);
        TestFiles::write(cookieFile(), content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("(CookieJar: .*)?" + QRegularExpression::escape(warning)));
        QScopedPointer<ZtCookieJar> jar(newJar());
        QCOMPARE(jar->cookies().size(), cookies);

        // The jar stays usable and a save repairs the file.
        jar->setAcceptPolicy(ZtCookieJar::AcceptAlways);
        jar->insertCookie(makeCookie("fresh", ".example.com", inDays(2)));
        saverOf(jar.data())->saveIfNeeded();
        jar.reset(newJar());
        QVERIFY(jar->cookies().size() >= 1);
    }

    // A cut file gives the cookies before the cut; the first save keeps the cut file
    // aside, once, so that what could not be read is not overwritten.
    void cutFileIsKeptAside_data()
    {
        QTest::addColumn<int>("removed");  // characters cut off the end of the value; -1 half of it
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("closing bracket gone") << 1 << 5 << 5;
        QTest::newRow("last record cut") << 12 << 4 << 4;
        QTest::newRow("cut in the middle") << -1 << 1 << 4;
    }

    void cutFileIsKeptAside()
    {
        QFETCH(int, removed);
        QFETCH(int, least);
        QFETCH(int, most);
        {
            QScopedPointer<ZtCookieJar> jar(newJar());
            for (int i = 0; i < 5; ++i)
                QVERIFY(jar->insertCookie(makeCookie("c" + QByteArray::number(i), ".example.com", inDays(5))));
        }
        const QByteArray whole = TestFiles::read(cookieFile());
        // Cut inside the cookies value, as a crash in the middle of a write leaves it.
        const int start = whole.indexOf("@Variant(");
        const int end = whole.indexOf(')', whole.indexOf('\n', start) - 3);
        QVERIFY(start > 0 && end > start);
        const QByteArray cut = whole.left(removed < 0 ? (start + end) / 2 : end + 1 - removed);
        TestFiles::write(cookieFile(), cut);

        if (least < 5)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("CookieJar: .*ends after"));
        QScopedPointer<ZtCookieJar> jar(newJar());
        const int read = jar->cookies().size();
        QVERIFY2(read >= least && read <= most, qPrintable(QString::number(read)));
        if (read < 5)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("CookieJar: .*kept as"));
        jar->insertCookie(makeCookie("fresh", ".example.com", inDays(2)));
        QMetaObject::invokeMethod(jar.data(), "save");
        jar->insertCookie(makeCookie("fresher", ".example.com", inDays(2)));
        QMetaObject::invokeMethod(jar.data(), "save");

        const QStringList aside = QFileInfo(cookieFile()).dir().entryList({"cookies.ini.*"}, QDir::Files);
        // Every record read: nothing to keep.
        QCOMPARE(aside.size(), read < 5 ? 1 : 0);
        if (read < 5)
            QCOMPARE(TestFiles::read(QFileInfo(cookieFile()).dir().filePath(aside.first())), cut);
        jar.reset(newJar());
        QCOMPARE(jar->cookies().size(), read + 2);
    }

    // Until exit drops the saved cookies as they load.
    void policiesFromSettings_data()
    {
        QTest::addColumn<QVariant>("acceptText");
        QTest::addColumn<QVariant>("keepText");
        QTest::addColumn<int>("accept");
        QTest::addColumn<int>("keep");
        QTest::addColumn<int>("loaded");
        QTest::newRow("nothing stored") << QVariant() << QVariant() << 2 << 0 << 1;
        QTest::newRow("never, time limit") << QVariant("AcceptNever") << QVariant("KeepUntilTimeLimit") << 1 << 2 << 1;
        QTest::newRow("until exit") << QVariant() << QVariant("KeepUntilExit") << 2 << 1 << 0;
        QTest::newRow("wrong case") << QVariant("acceptalways") << QVariant("keepuntilexit") << 2 << 0 << 1;
    }

    void policiesFromSettings()
    {
        QFETCH(QVariant, acceptText);
        QFETCH(QVariant, keepText);
        QFETCH(int, accept);
        QFETCH(int, keep);
        QFETCH(int, loaded);
        writeSaved(cookieFile(), {makeCookie("a", ".example.com", inDays(5))});
        if (acceptText.isValid())
            QSettings().setValue("cookies/acceptCookies", acceptText);
        if (keepText.isValid())
            QSettings().setValue("cookies/keepCookiesUntil", keepText);
        QScopedPointer<ZtCookieJar> jar(newJar());
        QCOMPARE(int(jar->acceptPolicy()), accept);
        QCOMPARE(int(jar->keepPolicy()), keep);
        QCOMPARE(jar->cookies().size(), loaded);
    }

    void saveDropsExpiredCookies()
    {
        writeSaved(cookieFile(), {makeCookie("old", ".example.com", inDays(-1)), makeCookie("new", ".example.com", inDays(1))});
        QScopedPointer<ZtCookieJar> jar(newJar());
        QCOMPARE(jar->cookies().size(), 2);
        QSignalSpy changed(jar.data(), &ZtCookieJar::cookiesChanged);
        QMetaObject::invokeMethod(jar.data(), "save");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(jar->cookies().size(), 1);
        jar.reset(newJar());
        QCOMPARE(jar->cookies().size(), 1);
        QCOMPARE(jar->cookies().first().name(), QByteArray("new"));
    }

    void clearEmptiesAndIsSaved()
    {
        writeSaved(cookieFile(), {makeCookie("a", ".example.com", inDays(5))});
        {
            QScopedPointer<ZtCookieJar> jar(newJar());
            QSignalSpy changed(jar.data(), &ZtCookieJar::cookiesChanged);
            jar->clear();  // before any other use: must load, or the file would win later
            QVERIFY(changed.count() >= 1);
            QCOMPARE(jar->cookies().size(), 0);
            QVERIFY(saverOf(jar.data())->hasPendingChange());
        }
        QScopedPointer<ZtCookieJar> again(newJar());
        QCOMPARE(again->cookies().size(), 0);
    }

    // Which hosts may set cookies, and how long they last. Host lists are comma-separated.
    void acceptance_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<int>("keep");
        QTest::addColumn<QString>("block");
        QTest::addColumn<QString>("allow");
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("firstParty");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("result");  // "lasting", "session" or "none"
        const int always = ZtCookieJar::AcceptAlways, never = ZtCookieJar::AcceptNever,
                  visited = ZtCookieJar::AcceptOnlyFromSitesNavigatedTo;
        const int expire = ZtCookieJar::KeepUntilExpire, exit = ZtCookieJar::KeepUntilExit;
        const QString a = "http://www.a.com/", b = "http://ads.b.com/";
        QTest::newRow("always") << always << expire << "" << "" << "" << "" << a << "lasting";
        QTest::newRow("never") << never << expire << "" << "" << "" << "" << a << "none";
        QTest::newRow("never, host allowed") << never << expire << "" << "a.com" << "" << "" << a << "lasting";
        QTest::newRow("never, allowed for the session") << never << expire << "" << "" << ".a.com" << "" << a << "session";
        QTest::newRow("always, parent blocked") << always << expire << "a.com" << "" << "" << "" << a << "none";
        QTest::newRow("block is not a suffix match")
            << always << expire << "a.com" << "" << "" << "" << "http://www.data.com/" << "lasting";
        QTest::newRow("more specific allow wins") << never << expire << "a.com" << "www.a.com" << "" << "" << a << "lasting";
        QTest::newRow("more specific block wins") << always << expire << "www.a.com" << "a.com" << "" << "" << a << "none";
        QTest::newRow("same entry blocked and allowed") << always << expire << "a.com" << "A.com" << "" << "" << a << "none";
        QTest::newRow("visited, no page yet") << visited << expire << "" << "" << "" << "" << a << "lasting";
        QTest::newRow("visited, same site") << visited << expire << "" << "" << "" << a << "http://api.a.com/" << "lasting";
        QTest::newRow("visited, third party") << visited << expire << "" << "" << "" << a << b << "none";
        QTest::newRow("visited, public suffix is no site")
            << visited << expire << "" << "" << "" << "http://www.sina.com.cn/" << "http://ads.other.com.cn/" << "none";
        QTest::newRow("visited, third party allowed") << visited << expire << "" << "b.com" << "" << a << b << "lasting";
        QTest::newRow("keep until exit") << always << exit << "" << "" << "" << "" << a << "session";
    }

    void acceptance()
    {
        QFETCH(int, policy);
        QFETCH(int, keep);
        QFETCH(QString, block);
        QFETCH(QString, allow);
        QFETCH(QString, session);
        QFETCH(QString, firstParty);
        QFETCH(QString, url);
        QFETCH(QString, result);
        QScopedPointer<ZtCookieJar> jar(newJar());
        jar->setAcceptPolicy(ZtCookieJar::AcceptPolicy(policy));
        jar->setKeepPolicy(ZtCookieJar::KeepPolicy(keep));
        jar->setBlockedCookies(block.split(',', Qt::SkipEmptyParts));
        jar->setAllowedCookies(allow.split(',', Qt::SkipEmptyParts));
        jar->setAllowForSessionCookies(session.split(',', Qt::SkipEmptyParts));
        jar->setFirstPartyUrl(QUrl(firstParty));
        const QUrl from(url);
        QNetworkCookie cookie("id", "42");
        cookie.setExpirationDate(inDays(10));
        QCOMPARE(jar->setCookiesFromUrl({cookie}, from), result != "none");
        const QList<QNetworkCookie> sent = jar->cookiesForUrl(from);
        QCOMPARE(sent.size(), result == "none" ? 0 : 1);
        if (!sent.isEmpty())
            QCOMPARE(sent.first().isSessionCookie(), result == "session");
    }

    void timeLimitCapsExpiry()
    {
        QScopedPointer<ZtCookieJar> jar(newJar());
        jar->setAcceptPolicy(ZtCookieJar::AcceptAlways);
        jar->setKeepPolicy(ZtCookieJar::KeepUntilTimeLimit);
        QVERIFY(jar->setCookiesFromUrl({makeCookie("long", "a.com", inDays(3650)), makeCookie("short", "a.com", inDays(2))},
                                       QUrl("http://a.com/")));
        QCOMPARE(jar->cookies().size(), 2);
        for (const QNetworkCookie& c : jar->cookies()) {
            const QDateTime expected = inDays(c.name() == "long" ? ZtCookieJar::kTimeLimitDays : 2);
            QVERIFY2(c.expirationDate() <= expected.addSecs(5) && c.expirationDate() >= expected.addSecs(-60), c.name());
        }
    }

    void expiredCookieDeletes_data()
    {
        QTest::addColumn<QString>("session");
        QTest::newRow("lasting host") << QString();
        QTest::newRow("host allowed for the session") << QStringLiteral("a.com");
    }

    // A server deletes a cookie by sending it expired; that must not turn into a session cookie.
    void expiredCookieDeletes()
    {
        QFETCH(QString, session);
        QScopedPointer<ZtCookieJar> jar(newJar());
        jar->setAcceptPolicy(ZtCookieJar::AcceptAlways);
        jar->setAllowForSessionCookies(session.split(',', Qt::SkipEmptyParts));
        QVERIFY(jar->setCookiesFromUrl({makeCookie("id", "a.com", inDays(1))}, QUrl("http://a.com/")));
        QCOMPARE(jar->cookies().size(), 1);
        jar->setCookiesFromUrl({makeCookie("id", "a.com", inDays(-1))}, QUrl("http://a.com/"));
        QCOMPARE(jar->cookies().size(), 0);
    }

    // Fake clock, real event loop: changes made back to back never let the
    // timer fire in between, so only the 15 s rule can save during a burst.
    void autoSaverRules_data()
    {
        QTest::addColumn<QList<int>>("changeTimes");
        QTest::addColumn<QList<int>>("savedAt");  // indexes of changes that save at once
        QTest::addColumn<bool>("pendingAfter");
        QTest::addColumn<int>("delay");  // the quiet delay, real milliseconds
        QList<int> twentySeconds;
        for (int i = 0; i <= 20; ++i)
            twentySeconds << i * 1000;
        QTest::newRow("a change a second for 20 s") << twentySeconds << QList<int>{16} << true << 1;
        QTest::newRow("exactly 15 s later") << QList<int>{0, 15000} << QList<int>{} << true << 1;
        QTest::newRow("just over 15 s later") << QList<int>{0, 15001} << QList<int>{1} << false << 1;
        QTest::newRow("the clock restarts after a save")
            << QList<int>{0, 15001, 16000, 31000, 31001} << QList<int>{1, 4} << false << 1;
        // 14.9 s into the burst a minute's quiet delay is cut to what is left of the 15 s.
        QTest::newRow("quiet delay ends by the maximum") << QList<int>{0, 14900} << QList<int>{} << true << 60000;
    }

    void autoSaverRules()
    {
        QFETCH(QList<int>, changeTimes);
        QFETCH(QList<int>, savedAt);
        QFETCH(bool, pendingAfter);
        QFETCH(int, delay);
        SaveCounter target;
        auto* saver = new AutoSaver(&target);
        qint64 now = 0;
        saver->setClock([&now] { return now; });
        saver->setDelays(delay, 15000);
        int expected = 0;
        for (int i = 0; i < changeTimes.size(); ++i) {
            now = changeTimes.at(i);
            saver->changeOccurred();
            if (savedAt.contains(i))
                ++expected;
            QCOMPARE(target.saves, expected);
        }
        QCOMPARE(saver->hasPendingChange(), pendingAfter);
        if (pendingAfter) {
            // Quiet after the burst: the short timer saves once.
            QTRY_COMPARE(target.saves, expected + 1);
            QVERIFY(!saver->hasPendingChange());
        }
    }

    void cookieModel()
    {
        QScopedPointer<ZtCookieJar> jar(newJar());
        jar->setAcceptPolicy(ZtCookieJar::AcceptAlways);
        CookieModel model(jar.data());
        QCOMPARE(model.rowCount(), 0);

        const QDateTime expiry(QDate(2030, 5, 6), QTime(7, 8, 9), Qt::LocalTime);
        jar->setCookiesFromUrl({makeCookie("z", "b.com", expiry, true, "/p")}, QUrl("https://b.com/p"));
        jar->setCookiesFromUrl({makeCookie("s", "a.com", QDateTime())}, QUrl("http://a.com/"));
        QCOMPARE(model.rowCount(), 2);
        const auto rowText = [&model](int row) {
            QStringList cells;
            for (int column = 0; column < CookieModel::ColumnCount; ++column)
                cells << model.data(model.index(row, column)).toString();
            return cells.join('|');
        };
        // Sorted by domain: a.com first.
        QCOMPARE(rowText(0), QStringLiteral("s|.a.com|/||否|是"));
        QCOMPARE(rowText(1), QStringLiteral("z|.b.com|/p|2030-05-06 07:08:09|是|否"));
        QCOMPARE(model.data(model.index(1, CookieModel::SecureColumn), Qt::UserRole), QVariant(true));
        QVERIFY(!model.data(model.index(5, 0)).isValid());

        QVERIFY(model.removeRows(0, 1));
        QCOMPARE(jar->cookies().size(), 1);
        QCOMPARE(model.rowCount(), 1);
        QVERIFY(!model.removeRows(0, 5));
        jar.reset();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_ZtCookieJar)
#include "tst_ztcookiejar.moc"
