#include "../framework/readertestsupport.h"

#include <alerts/stockwarning.h>
#include <framework/stockqnow.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kCode = QStringLiteral("SH600000");
const QString kOther = QStringLiteral("SZ000001");

class Probe : public StockWarning
{
public:
    using StockWarning::StockWarning;
    // Delivers a quote list the way the reader's worker does.
    void feed(const DQDDataList& quotes)
    {
        emit quoteReader()->onQNowsUpdate(quoteReader()->getRefreshtag(), quotes);
    }
};

DQDUnionReader quoteRow(const QString& code, const QString& name, QHash<unsigned, QVariant> values)
{
    DQDUnionReader r = ReaderTest::row(code);
    r.setValue(ZtField::Name, name);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        r.setValue(it.key(), it.value());
    return r;
}

DQDDataList list(std::initializer_list<DQDUnionReader> rows)
{
    DQDDataList l;
    for (const DQDUnionReader& r : rows)
        l.append(r);
    return l;
}

StockYJCase yjCase(const QString& id, quint32 key, const QString& op, const QString& threshold, int multiple = 1,
                   qint16 decimals = 2)
{
    StockYJCase c(id, key, op, threshold, QStringLiteral("现价"), QStringLiteral("标题") + id, QStringLiteral("元"),
                  multiple, decimals);
    return c;
}

QJsonObject attributesOf(const QSignalSpy& spy, int i)
{
    return spy.at(i).at(0).toJsonObject().value(QStringLiteral("attributes")).toObject();
}

}

class tst_StockWarning : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        for (const QString& code : PubStaticFunc::getYJRegister())
            PubStaticFunc::delYJData(code);
        PubStaticFunc::clearYJLogData();
    }

    void cleanup()
    {
        PubStaticFunc::closeDatabase();
        ReaderTest::uninstallMarket(mMarket);
    }

    void rounding_data()
    {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("threshold");
        QTest::addColumn<int>("multiple");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fires");
        QTest::newRow("just above, rounds onto") << ">=" << "10.00" << 1 << 2 << 10.004 << true;
        QTest::newRow("just below") << ">=" << "10.00" << 1 << 2 << 9.994 << false;
        QTest::newRow("half rounds up despite binary noise") << ">=" << "10.01" << 1 << 2 << 10.005 << true;
        QTest::newRow("at or below") << "<=" << "10.00" << 1 << 2 << 9.994 << true;
        QTest::newRow("above a <= threshold") << "<=" << "10.00" << 1 << 2 << 10.006 << false;
        QTest::newRow("multiplier, volume meets") << ">=" << "1.5" << 10000 << 0 << 15000.0 << true;
        QTest::newRow("multiplier, rounds up to it") << ">=" << "1.5" << 10000 << 0 << 14999.6 << true;
        QTest::newRow("multiplier, one short") << ">=" << "1.5" << 10000 << 0 << 14999.0 << false;
        QTest::newRow("negative, rounds toward zero") << "<=" << "-1.00" << 1 << 2 << -0.994 << false;
        QTest::newRow("negative, at threshold") << "<=" << "-1.00" << 1 << 2 << -1.004 << true;
        QTest::newRow("negative epsilon decides") << "<=" << "-1.02" << 1 << 2 << -1.015 << true;
        QTest::newRow("negative change ratio >=") << ">=" << "-5" << 1 << 1 << -4.96 << true;
        QTest::newRow("one decimal") << ">=" << "3.2" << 1 << 1 << 3.149 << false;
        QTest::newRow("threshold not a number is 0") << ">=" << "abc" << 1 << 2 << 0.001 << true;
        QTest::newRow("other operator never fires") << ">" << "1" << 1 << 2 << 5.0 << false;
        QTest::newRow("empty operator never fires") << "" << "1" << 1 << 2 << 5.0 << false;
    }

    void rounding()
    {
        QFETCH(QString, op);
        QFETCH(QString, threshold);
        QFETCH(int, multiple);
        QFETCH(int, decimals);
        QFETCH(double, value);
        QFETCH(bool, fires);
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, op, threshold, multiple, qint16(decimals))})));
        Probe w(nullptr);
        QSignalSpy messages(&w, &ZtLayoutBase::onGetImMessage);
        w.start();
        w.feed(list({quoteRow(kCode, QStringLiteral("浦发银行"), {{ZtField::Last, value}})}));
        QCOMPARE(messages.count(), fires ? 1 : 0);
        QCOMPARE(PubStaticFunc::getYJData(kCode).getCaseList().first().isActive(), !fires);
        QCOMPARE(PubStaticFunc::getYJLogData().size(), fires ? 1 : 0);
    }

    void firesOnceWhileQuotesStayAbove()
    {
        StockYJCase c = yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("10.00"));
        c.setVoice(false);
        c.setAutoClose(true);
        QVERIFY(PubStaticFunc::setYJData(StockYJModel(kCode, {c})));
        Probe w(nullptr);
        QSignalSpy messages(&w, &ZtLayoutBase::onGetImMessage);
        QSignalSpy results(&PubCache::SSignal, &PubStaticSignal::onEarlyResult);
        // The store holds the switch-off and the log entry when the message goes up.
        bool storedFirst = false;
        connect(&w, &ZtLayoutBase::onGetImMessage, this, [&] {
            storedFirst = !PubStaticFunc::getYJData(kCode).hasActiveCase() && PubStaticFunc::getYJLogData().size() == 1
                          && results.count() == 1;
        });
        w.start();
        const DQDUnionReader above = quoteRow(kCode, QStringLiteral("浦发银行"), {{ZtField::Last, 10.5}});
        // A burst: the stock twice in one list, then more lists above the threshold.
        w.feed(list({above, above}));
        w.feed(list({above}));
        w.feed(list({quoteRow(kCode, QStringLiteral("浦发银行"), {{ZtField::Last, 11.0}})}));
        QCOMPARE(messages.count(), 1);
        QVERIFY(storedFirst);

        const QJsonObject message = messages.first().at(0).toJsonObject();
        QCOMPARE(message.value(QStringLiteral("from")).toString(), QStringLiteral("预警消息"));
        const QJsonObject a = attributesOf(messages, 0);
        QCOMPARE(a.value(QStringLiteral("stockYjtj")).toString(), QStringLiteral("现价大于等于10.00元"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$"))
                    .match(a.value(QStringLiteral("stockDate")).toString()).hasMatch());
        QCOMPARE(PubStaticFunc::getYJLogData().first().getCondition(), QStringLiteral("10.00元"));

        // Switched on again by the user: it fires again, once.
        QVERIFY(PubStaticFunc::updYJData(kCode, QStringLiteral("c1"), true));
        w.feed(list({above}));
        w.feed(list({above}));
        QCOMPARE(messages.count(), 2);
    }

    void twoConditionsInOneUpdateInModelOrder()
    {
        StockYJCase off = yjCase(QStringLiteral("c0"), ZtField::Last, QStringLiteral(">="), QStringLiteral("1"));
        off.setActive(false);
        StockYJCase ratio = yjCase(QStringLiteral("c2"), ZtField::ChangeRatio, QStringLiteral(">="), QStringLiteral("5"));
        ratio.setFieldName(QStringLiteral("涨幅"));
        ratio.setUnit(QStringLiteral("%"));
        QVERIFY(PubStaticFunc::setYJData(StockYJModel(
            kCode, {off, yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral("<="), QStringLiteral("20")), ratio})));
        QVERIFY(PubStaticFunc::setYJData(StockYJModel(
            kOther, {yjCase(QStringLiteral("d1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("100"))})));
        Probe w(nullptr);
        QSignalSpy messages(&w, &ZtLayoutBase::onGetImMessage);
        w.start();
        w.feed(list({quoteRow(kOther, QStringLiteral("平安银行"), {{ZtField::Last, 99.0}}),
                     quoteRow(kCode, QStringLiteral("浦发银行"), {{ZtField::Last, 10.0}, {ZtField::ChangeRatio, 6.2}}),
                     quoteRow(QStringLiteral("SH600001"), QStringLiteral("无预警"), {{ZtField::Last, 1.0}})}));
        QCOMPARE(messages.count(), 2);
        QCOMPARE(attributesOf(messages, 0).value(QStringLiteral("stockYjtj")).toString(), QStringLiteral("现价小于等于20元"));
        QCOMPARE(attributesOf(messages, 1).value(QStringLiteral("stockYjtj")).toString(), QStringLiteral("涨幅大于等于5%"));
        const StockYJModel model = PubStaticFunc::getYJData(kCode);
        QVERIFY(!model.hasActiveCase());
        QVERIFY(PubStaticFunc::getYJData(kOther).hasActiveCase());
        // Newest first.
        const QList<StockYJLog> log = PubStaticFunc::getYJLogData();
        QCOMPARE(log.size(), 2);
        QCOMPARE(log.at(0).getTitle(), QStringLiteral("标题c2"));
        QCOMPARE(log.at(1).getTitle(), QStringLiteral("标题c1"));
    }

    void changedThresholdIsUsed()
    {
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("20"))})));
        Probe w(nullptr);
        QSignalSpy messages(&w, &ZtLayoutBase::onGetImMessage);
        w.start();
        const DQDDataList quotes = list({quoteRow(kCode, QStringLiteral("浦发银行"), {{ZtField::Last, 15.0}})});
        w.feed(quotes);
        QCOMPARE(messages.count(), 0);
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("10"))})));
        w.feed(quotes);
        QCOMPARE(messages.count(), 1);
    }

    void runningFollowsRegistration()
    {
        Probe w(nullptr);
        QSignalSpy running(&w, &StockWarning::onWarningRunning);
        w.start();
        QCOMPARE(running.count(), 1);
        QCOMPARE(running.last().at(0).toBool(), false);
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("1"))})));
        QCOMPARE(running.last().at(0).toBool(), true);
        QVERIFY(PubStaticFunc::delYJData(kCode));
        QCOMPARE(running.last().at(0).toBool(), false);

        // Stopped: changes of the definitions no longer reach it.
        w.stop();
        const int before = running.count();
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("1"))})));
        QCOMPARE(running.count(), before);
    }

    void firesFromTheReaderThread()
    {
        const qint64 time = 20261207100000000LL;
        mMarket->setMarketDateTime(QString(), time);
        mMarket->setQuotesDownTime(100);
        Q_DD_Now q = ReaderTest::quote(kCode, 12.3, time);
        q.setValue(ZtField::Name, QStringLiteral("浦发银行"));
        mMarket->setQuote(kCode, q);
        QVERIFY(PubStaticFunc::setYJData(
            StockYJModel(kCode, {yjCase(QStringLiteral("c1"), ZtField::Last, QStringLiteral(">="), QStringLiteral("12.3"))})));
        ZtLayoutBase root(nullptr);
        StockWarning* w = new StockWarning(&root);
        QSignalSpy messages(&root, &ZtLayoutBase::onGetImMessage);
        w->start();
        QVERIFY(messages.wait(5000));
        QCOMPARE(attributesOf(messages, 0).value(QStringLiteral("stockName")).toString(), QStringLiteral("浦发银行"));
        // Later reads of the same quote stay silent.
        const int reads = mMarket->callCount(QStringLiteral("LBDG_QNow_DL"));
        QVERIFY(mMarket->waitForCalls(QStringLiteral("LBDG_QNow_DL"), reads + 2, 10000));
        QCoreApplication::processEvents();
        QCOMPARE(messages.count(), 1);
        w->stop();
    }
};

QTEST_MAIN(tst_StockWarning)
#include "tst_stockwarning.moc"
