#include "scriptedhttpserver.h"
#include "testfiles.h"

#include <pubcache/pubconfig.h>
#include <web/ztdownloadfile.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using TestFiles::read;
using TestFiles::write;

class tst_ZtDownLoadFile : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<QTemporaryDir> mDir;
    QScopedPointer<ScriptedHttpServer> mServer;
    QScopedPointer<ZtDownLoadFile> mDl;  // fetches from the server into the folder

    QString path(const QString& name) const { return mDir->filePath(name); }

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mServer.reset(new ScriptedHttpServer);
        QVERIFY(mServer->listen());
        mDl.reset(new ZtDownLoadFile);
        mDl->setBaseUrl(mServer->url(QStringLiteral("/update/")));
        mDl->setTargetDirectory(mDir->path());
    }

    void cleanup()
    {
        mDl.reset();
        mServer.reset();
        if (mDir)  // the read-only case locks the folder itself
            QFile::setPermissions(mDir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        mDir.reset();
    }

    void configuredServerIsUsed()
    {
        PubConfig::setConfigDir(path("config"));
        QVERIFY(PubConfig::WriteConfig("update", "baseUrl", mServer->url("/files").toString()));
        mServer->setAutoReply(ScriptedHttpServer::response(200, "new version"));
        ZtDownLoadFile dl;
        dl.setTargetDirectory(mDir->path());
        QSignalSpy finished(&dl, &ZtDownLoadFile::onDownLoadFinished);
        QVERIFY(dl.start("app.dat.zip"));
        QVERIFY(finished.wait(10000));
        PubConfig::setConfigDir(QString());
        QCOMPARE(mServer->requestPaths(), QStringList{"/files/app.dat.zip"});
    }

    void replacesTarget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("oldContent");  // empty: no file yet
        QTest::addColumn<bool>("staleTemp");
        const QByteArray none, old("old version");
        QTest::newRow("existing file") << "app.dat.zip" << "app.dat" << old << false;
        QTest::newRow("new file") << "fresh.ini.zip" << "fresh.ini" << none << false;
        QTest::newRow("sub-folder") << "plugins/quote/lib.so.zip" << "plugins/quote/lib.so" << old << false;
        QTest::newRow("backslashes") << "plugins\\lib.so.zip" << "plugins/lib.so" << old << false;
        QTest::newRow("chinese name") << "行情/配置.xml.zip" << "行情/配置.xml" << old << false;
        QTest::newRow("last .zip counts") << "pack.zip.zip" << "pack.zip" << old << false;
        QTest::newRow("suffix inside the name") << "app.zip.dat" << "app" << old << false;
        QTest::newRow("stale aside copy") << "app.dat.zip" << "app.dat" << old << true;
        QTest::newRow("only the aside copy left") << "app.dat.zip" << "app.dat" << none << true;
    }

    void replacesTarget()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(QByteArray, oldContent);
        QFETCH(bool, staleTemp);
        if (!oldContent.isEmpty())
            write(path(target), oldContent);
        if (staleTemp)
            write(path(target + ".temp"), "leftover");
        const QByteArray body = QByteArray("new version ").repeated(5000);
        mServer->setAutoReply(ScriptedHttpServer::response(200, body));

        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QVERIFY(mDl->start(name));
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.count(), 1);
        QVERIFY(!mDl->isDownloading());

        QCOMPARE(mServer->requestPaths().size(), 1);
        QCOMPARE(QUrl::fromPercentEncoding(mServer->requestPaths().first().toLatin1()),
                 "/update/" + QString(name).replace('\\', '/'));
        QCOMPARE(read(path(target)), body);
        QVERIFY(!QFileInfo::exists(path(QString(name).replace('\\', '/'))));
        QVERIFY(!QFileInfo::exists(path(target + ".temp")));
    }

    void keepsPermissionsOfReplacedFile()
    {
        write(path("zt-tool"), "#!/bin/sh\n");
        QFile::setPermissions(path("zt-tool"), QFile::permissions(path("zt-tool")) | QFile::ExeOwner);
        mServer->setAutoReply(ScriptedHttpServer::response(200, "#!/bin/sh\necho new\n"));
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QVERIFY(mDl->start("zt-tool.zip"));
        QVERIFY(finished.wait(10000));
        QCOMPARE(read(path("zt-tool")), QByteArray("#!/bin/sh\necho new\n"));
        QVERIFY(QFile::permissions(path("zt-tool")) & QFile::ExeOwner);
    }

    void refusesToStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("empty") << "" << "refusing";
        QTest::newRow("suffix only in a folder name") << "plugins.zip/lib.so" << "refusing";
        QTest::newRow("upper-case suffix") << "app.dat.ZIP" << "refusing";
        QTest::newRow("suffix only") << ".zip" << "refusing";
        QTest::newRow("parent folder") << "../app.dat.zip" << "refusing";
        QTest::newRow("parent folder, backslashes") << "plugins\\..\\..\\app.dat.zip" << "refusing";
        QTest::newRow("absolute") << "/etc/passwd.zip" << "refusing";
        QTest::newRow("empty folder name") << "plugins//app.dat.zip" << "refusing";
        QTest::newRow("download spot unwritable") << "app.dat.zip" << "cannot write";
    }

    void refusesToStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, warning);
        write(path("app.dat"), "keep me");
        // A folder where app.dat.zip would go stands for any unwritable spot.
        QVERIFY(QDir().mkpath(path("app.dat.zip/inner")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QVERIFY(!mDl->start(name));
        QVERIFY(!mDl->isDownloading());
        QCOMPARE(read(path("app.dat")), QByteArray("keep me"));
        QCOMPARE(QDir(mDir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"app.dat"});
    }

    // The old file must survive whatever goes wrong while it is replaced.
    void keepsTargetWhenReplacementFails_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<bool>("downloadGone");
        QTest::newRow("download deleted meanwhile") << "delete download" << true;
        QTest::newRow("aside name taken by a folder") << "folder at temp" << true;
        QTest::newRow("read-only folder") << "read-only folder" << false;
    }

    void keepsTargetWhenReplacementFails()
    {
        QFETCH(QString, obstacle);
        QFETCH(bool, downloadGone);
        if (obstacle == "read-only folder" && geteuid() == 0)
            QSKIP("permissions do not bind root");
        write(path("app.dat"), "old version");
        if (obstacle == "folder at temp")
            write(path("app.dat.temp/keep"), "x");
        mServer->setAutoReply(ScriptedHttpServer::response(200, "new version"));

        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot"));
        QVERIFY(mDl->start("app.dat.zip"));
        if (obstacle == "delete download")
            QVERIFY(QFile::remove(path("app.dat.zip")));
        if (obstacle == "read-only folder")
            QVERIFY(QFile::setPermissions(mDir->path(), QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(finished.wait(10000));

        QCOMPARE(read(path("app.dat")), QByteArray("old version"));
        QCOMPARE(QFileInfo::exists(path("app.dat.zip")), !downloadGone);
        if (obstacle != "folder at temp")
            QVERIFY(!QFileInfo::exists(path("app.dat.temp")));
    }

    // Time-outs, errors and stop end silently and leave the old file alone.
    void abandonsSilently_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("closeAfterAnswer");
        QTest::addColumn<QByteArray>("partialLeft");
        const QByteArray cut = ScriptedHttpServer::header(200, 100) + QByteArray(40, 'n');
        QTest::newRow("server stops mid-file") << cut << true << QByteArray(40, 'n');
        QTest::newRow("not found") << ScriptedHttpServer::response(404, "<html>no such file</html>") << true << QByteArray();
        QTest::newRow("closed without answer") << QByteArray() << true << QByteArray();
        QTest::newRow("stopped mid-file") << cut << false << QByteArray(40, 'n');
    }

    void abandonsSilently()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, closeAfterAnswer);
        QFETCH(QByteArray, partialLeft);
        write(path("app.dat"), "old version");
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QSignalSpy requested(mServer.data(), &ScriptedHttpServer::requestReceived);
        QSignalSpy disconnected(mServer.data(), &ScriptedHttpServer::clientDisconnected);
        if (closeAfterAnswer)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ZtDownLoadFile: .*"));
        // The client retries a request that got nothing, so every retry is cut too.
        if (answer.isEmpty())
            mServer->setAutoReply(QByteArray());
        QVERIFY(mDl->start("app.dat.zip"));
        QVERIFY(requested.wait(10000));
        mServer->send(answer);
        if (closeAfterAnswer) {
            mServer->closeClient();
            QTRY_VERIFY_WITH_TIMEOUT(!mDl->isDownloading(), 10000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!mDl->isWaitingForData(), 10000);
            mDl->stop();
            QVERIFY(!mDl->isDownloading());
            QVERIFY(disconnected.count() == 1 || disconnected.wait(10000));
        }
        QCOMPARE(finished.count(), 0);
        QCOMPARE(read(path("app.dat")), QByteArray("old version"));
        QVERIFY(!QFileInfo::exists(path("app.dat.temp")));
        QCOMPARE(read(path("app.dat.zip")), partialLeft);
    }

    // Only a transfer that is complete by its own framing (a length that is met,
    // or the last chunk) and not empty may replace the old file.
    void keepsOldFileUnlessFramingIsComplete_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("warning");
        const QByteArray body = QByteArray("new version ").repeated(2000);
        const QByteArray gzip = qCompress(body).mid(4);  // a zlib stream, which Qt's decoder takes as gzip too
        const QByteArray ok = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
        QTest::newRow("no length, closed early") << ok + "\r\n" + body.left(700) << "incomplete";
        QTest::newRow("gzip body cut")
            << ok + "Content-Encoding: gzip\r\nContent-Length: " + QByteArray::number(gzip.size()) + "\r\n\r\n"
                   + gzip.left(gzip.size() / 2)
            << "download failed";
        QTest::newRow("gzip body we did not ask for")
            << ok + "Content-Encoding: gzip\r\nContent-Length: " + QByteArray::number(gzip.size()) + "\r\n\r\n" + gzip
            << "incomplete";
        QTest::newRow("204") << QByteArray("HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n") << "incomplete";
        QTest::newRow("200, empty") << ScriptedHttpServer::response(200, QByteArray()) << "incomplete";
        QTest::newRow("206") << QByteArray("HTTP/1.1 206 Partial Content\r\nContent-Length: 5\r\nConnection: close\r\n\r\n")
                                    + body.left(5)
                             << "incomplete";
        QTest::newRow("chunked, cut before the last chunk")
            << ok + "Transfer-Encoding: chunked\r\n\r\n400\r\n" + body.left(1024) + "\r\n" << "(incomplete|download failed)";
        // Qt hides whether the last chunk came, so no chunked body is trusted.
        QTest::newRow("chunked, whole") << ok + "Transfer-Encoding: chunked\r\n\r\n4\r\nnew \r\n7\r\nversion\r\n0\r\n\r\n"
                                        << "incomplete";
        QTest::newRow("unreadable length") << ok + "Content-Length: 12x\r\n\r\n" + body << "incomplete";
        QTest::newRow("length shorter than the file, digest tells")
            << ok + "Content-Length: 100\r\nDigest: SHA-256="
                   + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toBase64() + "\r\n\r\n" + body
            << "incomplete";
        QTest::newRow("length shorter than the file, MD5 tells")
            << ok + "Content-Length: 100\r\nContent-MD5: " + QCryptographicHash::hash(body, QCryptographicHash::Md5).toBase64()
                   + "\r\n\r\n" + body
            << "incomplete";
    }

    void keepsOldFileUnlessFramingIsComplete()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, warning);
        const QByteArray old = QByteArray("old version\0\r\n", 14).repeated(300);
        write(path("app.dat"), old);
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QSignalSpy failed(mDl.data(), &ZtDownLoadFile::onDownLoadFailed);
        QSignalSpy requested(mServer.data(), &ScriptedHttpServer::requestReceived);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ZtDownLoadFile: " + warning));
        QVERIFY(mDl->start("app.dat.zip"));
        QVERIFY(requested.wait(10000));
        mServer->send(answer);
        mServer->closeClient();
        QTRY_VERIFY_WITH_TIMEOUT(!mDl->isDownloading(), 10000);
        QCOMPARE(read(path("app.dat")), old);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(failed.count(), 1);
        QVERIFY(!QFileInfo::exists(path("app.dat.temp")));
    }

    void replacesOnCompleteFraming_data()
    {
        QTest::addColumn<QByteArray>("answer");
        const QByteArray body = "new version";
        const QByteArray ok = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
        QTest::newRow("length and digest")
            << ok + "Content-Length: 11\r\nDigest: md5=" + QCryptographicHash::hash(body, QCryptographicHash::Md5).toBase64()
                   + ",sha-256=" + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toBase64() + "\r\n\r\n" + body;
        QTest::newRow("identity encoding") << ok + "Content-Encoding: identity\r\nContent-Length: 11\r\n\r\n" + body;
    }

    void replacesOnCompleteFraming()
    {
        QFETCH(QByteArray, answer);
        write(path("app.dat"), "old version");
        mServer->setAutoReply(answer);
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QVERIFY(mDl->start("app.dat.zip"));
        QVERIFY(finished.wait(10000));
        QCOMPARE(read(path("app.dat")), QByteArray("new version"));
    }

    // A symbolic link inside the folder must not carry the download outside it.
    void refusesLinksLeavingTheFolder_data()
    {
        QTest::addColumn<QString>("link");    // made inside the folder
        QTest::addColumn<QString>("pointsTo");  // relative to the outside folder
        QTest::addColumn<QString>("name");
        QTest::newRow("folder link") << "plugins" << "." << "plugins/lib.so.zip";
        QTest::newRow("download name") << "app.dat.zip" << "app.dat.zip" << "app.dat.zip";
        QTest::newRow("dangling download name") << "app.dat.zip" << "nothing-yet.zip" << "app.dat.zip";
        QTest::newRow("target name") << "app.dat" << "app.dat" << "app.dat.zip";
        QTest::newRow("aside name") << "app.dat.temp" << "app.dat.temp" << "app.dat.zip";
        QTest::newRow("folder link, deeper") << "plugins" << "sub" << "plugins/quote/lib.so.zip";
    }

    void refusesLinksLeavingTheFolder()
    {
        QFETCH(QString, link);
        QFETCH(QString, pointsTo);
        QFETCH(QString, name);
        QTemporaryDir outside;
        write(outside.filePath("app.dat"), "outside");
        write(outside.filePath("app.dat.zip"), "outside");
        write(outside.filePath("app.dat.temp"), "outside");
        QDir(outside.path()).mkpath("sub");
        QVERIFY(QFile::link(QDir(outside.path()).filePath(pointsTo), path(link)));
        if (link != "app.dat")
            write(path("app.dat"), "keep me");
        const QStringList outsideBefore = QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("refusing"));
        QVERIFY(!mDl->start(name));
        QVERIFY(!mDl->isDownloading());
        QCOMPARE(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), outsideBefore);
        QCOMPARE(read(outside.filePath("app.dat")), QByteArray("outside"));
        QCOMPARE(read(outside.filePath("app.dat.zip")), QByteArray("outside"));
        QCOMPARE(read(outside.filePath("app.dat.temp")), QByteArray("outside"));
        if (link != "app.dat")
            QCOMPARE(read(path("app.dat")), QByteArray("keep me"));
        QVERIFY(!QFileInfo::exists(outside.filePath("sub/quote")));
    }

    // Links that stay inside the folder are fine.
    void followsLinksInsideTheFolder()
    {
        QVERIFY(QDir(mDir->path()).mkpath("real/plugins"));
        QVERIFY(QFile::link(path("real/plugins"), path("plugins")));
        write(path("real/plugins/lib.so"), "old version");
        mServer->setAutoReply(ScriptedHttpServer::response(200, "new version"));
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QVERIFY(mDl->start("plugins/lib.so.zip"));
        QVERIFY(finished.wait(10000));
        QCOMPARE(read(path("real/plugins/lib.so")), QByteArray("new version"));
    }

    void unreachableServerIsSilent()
    {
        write(path("app.dat"), "old version");
        mServer.reset();  // nothing listens at the set address any more
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("download failed"));
        QVERIFY(mDl->start("app.dat.zip"));
        QTRY_VERIFY_WITH_TIMEOUT(!mDl->isDownloading(), 10000);
        QCOMPARE(finished.count(), 0);
        QCOMPARE(read(path("app.dat")), QByteArray("old version"));
    }

    // Once data flow, a pause longer than the time-out does not end the download.
    void firstDataEndsTimeOutWatch()
    {
        write(path("app.dat"), "old version");
        mDl->setTimeOut(1000);
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QSignalSpy requested(mServer.data(), &ScriptedHttpServer::requestReceived);
        QVERIFY(mDl->start("app.dat.zip"));
        QVERIFY(requested.wait(10000));
        mServer->send(ScriptedHttpServer::header(200, 11) + "n");
        QTRY_VERIFY_WITH_TIMEOUT(!mDl->isWaitingForData(), 10000);
        // The watch is over, so no later silence can end the download.
        QVERIFY(mDl->isDownloading());
        mServer->send("ew version");
        QVERIFY(finished.wait(10000));
        QCOMPARE(read(path("app.dat")), QByteArray("new version"));
    }

    // A server that sends nothing, or stops after the first data, is given up.
    void silentServerIsGivenUp_data()
    {
        QTest::addColumn<QByteArray>("firstData");
        QTest::addColumn<QString>("warning");
        QTest::newRow("silent from the start") << QByteArray() << "no data within 50 ms";
        QTest::newRow("stalls after the first data")
            << ScriptedHttpServer::header(200, 11) + "new" << "no data for 100 ms";
    }

    void silentServerIsGivenUp()
    {
        QFETCH(QByteArray, firstData);
        QFETCH(QString, warning);
        write(path("app.dat"), "old version");
        if (firstData.isEmpty())
            mDl->setTimeOut(50);
        else
            mDl->setStallTimeOut(100);
        QSignalSpy finished(mDl.data(), &ZtDownLoadFile::onDownLoadFinished);
        QSignalSpy requested(mServer.data(), &ScriptedHttpServer::requestReceived);
        QSignalSpy disconnected(mServer.data(), &ScriptedHttpServer::clientDisconnected);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(warning));
        QVERIFY(mDl->start("app.dat.zip"));
        QVERIFY(requested.wait(10000));
        if (!firstData.isEmpty())
            mServer->send(firstData);
        QVERIFY(disconnected.wait(10000));
        QVERIFY(!mDl->isDownloading());
        QCOMPARE(finished.count(), 0);
        QCOMPARE(read(path("app.dat")), QByteArray("old version"));
    }
};

QTEST_GUILESS_MAIN(tst_ZtDownLoadFile)
#include "tst_ztdownloadfile.moc"
