#include <controls/ztpushbutton.h>

#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QtTest>

namespace {

QPixmap bluePixmap()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::blue);
    return pixmap;
}

// Red pixels inside and outside the badge square of a centred 32 × 32 icon.
QPair<int, int> redPixels(const QImage& image)
{
    const QRect square((image.width() - 32) / 2 + 15, (image.height() - 32) / 2 - 15, 20, 20);
    QPair<int, int> n(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80)
                ++(square.contains(x, y) ? n.first : n.second);
        }
    }
    return n;
}

QList<RightMenu> periodMenu()
{
    return {RightMenu(QStringLiteral("日线"), 1, true, false, QString()),
            RightMenu(QStringLiteral("周线"), 2, true, false, QString()),
            RightMenu(QStringLiteral("月线"), 3, true, false, QString()),
            RightMenu(QStringLiteral("更多"), 90, QList<RightMenu>{RightMenu(QStringLiteral("季线"), 7, true, false, QString())})};
}

}

class tst_ZtPushButton : public QObject
{
    Q_OBJECT

private slots:
    void choices_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("checkedBefore");
        QTest::addColumn<QList<bool>>("reports");
        QTest::addColumn<bool>("checkedAfter");

        QTest::newRow("mouse, plain") << "mouse" << false << false << false << QList<bool>{true} << false;
        QTest::newRow("mouse, check") << "mouse" << true << false << false << QList<bool>{true} << true;
        QTest::newRow("mouse, uncheck") << "mouse" << true << false << true << QList<bool>{false} << false;
        QTest::newRow("mouse, force-checked") << "mouse" << true << true << true << QList<bool>{} << true;
        QTest::newRow("mouse, force, unchecked") << "mouse" << true << true << false << QList<bool>{true} << true;
        QTest::newRow("click(), plain") << "click" << false << false << false << QList<bool>{true} << false;
        QTest::newRow("click(), checked") << "click" << true << false << true << QList<bool>{true} << true;
        QTest::newRow("click(), force") << "click" << true << true << false << QList<bool>{true} << true;
        QTest::newRow("setChecked") << "check" << true << false << false << QList<bool>{} << true;
        QTest::newRow("setChecked(false), force") << "uncheck" << true << true << true << QList<bool>{} << false;
        QTest::newRow("doSyncClicked, toggle") << "sync-toggle" << true << false << false << QList<bool>{true} << false;
        QTest::newRow("doSyncClicked, click") << "sync-click" << false << false << false << QList<bool>{true} << false;
        QTest::newRow("doSyncClicked, mismatch") << "sync-click" << true << false << false << QList<bool>{} << false;
    }

    void choices()
    {
        QFETCH(QString, how);
        QFETCH(bool, checkable);
        QFETCH(bool, force);
        QFETCH(bool, checkedBefore);
        QFETCH(QList<bool>, reports);
        QFETCH(bool, checkedAfter);

        ZtPushButton button(QStringLiteral("日线"), nullptr);
        button.resize(80, 30);
        button.setCheckable(checkable);
        button.setIsForceCheck(force);
        button.setChecked(checkedBefore);
        QSignalSpy spy(&button, &ZtPushButton::onSyncClicked);

        if (how == QLatin1String("mouse"))
            QTest::mouseClick(&button, Qt::LeftButton);
        else if (how == QLatin1String("click"))
            button.click();
        else if (how.startsWith(QLatin1String("sync")))
            button.doSyncClicked(how == QLatin1String("sync-toggle"), true);
        else
            button.setChecked(how == QLatin1String("check"));

        QList<bool> values;
        for (const QList<QVariant>& args : spy) {
            QCOMPARE(args.at(0).value<ZtPushButton*>(), &button);
            values << args.at(1).toBool();
        }
        QCOMPARE(values, reports);
        QCOMPARE(button.isChecked(), checkedAfter);
    }

    void dropDownChoice()
    {
        ZtPushButton button(nullptr);
        button.setMenu(periodMenu());
        QSignalSpy showSpy(&button, &ZtPushButton::onAboutToShowMenu);
        QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
        const QList<UserMenuAction*> items = button.getMenu()->actions();

        button.getMenu()->popup(QPoint(0, 0));
        button.getMenu()->hide();
        QCOMPARE(showSpy.count(), 1);
        QCOMPARE(showSpy.at(0).at(1).value<QList<UserMenuAction*>>(), items);

        items.at(0)->trigger();
        items.at(2)->trigger();
        items.at(2)->trigger();  // choosing the choice again keeps it
        items.at(3)->menu()->actions().at(0)->trigger();  // sub-menu items are not reported
        QCOMPARE(button.getCheckedMenuIndex(), 2);
        QCOMPARE(button.getCheckedMenu(), items.at(2));
        QVERIFY(!items.at(0)->isChecked());
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(1).at(1).value<UserMenuAction*>(), items.at(2));
    }

    void setCheckedMenu()
    {
        ZtPushButton plain(nullptr);
        QVERIFY(!plain.setCheckedMenu(0));
        QVERIFY(!plain.setCheckedMenu(true));

        ZtPushButton button(nullptr);
        button.setMenu(periodMenu().mid(0, 3));
        QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
        QVERIFY(!button.setCheckedMenu(false));  // nothing checked: backward has nowhere to go
        QVERIFY(!button.setCheckedMenu(3));
        for (int i = 0; i < 3; ++i)
            QVERIFY(button.setCheckedMenu(true));
        QVERIFY(!button.setCheckedMenu(true));  // no wrap-around
        QCOMPARE(button.getCheckedMenuIndex(), 2);
        QVERIFY(button.setCheckedMenu(false));
        QCOMPARE(button.getCheckedMenuIndex(), 1);
        QCOMPARE(spy.count(), 4);
        QCOMPARE(spy.last().at(1).value<UserMenuAction*>(), button.getMenu()->actions().at(1));
    }

    void setMenuReplacesOrKeeps()
    {
        ZtPushButton button(nullptr);
        button.setMenu(periodMenu());
        QPointer<UserRightMenu> first = button.getMenu();
        button.setMenu({});
        QCOMPARE(button.getMenu(), first.data());

        button.setMenu({RightMenu(QStringLiteral("分时"), 0, true, false, QString())});
        QCOMPARE(button.menu(), button.getMenu());
        QTRY_VERIFY(first.isNull());
        QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
        button.getMenu()->actions().at(0)->trigger();
        QCOMPARE(spy.count(), 1);
    }

    void badge_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("shownAs");  // empty: no badge
        QTest::newRow("0") << "0" << QString();
        QTest::newRow("7") << "7" << "7";
        QTest::newRow("150") << "150" << "99";
    }

    void badge()
    {
        QFETCH(QString, number);
        QFETCH(QString, shownAs);
        ZtPushButton button(nullptr);
        button.setText(QStringLiteral("消息"));
        button.resize(100, 80);
        button.setIcon(bluePixmap());
        const QImage plain = button.grab().toImage();
        button.setPromptNumber(number);
        const QImage image = button.grab().toImage();

        const auto red = redPixels(image);
        QCOMPARE(red.second, 0);
        if (shownAs.isEmpty()) {
            QCOMPARE(image, plain);
            return;
        }
        // Most of the circle is red; the white text takes a little of it.
        QVERIFY2(red.first > 150, qPrintable(QString::number(red.first)));
        button.setPromptNumber(shownAs);
        QCOMPARE(button.grab().toImage(), image);
        // Without an icon there is no badge.
        button.clearIcon();
        QCOMPARE(redPixels(button.grab().toImage()), qMakePair(0, 0));
    }
};

QTEST_MAIN(tst_ZtPushButton)
#include "tst_ztpushbutton.moc"
