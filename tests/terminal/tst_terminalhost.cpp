#include "terminalfixture.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

DQDReader row(const QString& market, const QString& code, const QString& name)
{
    DQDReader r;
    r.setValue(ZtField::Market, market);
    r.setValue(ZtField::Code, code);
    r.setValue(ZtField::Name, name);
    r.setValue(ZtField::UniqueCode, market + code);
    r.setValue(ZtField::Type, int(ZtE_ZQLX_AShare));
    return r;
}

}

// The demo terminal's handling of the watchlist bus and its watchlist page.
class tst_TerminalHost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("ZT_DATA_DIR", mDir.path().toLocal8Bit());
        auto market = std::make_shared<ScriptedMarket>();
        DQDDataList list;
        list.append(row("SH", "600000", "浦发银行"));
        list.append(row("SZ", "000001", "平安银行"));
        market->setSecurityList(list);
        PBDataChange::installSource(market);
        mHost = std::make_unique<TerminalHost>();
        mHost->start();
        QCOMPARE(PubStaticFunc::databasePath(), QDir(mDir.path()).filePath("userdata.db"));
        QCOMPARE(PubCache::mDataQueryAll.count(), 2);
        QVERIFY(!PubCache::mUrlList.isEmpty());
    }

    void cleanupTestCase()
    {
        mHost.reset();
        PubStaticFunc::closeDatabase();
        PBDataChange::installSource(nullptr);
    }

    void addAndDeleteThroughTheBus()
    {
        QSignalSpy refresh(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh);
        emit PubCache::SSignal.onZxgAdd("SH600000", ZxgOperate_Add);
        QCOMPARE(PubStaticFunc::ZxgGet("自选股").first, QStringList({"SH600000"}));
        QCOMPARE(refresh.count(), 1);
        QCOMPARE(refresh.at(0).at(0).toString(), QStringLiteral("SH600000"));
        QCOMPARE(refresh.at(0).at(1).value<enumZxgOperate>(), ZxgOperate_Add);

        // Already there, or not a security: nothing changes, nothing to refresh.
        emit PubCache::SSignal.onZxgAdd("SH600000", ZxgOperate_Add);
        emit PubCache::SSignal.onZxgAdd("SH999999", ZxgOperate_Add);
        QCOMPARE(refresh.count(), 1);

        emit PubCache::SSignal.onZxgDel("SH600000");
        QVERIFY(!PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(refresh.count(), 2);
        emit PubCache::SSignal.onZxgDel("SH600000");
        QCOMPARE(refresh.count(), 2);
    }

    void watchlistSurvivesRestart()
    {
        emit PubCache::SSignal.onZxgAdd("000001", ZxgOperate_Add);
        QCOMPARE(PubStaticFunc::ZxgGet("自选股").first, QStringList({"SZ000001"}));
        PubStaticFunc::closeDatabase();
        TerminalHost again;
        again.start();
        QCOMPARE(PubStaticFunc::ZxgGet("自选股").first, QStringList({"SZ000001"}));
        emit PubCache::SSignal.onZxgDel("SZ000001");
    }

    void pageAsksThroughTheBus()
    {
        NoShell shell;
        std::unique_ptr<QWidget> widget(TerminalFixture::makePage(QStringLiteral("watchlist-groups"), shell));
        QVERIFY(widget);
        auto* input = widget->findChild<QLineEdit*>("WatchlistInput");
        auto* tree = widget->findChild<QTreeWidget*>("WatchlistTree");
        QVERIFY(input && tree);

        QSignalSpy adds(&PubCache::SSignal, &PubStaticSignal::onZxgAdd);
        input->setText("600000");
        widget->findChild<QPushButton*>("WatchlistAdd")->click();
        QCOMPARE(adds.count(), 1);
        QVERIFY(PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("SH600000"));
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(1), QStringLiteral("浦发银行"));

        input->setText("SH600000");
        widget->findChild<QPushButton*>("WatchlistDelete")->click();
        QCOMPARE(tree->topLevelItem(0)->childCount(), 0);
    }

private:
    QTemporaryDir mDir;
    std::unique_ptr<TerminalHost> mHost;
};

QTEST_MAIN(tst_TerminalHost)
#include "tst_terminalhost.moc"
