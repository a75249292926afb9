#include <controls/zttoolbutton.h>
#include <frame/zttabbutton.h>
#include <frame/zttabwidget.h>
#include <framework/ztlayoutbase.h>

#include <QBoxLayout>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(QMargins)

// Three pages named A, B, C in a widget that is on screen.
struct ThreeTabs
{
    explicit ThreeTabs(bool closable = false)
    {
        for (const char* name : {"A", "B", "C"}) {
            auto* page = new ZtLayoutBase(QString::fromLatin1(name), nullptr);
            pages.append(page);
            tabs.addTab(page, QString::fromLatin1(name), closable);
        }
        tabs.resize(400, 300);
        tabs.show();
    }
    QStringList visiblePages() const
    {
        QStringList names;
        for (ZtLayoutBase* page : pages)
            if (page->isVisibleTo(&tabs))
                names << page->objectName();
        return names;
    }
    ZtTabWidget tabs;
    QList<ZtLayoutBase*> pages;
};

class tst_ZtTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<ZtLayoutBase*>(); }

    void positions_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("titleFirst");
        QTest::addColumn<QMargins>("margins");
        QTest::newRow("north") << int(QTabWidget::North) << true << QMargins(0, 0, 0, 1);
        QTest::newRow("south") << int(QTabWidget::South) << false << QMargins(0, 1, 0, 0);
        QTest::newRow("east: bar on the left") << int(QTabWidget::East) << true << QMargins();
        QTest::newRow("west: bar on the right") << int(QTabWidget::West) << false << QMargins();
    }

    void positions()
    {
        QFETCH(int, position);
        QFETCH(bool, titleFirst);
        QFETCH(QMargins, margins);
        ZtTabWidget tabs(nullptr, QTabWidget::TabPosition(position));
        ZtTabButton* button = tabs.addTab(new ZtLayoutBase(QStringLiteral("P"), nullptr), QStringLiteral("页"));
        tabs.resize(300, 300);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));

        QWidget* title = tabs.titleWidget();
        QCOMPARE(title->contentsMargins(), margins);
        const bool horizontal = position == QTabWidget::North || position == QTabWidget::South;
        QCOMPARE(tabs.isHorizontal(), horizontal);
        if (horizontal) {
            QCOMPARE(title->height(), 28);
            QCOMPARE(button->maximumHeight(), 27);
            QCOMPARE(title->y() < tabs.subWidget()->y(), titleFirst);
        } else {
            QCOMPARE(title->width(), 30);
            QCOMPARE(button->maximumWidth(), 29);
            QCOMPARE(title->x() < tabs.subWidget()->x(), titleFirst);
        }
    }

    void firstTabCurrentAndUserClick()
    {
        ThreeTabs t;
        QCOMPARE(t.tabs.currentIndex(), 0);
        QCOMPARE(t.visiblePages(), QStringList{"A"});

        QSignalSpy changed(&t.tabs, &ZtTabWidget::onCurrentChanged);
        QTest::mouseClick(t.tabs.tabButton(2), Qt::LeftButton);
        QCOMPARE(t.tabs.currentIndex(), 2);
        QCOMPARE(t.tabs.currentWidget(), t.pages.at(2));
        QCOMPARE(t.visiblePages(), QStringList{"C"});
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<ZtLayoutBase*>(), t.pages.at(2));

        // Clicking the current tab again keeps it.
        QTest::mouseClick(t.tabs.tabButton(2), Qt::LeftButton);
        QCOMPARE(t.tabs.currentIndex(), 2);
        QCOMPARE(t.tabs.widget(3), nullptr);
        QCOMPARE(t.tabs.widget(-1), nullptr);
    }

    void closeTab_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("closed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last of three selects the new last") << 2 << 2 << "B";
        QTest::newRow("first of three selects the new first") << 0 << 0 << "B";
        QTest::newRow("middle selects the one after it") << 1 << 1 << "C";
        QTest::newRow("another tab keeps the current one") << 0 << 2 << "A";
    }

    void closeTab()
    {
        QFETCH(int, current);
        QFETCH(int, closed);
        QFETCH(QString, expected);
        ThreeTabs t(true);
        t.tabs.setCurrentIndex(current);
        ZtTabButton* button = t.tabs.tabButton(closed);
        QVERIFY(button->closeButton()->isVisibleTo(button));

        QTest::mouseClick(button->closeButton(), Qt::LeftButton);
        QCOMPARE(t.tabs.count(), 2);
        QCOMPARE(t.tabs.currentWidget()->objectName(), expected);
        QCOMPARE(t.visiblePages(), QStringList{expected});
    }

    void buttonWidth_data()
    {
        QTest::addColumn<int>("textPixels");
        QTest::addColumn<int>("minWidth");
        QTest::addColumn<int>("maxWidth");
        QTest::newRow("200-pixel title") << 200 << 40 << 150;
        QTest::newRow("one-character title: text + 20, under the minimum") << 1 << 40 << -1;
        QTest::newRow("empty title keeps the default") << 0 << 0 << QWIDGETSIZE_MAX;
    }

    void buttonWidth()
    {
        QFETCH(int, textPixels);
        QFETCH(int, minWidth);
        QFETCH(int, maxWidth);
        ZtTabWidget tabs;
        const QFontMetrics metrics(tabs.font());
        QString text;
        while (metrics.horizontalAdvance(text) < textPixels)
            text += QStringLiteral("行");
        ZtTabButton* button = tabs.addTab(new ZtLayoutBase(QStringLiteral("P"), nullptr), text);
        QCOMPARE(button->minimumWidth(), minWidth);
        if (maxWidth < 0) {
            maxWidth = metrics.horizontalAdvance(text) + 20;
            QVERIFY(maxWidth < minWidth);
        }
        QCOMPARE(button->maximumWidth(), maxWidth);

        // A short closable title: text + 20 + 13 for the close button.
        ZtTabButton* shortOne = tabs.addTab(new ZtLayoutBase(QStringLiteral("Q"), nullptr), QStringLiteral("行情"), true);
        QCOMPARE(shortOne->maximumWidth(), metrics.horizontalAdvance(QStringLiteral("行情")) + 33);
    }

    void hideCurrentTab_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("alreadyHidden");
        QTest::addColumn<QString>("expected");
        QTest::newRow("last goes to the one before") << 2 << QList<int>{} << "B";
        QTest::newRow("searches towards the first") << 2 << QList<int>{1} << "A";
        QTest::newRow("first goes to the second") << 0 << QList<int>{} << "B";
        QTest::newRow("nothing visible keeps the selection") << 2 << QList<int>{0, 1} << "C";
    }

    void hideCurrentTab()
    {
        QFETCH(int, current);
        QFETCH(QList<int>, alreadyHidden);
        QFETCH(QString, expected);
        ThreeTabs t;
        t.tabs.setCurrentIndex(current);
        for (int index : alreadyHidden)
            t.tabs.setHideTable(index, false);
        t.tabs.setHideTable(t.pages.at(current), false);
        QVERIFY(t.tabs.tabButton(current)->isHidden());
        QCOMPARE(t.tabs.count(), 3);
        QCOMPARE(t.tabs.currentWidget()->objectName(), expected);

        t.tabs.setHideTable(current, true);
        QVERIFY(!t.tabs.tabButton(current)->isHidden());
    }

    void currentByNameEndsOnLastMatch()
    {
        ZtTabWidget tabs;
        auto* first = new ZtLayoutBase(QStringLiteral("Same"), nullptr);
        auto* other = new ZtLayoutBase(QStringLiteral("Other"), nullptr);
        auto* second = new ZtLayoutBase(QStringLiteral("Same"), nullptr);
        tabs.addTab(first, QStringLiteral("1"));
        tabs.addTab(other, QStringLiteral("2"));
        tabs.addTab(second, QStringLiteral("3"));
        tabs.setCurrentWidget(QStringLiteral("Same"));
        QCOMPARE(tabs.currentWidget(), second);
        tabs.setCurrentWidget(QStringLiteral("Nothing"));
        QCOMPARE(tabs.currentWidget(), second);
        tabs.setCurrentWidget(other);
        QCOMPARE(tabs.currentIndex(), 1);
    }

    void forceCheckedTabStaysChecked()
    {
        ThreeTabs t;
        t.tabs.tabButton(0)->setIsForceCheck(true);
        QTest::mouseClick(t.tabs.tabButton(1), Qt::LeftButton);
        QVERIFY(t.tabs.tabButton(0)->isChecked());
        QVERIFY(t.pages.at(0)->isVisibleTo(&t.tabs));
    }
};

QTEST_MAIN(tst_ZtTabWidget)
#include "tst_zttabwidget.moc"
