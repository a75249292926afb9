#include "terminalfixture.h"
#include "terminalhost.h"
#include "terminalwindow.h"

#include <alerts/ztstockmsgnotice.h>
#include <controls/ztuserlabel.h>
#include <frame/ztmainboxs.h>
#include <frame/ztmainfoot.h>
#include <frame/ztmainfootothers.h>
#include <frame/ztmainhorseracelamp.h>
#include <web/pubcacheweb.h>
#include <web/pubwebview.h>
#include <web/ztwebview.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QtTest>

#include <memory>

// The demo's footer on the hidden service page: the marquee loads the page's news
// feed, and items the feed gains later arrive as pushes, in order.
class tst_TerminalChrome : public QObject
{
    Q_OBJECT

public:
    static void initMain() { QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); }

private:
    ZtMainHorseRaceLamp* lamp() const { return mT.window->boxs()->foot()->others()->horseRaceLamp(); }

    QStringList lineIds() const
    {
        QStringList ids;
        for (ZtUserLabel* l : lamp()->lines())
            ids << l->getObjId();
        return ids;
    }

    TerminalFixture mT;

private slots:
    void initTestCase()
    {
        QVERIFY(mT.start([](TerminalHost& host) { host.startServicePage(); }));
        QCOMPARE(PubCacheWeb::mCacheView, mT.host->servicePage());
        connect(mT.host.get(), &TerminalHost::onNewsPushed, mT.window->boxs(), &ZtMainBoxs::addFootNews);
    }

    void cleanupTestCase()
    {
        mT.stop();
        QVERIFY(!PubCacheWeb::mCacheView);
    }

    void feedFillsTheMarquee()
    {
        QTRY_VERIFY_WITH_TIMEOUT(lamp()->lines().size() >= 5, 30000);
        QVERIFY(lamp()->isRunning());
        const QRegularExpression text(QStringLiteral("^\\d\\d:\\d\\d \\S+$"));
        for (ZtUserLabel* l : lamp()->lines()) {
            QVERIFY2(text.match(l->text()).hasMatch(), qPrintable(l->text()));
            QVERIFY(l->getObjId().startsWith(QStringLiteral("news")));
        }
        // Newest first: the first line has the highest number.
        const QStringList ids = lineIds();
        QVERIFY(ids.first().mid(4).toInt() > ids.last().mid(4).toInt());
    }

    void laterItemsArePushedInOrder()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!lamp()->lines().isEmpty(), 30000);
        QSignalSpy pushed(mT.host.get(), &TerminalHost::onNewsPushed);
        bool added = false;
        mT.host->servicePage()->webView()->page()->runJavaScript(QStringLiteral("addNews(); addNews(); true"),
                                                               [&](const QVariant&) { added = true; });
        QTRY_VERIFY_WITH_TIMEOUT(added, 10000);
        mT.host->pollNews();
        QTRY_VERIFY_WITH_TIMEOUT(pushed.count() >= 2, 10000);
        const auto id = [&](int i) {
            return pushed.at(i).at(0).toMap().value("data").toMap().value("attributes").toMap().value("objectId").toString();
        };
        QVERIFY2(id(0).mid(4).toInt() < id(1).mid(4).toInt(), qPrintable(id(0) + " " + id(1)));
        QVERIFY(pushed.at(0).at(0).toMap().value("data").toMap().value("date").toDateTime().isValid());
        // The older one takes the place of the oldest line at once; nothing is lost.
        QTRY_VERIFY(lineIds().contains(id(0)));
        QVERIFY(lineIds().contains(id(1)) || lamp()->pendingCount() >= 1);
        QStringList ids;
        for (int i = 0; i < pushed.count(); ++i)
            ids << id(i);
        QCOMPARE(ids.removeDuplicates(), 0);
    }

    // The footer's notice line shows the market's newest movement message.
    void movementsReachTheNotice()
    {
        ZtStockMsgNotice* notice = mT.window->boxs()->foot()->others()->notice();
        QVERIFY(notice->isVisible());
        mT.host->startMovementFeed();
        QTRY_VERIFY_WITH_TIMEOUT(!notice->getCurrent().isEmpty(), 15000);
        QVERIFY(!notice->getTextLabel()->text().isEmpty());
    }
};

QTEST_MAIN(tst_TerminalChrome)
#include "tst_terminalchrome.moc"
