#include <controls/zttoolbutton.h>
#include <controls/zttoollabel.h>
#include <frame/ztmainboxbase.h>
#include <frame/ztmainboxs.h>
#include <frame/ztmainfoot.h>
#include <frame/ztmainfootothers.h>
#include <frame/ztmainhorseracelamp.h>
#include <frame/ztmainmenu.h>

#include <pubcache/pubconfig.h>

#include <QFile>
#include <QLabel>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

class Page : public ZtMainBoxBase
{
public:
    Page(ZtLayoutBase* parent, const QString& tabName)
        : ZtMainBoxBase(parent, ZtXMLMenu(QHash<QString, QString>{{"tabName", tabName}}))
    {
    }
    void reload() override { ++reloads; }
    int reloads = 0;
};

}

class tst_ZtMainBoxs : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir mDir;

    QStringList visiblePages(const ZtMainBoxs& boxs) const
    {
        QStringList names;
        for (auto* p : boxs.pageContainer()->findChildren<ZtMainBoxBase*>()) {
            if (p->isVisible())
                names << p->objectName();
        }
        return names;
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zt.*.debug=false"));
        QVERIFY(mDir.isValid());
        QFile file(mDir.filePath(QStringLiteral("menus.xml")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<menus>
  <menu name="Foot">
    <item name="F1" text="行情" tabName="A" type="0" isChecked="true"/>
    <item name="F2" text="自选" tabName="B" type="0" isChecked="true"/>
    <item name="FS" type="1"/>
    <item name="FootTime" text="--:--" type="2"/>
  </menu>
</menus>
)");
        file.close();
        PubConfig::setConfigDir(mDir.path());
    }

    void cleanupTestCase() { PubConfig::setConfigDir(QString()); }

    void currentPage_data()
    {
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("current");
        QTest::newRow("one") << QStringList{"B"} << "B";
        QTest::newRow("switch") << QStringList{"A", "C"} << "C";
        QTest::newRow("unknown keeps the current") << QStringList{"A", "Nope"} << "A";
        QTest::newRow("unknown first") << QStringList{"Nope"} << "";
        QTest::newRow("empty name") << QStringList{"B", ""} << "B";
    }

    void currentPage()
    {
        QFETCH(QStringList, shown);
        QFETCH(QString, current);
        ZtMainBoxs boxs(nullptr);
        for (const char* name : {"A", "B", "C"})
            boxs.addTab(new Page(&boxs, name));
        boxs.resize(600, 400);
        boxs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boxs));
        QVERIFY(visiblePages(boxs).isEmpty());
        for (const QString& name : shown)
            boxs.setCurrentWidget(name);
        QCOMPARE(boxs.getCurrentWidget() ? boxs.getCurrentWidget()->objectName() : QString(), current);
        QCOMPARE(visiblePages(boxs), current.isEmpty() ? QStringList() : QStringList{current});
        QVERIFY(!boxs.contains("Nope"));
    }

    void registryFollowsThePages()
    {
        ZtMainBoxs boxs(nullptr);
        auto* first = new Page(&boxs, "A");
        auto* second = new Page(&boxs, "A");
        auto* other = new Page(&boxs, "B");
        boxs.addTab(first);
        boxs.addTab(second);
        boxs.addTab(other);
        boxs.setCurrentWidget("A");
        QCOMPARE(boxs.getCurrentWidget(), second);
        boxs.reload();
        QCOMPARE(second->reloads + other->reloads, 2);
        QCOMPARE(first->reloads, 0);

        // A page that closes itself leaves the registry, even when it is on screen.
        boxs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boxs));
        boxs.setCurrentWidget("B");
        QPointer<Page> gone = other;
        other->close();
        QTRY_VERIFY(!gone);
        QVERIFY(!boxs.contains("B"));
        QVERIFY(!boxs.getCurrentWidget());
        boxs.activateWindow();
        boxs.setFocus();
        boxs.setCurrentWidget("B");
        QVERIFY(!boxs.getCurrentWidget());
        boxs.setCurrentWidget("A");
        QCOMPARE(boxs.getCurrentWidget(), second);

        QPointer<Page> kept = second;
        boxs.removeAll();
        QVERIFY(!boxs.contains("A"));
        QVERIFY(!boxs.getCurrentWidget());
        QTRY_VERIFY(!kept);
        boxs.setFocusXmlData(ZtXMLMenu());  // nothing current: nothing to forward to
    }

    void footIsLoaded()
    {
        ZtMainBoxs boxs(nullptr);
        boxs.resize(900, 500);
        boxs.load("Foot");
        boxs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&boxs));
        // Its buttons' clicks are followed in the terminal's window test.
        ZtMainMenu* menu = boxs.foot()->others()->menu();
        QCOMPARE(menu->buttons().size(), 2);
        boxs.setFootText("FootTime", "10:30:00");
        auto* time = menu->findChild<ZtToolLabel*>("FootTime");
        QVERIFY(time);
        QCOMPARE(time->textLabel()->text(), QStringLiteral("10:30:00"));

        boxs.addFootNews({{"data", QVariantMap{{"attributes", QVariantMap{{"title", "t"}}}}}});
        QCOMPARE(boxs.foot()->others()->horseRaceLamp()->pendingCount(), 1);
    }
};

QTEST_MAIN(tst_ZtMainBoxs)
#include "tst_ztmainboxs.moc"
