#include "webharness.h"

#include <testrows.h>

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <web/webobject.h>
#include <ztlib/datatrans.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QRandomGenerator>

#include <functional>

namespace {

using Operation = std::function<void(PubWebView*)>;

using TestRows::security;

QString json(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

LoginInfo registered(int minutesAgo)
{
    LoginInfo login(QStringLiteral("demo"));
    login.setTourist(false);
    login.setLoginTime(QDateTime::currentDateTime().addSecs(-60 * minutesAgo - 5));
    return login;
}

// Strings that break naive script or JSON building, mixed at random from a fixed seed.
QStringList hostileStrings(int count)
{
    const QStringList pieces = {
        QStringLiteral("\""), QStringLiteral("'"), QStringLiteral("\\"), QStringLiteral("</script>"),
        QStringLiteral("${alert(1)}"), QStringLiteral("`"), QString(QChar(0x2028)), QString(QChar(0x2029)),
        QString(QChar(0)), QStringLiteral("😀"), QStringLiteral("𠮷"), QStringLiteral("\n\r\t"),
        QStringLiteral("');alert(1);//"), QStringLiteral("\\u0041"), QStringLiteral("浦发银行"),
        QString(QChar(0xFEFF)), QString(QChar(0x7F)), QString(QChar(0x1F)), QStringLiteral("<!--"),
        QStringLiteral("]]>"), QStringLiteral("\\\""), QStringLiteral("%1%2"), QStringLiteral("a")};
    QRandomGenerator rng(20240105);
    QStringList out;
    for (int i = 0; i < count; ++i) {
        QString s;
        const int n = rng.bounded(1, 12);
        for (int k = 0; k < n; ++k)
            s += pieces.at(rng.bounded(pieces.size()));
        // Now and then a lone half of a surrogate pair.
        if (i % 50 == 7)
            s.insert(rng.bounded(s.size() + 1), QChar(rng.bounded(2) ? 0xD83D : 0xDE00));
        out << s;
    }
    out << QString() << QString(100 * 1024, QChar(0x2028));
    QString big;
    while (big.size() < 100 * 1024)
        big += pieces.join(QString());
    out << big << big.left(100 * 1024 - 1) + QChar(0xD800);
    return out;
}

bool hasLoneSurrogate(const QString& s)
{
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
        else if (s.at(i).isSurrogate())
            return true;
    }
    return false;
}

}

Q_DECLARE_METATYPE(Operation)

class tst_WebService : public QObject
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
        PBDataChange::installSource(mMarket);
        PubCache::mDataQueryAll = DQDDataList();
        for (const auto& [code, name] : {std::pair{"SH600001", "浦发"}, {"SZ000002", "万科A"}, {"SH600003", "三号"}}) {
            const DQDReader r = security(QString::fromLatin1(code), QString::fromUtf8(name));
            PubCache::mDataQueryAll.append(DQDUnionReader(r));
            mMarket->setQuote(QString::fromLatin1(code), Q_DD_Now(r));
        }
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        h = std::make_unique<WebHarness>();
        QVERIFY(h->open());
    }

    void cleanupTestCase()
    {
        h.reset();
        QTRY_COMPARE_WITH_TIMEOUT(webRenderers(), 0, 20000);
        PBDataChange::installSource(nullptr);
        PubCache::m_Logininfo = LoginInfo();
    }

    void scriptCalls_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QJsonArray>("arguments");
        const QString mac = WebObject::macAddress();
        QTest::newRow("login, quotes kept") << Operation([](PubWebView* w) { w->getLogin("o'neil\"", "p\\w", "x"); })
                                            << "sendLogin" << QJsonArray{"o'neil\"", "p\\w", mac, ""};
        QTest::newRow("login code") << Operation([](PubWebView* w) { w->getLoginCode("13800000000", "1"); })
                                    << "sendLoginSmsCode" << QJsonArray{"13800000000", "1"};
        QTest::newRow("quick login") << Operation([](PubWebView* w) { w->getQuickLogin("138", "66'66", "x"); })
                                     << "sendLoginSms" << QJsonArray{"{\"code\":\"66'66\",\"phone\":\"138\"}"};
        QTest::newRow("tourist") << Operation([](PubWebView* w) { w->getTouristLogin("x"); }) << "sendTouristLogin"
                                 << QJsonArray{mac};
        QTest::newRow("check login") << Operation([](PubWebView* w) { w->getCheckLogin("游客1"); })
                                     << "sendVerifyLogin" << QJsonArray{"游客1", "againLogin"};
        QTest::newRow("user ad") << Operation([](PubWebView* w) { w->getCheckUserAd(); }) << "sendVerifyHomeAd"
                                 << QJsonArray{"", "userAd"};
        QTest::newRow("register") << Operation([](PubWebView* w) { w->getRegister("138", "1234", "pw\"", "4"); })
                                  << "sendRegister"
                                  << QJsonArray{"{\"code\":\"1234\",\"password\":\"pw\\\"\",\"phone\":\"138\","
                                                "\"username\":\"\"}",
                                                "4"};
        QTest::newRow("register code") << Operation([](PubWebView* w) { w->getRegisterCode("138", "reg"); })
                                       << "sendRegisterCode" << QJsonArray{"138", "reg"};
        QTest::newRow("find password")
            << Operation([](PubWebView* w) { w->getFindPassWord("138", "12", "新密码", "f"); }) << "sendFindPassword"
            << QJsonArray{"{\"code\":\"12\",\"password\":\"新密码\",\"phone\":\"138\"}", "f"};
        QTest::newRow("password code") << Operation([](PubWebView* w) { w->getPasswordCode("138", "pwd"); })
                                       << "sendFindPasswordCode" << QJsonArray{"138", "pwd"};
        QTest::newRow("nickname") << Operation([](PubWebView* w) { w->getUpdNickName("老\\王", "n"); })
                                  << "sendNickName" << QJsonArray{"老\\王", "n"};
        QTest::newRow("cloud download") << Operation([](PubWebView* w) { QVERIFY(w->getStockList()); })
                                        << "sendStockList" << QJsonArray{"zxg_get"};
        QTest::newRow("news feed") << Operation([](PubWebView* w) { w->getHorseRaceLamp(); })
                                   << "sendInformation7x24" << QJsonArray{"{\"page\":1,\"pagesize\":10}", "timenews"};
        QTest::newRow("group titles") << Operation([](PubWebView* w) {
            QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>{StockZxgBK("自选股"), StockZxgBK("银'行")}));
            w->getRefreshBKTitle();
        }) << "getzxlist" << QJsonArray{"[{\"Title\":\"自选股\"},{\"Title\":\"银'行\"}]"};
        QTest::newRow("stock added") << Operation([](PubWebView* w) { w->noticeWebAddStock("SH600001"); })
                                     << "backzx" << QJsonArray{"SH600001"};
        QTest::newRow("usage") << Operation([](PubWebView* w) { w->setUserClick("c1", "栏目", "模块", "m1"); })
                               << "sendIOtrack"
                               << QJsonArray{"{\"column\":\"栏目\",\"columnCode\":\"c1\",\"module\":\"模块\","
                                             "\"moduleCode\":\"m1\"}"};
        QTest::newRow("logout after five minutes") << Operation([](PubWebView* w) {
            PubCache::m_Logininfo = registered(5);
            w->getLoginOut();
        }) << "sendLogOut" << QJsonArray{"5", "pvnLogout"};
        // A tourist logs out and uploads nothing: the next call is the first the page hears.
        QTest::newRow("tourist logs out silently") << Operation([](PubWebView* w) {
            PubCache::m_Logininfo = LoginInfo(QStringLiteral("游客"));
            w->getLoginOut();
            w->getSaveStock({StockZxgBK("自选股", {StockZxg("SH600001")})});
            w->getCheckUserAd();
        }) << "sendVerifyHomeAd" << QJsonArray{"", "userAd"};
    }

    void scriptCalls()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, function);
        QFETCH(QJsonArray, arguments);
        h->notices.clear();
        operation(h->web);
        const auto call = h->waitFor([](const QJsonObject& o) {
            return o.value("qtcode") == "called" && o.value("fn") != "qtTowebHome";
        });
        QVERIFY(call.has_value());
        QCOMPARE(call->value("fn").toString(), function);
        QCOMPARE(call->value("args").toArray(), arguments);
    }

    void upload()
    {
        PubCache::m_Logininfo = registered(1);
        const quint64 added = DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 1)));
        const QList<StockZxgBK> groups{
            StockZxgBK("自选股", {StockZxg("SH600001", added), StockZxg("SH688888", added), StockZxg("SZ000002", 0)}),
            StockZxgBK(QString(), {StockZxg("SH600003")}), StockZxgBK("空")};
        h->notices.clear();
        h->web->getSaveStock(groups);
        const QJsonArray args = h->calledArgs("sendSaveStock");
        QCOMPARE(args.at(1).toString(), QStringLiteral("zxg_save"));
        QCOMPARE(args.at(0).toString(),
                 QStringLiteral("[{\"list\":[{\"addTime\":\"2024-01-05 09:30:01\",\"stockCode\":\"SH600001\","
                                "\"stockName\":\"浦发\"},{\"stockCode\":\"SZ000002\",\"stockName\":\"万科A\"}],"
                                "\"name\":\"自选股\"},{\"list\":[],\"name\":\"空\"}]"));
    }

    void loginAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("status");
        QTest::addColumn<QVariantMap>("record");
        const QString bad = QStringLiteral("错误原因：服务器返回Json格式有误！");
        QTest::newRow("malformed") << "{\"status\":true," << bad << false << QVariantMap{{"tourist", true}};
        QTest::newRow("not JSON at all") << "\u2028'" << bad << false << QVariantMap{};
        QTest::newRow("no network") << "{\"status\":false,\"code\":-1,\"msg\":\"x\"}"
                                    << "错误原因：网络连接失败！ 错误代码：-1" << false << QVariantMap{};
        QTest::newRow("refused") << "{\"status\":false,\"code\":1002,\"msg\":\"密码错误\"}"
                                 << "错误原因：密码错误 错误代码：1002" << false << QVariantMap{};
        QTest::newRow("status of the wrong type") << "{\"status\":\"true\",\"code\":\"7\",\"msg\":5}"
                                                  << "错误原因：5 错误代码：7" << false << QVariantMap{};
        QTest::newRow("tourist") << "{\"status\":true,\"data\":{\"YKName\":\"游客8848\"}}" << "" << true
                                 << QVariantMap{{"tourist", true}, {"roleName", "游客"}, {"userName", "游客8848"},
                                                {"zjsz1", true}, {"zjsz2", false}};
        const QString reg = QStringLiteral(
            "{\"status\":true,\"data\":{\"userId\":42,\"roleId\":%1,\"username\":\"demo\",\"nickname\":\"演示\","
            "\"roleName\":\"VIP\",\"roleEndDate\":\"2026-12-31\",\"sessionToken\":\"t\",\"userObjectId\":\"o\","
            "%2\"jurisdiction\":{\"zjsz1\":true,\"zjsz2\":true,\"l2\":1}}}");
        QTest::newRow("role 6 loses both rights")
            << reg.arg(6).arg("\"headPortrait\":\"h.png\",") << "" << true
            << QVariantMap{{"tourist", false}, {"userId", 42}, {"roleId", 6}, {"zjsz1", false}, {"zjsz2", false},
                           {"l2", 1}, {"headPortrait", "h.png"}, {"userIdMD5", PubConfig::EncryPtionMD5("42")}};
        QTest::newRow("role 7 keeps the server's rights")
            << reg.arg(7).arg("") << "" << true
            << QVariantMap{{"roleId", 7}, {"zjsz1", true}, {"zjsz2", true}, {"roleEndDate", "2026-12-31"},
                           {"headPortrait", ""}, {"nickName", "演示"}, {"userName", "demo"}};
        QTest::newRow("role 3") << reg.arg(3).arg("") << "" << true
                                << QVariantMap{{"zjsz1", true}, {"zjsz2", false}, {"roleName", "VIP"}};
        QTest::newRow("role 99") << reg.arg(99).arg("") << "" << true << QVariantMap{{"zjsz1", true}, {"zjsz2", false}};
        QTest::newRow("data of the wrong type") << "{\"status\":true,\"data\":[1,2]}" << "" << true
                                                << QVariantMap{{"tourist", false}, {"userId", 0}, {"zjsz1", true}};
    }

    void loginAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, status);
        QFETCH(QVariantMap, record);
        h->answer("sendLogin", {WebHarness::bridgeCall("login", {answer})});
        QSignalSpy back(h->web, &PubWebView::onLoginBack);
        h->web->getLogin("demo", "pw");
        QVERIFY(back.wait(10000));
        QCOMPARE(back.at(0).at(0).toString(), message);
        QCOMPARE(back.at(0).at(1).toBool(), status);
        const LoginInfo l = back.at(0).at(2).value<LoginInfo>();
        const QVariantMap got{{"tourist", l.isTourist()}, {"userId", l.getUserId()}, {"roleId", l.getRoleId()},
                              {"roleName", l.getRoleName()}, {"userName", l.getUserName()},
                              {"nickName", l.getNickName()}, {"headPortrait", l.getHeadPortrait()},
                              {"roleEndDate", l.getRoleEndDate()}, {"userIdMD5", l.getUserIdMD5()},
                              {"zjsz1", l.getJurisdiction().value("zjsz1")}, {"zjsz2", l.getJurisdiction().value("zjsz2")},
                              {"l2", l.getJurisdiction().value("l2")}};
        for (auto it = record.cbegin(); it != record.cend(); ++it)
            QCOMPARE(got.value(it.key()), it.value());
        if (status)
            QCOMPARE(l.getMac(), WebObject::macAddress());
        h->answer("sendLogin", {});
    }

    void notices_data()
    {
        QTest::addColumn<QString>("notice");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QVariantList>("expected");
        const QByteArray zxg = SIGNAL(onServiceZxgResult(bool, QString, QString));
        QTest::newRow("upload done") << "{\"qtcode\":\"zxg_save\",\"status\":true}" << zxg
                                     << QVariantList{true, "zxg_save", "同步至云端数据成功！"};
        QTest::newRow("upload refused") << "{\"qtcode\":\"zxg_save\",\"status\":false,\"msg\":\"未登录\"}" << zxg
                                        << QVariantList{false, "zxg_save", "同步至云端数据失败！失败原因：未登录"};
        QTest::newRow("login elsewhere") << "{\"qtcode\":\"againLogin\",\"status\":false,\"data\":{\"YKName\":\"游客1\"}}"
                                         << QByteArray(SIGNAL(onShowLoginAgain(QString))) << QVariantList{"游客1"};
        QTest::newRow("login elsewhere, no data") << "{\"qtcode\":\"againLogin\",\"status\":false}"
                                                  << QByteArray(SIGNAL(onShowLoginAgain(QString))) << QVariantList{""};
        QTest::newRow("login still valid") << "{\"qtcode\":\"againLogin\",\"status\":true}"
                                           << QByteArray(SIGNAL(onShowLoginAgain(QString))) << QVariantList();
        QTest::newRow("ad wanted") << "{\"qtcode\":\"userAd\",\"status\":true}"
                                   << QByteArray(SIGNAL(onShowUserAdBox())) << QVariantList{QVariant()};
        QTest::newRow("no ad") << "{\"qtcode\":\"userAd\",\"status\":false}" << QByteArray(SIGNAL(onShowUserAdBox()))
                               << QVariantList();
        QTest::newRow("logged out") << "{\"qtcode\":\"pvnLogout\"}" << QByteArray(SIGNAL(onPvnExitOut()))
                                    << QVariantList{QVariant()};
        QTest::newRow("theme answer passed on") << "{\"qtcode\":\"qtTheme\", \"theme\" : \"black\"}"
                                                << QByteArray(SIGNAL(onNoticeMessage(QString)))
                                                << QVariantList{"{\"qtcode\":\"qtTheme\", \"theme\" : \"black\"}"};
        QTest::newRow("malformed dropped") << "{\"qtcode\":\"qtTheme\"" << QByteArray(SIGNAL(onNoticeMessage(QString)))
                                           << QVariantList();
    }

    void notices()
    {
        QFETCH(QString, notice);
        QFETCH(QByteArray, signal);
        QFETCH(QVariantList, expected);
        QSignalSpy spy(h->web, signal.constData());
        h->bridge("noticeMessage", {notice});
        // The harness's own answers pass through onNoticeMessage too; they are not counted.
        for (int i = spy.count() - 1; i >= 0; --i) {
            if (spy.at(i).value(0).toString().contains("\"qtcode\":\"result\""))
                spy.removeAt(i);
        }
        QCOMPARE(spy.count(), expected.size() == 0 ? 0 : 1);
        if (!expected.isEmpty() && expected.first().isValid()) {
            for (int i = 0; i < expected.size(); ++i)
                QCOMPARE(spy.at(0).at(i), expected.at(i));
        }
    }

    void newsFeed()
    {
        QSignalSpy spy(h->web, &PubWebView::onHorseRaceLamp);
        h->bridge("noticeMessage", {"{\"qtcode\":\"timenews\",\"status\":true,\"data\":[{\"title\":\"快讯\"}]}"});
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toJsonObject().value("data").toArray().at(0).toObject().value("title").toString(),
                 QStringLiteral("快讯"));
    }

    void cloudDownload_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("groups");  // "name:code,code"
        QTest::addColumn<bool>("ok");
        QTest::newRow("first group renamed to the default")
            << "{\"qtcode\":\"zxg_get\",\"status\":true,\"data\":[{\"name\":\"我的\",\"list\":[{\"stockCode\":"
               "\"SZ000002\",\"addTime\":\"2024-01-05 09:30:01\"},{\"stockCode\":\"SH600001\"}]},{\"name\":\"银行\","
               "\"list\":[{\"stockCode\":\"SH600001\",\"addTime\":null}]}]}"
            << QStringList{"自选股:SZ000002,SH600001", "银行:SH600001"} << true;
        QTest::newRow("unknown code and nameless group dropped")
            << "{\"qtcode\":\"zxg_get\",\"status\":true,\"data\":[{\"name\":\"\",\"list\":[{\"stockCode\":"
               "\"SH600003\"}]},{\"name\":\"a\",\"list\":[{\"stockCode\":\"SH688888\"},{\"stockCode\":\"SH600003\"},"
               "{\"stockCode\":5},{}]}]}"
            << QStringList{"自选股:SH600003"} << true;
        QTest::newRow("refused keeps the local list") << "{\"qtcode\":\"zxg_get\",\"status\":false}"
                                                      << QStringList{"本地:SH600001"} << false;
        QTest::newRow("empty cloud keeps the local list") << "{\"qtcode\":\"zxg_get\",\"status\":true,\"data\":[]}"
                                                          << QStringList{"本地:SH600001"} << true;
        QTest::newRow("data of the wrong type") << "{\"qtcode\":\"zxg_get\",\"status\":true,\"data\":{\"a\":1}}"
                                                << QStringList{"本地:SH600001"} << true;
    }

    void cloudDownload()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, groups);
        QFETCH(bool, ok);
        QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>{StockZxgBK("本地", {StockZxg("SH600001")})}));
        h->answer("sendStockList", {WebHarness::bridgeCall("noticeMessage", {answer})});
        QSignalSpy result(h->web, &PubWebView::onServiceZxgResult);
        QSignalSpy refresh(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh);
        QVERIFY(h->web->getStockList());
        QVERIFY(result.wait(10000));
        QCOMPARE(result.at(0).at(0).toBool(), ok);
        QCOMPARE(result.at(0).at(2).toString(), ok ? QStringLiteral("获取云端数据成功！") : QStringLiteral("获取云端数据失败！"));
        QCOMPARE(refresh.count(), ok ? 1 : 0);
        QStringList got;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
            got << g.getName() + ":" + g.getCodes().join(",");
        QCOMPARE(got, groups);
        if (QTest::currentDataTag() == QLatin1String("first group renamed to the default")) {
            const auto first = PubStaticFunc::getZxgCodeList().first().getList();
            QCOMPARE(first.at(0).getAddTime(),
                     DataTrans::getYYYYMMDDHHMMSSFFFFromDT(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 1))));
            QVERIFY(first.at(1).getAddTime() > 0);
        }
        h->answer("sendStockList", {});
    }

    void hostileStringsRoundTrip()
    {
        const QStringList strings = hostileStrings(10000);
        QList<QString> back;
        auto c = connect(h->web, &PubWebView::onNoticeMessage, this, [&](QString text) {
            const QJsonObject o = WebObject::parseJson(text).object();
            if (o.value("qtcode") == "qtTheme")
                back << o.value("value").toString();
        });
        for (const QString& s : strings)
            h->web->setWebTheme(s);
        QTRY_COMPARE_WITH_TIMEOUT(back.size(), strings.size(), 60000);
        disconnect(c);
        h->notices.clear();
        // JSON writes a lone surrogate as a \uXXXX escape both ways, so even those come back as sent.
        int surrogates = 0;
        for (int i = 0; i < strings.size(); ++i) {
            surrogates += hasLoneSurrogate(strings.at(i));
            QVERIFY2(back.at(i) == strings.at(i), qPrintable(QString("string %1 came back changed").arg(i)));
        }
        qInfo("%d hostile strings round-tripped, %d of them with lone surrogates", int(strings.size()), surrogates);
    }
};

QTEST_MAIN(tst_WebService)
#include "tst_webservice.moc"
