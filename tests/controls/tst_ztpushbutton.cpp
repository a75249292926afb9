#include <controls/ztpushbutton.h>

#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QtTest>

namespace {

QPixmap bluePixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::blue);
    return pixmap;
}

bool isRed(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}

// Red pixels inside and outside the badge square of a centred icon.
QPair<int, int> redPixels(const QImage& image, const QSize& iconSize)
{
    const QRect square((image.width() - iconSize.width()) / 2 + 15,
                       (image.height() - iconSize.height()) / 2 - 15, 20, 20);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isRed(image.pixel(x, y)))
                ++(square.contains(x, y) ? inside : outside);
        }
    }
    return {inside, outside};
}

QList<RightMenu> periodMenu()
{
    const RightMenu more(QStringLiteral("更多"), 90,
                         QList<RightMenu>{RightMenu(QStringLiteral("季线"), 7, true, false, QString())});
    return {RightMenu(QStringLiteral("日线"), 1, true, false, QString()),
            RightMenu(QStringLiteral("周线"), 2, true, false, QString()),
            RightMenu(QStringLiteral("月线"), 3, true, false, QString()), more};
}

QList<bool> reported(const QSignalSpy& spy, ZtPushButton* button)
{
    QList<bool> values;
    for (const QList<QVariant>& args : spy) {
        if (args.at(0).value<ZtPushButton*>() != button)
            return {};
        values << args.at(1).toBool();
    }
    return values;
}

}

class tst_ZtPushButton : public QObject
{
    Q_OBJECT

private slots:
    void userClick_data();
    void userClick();
    void programChangesAreSilent();
    void programClick_data();
    void programClick();
    void doSyncClicked_data();
    void doSyncClicked();
    void setDatas();
    void menuChoiceIsExclusive();
    void subMenuChoiceNotReported();
    void aboutToShowMenu();
    void setCheckedMenuIndex_data();
    void setCheckedMenuIndex();
    void setCheckedMenuSteps();
    void setMenuReplacesOrKeeps();
    void badge_data();
    void badge();
    void badgeNeedsIcon();
};

void tst_ZtPushButton::userClick_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<QList<bool>>("signals_");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("plain") << false << false << false << QList<bool>{true} << false;
    QTest::newRow("check") << true << false << false << QList<bool>{true} << true;
    QTest::newRow("uncheck") << true << false << true << QList<bool>{false} << false;
    QTest::newRow("force-checked, checked") << true << true << true << QList<bool>{} << true;
    QTest::newRow("force-checked, unchecked") << true << true << false << QList<bool>{true} << true;
}

void tst_ZtPushButton::userClick()
{
    QFETCH(bool, checkable);
    QFETCH(bool, force);
    QFETCH(bool, checkedBefore);
    QFETCH(QList<bool>, signals_);
    QFETCH(bool, checkedAfter);

    ZtPushButton button(QStringLiteral("日线"), nullptr);
    button.resize(80, 30);
    button.setCheckable(checkable);
    button.setIsForceCheck(force);
    button.setChecked(checkedBefore);
    QSignalSpy spy(&button, &ZtPushButton::onSyncClicked);

    QTest::mouseClick(&button, Qt::LeftButton);

    QCOMPARE(reported(spy, &button), signals_);
    QCOMPARE(button.isChecked(), checkedAfter);
}

void tst_ZtPushButton::programChangesAreSilent()
{
    ZtPushButton button(nullptr);
    button.setCheckable(true);
    QSignalSpy spy(&button, &ZtPushButton::onSyncClicked);
    button.setChecked(true);
    button.setChecked(false);
    button.setIsForceCheck(true);
    button.setChecked(true);
    // A force-checked button can still be unchecked by the program.
    button.setChecked(false);
    QVERIFY(!button.isChecked());
    QCOMPARE(spy.count(), 0);
}

void tst_ZtPushButton::programClick_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("plain") << false << false << false << false;
    QTest::newRow("unchecked") << true << false << false << true;
    QTest::newRow("checked stays checked") << true << false << true << true;
    QTest::newRow("force-checked") << true << true << true << true;
}

void tst_ZtPushButton::programClick()
{
    QFETCH(bool, checkable);
    QFETCH(bool, force);
    QFETCH(bool, checkedBefore);
    QFETCH(bool, checkedAfter);

    ZtPushButton button(nullptr);
    button.setCheckable(checkable);
    button.setIsForceCheck(force);
    button.setChecked(checkedBefore);
    QSignalSpy spy(&button, &ZtPushButton::onSyncClicked);
    button.click();
    QCOMPARE(reported(spy, &button), QList<bool>{true});
    QCOMPARE(button.isChecked(), checkedAfter);
}

void tst_ZtPushButton::doSyncClicked_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("istoggl");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QList<bool>>("signals_");

    QTest::newRow("checkable toggle") << true << true << false << QList<bool>{false};
    QTest::newRow("checkable click") << true << false << true << QList<bool>{};
    QTest::newRow("plain click") << false << false << true << QList<bool>{true};
    QTest::newRow("plain toggle") << false << true << true << QList<bool>{};
}

void tst_ZtPushButton::doSyncClicked()
{
    QFETCH(bool, checkable);
    QFETCH(bool, istoggl);
    QFETCH(bool, checked);
    QFETCH(QList<bool>, signals_);

    ZtPushButton button(nullptr);
    button.setCheckable(checkable);
    QSignalSpy spy(&button, &ZtPushButton::onSyncClicked);
    button.doSyncClicked(istoggl, checked);
    QCOMPARE(reported(spy, &button), signals_);
}

void tst_ZtPushButton::setDatas()
{
    QTemporaryDir dir;
    const QString iconPath = dir.filePath(QStringLiteral("k.png"));
    QVERIFY(QPixmap(bluePixmap(24)).save(iconPath));

    PushDataMenu record(QStringLiteral("K线"), 5, 0, true, false, {QStringLiteral("kline")}, iconPath, periodMenu());
    ZtPushButton button(nullptr);
    button.setDatas(record);
    button.setClickId(QStringLiteral("btn_kline"));

    QCOMPARE(button.text(), QStringLiteral("K线"));
    QVERIFY(button.isCheckable());
    QCOMPARE(button.iconSize(), QSize(24, 24));
    QVERIFY(!button.icon().isNull());
    QVERIFY(button.getMenu());
    QCOMPARE(button.menu(), button.getMenu());
    QCOMPARE(button.getMenu()->actions().size(), 4);
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
    QCOMPARE(button.getData().getData(), QVariant(5));
    QCOMPARE(button.getData().getClickId(), QStringLiteral("btn_kline"));
}

void tst_ZtPushButton::menuChoiceIsExclusive()
{
    ZtPushButton button(QStringLiteral("周期"), nullptr);
    button.setMenu(periodMenu());
    QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
    const QList<UserMenuAction*> items = button.getMenu()->actions();

    items.at(0)->trigger();
    items.at(2)->trigger();
    QCOMPARE(button.getCheckedMenuIndex(), 2);
    QCOMPARE(button.getCheckedMenu(), items.at(2));
    QVERIFY(!items.at(0)->isChecked());
    // Choosing the checked item again keeps it the choice.
    items.at(2)->trigger();
    QCOMPARE(button.getCheckedMenuIndex(), 2);

    QCOMPARE(spy.count(), 3);
    QCOMPARE(spy.at(1).at(0).value<ZtPushButton*>(), &button);
    QCOMPARE(spy.at(1).at(1).value<UserMenuAction*>(), items.at(2));

    button.clearMenuChecked();
    QCOMPARE(button.getCheckedMenuIndex(), -1);
    QVERIFY(!button.getCheckedMenu());
}

void tst_ZtPushButton::subMenuChoiceNotReported()
{
    ZtPushButton button(nullptr);
    button.setMenu(periodMenu());
    QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
    button.getMenu()->actions().at(3)->menu()->actions().at(0)->trigger();
    QCOMPARE(spy.count(), 0);
}

void tst_ZtPushButton::aboutToShowMenu()
{
    ZtPushButton button(nullptr);
    button.setMenu(periodMenu());
    QSignalSpy spy(&button, &ZtPushButton::onAboutToShowMenu);
    button.getMenu()->popup(QPoint(0, 0));
    button.getMenu()->hide();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<ZtPushButton*>(), &button);
    QCOMPARE(spy.at(0).at(1).value<QList<UserMenuAction*>>(), button.getMenu()->actions());
}

void tst_ZtPushButton::setCheckedMenuIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("checkedIndex");

    QTest::newRow("first") << 0 << true << 0;
    QTest::newRow("last leaf") << 2 << true << 2;
    QTest::newRow("negative") << -1 << false << 1;
    QTest::newRow("past the end") << 4 << false << 1;
}

void tst_ZtPushButton::setCheckedMenuIndex()
{
    QFETCH(int, index);
    QFETCH(bool, result);
    QFETCH(int, checkedIndex);

    ZtPushButton button(nullptr);
    button.setMenu(periodMenu());
    button.getMenu()->actions().at(1)->trigger();
    QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);

    QCOMPARE(button.setCheckedMenu(index), result);
    QCOMPARE(button.getCheckedMenuIndex(), checkedIndex);
    QCOMPARE(spy.count(), result ? 1 : 0);
    if (result)
        QCOMPARE(spy.at(0).at(1).value<UserMenuAction*>(), button.getMenu()->actions().at(index));
}

void tst_ZtPushButton::setCheckedMenuSteps()
{
    ZtPushButton plain(nullptr);
    QVERIFY(!plain.setCheckedMenu(0));
    QVERIFY(!plain.setCheckedMenu(true));
    QCOMPARE(plain.getCheckedMenuIndex(), -1);

    ZtPushButton button(nullptr);
    button.setMenu(periodMenu().mid(0, 3));
    QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
    QVERIFY(!button.setCheckedMenu(false));  // nothing checked: backward has nowhere to go
    QVERIFY(button.setCheckedMenu(true));
    QCOMPARE(button.getCheckedMenuIndex(), 0);
    QVERIFY(button.setCheckedMenu(true));
    QVERIFY(button.setCheckedMenu(true));
    QCOMPARE(button.getCheckedMenuIndex(), 2);
    QVERIFY(!button.setCheckedMenu(true));  // no wrap-around
    QCOMPARE(button.getCheckedMenuIndex(), 2);
    QCOMPARE(spy.count(), 3);
    QVERIFY(button.setCheckedMenu(false));
    QCOMPARE(button.getCheckedMenuIndex(), 1);
}

void tst_ZtPushButton::setMenuReplacesOrKeeps()
{
    ZtPushButton button(nullptr);
    button.setMenu(periodMenu());
    QPointer<UserRightMenu> first = button.getMenu();
    button.setMenu({});
    QCOMPARE(button.getMenu(), first.data());

    button.setMenu({RightMenu(QStringLiteral("分时"), 0, true, false, QString())});
    QVERIFY(button.getMenu() != first);
    QCOMPARE(button.menu(), button.getMenu());
    QCOMPARE(button.getMenu()->actions().size(), 1);
    QTRY_VERIFY(first.isNull());

    // The new menu is wired like the first one.
    QSignalSpy spy(&button, &ZtPushButton::onCliclButtonMenu);
    button.getMenu()->actions().at(0)->trigger();
    QCOMPARE(spy.count(), 1);
}

void tst_ZtPushButton::badge_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("sameAs");

    QTest::newRow("0") << QStringLiteral("0") << false << QString();
    QTest::newRow("-3") << QStringLiteral("-3") << false << QString();
    QTest::newRow("abc") << QStringLiteral("abc") << false << QString();
    QTest::newRow("empty") << QString() << false << QString();
    QTest::newRow("7") << QStringLiteral("7") << true << QStringLiteral("7");
    QTest::newRow("150") << QStringLiteral("150") << true << QStringLiteral("99");
}

void tst_ZtPushButton::badge()
{
    QFETCH(QString, number);
    QFETCH(bool, shown);
    QFETCH(QString, sameAs);

    ZtPushButton button(nullptr);
    button.resize(100, 80);
    button.setIcon(bluePixmap(32));
    const QImage plain = button.grab().toImage();
    button.setPromptNumber(number);
    const QImage image = button.grab().toImage();

    const auto red = redPixels(image, button.iconSize());
    QCOMPARE(red.second, 0);
    if (!shown) {
        QCOMPARE(red.first, 0);
        QCOMPARE(image, plain);
        return;
    }
    // Most of the 20 × 20 circle is red; the white text takes a little of it.
    QVERIFY2(red.first > 150, qPrintable(QString::number(red.first)));
    button.setPromptNumber(sameAs);
    QCOMPARE(button.grab().toImage(), image);
}

void tst_ZtPushButton::badgeNeedsIcon()
{
    ZtPushButton button(QStringLiteral("消息"), nullptr);
    button.setText(QStringLiteral("消息"));
    button.resize(100, 80);
    button.setPromptNumber(QStringLiteral("5"));
    QCOMPARE(redPixels(button.grab().toImage(), QSize(16, 16)), qMakePair(0, 0));

    button.setIcon(bluePixmap(32));
    QVERIFY(redPixels(button.grab().toImage(), button.iconSize()).first > 150);
    button.clearIcon();
    QCOMPARE(redPixels(button.grab().toImage(), QSize(32, 32)), qMakePair(0, 0));
}

QTEST_MAIN(tst_ZtPushButton)
#include "tst_ztpushbutton.moc"
