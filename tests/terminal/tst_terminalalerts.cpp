#include "alertform.h"
#include "alertsound.h"
#include "stockpage.h"
#include "terminalfixture.h"
#include "terminalstyle.h"

#include <alerts/formmineinfo.h>
#include <alerts/formxxdlbox.h>
#include <alerts/formxxdlbox_info.h>
#include <alerts/pubmessage.h>
#include <alerts/ztstockmsggridtable.h>
#include <alerts/ztstockmsgnotice.h>
#include <controls/ztpushbutton.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/datatrans.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/simulatedmarket.h>
#include <ztlib/ztfields.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <testrows.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QTreeWidget>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

QLabel* alertText()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (auto* l = w->findChild<QLabel*>(QStringLiteral("AlertText")))
                return l;
    return nullptr;
}


QWidget* alertPopup()
{
    QLabel* text = alertText();
    return text ? text->window() : nullptr;
}

void closeAlertPopups()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->findChild<QLabel*>(QStringLiteral("AlertText")))
            w->close();
}

// Answers the next message box with a click on a button or a key, as the user would.
// Started before the box, since the box does not return until it is answered.
void answerNextBox(const QString& button, Qt::Key key = Qt::Key_unknown)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, button, key] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<PubMessage*>(w);
            if (!box || !box->isVisible())
                continue;
            poll->deleteLater();
            poll->stop();
            if (key != Qt::Key_unknown) {
                QTest::keyClick(box, key);
                return;
            }
            auto* b = box->findChild<QAbstractButton*>(button);
            QVERIFY(b);
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    });
    poll->start(10);
}

}

// The demo's alert and movement pages with scripted quotes and messages.
class tst_TerminalAlerts : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;
    NoShell mShell;
    QList<QUrl> mBeeps;

    void setQuote(const QString& code, double last, int mines = 0)
    {
        const qint64 time = 20261207100000000LL;
        mMarket->setMarketDateTime(QString(), time);
        mMarket->setQuotesDownTime(mQuoteTime += 100);
        DQDReader r;
        r.setValue(ZtField::UniqueCode, code);
        r.setValue(ZtField::Name, QStringLiteral("浦发银行"));
        r.setValue(ZtField::Last, last);
        r.setValue(ZtField::QuoteTime, time);
        r.setValue(ZtField::InfoMineCount, mines);
        mMarket->setQuote(code, Q_DD_Now(r));
    }
    qint64 mQuoteTime = 100;

private slots:
    void init()
    {
        mMarket = std::make_shared<ScriptedMarket>();
        PBDataChange::installSource(mMarket);
        QVERIFY(PubStaticFunc::openTemporaryDatabase());
        for (const QString& code : PubStaticFunc::getYJRegister())
            PubStaticFunc::delYJData(code);
        // The temporary store lives as long as the process.
        PubStaticFunc::clearYJLogData();
        PubStaticFunc::ZxgSave(QList<StockZxgBK>());
        mBeeps.clear();
        AlertSound::setPlayer([this](const QUrl& url) { mBeeps << url; });
    }

    void cleanup()
    {
        closeAlertPopups();
        AlertSound::setPlayer(nullptr);
        PubStaticFunc::closeDatabase();
        PBDataChange::installSource(nullptr);
        mMarket.reset();
    }

    // What the alert asks for is what the user gets: the pop-up, the beep from the
    // resources and the automatic close, each on its own.
    void alertFiresWithItsFlags_data()
    {
        QTest::addColumn<bool>("popUp");
        QTest::addColumn<bool>("voice");
        QTest::addColumn<bool>("autoClose");
        QTest::newRow("pop-up, sound, closes itself") << true << true << true;
        QTest::newRow("sound only") << false << true << false;
        QTest::newRow("silent pop-up that stays") << true << false << false;
    }

    void alertFiresWithItsFlags()
    {
        QFETCH(bool, popUp);
        QFETCH(bool, voice);
        QFETCH(bool, autoClose);
        setQuote(QStringLiteral("SH600000"), 10.3);
        std::unique_ptr<QWidget> page(TerminalFixture::makePage(QStringLiteral("alerts"), mShell));
        page->show();
        auto* form = page->findChild<AlertForm*>();
        QVERIFY(form);
        auto* indicator = page->findChild<QLabel*>(QStringLiteral("AlertIndicator"));
        QCOMPARE(indicator->text(), QStringLiteral("○ 无预警"));
        const QHash<QString, bool> flags{{QStringLiteral("弹窗"), popUp},
                                         {QStringLiteral("声音"), voice},
                                         {QStringLiteral("自动关闭"), autoClose}};
        for (QCheckBox* box : form->findChildren<QCheckBox*>()) {
            if (box->isChecked() != flags.value(box->text()))
                QTest::mouseClick(box, Qt::LeftButton);
        }
        QTest::keyClicks(form->findChild<QLineEdit*>(QStringLiteral("AlertValue")), QStringLiteral("10"));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("AlertAdd")), Qt::LeftButton);
        QCOMPARE(indicator->text(), QStringLiteral("● 预警运行中"));
        // The message climbs the panel tree over queued connections.
        if (popUp)
            QTRY_VERIFY(alertPopup());
        if (voice)
            QTRY_COMPARE(mBeeps.size(), 1);
        QCOMPARE(PubStaticFunc::getYJLogData().size(), 1);
        QCOMPARE(mBeeps, voice ? QList<QUrl>{AlertSound::beepUrl()} : QList<QUrl>());
        QCOMPARE(alertPopup() != nullptr, popUp);
        // The grid's quick-alert item fills the form with its stock.
        emit PubCache::SSignal.onEarlyAdd(QStringLiteral("SZ000001"));
        QCOMPARE(form->stock(), QStringLiteral("SZ000001"));
        if (!popUp)
            return;
        auto* timer = alertPopup()->findChild<QTimer*>(QStringLiteral("AlertAutoClose"));
        QCOMPARE(timer != nullptr, autoClose);
        if (!timer)
            return;
        QVERIFY(timer->isActive());
        timer->start(0);
        QTRY_VERIFY(!alertPopup());
    }

    // The beep is in the resources the library registers, and playing it without any
    // audio device neither blocks nor crashes: the real player gets the sound, or the
    // terminal falls back to the bell.
    void beepPlaysWithoutAudioHardware()
    {
        QFile beep(QStringLiteral(":/images/Audio/dididi.mp3"));
        QVERIFY(beep.open(QIODevice::ReadOnly));
        const QByteArray head = beep.read(3);
        QVERIFY(head == "ID3" || (uchar(head.at(0)) == 0xFF && (uchar(head.at(1)) & 0xE0) == 0xE0));
        AlertSound::setPlayer(nullptr);
        AlertSound::play();
        QMediaPlayer* player = AlertSound::player();
        QVERIFY(player);
        if (!AlertSound::isSilent())
            QCOMPARE(player->media().request().url(), AlertSound::beepUrl());
        // Without a sound server the stream still decodes (into a null sink). A fresh
        // machine first scans its media plugins, which takes seconds under load.
        const auto decoding = [player] {
            const QMediaPlayer::MediaStatus status = player->mediaStatus();
            return status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia;
        };
        QTRY_VERIFY_WITH_TIMEOUT(AlertSound::isSilent() || decoding(), 30000);
        // A second alert plays on the same player.
        AlertSound::play();
        QCOMPARE(AlertSound::player(), player);
    }

    // The side panel of the single-stock view adds alerts for the stock on screen.
    void stockViewFormAlertsTheStockOnScreen()
    {
        setQuote(QStringLiteral("SH600000"), 9.8);
        std::unique_ptr<QWidget> alerts(TerminalFixture::makePage(QStringLiteral("alerts"), mShell));
        alerts->show();
        std::unique_ptr<QWidget> page(TerminalFixture::makePage(QStringLiteral("stock"), mShell));
        auto* stock = qobject_cast<StockPage*>(page.get());
        QVERIFY(stock);
        DQDUnionReader row;
        row.setValue(ZtField::UniqueCode, QStringLiteral("SH600000"));
        row.setValue(ZtField::Name, QStringLiteral("浦发银行"));
        stock->showStock(row);
        page->show();
        AlertForm* form = stock->alertForm();
        QCOMPARE(form->stock(), QStringLiteral("SH600000"));
        auto* value = form->findChild<QLineEdit*>(QStringLiteral("AlertValue"));
        // Not a number: refused, nothing stored.
        value->setText(QStringLiteral("abc"));
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("AlertAdd")), Qt::LeftButton);
        QVERIFY(PubStaticFunc::getYJData(QStringLiteral("SH600000")).isEmpty());
        value->clear();
        QTest::keyClicks(value, QStringLiteral("10"));
        QTest::keyClick(value, Qt::Key_Return);
        QCOMPARE(PubStaticFunc::getYJRegister(), QVector<QString>{QStringLiteral("SH600000")});
        QCOMPARE(PubStaticFunc::getYJLogData().size(), 0);
        // The market moves over the threshold: the alert comes up once.
        setQuote(QStringLiteral("SH600000"), 10.02);
        QTRY_VERIFY(alertText());
        QVERIFY(alertText()->text().contains(QStringLiteral("现价大于等于10元")));
        QCOMPARE(mBeeps.size(), 1);
    }

    // Resting the mouse on a grid's information-mine marker opens the stock's box; a
    // title in it opens the detail window with that item selected.
    void mineMarkerOpensBoxThenDetail()
    {
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SH600000")));
        setQuote(QStringLiteral("SH600000"), 10.0, 2);
        const QDateTime now = QDateTime::currentDateTime();
        DQDDataList items;
        items.append(TestRows::mineItem(QStringLiteral("n1"), QStringLiteral("G"), QStringLiteral("今日公告"), now));
        items.append(TestRows::mineItem(QStringLiteral("n3"), QStringLiteral("X"), QStringLiteral("昨日新闻"), now.addDays(-1)));
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), items, 100);
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_PopWinList"), items, 100);

        std::unique_ptr<QWidget> page(TerminalFixture::makePage(QStringLiteral("watchlist"), mShell));
        page->resize(1000, 400);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        auto* grid = page->findChild<ZtWidgetStockGrid*>();
        QVERIFY(grid);
        QTRY_VERIFY(!grid->xxdlRect(0).isEmpty());
        const QPoint marker = grid->xxdlRect(0).center();
        // Over the row but not the marker: nothing opens.
        QCursor::setPos(grid->mapToGlobal(QPoint(5, marker.y())));
        QTest::mouseMove(grid, QPoint(5, marker.y()));
        QCoreApplication::processEvents();
        QVERIFY(!page->findChild<FormXXDLBox*>());
        QCursor::setPos(grid->mapToGlobal(marker));
        QTest::mouseMove(grid, marker);
        QTest::mouseMove(grid, marker + QPoint(1, 0));
        QCOMPARE(page->findChildren<FormXXDLBox*>().size(), 1);
        QPointer<FormXXDLBox> box = page->findChild<FormXXDLBox*>();
        QTRY_COMPARE(box->getContent()->findChildren<FormXXDLBox_info*>().size(), 2);

        FormXXDLBox_info* title = nullptr;
        for (FormXXDLBox_info* l : box->getContent()->findChildren<FormXXDLBox_info*>())
            if (l->text().endsWith(QStringLiteral("昨日新闻")))
                title = l;
        QVERIFY(title);
        QString selectedId;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            for (FormMineInfo* info : page->findChildren<FormMineInfo*>()) {
                if (!info->isVisible() || info->getTable()->rowCount() == 0)
                    continue;
                const QModelIndexList rows = info->getTable()->selectionModel()->selectedRows(4);
                selectedId = rows.isEmpty() ? QStringLiteral("none") : rows.first().data().toString();
                poll.stop();
                info->close();
            }
        });
        poll.start(10);
        QTest::mouseClick(title, Qt::LeftButton);
        QTRY_COMPARE(selectedId, QStringLiteral("n3"));
        QTRY_VERIFY(box.isNull() || !box->isVisible());
        QCursor::setPos(QPoint(0, 0));
        QTRY_VERIFY(box.isNull());
    }

    // Deleting a watchlist group asks first; only the confirm button deletes.
    void groupDeletionAsksFirst_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("confirm") << "btn_Confirm" << int(Qt::Key_unknown) << true;
        QTest::newRow("cancel") << "btn_Cancel" << int(Qt::Key_unknown) << false;
        QTest::newRow("escape") << QString() << int(Qt::Key_Escape) << false;
    }

    void groupDeletionAsksFirst()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(bool, deleted);
        std::unique_ptr<QWidget> page(TerminalFixture::makePage(QStringLiteral("watchlist-groups"), mShell));
        page->show();
        // Chinese arrives through the input method, as committed text.
        auto* name = page->findChild<QLineEdit*>(QStringLiteral("WatchlistGroupName"));
        name->setText(QStringLiteral("短线"));
        QTest::keyClick(name, Qt::Key_Return);
        QVERIFY(PubStaticFunc::ZxgAdd(QStringLiteral("SZ000001"), QStringLiteral("短线")));
        emit PubCache::SSignal.onZxgRefresh(QStringLiteral("SZ000001"), ZxgOperate_Add);
        auto* tree = page->findChild<QTreeWidget*>(QStringLiteral("WatchlistTree"));
        auto* remove = page->findChild<QPushButton*>(QStringLiteral("WatchlistGroupDelete"));
        QTRY_VERIFY(tree->topLevelItemCount() == 2 && tree->topLevelItem(1)->childCount() == 1);
        // The default group stays.
        tree->setCurrentItem(tree->topLevelItem(0));
        QVERIFY(!remove->isEnabled());
        QTreeWidgetItem* group = tree->topLevelItem(1);
        QVERIFY(group->text(0).startsWith(QStringLiteral("短线")));
        tree->setCurrentItem(group->child(0));
        QVERIFY(remove->isEnabled());
        answerNextBox(button, Qt::Key(key));
        QTest::mouseClick(remove, Qt::LeftButton);
        QStringList groups;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
            groups << g.getName();
        QCOMPARE(groups.contains(QStringLiteral("短线")), !deleted);
        if (!deleted)
            QCOMPARE(PubStaticFunc::ZxgGet(QStringLiteral("短线")).first, QStringList{QStringLiteral("SZ000001")});
        QCOMPARE(tree->topLevelItemCount(), deleted ? 1 : 2);
    }

    // The message grid shows time, name and movement whole, for the widest name of the
    // demo's market in the terminal's font.
    void messageColumnsFitTheirTexts()
    {
        TerminalStyle::apply();
        const DQDDataList securities = SimulatedMarket().securityList();
        QVERIFY(securities.count() > 1000);
        const QFontMetrics metrics(QFont(QStringLiteral("微软雅黑"), 12));
        QString widest;
        for (int i = 0; i < securities.count(); ++i) {
            const QString name = securities.at(i)->getValue(ZtField::Name).toString();
            if (metrics.horizontalAdvance(name) > metrics.horizontalAdvance(widest))
                widest = name;
        }
        DQDDataList list;
        for (const QString& text : {QStringLiteral("-10.00%"), QStringLiteral("999.99万手")}) {
            DQDUnionReader m;
            m.setValue(70010, qint64(20261207235900000LL));
            m.setValue(70020, QStringLiteral("SH600000"));
            m.setValue(70030, widest);
            m.setValue(70040, text);
            m.setValue(70060, 1);
            list.append(m);
        }
        ZtStockMsgGridTable table(nullptr);
        table.resize(600, 200);
        table.show();
        table.setData(list);
        ZtWidgetStockGrid* grid = table.getGrid();
        QCOMPARE(grid->getRowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            QCOMPARE(grid->cellText(row, 0), QStringLiteral("23:59"));
            QCOMPARE(grid->cellText(row, 1), widest);
            QCOMPARE(grid->cellText(row, 2), list.at(row)->getValue(70040).toString());
        }
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
        std::unique_ptr<QWidget> page(TerminalFixture::makePage(QStringLiteral("stockmsg"), mShell));
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
