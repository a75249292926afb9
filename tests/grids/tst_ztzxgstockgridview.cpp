#include "controls/ztpushbutton.h"
#include "grids/ztzxgstockgridview.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

const QString kQuotes = QStringLiteral("LBDG_QNow_DL");

QString codeOf(int n)
{
    return QStringLiteral("SH%1").arg(600000 + n);
}

Q_DD_Now quote(int n, double ratio)
{
    DQDReader r;
    r.setValue(ZtField::Market, QStringLiteral("SH"));
    r.setValue(ZtField::Code, QString::number(600000 + n));
    r.setValue(ZtField::UniqueCode, codeOf(n));
    r.setValue(ZtField::Name, QStringLiteral("股票%1").arg(n));
    r.setValue(ZtField::Type, int(ZtE_ZQLX_AShare));
    r.setValue(ZtField::PrevClose, 10.0);
    r.setValue(ZtField::Last, 10.0 + ratio / 10);
    r.setValue(ZtField::ChangeRatio, ratio);
    return Q_DD_Now(r);
}

QStringList codesOf(const DQDQuery* q)
{
    QStringList out;
    for (int i = 0; q && i < q->count(); ++i)
        out << std::as_const(*q).at(i)->getUniqueValue(0);
    return out;
}

QStringList codesOf(const QList<int>& numbers)
{
    QStringList out;
    for (int n : numbers)
        out << codeOf(n);
    return out;
}

void mouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, const QPoint& pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Harness
{
    std::shared_ptr<ScriptedMarket> market = std::make_shared<ScriptedMarket>();
    std::vector<std::unique_ptr<GridField>> fields;
    ZtLayoutBase root{QStringLiteral("Root"), nullptr};
    ZtZXGStockGridView* view = nullptr;
    qint64 time = 0;

    explicit Harness(bool isZxg, bool withRatio = true)
    {
        PBDataChange::installSource(market);
        auto add = [&](const QString& title, unsigned int key, const QString& rule, const QString& format) {
            fields.push_back(std::make_unique<GridField>(DQDField::Field(title, key, rule, format), 80));
        };
        add(QStringLiteral("代码"), ZtField::Code, QString(), QString());
        add(QStringLiteral("名称"), ZtField::Name, QString(), QString());
        if (withRatio)
            add(QStringLiteral("涨幅"), ZtField::ChangeRatio, QStringLiteral("case:0"), QStringLiteral("d2[ls:%]"));
        add(QStringLiteral("最新"), ZtField::Last, QStringLiteral("bos:12010"), QStringLiteral("d2"));
        QList<GridField*> list;
        for (auto& f : fields)
            list << f.get();
        view = new ZtZXGStockGridView(&root, list, isZxg);
        auto* layout = new QVBoxLayout(&root);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        root.resize(500, 300);
    }

    ~Harness()
    {
        delete view;
        PBDataChange::installSource(nullptr);
    }

    void show()
    {
        root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&root));
    }

    void quotes(const QList<int>& numbers)
    {
        for (int n : numbers)
            market->setQuote(codeOf(n), quote(n, n - 2));
        market->setQuotesDownTime(++time);
    }

    QStringList rows() const { return codesOf(view->getGrid()->getData()); }

    // Quotes for these securities, and the panel shown on them until their rows are in.
    void open(const QList<int>& numbers, const QHash<QString, QString>& addTimes = {})
    {
        quotes(numbers);
        show();
        view->InitZxgQNows({codesOf(numbers), addTimes});
        QTRY_COMPARE(rows(), codesOf(numbers));
    }

    QStringList lastRequest() const
    {
        const QList<ScriptedMarket::Call> calls = market->calls(kQuotes);
        return calls.isEmpty() ? QStringList() : calls.last().args.at(0).toStringList();
    }
};

UserMenuAction* topAction(ZtZXGStockGridView* view, int id)
{
    for (UserMenuAction* a : view->getMenu()->actions()) {
        if (a && !a->isSeparator() && a->data().toInt() == id)
            return a;
    }
    return nullptr;
}

}

class tst_ZtZXGStockGridView : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    int mDatabases = 0;

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false"));
        qRegisterMetaType<QMouseEvent*>("QMouseEvent*");
        qRegisterMetaType<enumZxgOperate>("enumZxgOperate");
        QVERIFY(mDir.isValid());
    }

    void init()
    {
        QVERIFY(PubStaticFunc::openDatabase(mDir.filePath(QStringLiteral("user%1.db").arg(++mDatabases))));
        PubCache::mDataQueryAll = DQDDataList();
    }

    void menusOfTheTwoModes_data()
    {
        QTest::addColumn<bool>("isZxg");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("watchlist") << true
                                   << QList<int>{2000, 2001, 2002, 2003, 2004, 2009, 2010, 2007, -1, 1021, 1022, 1023};
        QTest::newRow("history") << false << QList<int>{2000, 2001, 2002, 2005, 2006, 2007, -1, 1021, 1022, 1023};
    }

    void menusOfTheTwoModes()
    {
        QFETCH(bool, isZxg);
        QFETCH(QList<int>, ids);
        Harness h(isZxg);
        QList<int> d;
        for (UserMenuAction* a : h.view->getMenu()->actions())
            d << (a->isSeparator() ? -1 : a->data().toInt());
        QCOMPARE(d, ids);
        QVERIFY(h.view->getResetButton()->isHidden());
    }

    void dateAddedColumn_data()
    {
        QTest::addColumn<bool>("isZxg");
        QTest::addColumn<bool>("withRatio");
        QTest::addColumn<bool>("present");
        QTest::newRow("watchlist with the change ratio") << true << true << true;
        QTest::newRow("watchlist without it") << true << false << false;
        QTest::newRow("history") << false << true << false;
    }

    void dateAddedColumn()
    {
        QFETCH(bool, isZxg);
        QFETCH(bool, withRatio);
        QFETCH(bool, present);
        Harness h(isZxg, withRatio);
        GridField* added = h.view->getGrid()->getColumn(ZtField::AddTime);
        QCOMPARE(added != nullptr, present);
        if (!present)
            return;
        QCOMPARE(h.view->getGrid()->getColumnByIndex(3), added);
        QCOMPARE(h.view->getGrid()->getColumnByIndex(2)->getFieldId(), ZtField::ChangeRatio);

        // Codes with an add time show it; others stay empty.
        h.open({1, 2, 3},
               {{codeOf(1), QStringLiteral("20240105093000000")}, {codeOf(3), QStringLiteral("20231231150000000")}});
        ZtWidgetStockGrid* grid = h.view->getGrid();
        QCOMPARE(h.rows(), codesOf({1, 2, 3}));
        QCOMPARE(grid->cellText(0, 3), QStringLiteral("2024-01-05"));
        QCOMPARE(grid->cellText(1, 3), QString());
        QCOMPARE(grid->cellText(2, 3), QStringLiteral("2023-12-31"));

        // Sorting by the column orders by the add time.
        grid->setSortKey(ZtField::AddTime, false);
        grid->doLocalSort();
        QCOMPARE(h.rows(), codesOf({3, 1, 2}));

        // New quotes keep the column; the rows stay the ones the market handed out
        // (a write would have copied them).
        h.quotes({1, 2, 3});
        const int reads = h.market->callCount(kQuotes);
        QTRY_VERIFY(h.market->callCount(kQuotes) > reads + 1);
        QCOMPARE(grid->cellText(0, 3), QStringLiteral("2023-12-31"));
        const DQDQuery& data = *grid->getData();
        QVERIFY(data.at(0)->sharesDataWith(h.market->quote(codeOf(3), false)));
    }

    void firstQuotesFocusRowZeroOnce()
    {
        Harness h(true);
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        h.open({1, 2, 3});
        QCOMPARE(focus.size(), 1);
        QCOMPARE(focus.at(0).at(1).value<DQDUnionReader>().getUniqueValue(0), codeOf(1));
        QCOMPARE(h.view->getGrid()->getFocusRowIndex(), 0);
        h.quotes({1, 2, 3, 4});
        const int reads = h.market->callCount(kQuotes);
        QTRY_VERIFY(h.market->callCount(kQuotes) > reads + 1);
        QCOMPARE(focus.size(), 1);
    }

    void draggingRow3ToRow0()
    {
        Harness h(true);
        for (int i = 0; i < 5; ++i)
            QVERIFY(PubStaticFunc::ZxgAdd(codeOf(i)));
        h.view->setCanManualSequence(true);
        QVERIFY(!h.view->getResetButton()->isHidden());
        h.open({0, 1, 2, 3, 4});

        QSignalSpy order(h.view, &ZtZXGStockGridView::onZxgOrderUpdate);
        ZtWidgetStockGrid* grid = h.view->getGrid();
        const QPoint from = grid->rowRect(3).center();
        const QPoint to = grid->rowRect(0).center();
        mouse(grid, QEvent::MouseButtonPress, Qt::LeftButton, from, Qt::LeftButton);
        mouse(grid, QEvent::MouseMove, Qt::NoButton, from - QPoint(0, 20), Qt::LeftButton);
        mouse(grid, QEvent::MouseMove, Qt::NoButton, to, Qt::LeftButton);
        mouse(grid, QEvent::MouseButtonRelease, Qt::LeftButton, to, Qt::NoButton);

        QCOMPARE(order.size(), 1);
        QCOMPARE(order.at(0), (QList<QVariant>{3, 0}));
        QCOMPARE(h.rows(), codesOf({3, 0, 1, 2, 4}));
        QCOMPARE(grid->getFocusRowIndex(), 0);
        QCOMPARE(grid->getFocusRow().getUniqueValue(0), codeOf(3));
        QCOMPARE(h.view->getZxgCodes(), codesOf({3, 0, 1, 2, 4}));
        QTRY_COMPARE(h.lastRequest(), codesOf({3, 0, 1, 2, 4}));
        // Storing the order is the owner's business.
        QCOMPARE(PubStaticFunc::ZxgGet(PubStaticFunc::defaultZxgGroup()).first, codesOf({0, 1, 2, 3, 4}));
    }

    void resetButtonRestoresTheManualOrder()
    {
        Harness h(true);
        h.view->setCanManualSequence(true);
        h.open({1, 2, 3, 4});
        ZtWidgetStockGrid* grid = h.view->getGrid();
        mouse(grid, QEvent::MouseButtonPress, Qt::LeftButton, grid->headerRect(2).center(), Qt::LeftButton);
        QCOMPARE(h.rows(), codesOf({4, 3, 2, 1}));

        QTest::mouseClick(h.view->getResetButton(), Qt::LeftButton);
        QCOMPARE(h.rows(), QStringList());
        h.quotes({1, 2, 3, 4});
        QTRY_COMPARE(h.rows(), codesOf({1, 2, 3, 4}));
    }

    void watchlistChangesElsewhere_data()
    {
        QTest::addColumn<bool>("isZxg");
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("reloaded");
        QTest::newRow("watchlist, add") << true << int(ZxgOperate_Add) << true;
        QTest::newRow("watchlist, note") << true << int(ZxgOperate_Note) << false;
        QTest::newRow("history") << false << int(ZxgOperate_Add) << false;
    }

    void watchlistChangesElsewhere()
    {
        QFETCH(bool, isZxg);
        QFETCH(int, operation);
        QFETCH(bool, reloaded);
        Harness h(isZxg);
        QVERIFY(PubStaticFunc::ZxgAdd(codeOf(1)));
        h.view->setZxgStockType(PubStaticFunc::defaultZxgGroup());
        h.view->InitZxgQNows(PubStaticFunc::ZxgGet(PubStaticFunc::defaultZxgGroup()));
        QVERIFY(PubStaticFunc::ZxgAdd(codeOf(2)));
        emit PubCache::SSignal.onZxgRefresh(codeOf(2), enumZxgOperate(operation));
        QCOMPARE(h.view->getZxgCodes(), reloaded ? codesOf({1, 2}) : codesOf({1}));
    }

    void moveToListsEveryGroupOnEachRightClick()
    {
        Harness h(true);
        QVERIFY(PubStaticFunc::ZxgAdd(codeOf(1)));
        QVERIFY(PubStaticFunc::ZxgAdd(codeOf(2)));
        QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("银行")));
        h.view->setZxgStockType(PubStaticFunc::defaultZxgGroup());
        h.open({1, 2});

        ZtWidgetStockGrid* grid = h.view->getGrid();
        UserMenuAction* moveTo = topAction(h.view, 2009);
        auto groupsShown = [&] {
            QStringList names;
            QTimer::singleShot(0, this, [&] {
                if (moveTo->menu()) {
                    for (QAction* a : moveTo->menu()->actions())
                        names << a->text();
                }
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
            });
            mouse(grid, QEvent::MouseButtonPress, Qt::RightButton, grid->rowRect(1).center(), Qt::RightButton);
            mouse(grid, QEvent::MouseButtonRelease, Qt::RightButton, grid->rowRect(1).center(), Qt::NoButton);
            return names;
        };
        QCOMPARE(groupsShown(), (QStringList{PubStaticFunc::defaultZxgGroup(), QStringLiteral("银行")}));
        QVERIFY(PubStaticFunc::ZxgAddGroup(QStringLiteral("券商")));
        QCOMPARE(groupsShown(),
                 (QStringList{PubStaticFunc::defaultZxgGroup(), QStringLiteral("银行"), QStringLiteral("券商")}));

        QSignalSpy refresh(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh);
        moveTo->menu()->actions().at(1)->trigger();
        QVERIFY(PubStaticFunc::ZxgContains(codeOf(2), QStringLiteral("银行")));
        QVERIFY(refresh.size() >= 1);
        QCOMPARE(refresh.first().at(0).toString(), codeOf(2));
        // The shown group reloads without the moved stock.
        QCOMPARE(h.view->getZxgCodes(), codesOf({1}));
    }

    void historyRecordsAreDeletedAndCleared()
    {
        Harness h(false);
        for (int n : {1, 2, 3})
            QVERIFY(PubStaticFunc::HisAdd(codeOf(n)));
        const QVector<QString> history = PubStaticFunc::HisGetAll();
        h.quotes({1, 2, 3});
        h.show();
        h.view->InitHisQNows(history);
        QTRY_COMPARE(h.rows().size(), 3);
        h.view->getGrid()->setFocusRowIndex(h.rows().indexOf(codeOf(2)), false);
        topAction(h.view, 2005)->trigger();
        QVERIFY(!PubStaticFunc::HisGetAll().contains(codeOf(2)));
        QCOMPARE(h.rows(), QStringList());  // emptied at once, refilled by the next quotes
        QTRY_COMPARE(h.rows().size(), 2);
        QVERIFY(!h.rows().contains(codeOf(2)));

        h.view->getGrid()->setFocusRowIndex(0, false);
        topAction(h.view, 2006)->trigger();
        QVERIFY(PubStaticFunc::HisGetAll().isEmpty());
        QCOMPARE(h.rows(), QStringList());
    }

    void emptyGroupFocusesTheIndex()
    {
        DQDUnionReader index;
        index.setValue(ZtField::UniqueCode, QStringLiteral("SH000001"));
        PubCache::mDataQueryAll.append(index);
        Harness h(true);
        h.show();
        QSignalSpy focus(h.view, &ZtLayoutBase::onFocusStock);
        h.view->InitZxgQNows({QStringList(), {}});
        QTRY_VERIFY(!focus.isEmpty());
        QCOMPARE(focus.last().at(1).value<DQDUnionReader>().getUniqueValue(0), QStringLiteral("SH000001"));
    }

    // The shared security items are checked with the market grid; here only that they are applied.
    void menuForWatchlistMembers()
    {
        Harness h(true);
        QVERIFY(PubStaticFunc::ZxgAdd(codeOf(1)));
        h.open({1, 2});
        h.view->doAboutToShowMenu(h.view->getMenu()->actions());
        QVERIFY(!topAction(h.view, 2003)->isVisible());
        QVERIFY(topAction(h.view, 2004)->isVisible());

        QSignalSpy notes(&PubCache::SSignal, &PubStaticSignal::onZxgAdd);
        topAction(h.view, 2010)->trigger();
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.at(0).at(1).value<enumZxgOperate>(), ZxgOperate_Note);
    }
};

QTEST_MAIN(tst_ZtZXGStockGridView)
#include "tst_ztzxgstockgridview.moc"
