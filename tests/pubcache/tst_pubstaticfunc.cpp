#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <ztlib/datatrans.h>
#include <ztlib/pubcachecustom.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using Groups = QList<StockZxgBK>;

namespace {

QStringList codesOf(const QString& group)
{
    return PubStaticFunc::ZxgGet(group).first;
}

QStringList groupNames()
{
    QStringList names;
    for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
        names.append(g.getName());
    return names;
}

StockYJCase priceCase(const QString& id, const QString& threshold)
{
    return StockYJCase(id, 17030, ">=", threshold, "股价", "价格预警", "元");
}

}

class tst_PubStaticFunc : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        mPath = mDir->filePath("userdata.db");
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QVERIFY(PubStaticFunc::isDatabasePersistent());
    }

    void cleanup()
    {
        PubStaticFunc::closeDatabase();
    }

    void addKeepsManualOrderAndTimes()
    {
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        for (const char* code : {"SZ000001", "SH600000", "SH000001"})
            QVERIFY(PubStaticFunc::ZxgAdd(code));
        QVERIFY(!PubStaticFunc::ZxgAdd("SH600000"));
        const auto pair = PubStaticFunc::ZxgGet("自选股");
        QCOMPARE(pair.first, QStringList({"SZ000001", "SH600000", "SH000001"}));
        for (const QString& code : pair.first) {
            const QDateTime added = DataTrans::getDateTimeFromULL(pair.second.value(code).toULongLong());
            QVERIFY2(added >= before && added <= QDateTime::currentDateTime().addSecs(1), qPrintable(code));
        }
        QVERIFY(PubStaticFunc::ZxgGet("没有这个分组").first.isEmpty());
        // Only the default group is made on demand.
        QVERIFY(!PubStaticFunc::ZxgAdd("SH600000", "没有这个分组"));
    }

    void badCodesAreRefused_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("empty") << "";
        QTest::newRow("inner blank") << "SH 600000";
        QTest::newRow("too long") << QString(40, 'X');
    }

    void badCodesAreRefused()
    {
        QFETCH(QString, code);
        QVERIFY(!PubStaticFunc::ZxgAdd(code));
        QVERIFY(!PubStaticFunc::HisAdd(code));
        QVERIFY(!PubStaticFunc::setStockSign(code, "1"));
        QVERIFY(!PubStaticFunc::setYJData(StockYJModel(code, {priceCase("a", "1")})));
        QVERIFY(codesOf("自选股").isEmpty());
    }

    void noteAndDeleteInAllOrOneGroup()
    {
        QVERIFY(PubStaticFunc::ZxgAddGroup("科技"));
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000"));
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000", "科技"));
        QVERIFY(PubStaticFunc::ZxgAdd("SZ000001", "科技"));
        // The note follows the code into every group.
        QVERIFY(PubStaticFunc::ZxgSetNote("SH600000", "低吸"));
        QVERIFY(!PubStaticFunc::ZxgSetNote("SH600001", "x"));
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
            QCOMPARE(g.getList().at(0).getNote(), QStringLiteral("低吸"));

        QVERIFY(PubStaticFunc::ZxgDelete("SH600000", "科技"));
        QVERIFY(!PubStaticFunc::ZxgDelete("SH600000", "科技"));
        QVERIFY(PubStaticFunc::ZxgContains("SH600000"));

        QVERIFY(PubStaticFunc::ZxgAdd("SH600000", "科技"));
        QVERIFY(PubStaticFunc::ZxgDelete("SH600000"));
        QVERIFY(!PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(codesOf("科技"), QStringList({"SZ000001"}));
        QVERIFY(!PubStaticFunc::ZxgDelete("SH600000"));
        QVERIFY(!PubStaticFunc::ZxgDelete(QString()));
    }

    void moveToGroup_data()
    {
        QTest::addColumn<Groups>("before");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("defaultAfter");
        QTest::addColumn<QStringList>("otherAfter");

        const Groups one = {StockZxgBK("自选股", {StockZxg("A", 1), StockZxg("SH600000", 2), StockZxg("B", 3)}),
                            StockZxgBK("科技", {StockZxg("C", 4)})};
        const QStringList unmoved = {"A", "SH600000", "B"}, c = {"C"};
        QTest::newRow("to another group") << one << "科技" << true << QStringList({"A", "B"}) << QStringList({"C", "SH600000"});
        QTest::newRow("to its own group") << one << "自选股" << false << unmoved << c;
        QTest::newRow("to an unknown group") << one << "无" << false << unmoved << c;
        const Groups both = {StockZxgBK("自选股", {StockZxg("SH600000", 2)}),
                             StockZxgBK("科技", {StockZxg("SH600000", 5), StockZxg("C", 4)})};
        QTest::newRow("already in target too") << both << "科技" << true << QStringList() << QStringList({"SH600000", "C"});
        const Groups absent = {StockZxgBK("自选股", {StockZxg("A", 1)}), StockZxgBK("科技")};
        QTest::newRow("not in the watchlist") << absent << "科技" << false << QStringList({"A"}) << QStringList();
    }

    void moveToGroup()
    {
        QFETCH(Groups, before);
        QFETCH(QString, target);
        QFETCH(bool, result);
        QFETCH(QStringList, defaultAfter);
        QFETCH(QStringList, otherAfter);
        QVERIFY(PubStaticFunc::ZxgSave(before));
        QCOMPARE(PubStaticFunc::ZxgMoveNewBK("SH600000", target), result);
        QCOMPARE(codesOf("自选股"), defaultAfter);
        QCOMPARE(codesOf("科技"), otherAfter);
        // A moved entry keeps the time it was first added.
        if (result && otherAfter.contains("SH600000"))
            QCOMPARE(PubStaticFunc::ZxgGet("科技").second.value("SH600000").toULongLong() <= 5, true);
    }

    void manualOrder()
    {
        for (const char* code : {"A", "B", "C", "D"})
            QVERIFY(PubStaticFunc::ZxgAdd(code));
        QVERIFY(PubStaticFunc::ZxgMove("自选股", 3, 0));
        QCOMPARE(codesOf("自选股"), QStringList({"D", "A", "B", "C"}));
        QVERIFY(PubStaticFunc::ZxgMove("自选股", 1, 3));
        QCOMPARE(codesOf("自选股"), QStringList({"D", "B", "C", "A"}));
        QVERIFY(!PubStaticFunc::ZxgMove("自选股", 0, 4));
        QVERIFY(!PubStaticFunc::ZxgMove("自选股", -1, 0));
        QVERIFY(!PubStaticFunc::ZxgMove("自选股", 2, 2));
        QVERIFY(!PubStaticFunc::ZxgMove("无", 0, 1));
        // The order is the stored one, not just the one in memory.
        QVERIFY(reopen());
        QCOMPARE(codesOf("自选股"), QStringList({"D", "B", "C", "A"}));
    }

    void saveReplacesWatchlist()
    {
        QVERIFY(PubStaticFunc::ZxgAdd("OLD"));
        QSignalSpy groups(&PubCache::SSignal, &PubStaticSignal::onZxgGroupUpdate);
        const Groups cloud = {StockZxgBK("自选股", {StockZxg("SH600000", 20240102030405000ull)}),
                              StockZxgBK("银行", {StockZxg("SH601398", 0), StockZxg("SH601988", 7)})};
        QVERIFY(PubStaticFunc::ZxgSave(cloud));
        QCOMPARE(groups.count(), 1);
        QCOMPARE(groupNames(), QStringList({"自选股", "银行"}));
        QCOMPARE(codesOf("自选股"), QStringList({"SH600000"}));
        QCOMPARE(PubStaticFunc::ZxgGet("自选股").second.value("SH600000"), QStringLiteral("20240102030405000"));
        // An unknown add time stays unknown.
        QCOMPARE(PubStaticFunc::ZxgGet("银行").second.value("SH601398"), QString());
        QCOMPARE(PubCacheCustom::mStockCodeList, QList<QString>({"SH600000", "SH601398", "SH601988"}));

        // Same groups, new contents: no group signal.
        QVERIFY(PubStaticFunc::ZxgSave(Groups{StockZxgBK("自选股"), StockZxgBK("银行", {StockZxg("X", 1)})}));
        QCOMPARE(groups.count(), 1);

        QVERIFY(PubStaticFunc::ZxgSave(StockZxgBK("银行", {StockZxg("Y", 1), StockZxg("X", 1)})));
        QCOMPARE(codesOf("银行"), QStringList({"Y", "X"}));
        QVERIFY(PubStaticFunc::ZxgSave(StockZxgBK("新组", {StockZxg("Z", 1)})));
        QCOMPARE(groups.count(), 2);
        QCOMPARE(groups.last().at(0).toString(), QStringLiteral("新组"));
        QCOMPARE(groupNames(), QStringList({"自选股", "银行", "新组"}));
    }

    void saveCleansInput()
    {
        const Groups messy = {StockZxgBK("", {StockZxg("NAMELESS", 1)}),
                              StockZxgBK(" 自选股 ", {StockZxg("A", 1), StockZxg("A", 2), StockZxg(" ", 3)}),
                              StockZxgBK("自选股", {StockZxg("DUP", 1)})};
        QVERIFY(PubStaticFunc::ZxgSave(messy));
        QCOMPARE(groupNames(), QStringList({"自选股"}));
        QCOMPARE(codesOf("自选股"), QStringList({"A"}));

        // Nothing usable leaves the empty default group.
        QVERIFY(PubStaticFunc::ZxgSave(Groups()));
        QCOMPARE(groupNames(), QStringList({"自选股"}));
        QVERIFY(codesOf("自选股").isEmpty());
        QVERIFY(!PubStaticFunc::ZxgSave(StockZxgBK("  ")));
    }

    void groupOperationsSignal()
    {
        QSignalSpy spy(&PubCache::SSignal, &PubStaticSignal::onZxgGroupUpdate);
        QVERIFY(PubStaticFunc::ZxgAddGroup("科技"));
        QVERIFY(!PubStaticFunc::ZxgAddGroup("科技"));
        QVERIFY(!PubStaticFunc::ZxgAddGroup(" "));
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000", "科技"));
        QVERIFY(PubStaticFunc::ZxgRenameGroup("科技", "半导体"));
        QVERIFY(!PubStaticFunc::ZxgRenameGroup("科技", "x"));
        QVERIFY(!PubStaticFunc::ZxgRenameGroup("半导体", "自选股"));
        QCOMPARE(codesOf("半导体"), QStringList({"SH600000"}));
        QVERIFY(PubStaticFunc::ZxgDeleteGroup("半导体"));
        QVERIFY(!PubStaticFunc::ZxgDeleteGroup("半导体"));
        QVERIFY(!PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("半导体"));

        // Deleting the default group is allowed; the next plain add makes it again.
        QVERIFY(PubStaticFunc::ZxgDeleteGroup("自选股"));
        QVERIFY(groupNames().isEmpty());
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000"));
        QCOMPARE(groupNames(), QStringList({"自选股"}));
        QCOMPARE(spy.count(), 5);
    }

    void history()
    {
        for (const char* code : {"A", "B", "C", "A"})
            QVERIFY(PubStaticFunc::HisAdd(code));
        QCOMPARE(PubStaticFunc::HisGetAll(), QVector<QString>({"A", "C", "B"}));
        QVERIFY(PubStaticFunc::HisDelete("C"));
        QVERIFY(!PubStaticFunc::HisDelete("C"));
        QCOMPARE(PubStaticFunc::HisGetAll(), QVector<QString>({"A", "B"}));
        QVERIFY(PubStaticFunc::HisClear());
        QVERIFY(!PubStaticFunc::HisClear());
        QVERIFY(PubStaticFunc::HisGetAll().isEmpty());
    }

    void historyIsCapped()
    {
        for (int i = 0; i < 105; ++i)
            QVERIFY(PubStaticFunc::HisAdd(QString::number(i)));
        QVector<QString> all = PubStaticFunc::HisGetAll();
        QCOMPARE(all.size(), 100);
        QCOMPARE(all.first(), QStringLiteral("104"));
        QCOMPARE(all.last(), QStringLiteral("5"));
        QVERIFY(reopen());
        QCOMPARE(PubStaticFunc::HisGetAll(), all);
    }

    void alertDefinitions()
    {
        QSignalSpy registered(&PubCache::SSignal, &PubStaticSignal::onEarlyRegister);
        StockYJCase volume("v", 17040, ">=", "1.5", "成交量", "放量", "万手", 1000000, 0);
        volume.setVoice(false);
        QVERIFY(PubStaticFunc::setYJData(StockYJModel("SZ000001", {priceCase("p", "10.00"), volume})));
        QVERIFY(PubStaticFunc::setYJData(StockYJModel("SH600000", {priceCase("", "8"), priceCase("", "9")})));
        QCOMPARE(registered.count(), 2);
        QCOMPARE(PubStaticFunc::getYJRegister(), QVector<QString>({"SZ000001", "SH600000"}));

        const StockYJModel first = PubStaticFunc::getYJData("SZ000001");
        QCOMPARE(first.count(), 2);
        QCOMPARE(first.getCaseList().at(1), volume);
        // Unnamed conditions get distinct ids so that each can be switched on its own.
        const StockYJModel second = PubStaticFunc::getYJData("SH600000");
        QCOMPARE(second.count(), 2);
        QVERIFY(!second.getCaseList().at(0).getCaseId().isEmpty());
        QVERIFY(second.getCaseList().at(0).getCaseId() != second.getCaseList().at(1).getCaseId());

        QCOMPARE(PubCacheCustom::mYjsStock.value("SZ000001", false), true);
        QVERIFY(PubStaticFunc::updYJData("SZ000001", "p", false));
        QVERIFY(PubStaticFunc::updYJData("SZ000001", "v", false));
        QVERIFY(!PubStaticFunc::updYJData("SZ000001", "zz", false));
        QVERIFY(!PubStaticFunc::updYJData("SZ000009", "p", false));
        // A stock whose conditions all fired still has alerts (to edit or delete).
        QVERIFY(PubCacheCustom::mYjsStock.contains("SZ000001"));
        QCOMPARE(PubCacheCustom::mYjsStock.value("SZ000001"), false);
        QCOMPARE(PubStaticFunc::getYJRegister().size(), 2);
        QCOMPARE(registered.count(), 2);

        QVERIFY(reopen());
        const auto all = PubStaticFunc::getYJData();
        QCOMPARE(all.size(), 2);
        QVERIFY(!all.value("SZ000001").hasActiveCase());
        QCOMPARE(all.value("SZ000001").getCaseList().at(1).getMultiple(), 1000000);
        QVERIFY(!all.value("SZ000001").getCaseList().at(1).isVoice());

        QVERIFY(PubStaticFunc::setYJData(StockYJModel("SZ000001")));
        QVERIFY(!PubStaticFunc::delYJData("SZ000001"));
        QVERIFY(PubStaticFunc::delYJData("SH600000"));
        QVERIFY(PubStaticFunc::getYJRegister().isEmpty());
        QVERIFY(PubCacheCustom::mYjsStock.isEmpty());
        QCOMPARE(registered.count(), 4);
    }

    void alertLog()
    {
        QVERIFY(PubStaticFunc::addYJLogData(StockYJLog("价格预警", "10.00元", "SH600000", "浦发银行", 20250101093000000ull)));
        QVERIFY(PubStaticFunc::addYJLogData(StockYJLog("放量", "1.5万手", "SZ000001", "平安银行", 20250101094500000ull)));
        QList<StockYJLog> log = PubStaticFunc::getYJLogData();
        QCOMPARE(log.size(), 2);
        QCOMPARE(log.first().getCode(), QStringLiteral("SZ000001"));
        QCOMPARE(PubStaticFunc::getYJLogData(1).size(), 1);
        QVERIFY(reopen());
        QCOMPARE(PubStaticFunc::getYJLogData(), log);
        QVERIFY(PubStaticFunc::clearYJLogData());
        QVERIFY(PubStaticFunc::getYJLogData().isEmpty());
    }

    void marks()
    {
        QVERIFY(PubStaticFunc::setStockSign("SH600000", "3"));
        QCOMPARE(PubCacheCustom::mStockSign.value("SH600000"), QStringLiteral("3"));
        // Choosing the mark a stock already has sets it again.
        QVERIFY(PubStaticFunc::setStockSign("SH600000", "3"));
        QVERIFY(PubStaticFunc::setStockSign("SH600000", "9"));
        QCOMPARE(PubStaticFunc::getStockSign("SH600000"), QStringLiteral("9"));
        QVERIFY(!PubStaticFunc::setStockSign("SH600000", ""));
        QVERIFY(PubStaticFunc::delStockSign("SH600000"));
        QVERIFY(!PubStaticFunc::delStockSign("SH600000"));
        QVERIFY(!PubCacheCustom::mStockSign.contains("SH600000"));
    }

    void followModeAndMessageTypes()
    {
        PubStaticFunc::setGridViewFollowRowId(true);
        QVERIFY(PubStaticFunc::getGridViewFollowRowId());
        QVERIFY(PubStaticFunc::setDxjlList({ZtE_DXJL_BigBuy, ZtE_DXJL(99), ZtE_DXJL_FastRise, ZtE_DXJL_BigBuy}));
        QCOMPARE(PubStaticFunc::getDxjlList(), QVector<ZtE_DXJL>({ZtE_DXJL_BigBuy, ZtE_DXJL_FastRise}));
        QVERIFY(reopen());
        QVERIFY(PubStaticFunc::getGridViewFollowRowId());
        QCOMPARE(PubStaticFunc::getDxjlList(), QVector<ZtE_DXJL>({ZtE_DXJL_BigBuy, ZtE_DXJL_FastRise}));
        // Following no type at all is a choice that lasts too.
        QVERIFY(PubStaticFunc::setDxjlList({}));
        QVERIFY(reopen());
        QVERIFY(PubStaticFunc::getDxjlList().isEmpty());
    }

    void reopeningKeepsEverything()
    {
        QVERIFY(PubStaticFunc::ZxgAddGroup("科技"));
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000"));
        QVERIFY(PubStaticFunc::ZxgAdd("SZ000001", "科技"));
        QVERIFY(PubStaticFunc::ZxgSetNote("SZ000001", "观察"));
        QVERIFY(PubStaticFunc::setStockSign("SZ000001", "2"));
        QVERIFY(PubStaticFunc::setYJData(StockYJModel("SH600000", {priceCase("p", "10")})));
        const Groups groups = PubStaticFunc::getZxgCodeList();

        PubStaticFunc::closeDatabase();
        QVERIFY(PubCacheCustom::mStockCodeList.isEmpty());
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QCOMPARE(PubStaticFunc::getZxgCodeList(), groups);
        QCOMPARE(PubStaticFunc::getStockSign("SZ000001"), QStringLiteral("2"));
        QCOMPARE(PubStaticFunc::getYJData("SH600000").getCaseList().at(0), priceCase("p", "10"));
        // The mirrors are filled again on open.
        QCOMPARE(PubCacheCustom::mStockCodeList, QList<QString>({"SH600000", "SZ000001"}));
        QCOMPARE(PubCacheCustom::mStockSign.value("SZ000001"), QStringLiteral("2"));
    }

    void damagedFileIsMovedAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("this is not a database, just a note\n").repeated(200);
        QTest::newRow("header only") << QByteArray("SQLite format 3\0", 16) + QByteArray(4080, '\xee');
        QTest::newRow("cut in half") << QByteArray();
    }

    void damagedFileIsMovedAside()
    {
        QFETCH(QByteArray, content);
        const bool cut = content.isEmpty();  // a real database whose second half is gone
        for (int i = 0; cut && i < 300; ++i)
            QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH6%1").arg(i, 5, 10, QLatin1Char('0'))));
        PubStaticFunc::closeDatabase();
        QFile::remove(mPath + "-wal");
        QFile::remove(mPath + "-shm");
        QFile f(mPath);
        if (cut) {
            QVERIFY(f.open(QIODevice::ReadOnly));
            content = f.read(f.size() / 2);
            f.close();
            QVERIFY(content.size() > 4096);
        }
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("damaged; moved to"));
        QVERIFY(PubStaticFunc::openDatabase(mPath));
        QVERIFY(PubStaticFunc::isDatabasePersistent());
        QCOMPARE(groupNames(), QStringList({"自选股"}));
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000"));

        const QStringList aside = QDir(mDir->path()).entryList({"userdata.db.damaged-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QFile kept(QDir(mDir->path()).filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), content);

        QVERIFY(reopen());
        QCOMPARE(codesOf("自选股"), QStringList({"SH600000"}));
    }

    void unusableFolderKeepsWorkingInMemory()
    {
        PubStaticFunc::closeDatabase();
        // A file where the folder should be: nothing can be created there.
        QFile blocker(mDir->filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot open"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("kept in memory only"));
        QVERIFY(!PubStaticFunc::openDatabase(mDir->filePath("blocker/userdata.db")));
        QVERIFY(!PubStaticFunc::isDatabasePersistent());
        QVERIFY(PubStaticFunc::ZxgAdd("SH600000"));
        QVERIFY(PubStaticFunc::ZxgContains("SH600000"));
        QCOMPARE(PubCacheCustom::mStockCodeList, QList<QString>({"SH600000"}));
    }

    void changesFromAWorkerThread()
    {
        QThread* worker = QThread::create([] {
            for (int i = 0; i < 20; ++i)
                PubStaticFunc::ZxgAdd(QStringLiteral("W%1").arg(i));
            PubStaticFunc::HisAdd("W0");
        });
        worker->start();
        // The GUI thread keeps changing and reading meanwhile.
        for (int i = 0; i < 20; ++i) {
            QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("G%1").arg(i)));
            PubStaticFunc::getDxjlList();
        }
        QVERIFY(worker->wait(30000));
        delete worker;
        QCOMPARE(codesOf("自选股").size(), 40);
        // The worker's changes reach the GUI-thread mirror through the event loop.
        QTRY_COMPARE(PubCacheCustom::mStockCodeList.size(), 40);

        QVERIFY(reopen());
        QCOMPARE(codesOf("自选股").size(), 40);
        QCOMPARE(PubStaticFunc::HisGetAll(), QVector<QString>({"W0"}));
    }

    void clearChild()
    {
        QWidget row;
        auto* layout = new QHBoxLayout(&row);
        QPointer<QLabel> a = new QLabel("a", &row);
        QPointer<QLabel> b = new QLabel("b", &row);
        layout->addWidget(a);
        layout->addStretch();
        layout->addWidget(b);

        PubStaticFunc::ClearChild(&row);
        // Gone from the widget at once, deleted by the event loop.
        QVERIFY(row.findChildren<QLabel*>().isEmpty());
        QCOMPARE(layout->count(), 0);
        QTRY_VERIFY(a.isNull() && b.isNull());
        PubStaticFunc::ClearChild(nullptr);
    }

private:
    bool reopen()
    {
        PubStaticFunc::closeDatabase();
        return PubStaticFunc::openDatabase(mPath);
    }

    QScopedPointer<QTemporaryDir> mDir;
    QString mPath;
};

QTEST_MAIN(tst_PubStaticFunc)
#include "tst_pubstaticfunc.moc"
