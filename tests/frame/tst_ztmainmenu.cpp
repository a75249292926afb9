#include <controls/zttoolbutton.h>
#include <controls/zttoollabel.h>
#include <frame/ztmainboxbase.h>
#include <frame/ztmainmenu.h>

#include <pubcache/pubconfig.h>

#include <QBoxLayout>
#include <QLabel>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
class Page : public ZtMainBoxBase
{
public:
    using ZtMainBoxBase::ZtMainBoxBase;
    void reload() override {}
};
} // namespace

class tst_ZtMainMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<ZtToolButton*>();
        QVERIFY(mDir.isValid());
        QFile file(mDir.filePath(QStringLiteral("menus.xml")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<menus>
  <menu name="Kinds">
    <item name="K1" text="一" type="0" isChecked="true"/>
    <item name="KS" type="1"/>
    <item name="KL" text="标签" type="2"/>
  </menu>
  <menu name="Three">
    <item name="B0" text="甲" tabName="T0" type="0" isChecked="true"/>
    <item name="B1" text="乙" tabName="T1" type="0" isChecked="true"/>
    <item name="Lab" text="丙" type="2"/>
    <item name="B2" text="丁" tabName="T2" type="0" isChecked="true"/>
  </menu>
</menus>
)");
        file.close();
        PubConfig::setConfigDir(mDir.path());
    }

    void cleanupTestCase()
    {
        PubConfig::setConfigDir(QString());
    }

    void definitionKinds()
    {
        ZtMainMenu menu(nullptr, true);
        const QList<ZtToolButton*> made = menu.load(QStringLiteral("Kinds"));
        QCOMPARE(made.size(), 1);
        QCOMPARE(menu.buttons(), made);
        QBoxLayout* box = menu.boxLayout();
        QCOMPARE(box->count(), 3);

        // Loading again replaces everything.
        QCOMPARE(menu.load(QStringLiteral("Three")).size(), 3);
        QCOMPARE(box->count(), 4);
        QCOMPARE(menu.load(QStringLiteral("NoSuchMenu")).size(), 0);
        QCOMPARE(box->count(), 0);
        QCOMPARE(menu.getCheckedMenu(), -1);
    }

    void singleEntry_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("made");
        QTest::newRow("0 button") << "0" << "button";
        QTest::newRow("missing type is a button") << "" << "button";
        QTest::newRow("1 stretch") << "1" << "stretch";
        QTest::newRow("2 label") << "2" << "label";
        QTest::newRow("3 nothing") << "3" << "";
        QTest::newRow("not a number") << "x" << "";
    }

    void singleEntry()
    {
        QFETCH(QString, type);
        QFETCH(QString, made);
        ZtMainMenu menu;
        QHash<QString, QString> entry{{"name", "E"}, {"text", "项"}};
        if (!type.isEmpty())
            entry.insert("type", type);
        ZtToolButton* button = menu.load(entry);
        QCOMPARE(button != nullptr, made == "button");
        QCOMPARE(menu.buttons().size(), made == "button" ? 1 : 0);
        QCOMPARE(menu.boxLayout()->count(), made.isEmpty() ? 0 : 1);
        if (made == "stretch")
            QVERIFY(menu.boxLayout()->itemAt(0)->spacerItem());
        if (made == "label")
            QVERIFY(qobject_cast<ZtToolLabel*>(menu.boxLayout()->itemAt(0)->widget()));
    }

    void checkedMenu_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("checked");
        QTest::newRow("0 clicks the first") << 0 << 0;
        QTest::newRow("-3 clicks the first") << -3 << 0;
        QTest::newRow("last") << 2 << 2;
        QTest::newRow("count does nothing") << 3 << -1;
    }

    void checkedMenu()
    {
        QFETCH(int, index);
        QFETCH(int, checked);
        ZtMainMenu menu;
        const QList<ZtToolButton*> made = menu.load(QStringLiteral("Three"));
        QSignalSpy clicked(&menu, &ZtMainMenu::onSyncClicked);
        menu.checkedMenu(index);
        QCOMPARE(menu.getCheckedMenu(), checked);
        QCOMPARE(clicked.count(), checked < 0 ? 0 : 1);
        if (checked >= 0)
            QCOMPARE(clicked.at(0).at(0).value<ZtToolButton*>(), made.at(checked));

        ZtMainMenu empty;
        empty.checkedMenu(index);
        QCOMPARE(empty.getCheckedMenu(), -1);
    }

    void checkByName()
    {
        ZtMainMenu menu;
        menu.load(QStringLiteral("Three"));
        QVERIFY(menu.setCheckedName(QStringLiteral("B1")));
        QCOMPARE(menu.getCheckedMenu(), 1);
        QVERIFY(!menu.setCheckedName(QStringLiteral("Nobody")));
        QCOMPARE(menu.getCheckedMenu(), 1);
        menu.setCheckedTagName(QStringLiteral("T2"));
        QCOMPARE(menu.getCheckedMenu(), 2);
        menu.setCheckedTagName(QStringLiteral("Nowhere"));
        QCOMPARE(menu.getCheckedMenu(), 2);
    }

    void history()
    {
        ZtMainMenu menu;
        menu.resize(100, 300);
        const QList<ZtToolButton*> made = menu.load(QStringLiteral("Three"));
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QSignalSpy clicked(&menu, &ZtMainMenu::onSyncClicked);

        QTest::mouseClick(made.at(0), Qt::LeftButton);
        menu.goBackIndentation(); // one entry: nothing
        QCOMPARE(menu.getCheckedMenu(), 0);
        QCOMPARE(clicked.count(), 1);

        QTest::mouseClick(made.at(2), Qt::LeftButton);
        QTest::mouseClick(made.at(1), Qt::LeftButton);
        QTest::mouseClick(made.at(2), Qt::LeftButton);
        QCOMPARE(menu.history(), (QList<ZtToolButton*>{made.at(2), made.at(1), made.at(0)}));
        clicked.clear();

        menu.goBackIndentation();
        QCOMPARE(menu.getCheckedMenu(), 1);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<ZtToolButton*>(), made.at(1));
        menu.goBackIndentation();
        QCOMPARE(menu.getCheckedMenu(), 0);
        menu.goBackIndentation();
        QCOMPARE(menu.getCheckedMenu(), 0);
        QCOMPARE(clicked.count(), 2);

        // Reloading drops the old buttons from the history.
        menu.load(QStringLiteral("Kinds"));
        QTRY_VERIFY(menu.history().isEmpty());
    }

    void labelText()
    {
        ZtMainMenu menu;
        menu.load(QStringLiteral("Three"));
        auto* label = menu.findChild<ZtToolLabel*>(QStringLiteral("Lab"));
        QVERIFY(label);
        menu.setText(QStringLiteral("Lab"), QStringLiteral("新的文字"));
        QCOMPARE(label->textLabel()->text(), QStringLiteral("新的文字"));
        QCOMPARE(label->width(), QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("新的文字")) + 20);
        menu.setText(QStringLiteral("Nobody"), QStringLiteral("x")); // no label: nothing
    }

    void sizing_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("vertical: height from the menu") << false;
        QTest::newRow("horizontal: width from the menu") << true;
    }

    void sizing()
    {
        QFETCH(bool, horizontal);
        ZtMainMenu menu(nullptr, horizontal);
        menu.setButtonHeight(40);
        menu.setButtonWidth(70);
        const QList<ZtToolButton*> made = menu.load(QStringLiteral("Three"));
        auto* extra = new QWidget;
        menu.load(extra);
        for (QWidget* w : {static_cast<QWidget*>(made.first()), extra}) {
            if (horizontal) {
                QCOMPARE(w->minimumWidth(), 70);
                QCOMPARE(w->maximumWidth(), 70);
                QCOMPARE(w->maximumHeight(), QWIDGETSIZE_MAX);
            } else {
                QCOMPARE(w->minimumHeight(), 40);
                QCOMPARE(w->maximumHeight(), 40);
                QCOMPARE(w->maximumWidth(), QWIDGETSIZE_MAX);
            }
        }
        QCOMPARE(extra->parentWidget(), menu.innerWidget());
    }

    void pageConstructors()
    {
        const ZtXMLMenu entry({{"name", "B1"}, {"tabName", "Three"}});
        Page fromEntry(nullptr, entry);
        QCOMPARE(fromEntry.objectName(), QStringLiteral("Three"));
        QCOMPARE(fromEntry.getSubMenuList().size(), 4);

        // The shipped left menu names the page by its tab name.
        Page fromName(nullptr, QStringLiteral("MenuHq"));
        QCOMPARE(fromName.getParentData().getName(), QStringLiteral("MenuHq"));
        QCOMPARE(fromName.objectName(), QStringLiteral("PageHq"));
        QCOMPARE(fromName.getSubMenuList(), PubConfig::getPubMenuNode(QStringLiteral("PageHq")));
        QVERIFY(!fromName.getSubMenuList().isEmpty());

        Page unknown(nullptr, QStringLiteral("NoSuchEntry"));
        QVERIFY(unknown.getParentData().isEmpty());
        QVERIFY(unknown.getSubMenuList().isEmpty());
    }

private:
    QTemporaryDir mDir;
};

QTEST_MAIN(tst_ZtMainMenu)
#include "tst_ztmainmenu.moc"
