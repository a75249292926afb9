#include "scriptedhttpserver.h"

#include <web/ztnetmanager.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

class tst_ZtNetManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("ZtControlLibTest"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_ztnetmanager"));
    }

    void init() { QSettings().remove(QStringLiteral("proxy")); }

    void proxyFromSettings_data()
    {
        QTest::addColumn<QVariantMap>("settings");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("user");
        const int none = QNetworkProxy::DefaultProxy, socks = QNetworkProxy::Socks5Proxy;
        QTest::newRow("nothing stored") << QVariantMap() << none << "" << 0 << "";
        QTest::newRow("disabled, host given")
            << QVariantMap{{"enabled", false}, {"hostName", "proxy.lan"}, {"port", 8080}} << none << "" << 0 << "";
        QTest::newRow("socks5 with default port")
            << QVariantMap{{"enabled", true}, {"hostName", "proxy.lan"}, {"userName", "zt"}, {"password", "pw"}} << socks
            << "proxy.lan" << 1080 << "zt";
        QTest::newRow("http") << QVariantMap{{"enabled", true}, {"type", 1}, {"hostName", "10.0.0.8"}, {"port", 3128}}
                              << int(QNetworkProxy::HttpProxy) << "10.0.0.8" << 3128 << "";
        QTest::newRow("port out of range")
            << QVariantMap{{"enabled", true}, {"hostName", "p"}, {"port", 70000}} << socks << "p" << 1080 << "";
    }

    void proxyFromSettings()
    {
        QFETCH(QVariantMap, settings);
        QFETCH(int, type);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, user);
        ZtNetManager earlier;  // made before the settings: rereads them on demand
        {
            QSettings s;
            s.beginGroup(QStringLiteral("proxy"));
            for (auto it = settings.cbegin(); it != settings.cend(); ++it)
                s.setValue(it.key(), it.value());
        }
        earlier.loadSettings();
        ZtNetManager manager;
        for (const QNetworkProxy& proxy : {manager.proxy(), earlier.proxy()}) {
            QCOMPARE(int(proxy.type()), type);
            QCOMPARE(proxy.hostName(), host);
            QCOMPARE(int(proxy.port()), port);
            QCOMPARE(proxy.user(), user);
            QCOMPARE(proxy.password(), settings.value("password").toString());
        }
    }

    // A value that holds a serialized Qt type is refused with a warning, not decoded.
    void serializedProxySettingsAreRefused()
    {
        const QString path = QSettings().fileName();
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[proxy]\nenabled=true\nhostName=@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\n"
                   "port=@Variant(\\0\\0\\0\\xb\\x7f\\xff\\xff\\xff)\n");
        file.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("hostName.*not plain text"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("port.*not plain text"));
        ZtNetManager manager;
        QCOMPARE(manager.proxy().type(), QNetworkProxy::Socks5Proxy);
        QCOMPARE(manager.proxy().hostName(), QString());
        QCOMPARE(int(manager.proxy().port()), 1080);
        QVERIFY(QFile::remove(path));
    }

    void countsFinishedReplies()
    {
        ScriptedHttpServer server;
        QVERIFY(server.listen());
        server.setAutoReply(ScriptedHttpServer::response(200, "hello"));
        ZtNetManager manager;
        QSignalSpy finished(&manager, &QNetworkAccessManager::finished);
        QScopedPointer<QNetworkReply> first(manager.get(QNetworkRequest(server.url("/a"))));
        QScopedPointer<QNetworkReply> second(manager.get(QNetworkRequest(server.url("/b"))));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 10000);
        QCOMPARE(first->readAll(), QByteArray("hello"));
        QCOMPARE(manager.requestsFinished(), quint64(2));
        manager.requestFinished(nullptr);  // a stray call counts nothing
        QCOMPARE(manager.requestsFinished(), quint64(2));
    }
};

QTEST_GUILESS_MAIN(tst_ZtNetManager)
#include "tst_ztnetmanager.moc"
