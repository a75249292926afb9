#include "grids/ztstockmingridview.h"
#include "quote/ztstocktoolbox.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <pubcache/stockyjmodel.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QLoggingCategory>
#include <QToolBox>
#include <QtTest>

#include <testrows.h>
#include <testwindow.h>

#include <memory>

Q_DECLARE_METATYPE(ZtStockToolBox::BoxDataType)

namespace {

Q_DD_Now quote(const QString& code)
{
    return Q_DD_Now(TestRows::security(code));
}

QStringList titles(QToolBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList requested(ScriptedMarket& market)
{
    const QList<ScriptedMarket::Call> calls = market.calls(QStringLiteral("LBDG_QNow_DL"));
    return calls.isEmpty() ? QStringList() : calls.last().args.at(0).toStringList();
}

class Root : public ZtLayoutBase
{
public:
    Root() : ZtLayoutBase(QStringLiteral("Root"), nullptr) { resize(240, 500); }
    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType) override
    {
        opened << row.getUniqueValue(0);
    }
    QStringList opened;
};

}

class tst_ZtStockToolBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false\ndefault.debug=false"));
    }
    void init()
    {
        // The temporary store lives as long as the test: start each case empty.
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList()) {
            if (!PubStaticFunc::ZxgDeleteGroup(g.getName())) {
                for (const QString& code : PubStaticFunc::ZxgGet(g.getName()).first)
                    PubStaticFunc::ZxgDelete(code, g.getName());
            }
        }
        PubStaticFunc::HisClear();
        for (const QString& code : PubStaticFunc::getYJRegister())
            PubStaticFunc::delYJData(code);
        mMarket = std::make_shared<ScriptedMarket>();
        PBDataChange::installSource(mMarket);
        for (const QString& c : {QStringLiteral("SH600000"), QStringLiteral("SH600001"), QStringLiteral("SZ000001"),
                                 QStringLiteral("SZ000002")})
            mMarket->setQuote(c, quote(c));
        mMarket->setQuotesDownTime(1);
    }
    void cleanup()
    {
        PBDataChange::installSource(nullptr);
        mMarket.reset();
        PubStaticFunc::closeDatabase();
    }

    void sections_data();
    void sections();
    void noGroupsNoGrid();
    void groupChangesRebuild();
    void watchlistChangeRefills();
    void alertRegistrationRefills();

private:
    std::shared_ptr<ScriptedMarket> mMarket;
};

void tst_ZtStockToolBox::sections_data()
{
    QTest::addColumn<ZtStockToolBox::BoxDataType>("type");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("watchlist") << ZtStockToolBox::BoxDataType_Zxg << QStringList{"自选股", "银行"}
                               << QStringList{"SH600000", "SZ000001"};
    QTest::newRow("history") << ZtStockToolBox::BoxDataType_History << QStringList{"浏览历史"}
                             << QStringList{"SZ000002", "SH600001"};
    QTest::newRow("alerts") << ZtStockToolBox::BoxDataType_Alerts << QStringList{"预警列表"}
                            << QStringList{"SH600001"};
}

void tst_ZtStockToolBox::sections()
{
    QFETCH(ZtStockToolBox::BoxDataType, type);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, codes);
    PubStaticFunc::ZxgAddGroup(PubStaticFunc::defaultZxgGroup());
    QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("银行")));
    QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH600000"), QStringLiteral("自选股")));
    QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SZ000001"), QStringLiteral("自选股")));
    QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH600001"), QStringLiteral("银行")));
    QVERIFY(PubStaticFunc::HisAdd(QStringLiteral("SH600001")));
    QVERIFY(PubStaticFunc::HisAdd(QStringLiteral("SZ000002")));
    QVERIFY(PubStaticFunc::setYJData(StockYJModel(QStringLiteral("SH600001"),
                                                  {StockYJCase(QStringLiteral("c1"), ZtField::Last,
                                                               QStringLiteral(">"), QStringLiteral("11"), QStringLiteral("最新"), QStringLiteral("股价上破"))})));

    Root root;
    auto* box = new ZtStockToolBox(type, &root);
    QVERIFY(TestWindow::showIn(&root, box, root.size()));
    QCOMPARE(::titles(box->toolBox()), titles);
    QCOMPARE(box->grid()->parentWidget(), box->toolBox()->widget(0));
    QVERIFY(box->grid()->isVisible());
    QTRY_COMPARE(box->grid()->getGrid()->getData()->count(), codes.size());
    QCOMPARE(requested(*mMarket), codes);
    // Only the watchlist box opens its first row by itself.
    QCOMPARE(root.opened, type == ZtStockToolBox::BoxDataType_Zxg ? QStringList{codes.first()} : QStringList());

    if (type == ZtStockToolBox::BoxDataType_Zxg) {
        box->toolBox()->setCurrentIndex(1);
        QCOMPARE(box->grid()->parentWidget(), box->toolBox()->widget(1));
        QTRY_COMPARE(requested(*mMarket), QStringList{QStringLiteral("SH600001")});
    }
}

void tst_ZtStockToolBox::noGroupsNoGrid()
{
    for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
        PubStaticFunc::ZxgDeleteGroup(g.getName());
    if (!PubStaticFunc::getZxgCodeList().isEmpty())
        QSKIP("the store keeps a default watchlist group");
    Root root;
    auto* box = new ZtStockToolBox(ZtStockToolBox::BoxDataType_Zxg, &root);
    QVERIFY(TestWindow::showIn(&root, box, root.size()));
    QCOMPARE(box->toolBox()->count(), 0);
    QVERIFY(!box->grid()->isVisible());
}

// A new or renamed group rebuilds the sections; the grid then sits in the first one.
void tst_ZtStockToolBox::groupChangesRebuild()
{
    PubStaticFunc::ZxgAddGroup(PubStaticFunc::defaultZxgGroup());
    QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("银行")));
    Root root;
    auto* box = new ZtStockToolBox(ZtStockToolBox::BoxDataType_Zxg, &root);
    QVERIFY(TestWindow::showIn(&root, box, root.size()));
    box->toolBox()->setCurrentIndex(1);

    QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("券商")));
    emit PubCache::SSignal.onZxgGroupUpdate(QStringLiteral("券商"));
    QCOMPARE(::titles(box->toolBox()), (QStringList{QStringLiteral("自选股"), QStringLiteral("银行"),
                                                    QStringLiteral("券商")}));
    QCOMPARE(box->toolBox()->currentIndex(), 0);
    QCOMPARE(box->grid()->parentWidget(), box->toolBox()->widget(0));

    QVERIFY(PubStaticFunc::ZxgRenameGroup(QStringLiteral("银行"), QStringLiteral("银行股")));
    emit PubCache::SSignal.onZxgGroupUpdate(QStringLiteral("银行股"));
    QCOMPARE(::titles(box->toolBox()).at(1), QStringLiteral("银行股"));
    QCOMPARE(box->grid()->parentWidget(), box->toolBox()->widget(0));
    QVERIFY(box->grid()->isVisible());
}

void tst_ZtStockToolBox::watchlistChangeRefills()
{
    PubStaticFunc::ZxgAddGroup(PubStaticFunc::defaultZxgGroup());
    Root root;
    auto* box = new ZtStockToolBox(ZtStockToolBox::BoxDataType_Zxg, &root);
    QVERIFY(TestWindow::showIn(&root, box, root.size()));
    const QString group = box->toolBox()->itemText(0);
    QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SZ000002"), group));
    mMarket->clearCalls();
    emit PubCache::SSignal.onZxgRefresh(QStringLiteral("SZ000002"), ZxgOperate_Note);
    QCOMPARE(requested(*mMarket), QStringList());
    emit PubCache::SSignal.onZxgRefresh(QStringLiteral("SZ000002"), ZxgOperate_Add);
    QTRY_COMPARE(requested(*mMarket), QStringList{QStringLiteral("SZ000002")});
    QTRY_COMPARE(box->grid()->getGrid()->getData()->count(), 1);
}

// The alert list reads the registrations of the cache library and follows new ones.
void tst_ZtStockToolBox::alertRegistrationRefills()
{
    Root root;
    auto* box = new ZtStockToolBox(ZtStockToolBox::BoxDataType_Alerts, &root);
    QVERIFY(TestWindow::showIn(&root, box, root.size()));
    QCOMPARE(box->grid()->getGrid()->getData()->count(), 0);
    QVERIFY(PubStaticFunc::setYJData(StockYJModel(QStringLiteral("SZ000001"),
                                                  {StockYJCase(QStringLiteral("c1"), ZtField::Last,
                                                               QStringLiteral("<"), QStringLiteral("9"), QStringLiteral("最新"), QStringLiteral("股价下破"))})));
    emit PubCache::SSignal.onEarlyRegister();
    QTRY_COMPARE(box->grid()->getGrid()->getData()->count(), 1);
    QCOMPARE(requested(*mMarket), QStringList{QStringLiteral("SZ000001")});
}

QTEST_MAIN(tst_ZtStockToolBox)
#include "tst_ztstocktoolbox.moc"
