#include "scriptedhttpserver.h"

#include <QHostAddress>

ScriptedHttpServer::ScriptedHttpServer(QObject* parent) : QObject(parent)
{
    connect(&mServer, &QTcpServer::newConnection, this, &ScriptedHttpServer::onNewConnection);
}

ScriptedHttpServer::~ScriptedHttpServer()
{
    // The sockets are the server's children; closing them must not run our
    // handlers on an object that is going away.
    const QList<QTcpSocket*> sockets = mServer.findChildren<QTcpSocket*>();
    for (QTcpSocket* socket : sockets) {
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
    }
}

bool ScriptedHttpServer::listen()
{
    return mServer.listen(QHostAddress::LocalHost, 0);
}

QUrl ScriptedHttpServer::url(const QString& path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(mServer.serverPort()).arg(path));
}

void ScriptedHttpServer::setAutoReply(const QByteArray& response)
{
    mAutoReply = response;
    mAuto = true;
}

QByteArray ScriptedHttpServer::header(int status, qint64 contentLength)
{
    return "HTTP/1.1 " + QByteArray::number(status) + (status < 400 ? " OK" : " Error") + "\r\nContent-Length: "
           + QByteArray::number(contentLength) + "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
}

QByteArray ScriptedHttpServer::response(int status, const QByteArray& body)
{
    return header(status, body.size()) + body;
}

void ScriptedHttpServer::send(const QByteArray& bytes)
{
    if (mClient) {
        mClient->write(bytes);
        mClient->flush();
    }
}

void ScriptedHttpServer::closeClient()
{
    if (mClient)
        mClient->disconnectFromHost();
}

void ScriptedHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = mServer.nextPendingConnection()) {
        mClient = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            mBuffers.remove(socket);
            socket->deleteLater();
            emit clientDisconnected();
        });
    }
}

void ScriptedHttpServer::onReadyRead(QTcpSocket* socket)
{
    mBuffers[socket] += socket->readAll();
    for (;;) {
        // Answering may close the socket and drop its buffer, so look it up anew.
        auto it = mBuffers.find(socket);
        if (it == mBuffers.end())
            return;
        const int end = it->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = it->left(end);
        it->remove(0, end + 4);
        const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
        const QString path = words.size() > 1 ? QString::fromLatin1(words.at(1)) : QString();
        mPaths.append(path);
        emit requestReceived(path);
        if (mAuto) {
            socket->write(mAutoReply);
            socket->flush();
            socket->disconnectFromHost();
        }
    }
}
