#include "readertestsupport.h"

#include <framework/ztlayoutbase.h>
#include <framework/ztlayoutmarketbase.h>
#include <framework/ztlayoutstockbase.h>

#include <spontaneousinput.h>

#include <QLineEdit>
#include <QVBoxLayout>
#include <QSignalSpy>
#include <QtTest>

#include <cstring>

namespace {

// The virtual-table slot a pointer to a virtual member stands for (Itanium C++ ABI:
// the table offset plus one). Hosts built against these classes call by slot.
template <typename F>
int vslot(F pmf)
{
    struct Rep
    {
        qptrdiff ptr;
        qptrdiff adj;
    };
    static_assert(sizeof(F) == sizeof(Rep), "not an Itanium member pointer");
    Rep rep;
    std::memcpy(&rep, &pmf, sizeof rep);
    return int((rep.ptr - 1) / qptrdiff(sizeof(void*)));
}

// Reach the virtuals that are not public; an override keeps the slot it overrides.
struct Reader : DataReadBase
{
    using DataReadBase::runCheck;
    bool DataReadOnDataReadBaseThread(int, QString) override { return false; }
};
struct MarketList : ZtLayoutMarketBase
{
    using ZtLayoutMarketBase::ZtLayoutMarketBase;
    void doDataRepaint() override {}
};

// Records what reaches a level; `stop` makes it handle the item instead of relaying it.
class Panel : public ZtLayoutBase
{
    Q_OBJECT
public:
    using ZtLayoutBase::ZtLayoutBase;

    bool stop = false;
    QList<ZtLayoutBase*> keyOrigins;
    QStringList adopted;
    QList<QStringList> tabs;

    void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event) override
    {
        keyOrigins.append(obj);
        if (!stop)
            ZtLayoutBase::doKeyPressEvent(obj, event);
    }
    void doQNowDataUpdStock(DQDUnionReader rowReader) override
    {
        adopted.append(objectName() + QLatin1Char(':') + rowReader.getUniqueValue(0));
    }
    void doGetOpenTab(QString text, QString name, QString tabname, QString url, QString target) override
    {
        tabs.append({text, name, tabname, url, target});
        if (!stop)
            ZtLayoutBase::doGetOpenTab(text, name, tabname, url, target);
    }
};

// Counts the input events that reach a level. `ignoring` panels mark each event
// unhandled before relaying it, as panels do that look at a key and pass it on.
class InputCounter : public ZtLayoutBase
{
    Q_OBJECT
public:
    using ZtLayoutBase::ZtLayoutBase;

    bool ignoring = false;
    QHash<int, int> seen;

    void doWheelEvent(ZtLayoutBase* obj, QWheelEvent* event) override
    {
        count(event);
        ZtLayoutBase::doWheelEvent(obj, event);
    }
    void doKeyPressEvent(ZtLayoutBase* obj, QKeyEvent* event) override
    {
        count(event);
        ZtLayoutBase::doKeyPressEvent(obj, event);
    }
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override
    {
        count(event);
        ZtLayoutBase::doKeyReleaseEvent(obj, event);
    }
    void doMousePressEvent(ZtLayoutBase* obj, QMouseEvent* event) override
    {
        count(event);
        ZtLayoutBase::doMousePressEvent(obj, event);
    }
    void doMouseReleaseEvent(ZtLayoutBase* obj, QMouseEvent* event) override
    {
        count(event);
        ZtLayoutBase::doMouseReleaseEvent(obj, event);
    }
    void doMouseDoubleClickEvent(ZtLayoutBase* obj, QMouseEvent* event) override
    {
        count(event);
        ZtLayoutBase::doMouseDoubleClickEvent(obj, event);
    }

private:
    void count(QEvent* event)
    {
        ++seen[event->type()];
        if (ignoring)
            event->ignore();
    }
};

// Events are handed to one panel directly; Qt's own propagation would bypass the relay.
void press(QWidget* w, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

}

class tst_ZtLayoutBase : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<bool>("withParent");
        QTest::addColumn<QString>("expected");
        QTest::newRow("under a parent") << true << QStringLiteral("Grid-Box-Main");
        QTest::newRow("alone") << false << QStringLiteral("Grid");
    }

    void names()
    {
        QFETCH(bool, withParent);
        QFETCH(QString, expected);
        Panel main(QStringLiteral("Main"), nullptr);
        Panel box(QStringLiteral("Box"), &main);
        Panel grid(QStringLiteral("Grid"), withParent ? &box : nullptr);
        QCOMPARE(grid.objectName(), expected);

        Panel fromMenu(QHash<QString, QString>{{"name", "ZXG"}, {"text", QStringLiteral("自选股")}}, &main);
        QCOMPARE(fromMenu.objectName(), QStringLiteral("ZXG"));
        QCOMPARE(fromMenu.getText(), QStringLiteral("自选股"));
    }

    void exportedVirtualSlots_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("expected");
        const int base = vslot(&ZtLayoutBase::doQNowDataUpdStock);
        QTest::newRow("reader: the read") << vslot(&DataReadBase::DataReadOnDataReadBaseThread) << 0;
        QTest::newRow("reader: runCheck") << vslot(&Reader::runCheck) << 1;
        QTest::newRow("market list: InitDataMarkets") << vslot(&ZtLayoutMarketBase::InitDataMarkets) << base + 1;
        QTest::newRow("market list: InitZHPM") << vslot(&ZtLayoutMarketBase::InitZHPM) << base + 2;
        QTest::newRow("market list: doDataRepaint") << vslot(&MarketList::doDataRepaint) << base + 3;
        QTest::newRow("series: doDataRepaint") << vslot(&ZtLayoutStockBase::doDataRepaint) << base + 1;
        QTest::newRow("series: doChildDataBind") << vslot(&ZtLayoutStockBase::doChildDataBind) << base + 2;
    }

    void exportedVirtualSlots()
    {
#if defined(Q_PROCESSOR_ARM) || defined(_MSC_VER)
        QSKIP("member pointers are laid out differently here");
#endif
        QFETCH(int, slot);
        QFETCH(int, expected);
        QCOMPARE(slot, expected);
    }

    void inputEventsBubbleWithTheirOrigin()
    {
        Panel top(QStringLiteral("Top"), nullptr);
        Panel middle(QStringLiteral("Middle"), &top);
        Panel leaf(QStringLiteral("Leaf"), &middle);
        QSignalSpy atTop(&top, &ZtLayoutBase::onKeyPressEvent);
        press(&leaf, Qt::Key_A);
        // Directly, inside the event: the handler at the top sees the leaf as origin.
        QCOMPARE(top.keyOrigins, QList<ZtLayoutBase*>{&leaf});
        QCOMPARE(middle.keyOrigins, QList<ZtLayoutBase*>{&leaf});
        QCOMPARE(atTop.count(), 1);

        middle.stop = true;
        press(&leaf, Qt::Key_B);
        QCOMPARE(top.keyOrigins.size(), 1);
    }

    // Spontaneous events through QApplication::notify, which hands an ignored
    // event to every parent widget: the relay alone may carry it up.
    void inputEventsGoUpOnlyByTheRelay_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("ignoring");
        QTest::newRow("wheel") << int(QEvent::Wheel) << false;
        QTest::newRow("wheel marked unhandled") << int(QEvent::Wheel) << true;
        QTest::newRow("key press marked unhandled") << int(QEvent::KeyPress) << true;
        QTest::newRow("key release marked unhandled") << int(QEvent::KeyRelease) << true;
        QTest::newRow("mouse press marked unhandled") << int(QEvent::MouseButtonPress) << true;
        QTest::newRow("mouse release marked unhandled") << int(QEvent::MouseButtonRelease) << true;
        QTest::newRow("double click marked unhandled") << int(QEvent::MouseButtonDblClick) << true;
    }

    void inputEventsGoUpOnlyByTheRelay()
    {
        QFETCH(int, type);
        QFETCH(bool, ignoring);
        InputCounter top(QStringLiteral("Top"), nullptr);
        InputCounter middle(QStringLiteral("Middle"), &top);
        InputCounter leaf(QStringLiteral("Leaf"), &middle);
        for (InputCounter* p : {&top, &middle}) {
            auto* layout = new QVBoxLayout(p);
            layout->setContentsMargins(10, 10, 10, 10);
        }
        top.layout()->addWidget(&middle);
        middle.layout()->addWidget(&leaf);
        leaf.ignoring = ignoring;
        middle.ignoring = ignoring;
        top.resize(200, 200);
        top.show();
        QVERIFY(QTest::qWaitForWindowExposed(&top));
        const QPoint pos = leaf.rect().center();
        switch (type) {
        case QEvent::Wheel:
            QVERIFY(SpontaneousInput::wheel(&leaf, pos, -120));
            break;
        case QEvent::KeyPress:
            QTest::keyPress(&leaf, Qt::Key_A);
            break;
        case QEvent::KeyRelease:
            QTest::keyRelease(&leaf, Qt::Key_A);
            break;
        case QEvent::MouseButtonPress:
            QTest::mousePress(&leaf, Qt::LeftButton, Qt::NoModifier, pos);
            break;
        case QEvent::MouseButtonRelease:
            QTest::mouseRelease(&leaf, Qt::LeftButton, Qt::NoModifier, pos);
            break;
        case QEvent::MouseButtonDblClick:
            QTest::mouseDClick(&leaf, Qt::LeftButton, Qt::NoModifier, pos);
            break;
        }
        QCOMPARE(leaf.seen.value(type), 1);
        QCOMPARE(middle.seen.value(type), 1);
        QCOMPARE(top.seen.value(type), 1);
    }

    void webRequestsTakeOnePassPerLevel()
    {
        Panel top(QStringLiteral("Top"), nullptr);
        Panel a(QStringLiteral("A"), &top);
        Panel b(QStringLiteral("B"), &a);
        Panel leaf(QStringLiteral("Leaf"), &b);
        const QStringList request = {QStringLiteral("行情"), QStringLiteral("hq"), QStringLiteral("tab"),
                                     QStringLiteral("https://127.0.0.1/a?b=c"), QStringLiteral("_self")};
        emit leaf.onGetOpenTab(request.at(0), request.at(1), request.at(2), request.at(3), request.at(4));
        QVERIFY(b.tabs.isEmpty());  // never inside the emitter's call
        const QList<Panel*> levels = {&b, &a, &top};
        for (int pass = 1; pass <= 3; ++pass) {
            QCoreApplication::sendPostedEvents();
            for (int level = 0; level < levels.size(); ++level)
                QCOMPARE(levels.at(level)->tabs.size(), level < pass ? 1 : 0);
        }
        QCOMPARE(top.tabs, QList<QStringList>{request});
    }

    void stockResetGoesDown()
    {
        Panel top(QStringLiteral("Top"), nullptr);
        Panel a(QStringLiteral("A"), &top);
        Panel a1(QStringLiteral("A1"), &a);
        Panel b(QStringLiteral("B"), &top);
        emit top.onResetUpdStock(ReaderTest::row(QStringLiteral("SZ000001")));
        // Each panel adopts the stock before its children, depth first in creation order.
        QCOMPARE(QStringList(a.adopted + a1.adopted + b.adopted),
                 (QStringList{QStringLiteral("A-Top:SZ000001"), QStringLiteral("A1-A-Top:SZ000001"),
                              QStringLiteral("B-Top:SZ000001")}));
        QVERIFY(top.adopted.isEmpty());

        a.doResetUpdStock(DQDUnionReader());
        QCOMPARE(a.adopted.size(), 1);
        QCOMPARE(a1.adopted.size(), 1);
    }

    void detachedPanelKeepsRequestsOnly()
    {
        Panel top(QStringLiteral("Top"), nullptr);
        Panel window(QStringLiteral("Window"), &top);
        window.disconnectZtLayoutBase(&top);
        QSignalSpy keys(&top, &ZtLayoutBase::onKeyPressEvent);
        QSignalSpy clicks(&top, &ZtLayoutBase::onMousePressEvent);
        QSignalSpy gotos(&top, &ZtLayoutBase::onGotoStock);
        press(&window, Qt::Key_A);
        QTest::mouseClick(&window, Qt::LeftButton);
        QCOMPARE(keys.count(), 0);
        QCOMPARE(clicks.count(), 0);
        emit window.onGotoStock(&window, ReaderTest::row(QStringLiteral("SH600000")), DQDDataList());
        QCOMPARE(gotos.count(), 1);
        QCOMPARE(gotos.first().at(3).value<enumStockSubType>(), StockSubType_Chart);
    }

    void focusFollowsShowAndHide_data()
    {
        QTest::addColumn<bool>("keyFocus");
        QTest::newRow("takes focus") << true;
        QTest::newRow("leaves focus alone") << false;
    }

    void focusFollowsShowAndHide()
    {
        QFETCH(bool, keyFocus);
        Panel top(QStringLiteral("Top"), nullptr);
        auto* edit = new QLineEdit(&top);
        Panel panel(QStringLiteral("Panel"), &top);
        panel.setFocusPolicy(Qt::StrongFocus);
        panel.setKeyFocus(keyFocus);
        panel.hide();
        top.show();
        QApplication::setActiveWindow(&top);
        QVERIFY(QTest::qWaitForWindowActive(&top));
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());

        panel.show();
        QTRY_COMPARE(panel.hasFocus(), keyFocus);
        QCOMPARE(edit->hasFocus(), !keyFocus);
        panel.hide();
        QVERIFY(!panel.hasFocus());
        QCOMPARE(edit->hasFocus(), !keyFocus);
    }

    void mainChildTakesThePanelsFocus()
    {
        Panel top(QStringLiteral("Top"), nullptr);
        Panel panel(QStringLiteral("Panel"), &top);
        panel.setFocusPolicy(Qt::StrongFocus);
        top.show();
        QApplication::setActiveWindow(&top);
        QVERIFY(QTest::qWaitForWindowActive(&top));
        auto* grid = new QLineEdit(&panel);
        grid->show();
        panel.setMainChildWidget(grid);
        QTRY_VERIFY(grid->hasFocus());
        top.setFocus();
        panel.setFocus();
        QTRY_VERIFY(grid->hasFocus());
    }
};

QTEST_MAIN(tst_ZtLayoutBase)
#include "tst_ztlayoutbase.moc"
