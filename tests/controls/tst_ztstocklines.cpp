#include "controls/ztdiscolour.h"
#include "controls/ztstockgroupbox.h"
#include "controls/ztstocklinelast.h"
#include "controls/ztstocklinetop.h"
#include "grids/usermenuaction.h"

#include <ztlib/ztfields.h>

#include <QSignalSpy>
#include <QtTest>

#include <testrows.h>

namespace {

using TestRows::security;

PushDataMenu record(const QString& name, int data, bool checked = false, const QList<RightMenu>& menu = {})
{
    return PushDataMenu(name, data, 1, true, checked, {name}, QString(), menu);
}

const QList<RightMenu> periodMenu = {RightMenu(QStringLiteral("1分钟"), 101, true, false, QString()),
                                     RightMenu(QStringLiteral("5分钟"), 105, true, false, QString())};

void press(QWidget* w)
{
    QTest::mouseClick(w, Qt::LeftButton);
}

}

class tst_ZtStockLines : public QObject
{
    Q_OBJECT

private slots:
    void codeLabel_data();
    void codeLabel();
    void sameStockKeepsLabel();
    void buttonsSignal_data();
    void buttonsSignal();
    void toolSilentChecks();
    void chartCountMenu();
    void lineBoxChoices();
    void hideGroup();
    void bottomBar();
};

void tst_ZtStockLines::codeLabel_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("market and six digits") << "SH600000" << "600000 SH";
    QTest::newRow("one character") << "S" << " S";
}

void tst_ZtStockLines::codeLabel()
{
    QFETCH(QString, code);
    QFETCH(QString, shown);
    ZtStockLineTop bar;
    bar.resetStock(security(code, QStringLiteral("浦发银行")));
    QCOMPARE(bar.codeLabel()->text(), shown);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    press(bar.codeLabel());
    QCOMPARE(bar.codeLabel()->text(), QStringLiteral("浦发银行"));
    press(bar.codeLabel());
    QCOMPARE(bar.codeLabel()->text(), shown);
}

// The same stock again leaves a label swapped to the name alone; replaceStock always rewrites.
void tst_ZtStockLines::sameStockKeepsLabel()
{
    ZtStockLineTop bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const DQDUnionReader row = security(QStringLiteral("SZ000001"), QStringLiteral("平安银行"));
    bar.resetStock(row);
    press(bar.codeLabel());
    QCOMPARE(bar.codeLabel()->text(), QStringLiteral("平安银行"));
    bar.resetStock(row);
    QCOMPARE(bar.codeLabel()->text(), QStringLiteral("平安银行"));
    bar.replaceStock(row);
    QCOMPARE(bar.codeLabel()->text(), QStringLiteral("000001 SZ"));
    bar.resetStock(DQDUnionReader());
    QCOMPARE(bar.codeLabel()->text(), QStringLiteral("000001 SZ"));
}

void tst_ZtStockLines::buttonsSignal_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QList<bool>>("reports");
    QTest::newRow("fold left") << "foldLeft" << QByteArray(SIGNAL(onFoldLeftClick(bool))) << QList<bool>{true, false};
    QTest::newRow("fold full") << "foldFull" << QByteArray(SIGNAL(onFoldFullClick(bool))) << QList<bool>{true, false};
    QTest::newRow("fold right") << "foldRight" << QByteArray(SIGNAL(onFoldRighClick(bool))) << QList<bool>{true, false};
    QTest::newRow("F10") << "f10" << QByteArray(SIGNAL(onPushsF10Click(bool))) << QList<bool>{true, true};
    QTest::newRow("draw") << "tool" << QByteArray(SIGNAL(onPushsToolClick(bool))) << QList<bool>{true, false};
}

void tst_ZtStockLines::buttonsSignal()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, signal);
    QFETCH(QList<bool>, reports);
    ZtStockLineTop bar;
    bar.resize(600, 28);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QHash<QString, ZtPushButton*> buttons = {
        {QStringLiteral("foldLeft"), bar.foldLeftButton()}, {QStringLiteral("foldFull"), bar.foldFullButton()},
        {QStringLiteral("foldRight"), bar.foldRightButton()}, {QStringLiteral("f10"), bar.f10Button()},
        {QStringLiteral("tool"), bar.toolButton()}};
    QSignalSpy spy(&bar, signal.constData());
    QSignalSpy all(&bar, SIGNAL(onFoldLeftClick(bool)));
    press(buttons.value(button));
    press(buttons.value(button));
    QList<bool> got;
    for (const auto& args : spy)
        got << args.at(0).toBool();
    QCOMPARE(got, reports);
    if (button != QLatin1String("foldLeft"))
        QCOMPARE(all.count(), 0);
}

void tst_ZtStockLines::toolSilentChecks()
{
    ZtStockLineTop bar;
    QSignalSpy spy(&bar, &ZtStockLineTop::onPushsToolClick);
    bar.doSetPushsToolTrue();
    QVERIFY(bar.toolButton()->isChecked());
    bar.doSetPushsToolFalse();
    QVERIFY(!bar.toolButton()->isChecked());
    QCOMPARE(spy.count(), 0);
}

void tst_ZtStockLines::chartCountMenu()
{
    ZtStockLineTop bar;
    QSignalSpy spy(&bar, &ZtStockLineTop::onCliclButtonMenu);
    UserMenuAction* four = nullptr;
    QStringList texts;
    for (UserMenuAction* a : bar.displayButton()->getMenu()->actions()) {
        texts << a->text();
        if (a->data().toInt() == 4)
            four = a;
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("一图组合"), QStringLiteral("二图组合"), QStringLiteral("四图组合")}));
    QVERIFY(four);
    four->trigger();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).value<ZtPushButton*>(), bar.displayButton());
    QCOMPARE(spy.first().at(1).value<UserMenuAction*>()->data().toInt(), 4);
}

void tst_ZtStockLines::lineBoxChoices()
{
    ZtStockLineTop bar;
    QSignalSpy clicked(&bar, &ZtStockLineTop::onLineBoxClicked);
    // A checked record reports itself while it is appended.
    bar.appendGroup({record(QStringLiteral("分时"), 1, true), record(QStringLiteral("日线"), 2),
                     record(QStringLiteral("分钟"), 3, false, periodMenu)});
    QCOMPARE(clicked.count(), 1);
    bar.setChecked(0);
    QCOMPARE(clicked.count(), 1);
    bar.setChecked(1);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(clicked.last().at(0).value<PushDataMenu>().getData().toInt(), 2);
    bar.setChecked(-1);
    bar.setChecked(7);
    QCOMPARE(clicked.count(), 2);

    QCOMPARE(bar.getCheckedMenu(5), -1);
    QCOMPARE(bar.setCheckedMenu(5, true), false);
    QCOMPARE(bar.getCheckedMenu(0), -1);
    QSignalSpy menu(&bar, &ZtStockLineTop::onCliclButtonMenu);
    QVERIFY(bar.setCheckedMenu(2, true));
    QCOMPARE(menu.count(), 1);
    QCOMPARE(bar.getCheckedMenu(2), 0);
}

void tst_ZtStockLines::hideGroup()
{
    ZtStockLineTop bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.setVisableGroup(false);
    QVERIFY(!bar.lineBox()->isVisible());
    QVERIFY(!bar.codeLabel()->isVisible());
    QVERIFY(!bar.toolButton()->isVisible());
    for (QWidget* w : QList<QWidget*>{bar.foldLeftButton(), bar.foldFullButton(), bar.foldRightButton(),
                                      bar.displayButton(), bar.f10Button()})
        QVERIFY(w->isVisible());
}

void tst_ZtStockLines::bottomBar()
{
    ZtStockLineLast bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy fold(&bar, &ZtStockLineLast::onFoldDownClick);
    QSignalSpy clicked(&bar, &ZtStockLineLast::onLineBoxClicked);
    press(bar.foldDownButton());
    press(bar.foldDownButton());
    QCOMPARE(fold.count(), 2);
    QCOMPARE(fold.at(0).at(0).toBool(), true);
    QCOMPARE(fold.at(1).at(0).toBool(), false);

    bar.appendGroup({record(QStringLiteral("成交明细"), 1), record(QStringLiteral("分价表"), 2)});
    bar.setChecked(QStringLiteral("分价表"));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.last().at(0).value<PushDataMenu>().getData().toInt(), 2);
    QVERIFY(bar.lineBox()->getButtons().at(1)->isChecked());
}

QTEST_MAIN(tst_ZtStockLines)
#include "tst_ztstocklines.moc"
