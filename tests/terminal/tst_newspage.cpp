#include "terminalfixture.h"

#include <frame/ztfullscreen.h>
#include <grids/ztzxgstockgridview.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <web/pubwebview.h>
#include <web/ztwebview.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

// The demo's news page on the simulated service page, driven through its own buttons
// and the page's own script controls.
class tst_NewsPage : public QObject
{
    Q_OBJECT

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private:
    QWidget* newsPage() const { return mT.window->page(QStringLiteral("news")); }
    PubWebView* web() const { return newsPage()->findChild<PubWebView*>(); }
    QLabel* label(const char* name) const { return newsPage()->findChild<QLabel*>(QLatin1String(name)); }

    void click(const QString& text)
    {
        for (QPushButton* b : newsPage()->findChildren<QPushButton*>()) {
            if (b->text() == text) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no button ") + text));
    }

    // Runs a script in the page and waits for its value.
    QVariant js(const QString& script)
    {
        QVariant result;
        bool done = false;
        web()->webView()->page()->runJavaScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            return QStringLiteral("<no answer>");
        return result;
    }

    // WebEngine's helper processes started by this process.
    static int webEngineChildren()
    {
        int count = 0;
        const QString self = QString::number(QCoreApplication::applicationPid());
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            // "pid (name) state ppid ..."; the name may hold spaces.
            const QByteArray line = stat.readAll();
            const int close = line.lastIndexOf(')');
            const QList<QByteArray> rest = line.mid(close + 2).split(' ');
            if (close > 0 && rest.size() > 1 && rest.at(1) == self.toLatin1()
                && line.mid(line.indexOf('(') + 1, close - line.indexOf('(') - 1).startsWith("QtWebEngine"))
                ++count;
        }
        return count;
    }

    static QList<QPair<QString, QStringList>> watchlist()
    {
        QList<QPair<QString, QStringList>> out;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
            out << qMakePair(g.getName(), g.getCodes());
        return out;
    }

    TerminalFixture mT;

private slots:
    void initTestCase()
    {
        QVERIFY(mT.start());
        // WebEngine starts with the first web page, not with the window.
        QVERIFY(mT.window->findChildren<QWebEngineView*>().isEmpty());
        QCOMPARE(webEngineChildren(), 0);
        QVERIFY(mT.window->showPage(QStringLiteral("news")));
        QVERIFY(web());
        QSignalSpy ready(web(), &PubWebView::onNoticeMessage);
        QVERIFY(ready.wait(30000));
        // The quotes come through the bridge once the page's channel is up.
        QTRY_VERIFY_WITH_TIMEOUT(js(QStringLiteral("document.querySelectorAll('#quotes tbody tr').length")).toInt()
                                     > 0,
                                 10000);
        QVERIFY(webEngineChildren() > 0);
    }

    void cleanupTestCase()
    {
        mT.stop();
    }

    void accountShowsTheRoleAndLogsOut_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("tourist");
        QTest::newRow("tourist") << "游客登录" << "游客：" << true;
        QTest::newRow("demo account") << "演示账号登录" << "演示用户（高级会员，角色 7，到期 2027-12-31）" << false;
    }

    void accountShowsTheRoleAndLogsOut()
    {
        QFETCH(QString, button);
        QFETCH(QString, shown);
        QFETCH(bool, tourist);
        QLabel* account = label("NewsAccount");
        QVERIFY(account);
        click(button);
        QTRY_VERIFY2(account->text().startsWith(shown), qPrintable(account->text()));
        QCOMPARE(PubCache::m_Logininfo.isTourist(), tourist);

        // A registered user's logout reaches the service; a tourist has nothing to end.
        QSignalSpy out(web(), &PubWebView::onPvnExitOut);
        click(QStringLiteral("退出登录"));
        QCOMPARE(account->text(), QStringLiteral("未登录"));
        QVERIFY(PubCache::m_Logininfo.getUserName().isEmpty());
        if (!tourist)
            QVERIFY(out.wait(10000));
    }

    // The page's own "加自选" button of a row puts that stock in the watchlist, and the
    // watchlist page shows it without being reopened.
    void pageButtonAddsToTheWatchlist()
    {
        QVERIFY(mT.window->showPage(QStringLiteral("watchlist")));
        auto* grid = mT.window->page(QStringLiteral("watchlist"))->findChild<ZtZXGStockGridView*>();
        QVERIFY(grid);
        QVERIFY(mT.window->showPage(QStringLiteral("news")));
        const QString code = js(QStringLiteral("codes[1]")).toString();
        QVERIFY(!code.isEmpty());
        PubStaticFunc::ZxgDelete(code);
        emit PubCache::SSignal.onZxgRefresh(code, ZxgOperate_Delete);
        QVERIFY(!grid->getZxgCodes().contains(code));

        QCOMPARE(js(QStringLiteral("document.querySelectorAll('#quotes tbody tr')[1].querySelector('button').click();"
                                   "true")),
                 QVariant(true));
        QTRY_VERIFY(PubStaticFunc::ZxgContains(code, PubStaticFunc::defaultZxgGroup()));
        QTRY_VERIFY(grid->getZxgCodes().contains(code));
        QCOMPARE(label("NewsStatus")->text(), QStringLiteral("已加入自选：") + code);
    }

    // Without a registered login the cloud copy stays out of reach, with a message.
    void cloudWatchlistNeedsALogin_data()
    {
        QTest::addColumn<QString>("login");  // button, or empty for none
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("upload, nobody") << "" << "上传自选" << "请先登录演示账号";
        QTest::newRow("upload, tourist") << "游客登录" << "上传自选" << "请先登录演示账号";
        QTest::newRow("download, nobody") << "" << "下载自选" << "获取云端数据失败！";
        QTest::newRow("download, tourist") << "游客登录" << "下载自选" << "获取云端数据失败！";
    }

    void cloudWatchlistNeedsALogin()
    {
        QFETCH(QString, login);
        QFETCH(QString, button);
        QFETCH(QString, message);
        QLabel* status = label("NewsStatus");
        if (!login.isEmpty()) {
            click(login);
            QTRY_VERIFY(label("NewsAccount")->text().startsWith(QStringLiteral("游客：")));
        }
        status->clear();
        const auto before = watchlist();
        click(button);
        QTRY_COMPARE(status->text(), message);
        QCOMPARE(watchlist(), before);
        click(QStringLiteral("退出登录"));
    }

    // The page goes full screen and comes back on Escape, still live; the window stays.
    void fullScreenAndBack()
    {
        click(QStringLiteral("全屏"));
        QTRY_VERIFY(web()->fullScreen() && web()->fullScreen()->isVisible());
        QTest::keyRelease(web()->fullScreen(), Qt::Key_Escape);
        QTRY_VERIFY(!web()->isFullScreen());
        QCOMPARE(web()->webView()->page(), web()->webView()->webPage());
        QTest::keyRelease(web(), Qt::Key_Escape);
        QTest::keyRelease(web(), Qt::Key_Escape);
        QVERIFY(mT.window->isVisible());
        QCOMPARE(js(QStringLiteral("document.querySelectorAll('#quotes tbody tr').length > 0")), QVariant(true));
    }

    // Upload, clear locally, download: the same groups in the same order.
    void cloudWatchlistRoundTrip()
    {
        QLabel* status = label("NewsStatus");
        click(QStringLiteral("演示账号登录"));
        QTRY_VERIFY(!PubCache::m_Logininfo.isTourist() && !PubCache::m_Logininfo.getUserName().isEmpty());

        StockZxgBK first(PubStaticFunc::defaultZxgGroup());
        StockZxgBK second(QStringLiteral("科技"));
        const DQDDataList& all = PubCache::mDataQueryAll;
        QVERIFY(all.count() > 40);
        for (int i = 0; i < 6; ++i)
            (i % 2 ? second : first).append(StockZxg(all.at(i * 7)->getUniqueValue(0)));
        QVERIFY(PubStaticFunc::ZxgSave(QList<StockZxgBK>{first, second}));
        const auto before = watchlist();
        QCOMPARE(before.size(), 2);

        click(QStringLiteral("上传自选"));
        QTRY_COMPARE(status->text(), QStringLiteral("同步至云端数据成功！"));
        click(QStringLiteral("清空本地自选"));
        QCOMPARE(status->text(), QStringLiteral("本地自选已清空"));
        QVERIFY(watchlist() != before);
        click(QStringLiteral("下载自选"));
        QTRY_COMPARE(status->text(), QStringLiteral("获取云端数据成功！"));
        QCOMPARE(watchlist(), before);
        click(QStringLiteral("退出登录"));
    }
};

QTEST_MAIN(tst_NewsPage)
#include "tst_newspage.moc"
