#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

// An HTTP server on 127.0.0.1 whose answers the test writes byte by byte.
// Each request is recorded; with an automatic reply set, every request is
// answered at once, otherwise the test answers the latest client itself.
class ScriptedHttpServer : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedHttpServer(QObject* parent = nullptr);
    ~ScriptedHttpServer() override;

    bool listen();
    QUrl url(const QString& path = QStringLiteral("/")) const;

    void setAutoReply(const QByteArray& response);

    // A whole response with its length.
    static QByteArray response(int status, const QByteArray& body);
    static QByteArray header(int status, qint64 contentLength);

    QStringList requestPaths() const { return mPaths; }
    void send(const QByteArray& bytes);
    void closeClient();

signals:
    void requestReceived(const QString& path);
    void clientDisconnected();

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);

    QPointer<QTcpSocket> mClient;
    QByteArray mAutoReply;
    bool mAuto = false;
    QStringList mPaths;
    QHash<QTcpSocket*, QByteArray> mBuffers;
    // Last, so that it goes first: its sockets report their end to handlers
    // that use the members above.
    QTcpServer mServer;
};
