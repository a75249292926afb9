#include "terminalpages.h"

#include <alerts/pubmessage.h>
#include <alerts/ztstockmsggridtable.h>
#include <alerts/ztstockmsgnotice.h>
#include <controls/ztpushbutton.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

struct NoShell : TerminalShell
{
    bool showPage(const QString&) override { return false; }
    bool openMenuEntry(const ZtXMLMenu&) override { return false; }
    QWidget* page(const QString&) const override { return nullptr; }
    QWidget* currentPage() const override { return nullptr; }
    void addTitleWidget(QWidget*) override {}
    ZtFormMainBase* mainWindow() override { return nullptr; }
    void showStatus(const QString&, int) override {}
};

QWidget* makePage(const QString& name, TerminalShell& shell)
{
    for (const TerminalPage& p : TerminalPage::all())
        if (p.name == name)
            return p.create(nullptr, shell, ZtXMLMenu());
    return nullptr;
}

QLabel* alertText()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (auto* l = w->findChild<QLabel*>(QStringLiteral("AlertText")))
                return l;
    return nullptr;
}

}

// The demo's alert and movement pages with scripted quotes and messages.
class tst_TerminalAlerts : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;
    NoShell mShell;

private slots:
    void init()
    {
        mMarket = std::make_shared<ScriptedMarket>();
        PBDataChange::installSource(mMarket);
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        for (const QString& code : PubStaticFunc::getYJRegister())
            PubStaticFunc::delYJData(code);
    }

    void cleanup()
    {
        PubStaticFunc::closeDatabase();
        PBDataChange::installSource(nullptr);
        mMarket.reset();
    }

    void alertAddedInTheFormComesUp()
    {
        const qint64 time = 20261207100000000LL;
        mMarket->setMarketDateTime(QString(), time);
        mMarket->setQuotesDownTime(100);
        DQDReader r;
        r.setValue(ZtField::UniqueCode, QStringLiteral("SH600000"));
        r.setValue(ZtField::Name, QStringLiteral("浦发银行"));
        r.setValue(ZtField::Last, 10.3);
        r.setValue(ZtField::QuoteTime, time);
        mMarket->setQuote(QStringLiteral("SH600000"), Q_DD_Now(r));

        std::unique_ptr<QWidget> page(makePage(QStringLiteral("alerts"), mShell));
        QVERIFY(page);
        page->show();
        auto* indicator = page->findChild<QLabel*>(QStringLiteral("AlertIndicator"));
        QCOMPARE(indicator->text(), QStringLiteral("○ 无预警"));
        const QList<QLineEdit*> edits = page->findChildren<QLineEdit*>();
        edits.at(0)->setText(QStringLiteral("SH600000"));
        edits.at(1)->setText(QStringLiteral("10"));
        page->findChild<QPushButton*>(QStringLiteral("AlertAdd"))->click();
        QCOMPARE(indicator->text(), QStringLiteral("● 预警运行中"));
        QTRY_VERIFY(alertText());
        QVERIFY(alertText()->text().contains(QStringLiteral("现价大于等于10元")));
        QCOMPARE(PubStaticFunc::getYJLogData().size(), 1);

        // The grid's quick-alert item fills the form with its stock.
        emit PubCache::SSignal.onEarlyAdd(QStringLiteral("SZ000001"));
        QCOMPARE(edits.at(0)->text(), QStringLiteral("SZ000001"));
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->findChild<QLabel*>(QStringLiteral("AlertText")))
                w->close();
    }

    void movementPageShowsMessages()
    {
        PubStaticFunc::setDxjlList({ZtE_DXJL_FastRise});
        DQDDataList list;
        for (int i = 0; i < 3; ++i) {
            DQDUnionReader m;
            m.setValue(70010, qint64(20261207093000000LL + i * 100000LL));
            m.setValue(70020, QStringLiteral("SH60000%1").arg(i));
            m.setValue(70030, QStringLiteral("股票%1").arg(i));
            m.setValue(70040, QStringLiteral("快速拉升"));
            m.setValue(70060, 1);
            list.append(m);
        }
        mMarket->setAnswer(QStringLiteral("LBGD_Dxjl_All"), list, 100);
        std::unique_ptr<QWidget> page(makePage(QStringLiteral("stockmsg"), mShell));
        QVERIFY(page);
        page->resize(500, 300);
        page->show();
        auto* table = page->findChild<ZtStockMsgGridTable*>();
        auto* notice = page->findChild<ZtStockMsgNotice*>();
        QVERIFY(table && notice);
        QTRY_COMPARE(table->getGrid()->getRowCount(), 3);
        QTRY_VERIFY(notice->getTextLabel()->text().contains(QStringLiteral("股票2")));
    }
};

QTEST_MAIN(tst_TerminalAlerts)
#include "tst_terminalalerts.moc"
