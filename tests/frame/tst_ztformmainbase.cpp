#include <controls/ztpushbutton.h>
#include <frame/ztformmaine.h>
#include <frame/ztformmainbase.h>
#include <frame/ztformtitle.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

static void sendMouse(QWidget* target, QEvent::Type type, const QPoint& local, Qt::MouseButton button,
                      Qt::MouseButtons buttons)
{
    QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class tst_ZtFormMainBase : public QObject
{
    Q_OBJECT

private slots:
    void onlyCloseButtonAfterConstruction()
    {
        ZtFormMainBase form;
        ZtFormTitle* title = form.getFormTitle();
        QVERIFY(title->topButton()->isHidden());
        QVERIFY(title->minButton()->isHidden());
        QVERIFY(title->maxButton()->isHidden());
        QVERIFY(!title->closeButton()->isHidden());
        QCOMPARE(title->windowTitleText(), form.windowTitle());
    }

    void doubleClickNeedsMaximiseButton()
    {
        ZtFormMainBase form;
        form.resize(300, 200);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        ZtFormTitle* title = form.getFormTitle();
        QTest::mouseDClick(title->titleLabel(), Qt::LeftButton);
        QVERIFY(!form.isMaximized());

        form.setMaxMinmizeBtn(true);
        QTest::mouseDClick(title->titleLabel(), Qt::LeftButton);
        QTRY_VERIFY(form.isMaximized());
        QCOMPARE(title->maxButton()->toolTip(), QStringLiteral("还原"));
        QTest::mouseClick(title->maxButton(), Qt::LeftButton);
        QTRY_VERIFY(!form.isMaximized());
        QCOMPARE(title->maxButton()->toolTip(), QStringLiteral("最大化"));
    }

    void escape_data()
    {
        QTest::addColumn<bool>("closeShown");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("passedOn");
        QTest::newRow("escape closes") << true << int(Qt::Key_Escape) << int(Qt::NoModifier) << true << false;
        QTest::newRow("escape without close button does nothing")
            << false << int(Qt::Key_Escape) << int(Qt::NoModifier) << false << false;
        QTest::newRow("alt+f4 swallowed") << true << int(Qt::Key_F4) << int(Qt::AltModifier) << false << false;
        QTest::newRow("other keys go on") << true << int(Qt::Key_A) << int(Qt::NoModifier) << false << true;
    }

    void escape()
    {
        QFETCH(bool, closeShown);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, passedOn);
        QPointer<ZtFormMainBase> form = new ZtFormMainBase;
        form->setClosemizeBtn(closeShown);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QSignalSpy closed(form.data(), &ZtFormMainBase::onChildWindowClose);
        QSignalSpy relayed(form.data(), &ZtLayoutBase::onKeyReleaseEvent);

        QKeyEvent release(QEvent::KeyRelease, key, Qt::KeyboardModifiers(modifiers));
        QApplication::sendEvent(form.data(), &release);
        QCOMPARE(closed.count(), closes ? 1 : 0);
        QCOMPARE(relayed.count(), passedOn ? 1 : 0);
        if (closes) {
            QTRY_VERIFY(form.isNull());
        } else {
            QVERIFY(form->isVisible());
            delete form;
        }
    }

    void dialogCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("byCloseButton");
        QTest::newRow("close button returns 0") << 0 << true;
        QTest::newRow("setDialogCode(2) returns 2") << 2 << false;
    }

    void dialogCode()
    {
        QFETCH(int, code);
        QFETCH(bool, byCloseButton);
        QPointer<ZtFormMainBase> form = new ZtFormMainBase;
        QTimer::singleShot(0, form, [&] {
            if (byCloseButton)
                QTest::mouseClick(form->getFormTitle()->closeButton(), Qt::LeftButton);
            else
                form->setDialogCode(code);
        });
        QCOMPARE(form->showDialog(), code);
        QVERIFY(form->windowFlags() & Qt::Dialog);
        QTRY_VERIFY(form.isNull());
    }

    void centresOverParent_data()
    {
        QTest::addColumn<bool>("parentIsForm");
        QTest::newRow("parent window is a frameless window") << true;
        QTest::newRow("parent panel inside the main window") << false;
    }

    void centresOverParent()
    {
        QFETCH(bool, parentIsForm);
        ZtLayoutBase main(QStringLiteral("Main"), nullptr);
        main.setGeometry(0, 0, 800, 600);
        auto* panel = new ZtLayoutBase(QStringLiteral("Panel"), &main);
        panel->setGeometry(500, 400, 200, 100);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));

        ZtLayoutBase* parent = panel;
        QPointer<ZtFormMainBase> outer;
        if (parentIsForm) {
            outer = new ZtFormMainBase(&main);
            outer->resize(400, 300);
            outer->showOut();
            QVERIFY(QTest::qWaitForWindowExposed(outer));
            outer->move(100, 50);
            QTRY_COMPARE(outer->pos(), QPoint(100, 50));
            parent = outer;
        }
        QPointer<ZtFormMainBase> child = new ZtFormMainBase(parent);
        child->resize(101, 100);
        child->showOut();
        QVERIFY(QTest::qWaitForWindowExposed(child));
        QWidget* reference = parentIsForm ? static_cast<QWidget*>(outer.data()) : &main;
        const QPoint expected = reference->pos()
            + QPoint((reference->width() - child->width()) / 2, (reference->height() - child->height()) / 2);
        QTRY_COMPARE(child->pos(), expected);
        delete child;
        delete outer;
    }

    void drag_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::newRow("normal window follows the title") << false;
        QTest::newRow("maximised window stays") << true;
    }

    void drag()
    {
        QFETCH(bool, maximised);
        ZtFormMainBase form;
        form.setGeometry(100, 100, 300, 200);
        form.setMaxMinmizeBtn(true);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (maximised) {
            QTest::mouseClick(form.getFormTitle()->maxButton(), Qt::LeftButton);
            QTRY_VERIFY(form.isMaximized());
        }
        const QPoint before = form.pos();
        QLabel* handle = form.getFormTitle()->titleLabel();
        const QPoint start(5, 5);
        sendMouse(handle, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
        sendMouse(handle, QEvent::MouseMove, start + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        sendMouse(handle, QEvent::MouseButtonRelease, start + QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(form.pos(), maximised ? before : before + QPoint(30, 20));

        // After the release, moves no longer drag.
        const QPoint after = form.pos();
        sendMouse(handle, QEvent::MouseMove, start + QPoint(60, 60), Qt::NoButton, Qt::NoButton);
        QCOMPARE(form.pos(), after);
    }

    void titleWidgetGaps_data()
    {
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("gap");
        QTest::newRow("first, positive spacing gives 10") << true << 5 << 10;
        QTest::newRow("last, positive spacing gives itself") << false << 5 << 5;
        QTest::newRow("first, no spacing") << true << 0 << -1;
        QTest::newRow("last, no spacing") << false << 0 << -1;
    }

    void titleWidgetGaps()
    {
        QFETCH(bool, first);
        QFETCH(int, spacing);
        QFETCH(int, gap);
        ZtFormMainBase form;
        auto* w = new QLabel(QStringLiteral("w"));
        const int itemsBefore = form.getFormTitle()->boxLayout()->count();
        if (first)
            form.setTitleFirstWidget(w, spacing);
        else
            form.setTitleLastWidget(w, spacing);
        QHBoxLayout* box = form.getFormTitle()->boxLayout();
        QCOMPARE(w->height(), form.getWindowTitleHeight());
        const int at = box->indexOf(w);
        QVERIFY(at < box->indexOf(form.getFormTitle()->topButton()));
        if (first)
            QVERIFY(at > box->indexOf(form.getFormTitle()->iconLabel())
                    && at < box->indexOf(form.getFormTitle()->titleLabel()));
        else
            QVERIFY(at > box->indexOf(form.getFormTitle()->titleLabel()));
        QCOMPARE(box->count(), itemsBefore + (gap > 0 ? 2 : 1));
        if (gap > 0)
            QCOMPARE(box->itemAt(at - 1)->spacerItem()->sizeHint().width(), gap);
    }

    void objectNameNamesBody()
    {
        ZtFormMainBase form(nullptr, false, QStringLiteral("BodyA"));
        QCOMPARE(form.getFormMaine()->objectName(), QStringLiteral("BodyA"));
        form.setObjectName(QStringLiteral("BodyB"));
        QCOMPARE(form.getFormMaine()->objectName(), QStringLiteral("BodyB"));
        QVERIFY(form.QWidget::objectName().isEmpty());
        auto* content = new QHBoxLayout;
        form.setLayout(content);
        QCOMPARE(form.getFormMaine()->layout(), content);
    }
};

QTEST_MAIN(tst_ZtFormMainBase)
#include "tst_ztformmainbase.moc"
