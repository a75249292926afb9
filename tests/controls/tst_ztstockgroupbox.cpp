#include <controls/ztstockgroupbox.h>

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {

PushDataMenu record(const QString& name, int data, const QVariant& group, bool checkable = true,
                    bool checked = false, const QList<RightMenu>& menu = {})
{
    return PushDataMenu(name, data, group, checkable, checked, {name}, QString(), menu);
}

const QList<RightMenu> minuteMenu = {RightMenu(QStringLiteral("1分钟"), 101, true, false, QString()),
                                     RightMenu(QStringLiteral("5分钟"), 105, true, false, QString())};

// Buttons 0-2 in group "period" (分钟 with a drop-down); 3-5 in group 2, 刷新 not checkable.
void fill(ZtStockGroupBox& box)
{
    box.appendGroup({record(QStringLiteral("日线"), 1, QStringLiteral("period")),
                     record(QStringLiteral("周线"), 2, QStringLiteral("period")),
                     record(QStringLiteral("分钟"), 3, QStringLiteral("period"), true, false, minuteMenu)});
    box.appendGroup({record(QStringLiteral("上证"), 11, 2), record(QStringLiteral("深证"), 12, 2),
                     record(QStringLiteral("刷新"), 99, 2, false)});
}

QList<int> reportedData(const QSignalSpy& spy)
{
    QList<int> data;
    for (const QList<QVariant>& args : spy)
        data << args.at(0).value<PushDataMenu>().getData().toInt();
    return data;
}

QStringList checkedNames(const ZtStockGroupBox& box)
{
    QStringList names;
    for (ZtPushButton* b : box.getButtons()) {
        if (b->isChecked())
            names << b->getData().getText();
    }
    return names;
}

}

class tst_ZtStockGroupBox : public QObject
{
    Q_OBJECT

private slots:
    void userClicks_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QList<int>>("reported");
        QTest::addColumn<QStringList>("checked");

        QTest::newRow("second unchecks first") << QStringList{"日线", "周线"} << QList<int>{1, 2} << QStringList{"周线"};
        QTest::newRow("again stays, silent") << QStringList{"周线", "周线"} << QList<int>{2} << QStringList{"周线"};
        QTest::newRow("two groups independent") << QStringList{"周线", "深证", "上证"} << QList<int>{2, 12, 11}
                                                << QStringList{"周线", "上证"};
        QTest::newRow("plain button keeps the choice") << QStringList{"深证", "刷新", "刷新"} << QList<int>{12, 99, 99}
                                                       << QStringList{"深证"};
    }

    void userClicks()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QList<int>, reported);
        QFETCH(QStringList, checked);

        ZtStockGroupBox box(nullptr);
        fill(box);
        box.resize(500, 30);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QSignalSpy spy(&box, &ZtStockGroupBox::onSyncClicked);
        for (const QString& name : clicks)
            QTest::mouseClick(box.getButton(name), Qt::LeftButton);
        QCOMPARE(reportedData(spy), reported);
        QCOMPARE(checkedNames(box), checked);
    }

    void checkedRecordReportsOnAppend()
    {
        ZtStockGroupBox box(nullptr);
        QSignalSpy spy(&box, &ZtStockGroupBox::onSyncClicked);
        box.appendButton(record(QStringLiteral("日线"), 1, 0, true, true));
        box.appendButton(record(QStringLiteral("周线"), 2, 0, false, true));  // not checkable: no report
        box.appendButton(record(QStringLiteral("月线"), 3, 0, true, true));
        QCOMPARE(reportedData(spy), (QList<int>{1, 3}));
        QCOMPARE(checkedNames(box), QStringList{QStringLiteral("月线")});
    }

    void recheck_data()
    {
        QTest::addColumn<QVariant>("group");
        QTest::addColumn<QList<int>>("reported");

        QTest::newRow("all") << QVariant(-1) << QList<int>{2, 11};
        QTest::newRow("one group") << QVariant(2) << QList<int>{11};
        QTest::newRow("text group") << QVariant(QStringLiteral("period")) << QList<int>{2};
        QTest::newRow("unknown group") << QVariant(7) << QList<int>{};
    }

    void recheck()
    {
        QFETCH(QVariant, group);
        QFETCH(QList<int>, reported);

        ZtStockGroupBox box(nullptr);
        fill(box);
        box.getButton(1)->click();
        box.getButton(3)->click();
        QSignalSpy spy(&box, &ZtStockGroupBox::onSyncClicked);
        box.recheck(group);
        QCOMPARE(reportedData(spy), reported);
        QCOMPARE(checkedNames(box), (QStringList{QStringLiteral("周线"), QStringLiteral("上证")}));
    }

    void finders()
    {
        ZtStockGroupBox box(nullptr);
        box.appendButton(record(QStringLiteral("日线"), 1, 0));
        box.appendButton(record(QStringLiteral("周线"), 2, 0));
        box.appendButton(PushDataMenu(QStringLiteral("上证"), 11, 1, true, false, {"SH000001", "上证"}));

        // Any of a record's names finds it; a group narrows the search.
        QCOMPARE(box.getButton(QStringLiteral("SH000001")), box.getButton(2));
        QVERIFY(!box.getButton(QStringLiteral("上证"), QVariant(0)));
        QVERIFY(!box.getButton(5));
        // Choosing by data values is silent.
        QSignalSpy spy(&box, &ZtStockGroupBox::onSyncClicked);
        box.setChecked(QList<QVariant>{2, 11});
        QCOMPARE(box.getCheckedButton(QVariant(0)), box.getButton(1));
        QCOMPARE(checkedNames(box), (QStringList{QStringLiteral("周线"), QStringLiteral("上证")}));
        QCOMPARE(spy.count(), 0);
    }

    void choosers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("target");  // index of the button aimed at; -1 none
        QTest::addColumn<bool>("alreadyChecked");
        QTest::addColumn<bool>("reportAgain");
        QTest::addColumn<int>("reports");

        for (const char* how : {"index", "record", "name"})
            QTest::addRow("%s, unchecked", how) << how << 1 << false << false << 1;
        // A record or a name is looked up and goes on as its index does.
        QTest::newRow("index, checked, quiet") << "index" << 1 << true << false << 0;
        QTest::newRow("index, checked, again") << "index" << 1 << true << true << 1;
        QTest::newRow("click by name") << "click" << 1 << true << false << 1;
        QTest::newRow("index out of range") << "index" << 9 << false << true << 0;
        QTest::newRow("unknown record") << "record" << -1 << false << true << 0;
        QTest::newRow("unknown name") << "name" << -1 << false << true << 0;
    }

    void choosers()
    {
        QFETCH(QString, how);
        QFETCH(int, target);
        QFETCH(bool, alreadyChecked);
        QFETCH(bool, reportAgain);
        QFETCH(int, reports);

        ZtStockGroupBox box(nullptr);
        fill(box);
        box.getButton(alreadyChecked ? 1 : 0)->click();
        QSignalSpy spy(&box, &ZtStockGroupBox::onSyncClicked);

        ZtPushButton* button = box.getButton(target);
        const PushDataMenu data = button ? button->getData() : record(QStringLiteral("年线"), 5, 0);
        if (how == QLatin1String("index"))
            box.setChecked(target, reportAgain);
        else if (how == QLatin1String("record"))
            box.setChecked(data, reportAgain);
        else if (how == QLatin1String("name"))
            box.setChecked(data.getNames().at(0), reportAgain);
        else
            box.click(data.getNames().at(0), data.getGroup());

        QCOMPARE(spy.count(), reports);
        if (button) {
            QCOMPARE(reportedData(spy), reports ? QList<int>{data.getData().toInt()} : QList<int>{});
            QCOMPARE(checkedNames(box), QStringList{data.getText()});
        }
    }

    void dropDownChoiceKeepsGroupExclusive()
    {
        ZtStockGroupBox box(nullptr);
        fill(box);
        QSignalSpy menuSpy(&box, &ZtStockGroupBox::onCliclButtonMenu);
        QSignalSpy syncSpy(&box, &ZtStockGroupBox::onSyncClicked);
        QVERIFY(!box.setCheckedMenu(0, true));  // no drop-down
        QVERIFY(!box.setCheckedMenu(9, true));
        box.getButton(0)->click();

        UserMenuAction* fiveMinutes = box.getButton(2)->getMenu()->actions().at(1);
        fiveMinutes->trigger();
        QCOMPARE(menuSpy.count(), 1);
        QCOMPARE(menuSpy.at(0).at(0).value<ZtPushButton*>(), box.getButton(2));
        QCOMPARE(menuSpy.at(0).at(1).value<UserMenuAction*>(), fiveMinutes);
        QCOMPARE(checkedNames(box), QStringList{QStringLiteral("分钟")});

        // Re-reporting gives the drop-down choice again.
        box.recheck(QVariant(-1));
        QCOMPARE(syncSpy.count(), 2);
        QCOMPARE(menuSpy.count(), 2);
        QCOMPARE(menuSpy.at(1).at(1).value<UserMenuAction*>(), fiveMinutes);

        // Another button of the group clears the drop-down's mark; stepping chooses anew.
        box.getButton(1)->click();
        QCOMPARE(box.getButton(2)->getCheckedMenuIndex(), -1);
        QVERIFY(box.setCheckedMenu(2, true));
        QVERIFY(!box.setCheckedMenu(2, false));
        QCOMPARE(box.getButton(2)->getCheckedMenuIndex(), 0);
        QCOMPARE(checkedNames(box), QStringList{QStringLiteral("分钟")});
    }

    void layoutAndClear()
    {
        ZtStockGroupBox box(nullptr);
        box.setFixedHeight(30);
        box.setTitle(QStringLiteral("周期"));
        fill(box);
        auto* extra = new QLabel(QStringLiteral("更多"));
        box.appendWidget(extra);
        box.show();
        QApplication::setActiveWindow(&box);
        QVERIFY(QTest::qWaitForWindowActive(&box));
        // A panel like any other: shown, it takes the keyboard focus.
        QTRY_VERIFY(box.hasFocus());

        box.setGroupVisible(QVariant(2), false);
        QVERIFY(box.getButton(0)->isVisible());
        QVERIFY(!box.getButton(3)->isVisible() && !box.getButton(5)->isVisible());

        QPointer<ZtPushButton> old = box.getButton(0);
        QPointer<QLabel> oldExtra = extra;
        box.clear();
        QVERIFY(!box.getButton(0));
        QVERIFY(box.getGroupList(QVariant(2)).isEmpty());
        QCOMPARE(box.getTitle(), QStringLiteral("周期"));
        QTRY_VERIFY(old.isNull() && oldExtra.isNull());
    }
};

QTEST_MAIN(tst_ZtStockGroupBox)
#include "tst_ztstockgroupbox.moc"
