#include "scriptedhttpserver.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <memory>
#include <vector>

// The local server that the web tests script must go away cleanly however
// many clients are still connected.
class tst_ScriptedHttpServer : public QObject
{
    Q_OBJECT

private slots:
    void destroyedWithClientsConnected_data()
    {
        QTest::addColumn<int>("clients");
        QTest::addColumn<QByteArray>("pending");  // a request still being read
        QTest::newRow("one, idle") << 1 << QByteArray();
        QTest::newRow("several, half a request each") << 5 << QByteArray("GET /b HTTP/1.1\r\nHost");
    }

    void destroyedWithClientsConnected()
    {
        QFETCH(int, clients);
        QFETCH(QByteArray, pending);
        auto server = std::make_unique<ScriptedHttpServer>();
        QVERIFY(server->listen());
        QSignalSpy requested(server.get(), &ScriptedHttpServer::requestReceived);
        QSignalSpy disconnected(server.get(), &ScriptedHttpServer::clientDisconnected);
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        for (int i = 0; i < clients; ++i) {
            sockets.push_back(std::make_unique<QTcpSocket>());
            sockets.back()->connectToHost(QHostAddress::LocalHost, quint16(server->url().port()));
            sockets.back()->write("GET /a HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n" + pending);
        }
        QTRY_COMPARE_WITH_TIMEOUT(requested.count(), clients, 10000);
        server.reset();
        // Nothing may run on the half-destroyed server, its buffers gone.
        QCOMPARE(disconnected.count(), 0);
        for (const auto& socket : sockets)
            QTRY_COMPARE_WITH_TIMEOUT(socket->state(), QAbstractSocket::UnconnectedState, 10000);
    }
};

QTEST_GUILESS_MAIN(tst_ScriptedHttpServer)
#include "tst_scriptedhttpserver.moc"
