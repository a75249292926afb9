#include <alerts/messageex.h>
#include <alerts/pubmessage.h>
#include <controls/ztpushbutton.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

PubMessage* openBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<PubMessage*>(w))
            if (box->isVisible())
                return box;
    return nullptr;
}

// Runs `act` on the box once the modal run has shown it.
void whenShown(std::function<void(PubMessage*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        PubMessage* box = openBox();
        if (!box || !QTest::qWaitForWindowExposed(box))
            return;
        poll->stop();
        poll->deleteLater();
        act(box);
    });
    poll->start(10);
}

}

class tst_PubMessage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        PubMessage::setRestartFunction(nullptr);
        QTRY_VERIFY(!openBox());
    }

    void questionTrueOnlyForConfirm_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("result");
        // The buttons and Escape are pressed where the terminal deletes a watchlist group.
        QTest::newRow("confirm button") << "confirm" << true;
        QTest::newRow("Enter") << "Enter" << false;
        QTest::newRow("Return") << "Return" << false;
        QTest::newRow("Ctrl+W") << "CtrlW" << false;
    }

    void questionTrueOnlyForConfirm()
    {
        QFETCH(QString, action);
        QFETCH(bool, result);
        QWidget parent;
        parent.show();
        QPointer<PubMessage> seen;
        whenShown([&](PubMessage* box) {
            seen = box;
            QVERIFY(box->getConfirmButton()->isVisible());
            QVERIFY(box->getCancelButton()->isVisible());
            QVERIFY(!box->getReloginButton()->isVisible());
            QCOMPARE(box->getLabel()->text(), QStringLiteral("删除分组?"));
            if (action == QLatin1String("confirm"))
                QTest::mouseClick(box->getConfirmButton(), Qt::LeftButton);
            else if (action == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Enter);
            else if (action == QLatin1String("Return"))
                QTest::keyClick(box, Qt::Key_Return);
            else
                QTest::keyClick(box, Qt::Key_W, Qt::ControlModifier);
        });
        QCOMPARE(MessageEx::ShowBoxQuesion(QStringLiteral("删除分组?"), QStringLiteral("提示"), &parent), result);
        QTRY_VERIFY(seen.isNull());  // deleted once closed
    }

    void infoBoxShowsOnlyConfirm()
    {
        bool checked = false;
        whenShown([&](PubMessage* box) {
            checked = box->getConfirmButton()->isVisible() && !box->getCancelButton()->isVisible()
                      && !box->getReloginButton()->isVisible() && box->windowTitle() == QStringLiteral("操作提示")
                      && box->getConfirmButton()->text() == QStringLiteral("确定");
            QTest::mouseClick(box->getConfirmButton(), Qt::LeftButton);
        });
        MessageEx::ShowBox(QStringLiteral("已保存"), nullptr);
        QVERIFY(checked);
    }

    void clickOutsideShakesAndKeepsTheBox()
    {
        QWidget other;
        other.setGeometry(700, 500, 100, 100);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        PubMessage box(nullptr);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.ShowBoxQuestion(QStringLiteral("确认?"), QStringLiteral("提示"));
        box.move(200, 200);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        const int startX = box.x();
        // The user activates another window: the box shakes and takes the focus back.
        other.activateWindow();
        QTRY_VERIFY(box.x() != startX);
        QTRY_COMPARE(box.x(), startX - 3);
        QVERIFY(box.isVisible());
        QTRY_VERIFY(box.isActiveWindow());

        // A second box asked from the first keeps the focus: no tug of war.
        PubMessage second(nullptr);
        second.setAttribute(Qt::WA_DeleteOnClose, false);
        second.ShowBox(QStringLiteral("再确认"));
        second.show();
        second.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&second));
        QCoreApplication::processEvents();
        QVERIFY(second.isActiveWindow());
    }

    void longTextGrowsTheBox()
    {
        PubMessage box(nullptr);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.ShowBox(QString(40, QChar(u'长')) + QString(" ") + QString(600, QChar(u'文')));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTRY_VERIFY(box.height() > 150);
        // The whole text fits now.
        QVERIFY(box.getLabel()->height() >= box.getLabel()->heightForWidth(box.getLabel()->width()));

        box.close();
        PubMessage shortBox(nullptr);
        shortBox.setAttribute(Qt::WA_DeleteOnClose, false);
        shortBox.ShowBox(QStringLiteral("短文字"));
        shortBox.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shortBox));
        QCoreApplication::processEvents();
        QCOMPARE(shortBox.height(), 150);
        shortBox.close();
    }

    void reloginRestartsThroughTheReplaceableFunction()
    {
        int restarts = 0;
        bool othersClosed = false;
        QWidget mainWindow;
        mainWindow.show();
        PubMessage::setRestartFunction([&] {
            ++restarts;
            othersClosed = !mainWindow.isVisible();
        });
        whenShown([&](PubMessage* box) {
            QVERIFY(box->getReloginButton()->isVisible());
            QCOMPARE(box->getReloginButton()->text(), QStringLiteral("重新登录"));
            QTest::mouseClick(box->getReloginButton(), Qt::LeftButton);
        });
        QCOMPARE(MessageEx::ShowBoxRelogin(QStringLiteral("登录已失效"), QStringLiteral("提示"), nullptr), 0);
        QCOMPARE(restarts, 1);
        QVERIFY(othersClosed);
    }
};

QTEST_MAIN(tst_PubMessage)
#include "tst_pubmessage.moc"
