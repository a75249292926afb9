#include "webharness.h"

#include <frame/ztfullscreen.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <web/webobject.h>
#include <web/ztwebpage.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QKeyEvent>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

Q_DD_Now quote(const QString& code, const QString& name, double last)
{
    DQDReader r;
    r.setValue(ZtField::Market, code.left(2));
    r.setValue(ZtField::Code, code.mid(2));
    r.setValue(ZtField::UniqueCode, code);
    r.setValue(ZtField::Name, name);
    r.setValue(ZtField::Time, QStringLiteral("20240105093000000"));
    r.setValue(ZtField::Last, last);
    r.setValue(ZtField::Open, 10.0);
    r.setValue(ZtField::High, 11.5);
    r.setValue(ZtField::Low, 9.5);
    r.setValue(ZtField::PrevClose, 10.0);
    r.setValue(ZtField::Change, last - 10.0);
    r.setValue(ZtField::ChangeRatio, (last - 10.0) * 10);
    r.setValue(ZtField::Volume, 1200.0);
    r.setValue(ZtField::Turnover, 13000.5);
    r.setValue(ZtField::Trades, 42.0);
    r.setValue(ZtField::PE, 8.25);
    return Q_DD_Now(r);
}

QJsonArray args(std::initializer_list<QString> list)
{
    QJsonArray a;
    for (const QString& s : list)
        a.append(s);
    return a;
}

}

class tst_PubWebView : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedMarket> mMarket = std::make_shared<ScriptedMarket>();
    std::unique_ptr<WebHarness> h;

public:
    static void initMain() { webTestInitMain(); }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<LoginInfo>("LoginInfo");
        qRegisterMetaType<QKeyEvent*>("QKeyEvent*");
        PBDataChange::installSource(mMarket);
        mMarket->setQuote(QStringLiteral("SH600001"), quote(QStringLiteral("SH600001"), QStringLiteral("浦发\"银行"), 10.5));
        mMarket->setQuote(QStringLiteral("SZ000002"), quote(QStringLiteral("SZ000002"), QStringLiteral("万科A"), 9.0));
        PubCache::mDataQueryAll = DQDDataList();
        PubCache::mDataQueryAll.append(DQDUnionReader(quote(QStringLiteral("SH600001"), QStringLiteral("浦发"), 0)));
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        h = std::make_unique<WebHarness>();
        QVERIFY(h->open());
    }

    void cleanupTestCase()
    {
        h.reset();
        QTRY_COMPARE_WITH_TIMEOUT(webRenderers(), 0, 20000);
        PBDataChange::installSource(nullptr);
    }

    void quotation_data()
    {
        QTest::addColumn<QString>("codes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty text") << "" << QStringList();
        QTest::newRow("only commas") << ",," << QStringList();
        QTest::newRow("no quote for the code") << "SH688888" << QStringList();
        QTest::newRow("empty part between two codes") << "SH600001,,SZ000002"
                                                       << QStringList{"浦发\"银行", "万科A"};
        QTest::newRow("one known, one unknown") << "SH688888,SZ000002" << QStringList{"万科A"};
    }

    void quotation()
    {
        QFETCH(QString, codes);
        QFETCH(QStringList, names);
        const QJsonValue answer = h->bridge(QStringLiteral("getQuotation"), {codes});
        QVERIFY(answer.isString());
        if (names.isEmpty()) {
            QCOMPARE(answer.toString(), QString());
            return;
        }
        const QJsonArray rows = QJsonDocument::fromJson(answer.toString().toUtf8()).array();
        QStringList got;
        for (const QJsonValue& r : rows)
            got << r.toObject().value("ZhongWenJianCheng").toString();
        QCOMPARE(got, names);
    }

    void quotationRecordIsCompactAndSorted()
    {
        const QString expected = QStringLiteral(
            "[{\"ChengJiaoE\":13000.5,\"ChengJiaoLiang\":1200,\"KaiPanJia\":10,\"ShiJian\":\"20240105093000000\","
            "\"ShiYingLv\":8.25,\"ZhangDie\":-1,\"ZhongWenJianCheng\":\"万科A\",\"ZongChengJiaoBiShu\":42,"
            "\"ZuiDiJia\":9.5,\"ZuiGaoJia\":11.5,\"ZuiXinJia\":9,\"ZuoShou\":10}]");
        QCOMPARE(h->bridge(QStringLiteral("getQuotation"), {"SZ000002"}).toString(), expected);
    }

    // The answer is written without the JSON library's writer; it must be exactly the
    // text that writer makes, and read back to the quote's values.
    void quotationTextIsTheJsonLibrarys_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("last");
        const QChar lone[] = {QChar(0xD83D), QLatin1Char('x'), QChar(0xDE00)};
        QTest::newRow("quotes and backslash") << "a\"b'c\\d</script>${x}" << 10.5;
        QTest::newRow("control characters") << QStringLiteral("\b\f\n\r\t") + QChar(0) + QChar(0x1F) << 0.1;
        QTest::newRow("line separators and BOM") << QString(QChar(0x2028)) + QChar(0x2029) + QChar(0xFEFF) << 1.0 / 3;
        QTest::newRow("emoji") << QStringLiteral("涨😀停") << -0.0;
        QTest::newRow("lone surrogates") << QString(lone, 3) << -1e-7;
        QTest::newRow("empty name, 2^53") << "" << 9007199254740992.0;
        QTest::newRow("beyond 2^53") << "x" << 9007199254740994.0;
        QTest::newRow("large") << "x" << 1e21;
        QTest::newRow("whole below 2^53") << "x" << 1e15;
        QTest::newRow("negative whole") << "x" << -42.0;
        QTest::newRow("tiny") << "x" << 5e-324;
        QTest::newRow("small") << "x" << 1e-5;
        QTest::newRow("small, fixed") << "x" << 0.0001234;
        QTest::newRow("fraction of a large number") << "x" << 123456789.125;
        QTest::newRow("largest") << "x" << 1.7976931348623157e308;
        QTest::newRow("not a number") << "x" << qQNaN();
        QTest::newRow("infinite") << "x" << qInf();
    }

    void quotationTextIsTheJsonLibrarys()
    {
        QFETCH(QString, name);
        QFETCH(double, last);
        const QString code = QStringLiteral("SZ300001");
        mMarket->setQuote(code, quote(code, name, last));
        const QString answer = WebObject().getQuotation(code);
        const QJsonDocument doc = QJsonDocument::fromJson(answer.toUtf8());
        QVERIFY2(doc.isArray(), qPrintable(answer));
        QCOMPARE(answer, QString::fromUtf8(doc.toJson(QJsonDocument::Compact)));
        const QJsonObject row = doc.array().at(0).toObject();
        QCOMPARE(row.value("ZhongWenJianCheng").toString(), name);
        if (qIsFinite(last))
            QCOMPARE(row.value("ZuiXinJia").toDouble(), last);
        else
            QVERIFY(row.value("ZuiXinJia").isNull());
    }

    void watchlistAnswers()
    {
        QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>()));
        QCOMPARE(h->bridge(QStringLiteral("getStockType")).toString(), QStringLiteral("[{\"Title\":\"自选股\"}]"));

        QList<StockZxgBK> groups{StockZxgBK(QStringLiteral("自选股"), {StockZxg(QStringLiteral("SH600001")),
                                                                      StockZxg(QStringLiteral("SH688888"))}),
                                 StockZxgBK(QStringLiteral("银行"), {StockZxg(QStringLiteral("SH600001"))}),
                                 StockZxgBK(QStringLiteral("空组"))};
        QVERIFY(PubStaticFunc::ZxgSave(groups));
        QCOMPARE(h->bridge(QStringLiteral("getStockType")).toString(),
                 QStringLiteral("[{\"Title\":\"自选股\"},{\"Title\":\"银行\"},{\"Title\":\"空组\"}]"));

        // A stock in two groups is listed twice; one without a quote is left out.
        const QJsonObject list =
            QJsonDocument::fromJson(h->bridge(QStringLiteral("getStockList")).toString().toUtf8()).object();
        QCOMPARE(list.value("status").toBool(), true);
        QCOMPARE(list.value("data").toArray().size(), 2);
        QCOMPARE(list.value("data").toArray().at(0).toObject().value("zhdm").toString(), QStringLiteral("SH600001"));

        const QString one = h->bridge(QStringLiteral("getStockZxg"), {"银行"}).toString();
        QCOMPARE(one, QStringLiteral("{\"data\":[{\"cjje\":13000.5,\"cjl\":1200,\"zdf\":5,\"zhdm\":\"SH600001\","
                                     "\"zqdm\":\"600001\",\"zqmc\":\"浦发\\\"银行\",\"zxj\":10.5}],\"status\":true}"));
        QCOMPARE(h->bridge(QStringLiteral("getStockZxg"), {"空组"}).toString(),
                 QStringLiteral("{\"data\":[],\"status\":true}"));
        QCOMPARE(h->bridge(QStringLiteral("getStockZxg"), {"没有的组"}).toString(),
                 QStringLiteral("{\"data\":[],\"status\":true}"));

        QSignalSpy refresh(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh);
        QCOMPARE(h->bridge(QStringLiteral("getdelStock"), {"SH600001"}).toBool(), true);
        QCOMPARE(refresh.count(), 1);
        QCOMPARE(refresh.at(0).at(0).toString(), QStringLiteral("SH600001"));
        QCOMPARE(h->bridge(QStringLiteral("getdelStock"), {"SH600001"}).toBool(), false);
        QCOMPARE(refresh.count(), 1);
    }

    void hiddenViewReadsNoWatchlist()
    {
        QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>{
            StockZxgBK(QStringLiteral("自选股"), {StockZxg(QStringLiteral("SH600001"))})}));
        h->root.hide();
        const QString answer = h->bridge(QStringLiteral("getStockZxg"), {"自选股"}).toString();
        h->root.show();
        QCOMPARE(answer, QStringLiteral("{\"data\":[],\"status\":false}"));
    }

    void requestsReachTheTop_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QJsonArray>("arguments");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QVariantList>("expected");
        QTest::newRow("known stock to add") << "getAddStock" << args({"SH600001"})
                                            << QByteArray(SIGNAL(onGetAddStock(QString, QWidget*)))
                                            << QVariantList{"SH600001"};
        QTest::newRow("unknown stock to add") << "getAddStock" << args({"SH688888"})
                                              << QByteArray(SIGNAL(onGetAddStock(QString, QWidget*)))
                                              << QVariantList();
        QTest::newRow("form with a close button") << "getOpenForm" << args({"qrc:/x.html"})
                                                  << QByteArray(SIGNAL(onGetOpenForm(QString, bool)))
                                                  << QVariantList{"qrc:/x.html", true};
        QTest::newRow("tab, five strings") << "getOpenTab" << args({"甲", "'b\"", "c\\", "</script>", "e"})
                                           << QByteArray(SIGNAL(onGetOpenTab(QString, QString, QString, QString, QString)))
                                           << QVariantList{"甲", "'b\"", "c\\", "</script>", "e"};
        QTest::newRow("stock click") << "getWebStockClick" << args({"SZ000002", "3"})
                                     << QByteArray(SIGNAL(onGetWebStockClick(QString, QString)))
                                     << QVariantList{"SZ000002", "3"};
        QTest::newRow("malformed message dropped") << "getImMessage" << args({"{\"a\":"})
                                                   << QByteArray(SIGNAL(onGetImMessage(QJsonObject)))
                                                   << QVariantList();
        QTest::newRow("close") << "doFormClose" << QJsonArray() << QByteArray(SIGNAL(onGetWebClose()))
                               << QVariantList{};
    }

    void requestsReachTheTop()
    {
        QFETCH(QString, method);
        QFETCH(QJsonArray, arguments);
        QFETCH(QByteArray, signal);
        QFETCH(QVariantList, expected);
        QSignalSpy spy(&h->root, signal.constData());
        h->bridge(method, arguments);
        // Relayed over queued connections: let the passes run, then look.
        h->bridge(QStringLiteral("getVersion"));
        QCoreApplication::processEvents();
        const bool raises = !expected.isEmpty() || method == QLatin1String("doFormClose");
        if (!raises) {
            QCOMPARE(spy.count(), 0);
            return;
        }
        QTRY_COMPARE(spy.count(), 1);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(spy.at(0).at(i), expected.at(i));
    }

    void imMessageCarriesTheObject()
    {
        QSignalSpy spy(&h->root, &ZtLayoutBase::onGetImMessage);
        h->bridge(QStringLiteral("getImMessage"), {"{\"title\":\"停牌\",\"n\":2}"});
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toJsonObject().value("title").toString(), QStringLiteral("停牌"));
    }

    void links_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("opens");
        QTest::newRow("qrc form") << "qrc:/news/a.html" << "form";
        QTest::newRow("trusted suffix") << "https://news.ztquote.example/a?id=1" << "tab";
        QTest::newRow("trusted host") << "http://f10.hqdata.example/x" << "tab";
        QTest::newRow("upper-case trusted host") << "https://WWW.ZTQUOTE.EXAMPLE/" << "tab";
        QTest::newRow("trusted name inside a hostile host") << "https://ztquote.example.evil.test/" << "";
        QTest::newRow("trusted name glued to a hostile one") << "https://evilztquote.example/" << "";
        QTest::newRow("trusted name as user info") << "https://ztquote.example@evil.test/" << "";
        QTest::newRow("trusted name in the query") << "https://evil.test/?h=ztquote.example" << "";
        QTest::newRow("script address") << "javascript:alert('ztquote.example')" << "";
        QTest::newRow("local file") << "file:///etc/passwd" << "";
        QTest::newRow("empty") << "" << "";
    }

    void links()
    {
        QFETCH(QString, url);
        QFETCH(QString, opens);
        QSignalSpy tabs(&h->root, &ZtLayoutBase::onGetOpenTab);
        QSignalSpy forms(&h->root, &ZtLayoutBase::onGetOpenForm);
        // What a host or page subclass raises for a link that asks for a new window.
        emit h->web->webView()->webPage()->onSignalOpenWindow(QUrl(url));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(tabs.count(), opens == "tab" ? 1 : 0);
        QCOMPARE(forms.count(), opens == "form" ? 1 : 0);
        if (opens == "tab") {
            const QString loading = QStringLiteral("加载中…");
            QCOMPARE(tabs.at(0).at(0).toString(), loading);
            QCOMPARE(tabs.at(0).at(1).toString(), PubConfig::EncryPtionMD5(loading));
            QCOMPARE(tabs.at(0).at(2).toString(), PubConfig::EncryPtionMD5(QUrl(url).toString()));
            QCOMPARE(tabs.at(0).at(3).toString(), QUrl(url).toString());
            QCOMPARE(tabs.at(0).at(4).toString(), QStringLiteral("web"));
        }
        if (opens == "form")
            QCOMPARE(forms.at(0).at(1).toBool(), true);
    }

    void alertBecomesASignal()
    {
        QSignalSpy spy(&h->root, &ZtLayoutBase::onJavaScriptAlert);
        h->web->webView()->webPage()->runJavaScript(QStringLiteral("alert('提示')"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("提示"));
    }

    void fullScreenAndTheTwoEscapes()
    {
        QSignalSpy escapes(&h->root, &ZtLayoutBase::onKeyReleaseEvent);
        ZtWebPage* page = h->web->webView()->webPage();
        h->bridge(QStringLiteral("FullScreen"));
        QTRY_VERIFY(h->web->fullScreen());
        QVERIFY(h->web->isFullScreen());
        QCOMPARE(h->web->fullScreen()->page(), page);
        // A second request while full screen opens nothing new.
        ZtFullScreen* first = h->web->fullScreen();
        h->bridge(QStringLiteral("FullScreen"));
        QCOMPARE(h->web->fullScreen(), first);
        // The page still answers while it lives in the full-screen window.
        QCOMPARE(h->bridge(QStringLiteral("getQuotation"), {""}).toString(), QString());

        QTest::keyRelease(h->web->fullScreen(), Qt::Key_Escape);
        QVERIFY(h->called(QStringLiteral("exitScreen")).has_value());
        QTRY_VERIFY(!h->web->isFullScreen());
        QVERIFY(!h->web->fullScreen());
        QCOMPARE(h->web->webView()->page(), page);
        QCOMPARE(h->bridge(QStringLiteral("getVersion")).toString(), PubConfig::getVersion());

        QTest::keyRelease(h->web, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 0);
        QTest::keyRelease(h->web, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 1);
        QTest::keyRelease(h->web, Qt::Key_A);
        QCOMPARE(escapes.count(), 2);

        // The page may leave full screen itself.
        h->bridge(QStringLiteral("FullScreen"));
        QTRY_VERIFY(h->web->fullScreen());
        h->bridge(QStringLiteral("ExitScreen"));
        QTRY_VERIFY(!h->web->isFullScreen());
    }

    void loadOfTheSameAddress_data()
    {
        QTest::addColumn<bool>("alwaysReload");
        QTest::newRow("kept") << false;
        QTest::newRow("always reloaded") << true;
    }

    void loadOfTheSameAddress()
    {
        QFETCH(bool, alwaysReload);
        WebHarness other(alwaysReload);
        QVERIFY(other.open());
        QSignalSpy started(other.web->webView(), &QWebEngineView::loadStarted);
        QSignalSpy finished(other.web, &PubWebView::onloadFinished);
        other.web->load(QStringLiteral("qrc:/webbridge/scripted.html"));
        if (alwaysReload) {
            QVERIFY(finished.wait(10000));
            QCOMPARE(finished.at(0).at(0).toBool(), true);
            QVERIFY(other.web->isSuccess());
        }
        // A further page call has run by now; a reload would have started before it answered.
        QCOMPARE(other.bridge(QStringLiteral("getVersion")).toString(), PubConfig::getVersion());
        QCOMPARE(started.count(), alwaysReload ? 1 : 0);
    }

    void loadThatNeverEndsTimesOutOnce()
    {
        // A server that takes the connection and never answers.
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QList<QTcpSocket*> held;
        connect(&server, &QTcpServer::newConnection, &server, [&] {
            while (QTcpSocket* s = server.nextPendingConnection())
                held << s;
        });
        WebHarness other;
        other.root.show();
        QSignalSpy finished(other.web, &PubWebView::onloadFinished);
        QSignalSpy viewFinished(other.web->webView(), &QWebEngineView::loadFinished);
        QElapsedTimer clock;
        clock.start();
        other.web->load(QStringLiteral("http://127.0.0.1:%1/slow").arg(server.serverPort()));
        QVERIFY(!other.web->isSuccess());
        QVERIFY(finished.wait(10000));
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(other.web->isSuccess());
        QVERIFY2(elapsed >= 2900, qPrintable(QString::number(elapsed)));
        QCOMPARE(viewFinished.count(), 0);
        // When the load ends at last, that end is not reported again.
        other.web->webView()->stop();
        QVERIFY(viewFinished.wait(10000));
        QCoreApplication::processEvents();
        QCOMPARE(finished.count(), 1);
    }
};

QTEST_MAIN(tst_PubWebView)
#include "tst_pubwebview.moc"
