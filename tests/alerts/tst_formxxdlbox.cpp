#include "../framework/readertestsupport.h"

#include <alerts/formmineinfo.h>
#include <alerts/formxxdlbox.h>
#include <alerts/formxxdlbox_info.h>
#include <alerts/messageex.h>
#include <ztlib/datatrans.h>

#include <testrows.h>

#include <QCursor>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kCode = QStringLiteral("SH600000");

DQDDataList todayAndYesterday(const QString& firstTitle = QStringLiteral("今日公告一"))
{
    const QDateTime now = QDateTime::currentDateTime();
    DQDDataList l;
    l.append(TestRows::mineItem(QStringLiteral("n1"), QStringLiteral("G"), firstTitle, now));
    l.append(TestRows::mineItem(QStringLiteral("n2"), QStringLiteral("G"), QStringLiteral("今日公告二"), now));
    l.append(TestRows::mineItem(QStringLiteral("n3"), QStringLiteral("X"), QStringLiteral("昨日新闻一"), now.addDays(-1)));
    l.append(TestRows::mineItem(QStringLiteral("n4"), QStringLiteral("X"), QStringLiteral("昨日新闻二"), now.addDays(-1)));
    return l;
}

QStringList texts(FormXXDLBox* box)
{
    QStringList out;
    for (QLabel* l : box->getContent()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        out.append(l->text());
    return out;
}

}

class tst_FormXXDLBox : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedMarket> mMarket;
    QRect mScreen;

    FormXXDLBox* openAt(QWidget& parent, const QPoint& global)
    {
        QCursor::setPos(global);
        MessageEx::ShowMe(kCode, &parent, -1, false);
        return parent.findChild<FormXXDLBox*>();
    }

private slots:
    void init()
    {
        mMarket = ReaderTest::installMarket();
        mScreen = QGuiApplication::primaryScreen()->availableGeometry();
    }

    void cleanup() { ReaderTest::uninstallMarket(mMarket); }

    void todayThenSeparatorThenOlder()
    {
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), todayAndYesterday(), 100);
        QWidget parent;
        parent.setGeometry(100, 100, 600, 400);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QPointer<FormXXDLBox> box = openAt(parent, QPoint(300, 200));
        QVERIFY(box);
        QCOMPARE(box->pos(), QPoint(300 - 100 - 10, 200 - 100 - 10));
        const QStringList t = texts(box);
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        const QString yesterday = QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
        QCOMPARE(t, (QStringList{today + QStringLiteral("  今日公告一"), today + QStringLiteral("  今日公告二"),
                                 QStringLiteral("------------今日资讯到此------------"),
                                 yesterday + QStringLiteral("  昨日新闻一"), yesterday + QStringLiteral("  昨日新闻二")}));

        // The same number of rows again changes nothing on screen.
        const QList<FormXXDLBox_info*> before = box->getContent()->findChildren<FormXXDLBox_info*>();
        emit box->onUpdate(todayAndYesterday(QStringLiteral("别的标题")));
        QCoreApplication::processEvents();
        QCOMPARE(box->getContent()->findChildren<FormXXDLBox_info*>(), before);

        // Refreshed in the background while visible.
        const int calls = mMarket->callCount(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"));
        QVERIFY(mMarket->waitForCalls(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), calls + 2, 5000));

        // The mouse leaves: hidden by the next check, then closed and deleted.
        QCursor::setPos(QPoint(650, 450));
        QTRY_VERIFY_WITH_TIMEOUT(box.isNull() || !box->isVisible(), 1000);
        QTRY_VERIFY(box.isNull());
        const int after = mMarket->callCount(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"));
        QCoreApplication::processEvents();
        QCOMPARE(mMarket->callCount(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb")), after);
    }

    void longTitlesShortened()
    {
        DQDDataList l;
        const QDateTime now = QDateTime::currentDateTime();
        l.append(TestRows::mineItem(QStringLiteral("n1"), QStringLiteral("G"), QString(60, QChar(u'长')), now));
        l.append(TestRows::mineItem(QStringLiteral("n2"), QStringLiteral("G"), QStringLiteral("短"), now));
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), l, 100);
        QWidget parent;
        parent.setGeometry(100, 100, 600, 400);
        parent.show();
        QPointer<FormXXDLBox> box = openAt(parent, QPoint(200, 200));
        QVERIFY(box);
        const QList<FormXXDLBox_info*> labels = box->getContent()->findChildren<FormXXDLBox_info*>();
        QCOMPARE(labels.size(), 2);
        const QString first = labels.first()->text();
        QVERIFY(first.endsWith(QChar(0x2026)));
        QVERIFY(box->fontMetrics().horizontalAdvance(first) <= 380);
        QVERIFY(labels.last()->text().endsWith(QStringLiteral("短")));
        QCursor::setPos(QPoint(5, 5));
        QTRY_VERIFY(box.isNull());
    }

    void staysOnScreenNearTheEdges()
    {
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), todayAndYesterday(), 100);
        QWidget parent;
        parent.setGeometry(mScreen.right() - 300, mScreen.bottom() - 60, 300, 60);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QPointer<FormXXDLBox> box = openAt(parent, QPoint(mScreen.right() - 50, mScreen.bottom() - 20));
        QVERIFY(box);
        const QRect global(box->mapToGlobal(QPoint(0, 0)), box->size());
        QCOMPARE(global.right() + 1, mScreen.right() + 1 - 10);
        QVERIFY(global.bottom() <= mScreen.bottom());
        QCursor::setPos(mScreen.topLeft());
        QTRY_VERIFY(box.isNull());
    }

    void detailWindowWaitsForData()
    {
        FormMineInfo info(kCode, QStringLiteral("frm_public_xxdl_%1"), QStringLiteral("X"), QStringLiteral("n3"), nullptr);
        info.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(info.getTable()->rowCount(), 0);
        mMarket->setAnswer(QStringLiteral("LBGD_Xxdl_Btlb_PopWinList"), todayAndYesterday(), 100);
        QTRY_COMPARE(info.getTable()->rowCount(), 4);
        // The item asked for is selected once it has arrived.
        const QModelIndexList selected = info.getTable()->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(info.getTable()->item(selected.first().row(), 3)->text(), QStringLiteral("昨日新闻一"));
    }
};

QTEST_MAIN(tst_FormXXDLBox)
#include "tst_formxxdlbox.moc"
