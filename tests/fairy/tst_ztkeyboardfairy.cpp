#include "keyboardreference.h"

#include <controls/ztpushbutton.h>
#include <fairy/ztkeyboardfairy.h>
#include <fairy/ztkeylineedit.h>
#include <fairy/ztkeytablewidget.h>
#include <framework/ztlayoutbase.h>
#include <pubcache/pubcache.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QSignalSpy>
#include <QtTest>

namespace {

DQDReader stockRow(const QString& market, const QString& code, const QString& name, ZtE_ZQLX type)
{
    DQDReader row;
    row.setValue(ZtField::Market, market);
    row.setValue(ZtField::Code, code);
    row.setValue(ZtField::UniqueCode, market + code);
    row.setValue(ZtField::Name, name);
    row.setValue(ZtField::Type, int(type));
    return row;
}

void addStock(QList<UserKeyBoard>& list, const QString& market, const QString& code, const QString& initials,
              const QString& name, const QString& type, ZtE_ZQLX zqlx)
{
    list.append(UserKeyBoard(list.size(), code + QLatin1Char('|') + initials, market + code, code, name, type,
                             ZtXMLMenu(), stockRow(market, code, name, zqlx)));
}

// A small market in cache order, with a function and an indicator.
QList<UserKeyBoard> sampleKeyboard()
{
    const QString a = QStringLiteral("A股");
    QList<UserKeyBoard> list;
    addStock(list, "SH", "600000", "PFYH", QStringLiteral("浦发银行"), a, ZtE_ZQLX_AShare);
    addStock(list, "SZ", "000001", "PAYH", QStringLiteral("平安银行"), a, ZtE_ZQLX_AShare);
    addStock(list, "SH", "000001", "SZZS", QStringLiteral("上证指数"), QStringLiteral("指数"), ZtE_ZQLX_Index);
    addStock(list, "SZ", "399001", "SZCZ", QStringLiteral("深证成指"), QStringLiteral("指数"), ZtE_ZQLX_Index);
    addStock(list, "SH", "601318", "ZGPA", QStringLiteral("中国平安"), a, ZtE_ZQLX_AShare);
    addStock(list, "SH", "900901", "YSB", QStringLiteral("云赛B股"), QStringLiteral("B股"), ZtE_ZQLX_BShare);
    addStock(list, "BK", "BK0001", "YH", QStringLiteral("银行"), QStringLiteral("板块"), ZtE_ZQLX_Index);
    addStock(list, "SZ", "300999", "JJ", QStringLiteral("九九科技"), a, ZtE_ZQLX_AShare);
    const ZtXMLMenu zxg(QHash<QString, QString>{{"name", "FuncZxg"}, {"text", QStringLiteral("自选股")}});
    list.append(UserKeyBoard(list.size(), "06|ZXG", "FUNCZXG", "06", QStringLiteral("自选股"),
                             QStringLiteral("功能"), zxg));
    list.append(UserKeyBoard(list.size(), "XX", "XX", "XX", QStringLiteral("空白"), QStringLiteral("其他")));
    return list;
}

QList<UserKeyBoard> keyboardOf(const QVector<KeyboardSample>& samples)
{
    QList<UserKeyBoard> list;
    for (const KeyboardSample& e : samples)
        list.append(UserKeyBoard(list.size(), e.keys, e.secondKey, e.code, e.name, e.type));
    return list;
}

QStringList column(const ZtKeyTableWidget* table, int col)
{
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << (table->item(r, col) ? table->item(r, col)->text() : QString());
    return out;
}

}

static QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot raise the list's tool-tip window and says so each time.
static void quietRaise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("does not support raise()")))
        return;
    previousHandler(type, context, message);
}

class tst_ZtKeyboardFairy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler(quietRaise);
    }

    void init()
    {
        PubCache::mUserKeyboard = sampleKeyboard();
        DQDDataList all;
        for (const UserKeyBoard& k : PubCache::mUserKeyboard) {
            if (!k.getStock().isEmpty())
                all.append(k.getStock());
        }
        PubCache::mDataQueryAll = all;
    }

    void cleanup()
    {
        delete mWindow;
        mWindow = nullptr;
        PubCache::mUserKeyboard.clear();
        PubCache::mDataQueryAll.clear();
    }

    void resultOrder_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("filter");
        QTest::addColumn<QStringList>("names");

        // 平安银行 starts with the input, 浦发银行 and 九九科技 hold it at 1, 云赛B股 is a
        // B share at 1; the indices hold it at 0 and 3 and stay behind with the sector.
        QTest::newRow("code prefix before position 1, index only at 1")
            << "00" << QStringList{}
            << QStringList{QStringLiteral("平安银行"), QStringLiteral("浦发银行"), QStringLiteral("九九科技"),
                           QStringLiteral("云赛B股"),  QStringLiteral("上证指数"), QStringLiteral("深证成指"),
                           QStringLiteral("银行")};
        QTest::newRow("no match") << "QQ" << QStringList{} << QStringList{};
        // Filter words drop entries by type: the sector 银行 and the function 06.
        const QStringList filter{QStringLiteral("板块"), QStringLiteral("功能")};
        QTest::newRow("sector filtered") << QStringLiteral("银行") << filter
                                         << QStringList{QStringLiteral("浦发银行"), QStringLiteral("平安银行")};
        QTest::newRow("function filtered") << "06" << filter << QStringList{};
    }

    void resultOrder()
    {
        QFETCH(QString, input);
        QFETCH(QStringList, filter);
        QFETCH(QStringList, names);
        open();
        mFairy->setFiltrationTxt(filter);
        type(input);
        QCOMPARE(column(mList, 1), names);
        QVERIFY(mList->isVisible());
        QCOMPARE(mList->currentRow(), names.isEmpty() ? -1 : 0);
    }

    void listChangesBetweenSearches()
    {
        open();
        QTest::keyClicks(mField, "PF");
        QCOMPARE(mList->rowCount(), 1);
        // The cache rebuilds its list; the next keystroke sees the new one.
        QList<UserKeyBoard> list;
        addStock(list, "SH", "600001", "PFXX", QStringLiteral("新浦发"), QStringLiteral("A股"), ZtE_ZQLX_AShare);
        addStock(list, "SH", "600002", "PFYY", QStringLiteral("又浦发"), QStringLiteral("A股"), ZtE_ZQLX_AShare);
        PubCache::mUserKeyboard = list;
        QTest::keyClick(mField, Qt::Key_X);
        QCOMPARE(column(mList, 1), QStringList{QStringLiteral("新浦发")});
        // A change in place counts as well.
        PubCache::mUserKeyboard[1] = UserKeyBoard(1, "PFX", "SH600002", "600002", QStringLiteral("改名"),
                                                  QStringLiteral("A股"), ZtXMLMenu(), list.at(1).getStock());
        QTest::keyClick(mField, Qt::Key_Backspace);
        QTest::keyClick(mField, Qt::Key_X);
        QCOMPARE(column(mList, 1), (QStringList{QStringLiteral("改名"), QStringLiteral("新浦发")}));
    }

    // The index of a new list is built aside; keystrokes before and after it is in
    // show the same ranking, and a build for a list replaced meanwhile is not used.
    void indexBuiltAside()
    {
        const QVector<KeyboardSample> samples = generatedKeyboardEntries(3000, 6);
        PubCache::mUserKeyboard = keyboardOf(generatedKeyboardEntries(3000, 5));
        open();
        PubCache::mUserKeyboard = keyboardOf(samples);
        const QStringList inputs{"6", "60", "600", "S", "SH6"};
        auto check = [&] {
            for (const QString& input : inputs) {
                QTest::keyClick(mField, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(mField, Qt::Key_Backspace);
                type(input.toLower());
                const QVector<int> expected = referenceKeyboardSearch(samples, input, {}).mid(0, 501);
                QVector<int> shown;
                for (int r = 0; r < mList->rowCount(); ++r)
                    shown << mList->item(r, 0)->data(Qt::UserRole).toInt();
                QVERIFY(!expected.isEmpty());
                QCOMPARE(shown, expected);
            }
        };
        check();
        QTRY_VERIFY(ZtKeyboardFairy::isSearchIndexReady());
        check();
    }

    void rowCap()
    {
        QList<UserKeyBoard> list;
        for (int i = 0; i < 600; ++i)
            addStock(list, "SH", QStringLiteral("6%1").arg(i, 5, 10, QLatin1Char('0')), "GP", QStringLiteral("股票"),
                     QStringLiteral("A股"), ZtE_ZQLX_AShare);
        PubCache::mUserKeyboard = list;
        open();
        QTest::keyClicks(mField, "GP");
        QCOMPARE(mList->rowCount(), 501);
        QCOMPARE(mList->item(500, 0)->text(), QStringLiteral("600500"));
    }

    void upDownWrap()
    {
        open();
        QTest::keyClicks(mField, "00");
        const int last = mList->rowCount() - 1;
        QVERIFY(last > 1);
        QCOMPARE(mList->currentRow(), 0);
        QTest::keyClick(mField, Qt::Key_Up);
        QCOMPARE(mList->currentRow(), last);
        QTest::keyClick(mField, Qt::Key_Down);
        QCOMPARE(mList->currentRow(), 0);
        QTest::keyClick(mField, Qt::Key_Down);
        QCOMPARE(mList->currentRow(), 1);
    }

    // While the list is open, Up and Down presses are the fairy's; every other
    // press goes on to the parent.
    void pressesLeftToTheParent_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("reachesParent");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << true;
        QTest::newRow("Up") << int(Qt::Key_Up) << false;
        QTest::newRow("Down") << int(Qt::Key_Down) << false;
    }

    void pressesLeftToTheParent()
    {
        QFETCH(int, key);
        QFETCH(bool, reachesParent);
        open();
        QTest::keyClicks(mField, "00");
        QVERIFY(mList->isVisible());
        QVERIFY(mList->currentItem());
        struct Recorder : QObject
        {
            QList<int> presses;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::KeyPress)
                    presses << static_cast<QKeyEvent*>(event)->key();
                return false;
            }
        } parent;
        mWindow->installEventFilter(&parent);
        QTest::keyPress(mField, Qt::Key(key));
        QCOMPARE(parent.presses, reachesParent ? QList<int>{key} : QList<int>());
        // The fairy still acts on the release.
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);
        QTest::keyRelease(mField, Qt::Key(key));
        QCOMPARE(closeSpy.count() > 0, reachesParent);
    }

    void choosing_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<bool>("byClick");
        QTest::newRow("goto, Enter") << false << false;
        QTest::newRow("goto, click") << false << true;
        QTest::newRow("simple, Enter") << true << false;
        QTest::newRow("simple, click") << true << true;
    }

    void choosing()
    {
        QFETCH(bool, simple);
        QFETCH(bool, byClick);
        open();
        mFairy->setIsSimple(simple);
        QSignalSpy gotoSpy(mFairy, &ZtKeyboardFairy::onGotoStock);
        QSignalSpy focusSpy(mFairy, &ZtKeyboardFairy::onFocusStock);
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);

        QTest::keyClicks(mField, "00");
        QTest::keyClick(mField, Qt::Key_Down);  // 浦发银行
        if (byClick) {
            const QRect cell = mList->visualItemRect(mList->item(1, 1));
            QTest::mouseClick(mList->viewport(), Qt::LeftButton, {}, cell.center());
        } else {
            QTest::keyClick(mField, Qt::Key_Return);
        }

        QCOMPARE(gotoSpy.count(), simple ? 0 : 1);
        QCOMPARE(focusSpy.count(), simple ? 1 : 0);
        const DQDUnionReader row = simple ? focusSpy.at(0).at(0).value<DQDUnionReader>()
                                          : gotoSpy.at(0).at(1).value<DQDUnionReader>();
        QCOMPARE(row.getUniqueValue(0), QStringLiteral("SH600000"));
        if (!simple) {
            QCOMPARE(gotoSpy.at(0).at(0).value<ZtLayoutBase*>(), nullptr);
            QVERIFY(gotoSpy.at(0).at(2).value<DQDDataList>().sharesDataWith(PubCache::mDataQueryAll));
            QCOMPARE(gotoSpy.at(0).at(3).value<enumStockSubType>(), enumStockSubType(0));
        }
        QVERIFY(closeSpy.count() >= 1);
        QVERIFY(mList->isHidden());
        QCOMPARE(mList->rowCount(), 0);
        QCOMPARE(mField->text(), QString());
        QVERIFY(!mField->hasFocus());
    }

    // Every way out that opens no stock closes the list and empties the field.
    void closingWithoutAStock_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("replaceList");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Escape") << "00" << 7 << int(Qt::Key_Escape) << false << "";
        QTest::newRow("Enter without a match") << "QQ" << 0 << int(Qt::Key_Enter) << false << "";
        QTest::newRow("menu entry") << "06" << 1 << int(Qt::Key_Enter) << false << "FuncZxg";
        QTest::newRow("neither stock nor menu") << "XX" << 1 << int(Qt::Key_Return) << false << "";
        // The cache reloads while the list is open: the row's index now names another security.
        QTest::newRow("list replaced") << "PFYH" << 1 << int(Qt::Key_Return) << true << "";
    }

    void closingWithoutAStock()
    {
        QFETCH(QString, input);
        QFETCH(int, rows);
        QFETCH(int, key);
        QFETCH(bool, replaceList);
        QFETCH(QString, menu);
        open();
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);
        QSignalSpy gotoSpy(mFairy, &ZtKeyboardFairy::onGotoStock);
        QSignalSpy menuSpy(mFairy, &ZtKeyboardFairy::onFocusXmlData);
        QTest::keyClicks(mField, input);
        QVERIFY(mList->isVisible());
        QCOMPARE(mList->rowCount(), rows);
        if (replaceList) {
            QList<UserKeyBoard> list;
            addStock(list, "SZ", "000002", "WKA", QStringLiteral("万科A"), QStringLiteral("A股"), ZtE_ZQLX_AShare);
            PubCache::mUserKeyboard = list;
        }
        QTest::keyClick(mField, Qt::Key(key));
        QCOMPARE(gotoSpy.count(), 0);
        QCOMPARE(menuSpy.count(), menu.isEmpty() ? 0 : 1);
        if (!menu.isEmpty())
            QCOMPARE(menuSpy.at(0).at(0).value<ZtXMLMenu>().getName(), menu);
        QVERIFY(closeSpy.count() >= 1);
        QVERIFY(mList->isHidden());
        QCOMPARE(mField->text(), QString());
    }

    void clearOnPickFalseKeepsChoice()
    {
        open(false, false);
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);
        QTest::keyClicks(mField, "pfyh");
        QTest::keyClick(mField, Qt::Key_Return);
        QCOMPARE(mField->text(), QStringLiteral("600000 浦发银行"));
        QVERIFY(mList->isHidden());
        mFairy->close();
        QCOMPARE(mField->text(), QStringLiteral("600000 浦发银行"));

        // Typing again starts a new search, still held to eight characters.
        mFairy->setFocus();
        QTest::keyClicks(mField, "zgpa12345");
        QCOMPARE(mField->text(), QStringLiteral("ZGPA1234"));
        mField->setText("ZGPA");
        QCOMPARE(column(mList, 1), QStringList{QStringLiteral("中国平安")});
    }

    void focusLoss_data()
    {
        QTest::addColumn<QString>("cursorAt");
        QTest::addColumn<bool>("closes");
        QTest::newRow("elsewhere") << "elsewhere" << true;
        QTest::newRow("over the list") << "list" << false;
        QTest::newRow("over the button") << "button" << false;
    }

    void focusLoss()
    {
        QFETCH(QString, cursorAt);
        QFETCH(bool, closes);
        open();
        auto* other = new QLineEdit(mWindow);
        other->setGeometry(10, 200, 100, 20);
        other->show();
        mFairy->setFocus();
        QVERIFY(mField->hasFocus());
        QTest::keyClicks(mField, "00");
        QVERIFY(mList->isVisible());

        if (cursorAt == "list")
            QCursor::setPos(mList->mapToGlobal(QPoint(20, 10)));
        else if (cursorAt == "button")
            QCursor::setPos(mButton->mapToGlobal(mButton->rect().center()));
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);
        other->setFocus(Qt::MouseFocusReason);
        QVERIFY(!mField->hasFocus());

        QCOMPARE(mList->isVisible(), !closes);
        QCOMPARE(closeSpy.count(), closes ? 1 : 0);
        QCOMPARE(mField->text(), closes ? QString() : QStringLiteral("00"));
    }

    void dropDownButton()
    {
        open();
        QSignalSpy closeSpy(mFairy, &ZtKeyboardFairy::onClose);
        QTest::mouseClick(mButton, Qt::LeftButton);
        QVERIFY(mList->isVisible());
        QVERIFY(mField->hasFocus());
        QTest::mouseClick(mButton, Qt::LeftButton);
        QVERIFY(mList->isHidden());
        QCOMPARE(closeSpy.count(), 1);

        // Emptying the field hides the list without closing.
        QTest::keyClicks(mField, "00");
        QTest::keyClick(mField, Qt::Key_Backspace);
        QTest::keyClick(mField, Qt::Key_Backspace);
        QVERIFY(mList->isHidden());
        QCOMPARE(closeSpy.count(), 1);

        // Disabling hides an open list.
        QTest::keyClicks(mField, "00");
        QVERIFY(mList->isVisible());
        mFairy->setEnabled(false);
        QVERIFY(mList->isHidden());
        QCOMPARE(mList->rowCount(), 0);
    }

    void keyBoardFocusIn_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("field");

        QTest::newRow("digit") << int(Qt::Key_7) << "7" << true << "7";
        QTest::newRow("letter") << int(Qt::Key_K) << "K" << true << "K";
        QTest::newRow("lower-case letter") << int(Qt::Key_K) << "k" << true << "K";
        QTest::newRow("letter without text") << int(Qt::Key_K) << "" << true << "";
        QTest::newRow("plus") << int(Qt::Key_Plus) << "+" << false << "";
        QTest::newRow("arrow") << int(Qt::Key_Down) << "" << false << "";
        QTest::newRow("digit without text") << int(Qt::Key_7) << "" << false << "";
    }

    void keyBoardFocusIn()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QFETCH(QString, field);
        open();
        mField->clearFocus();
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCOMPARE(mFairy->doKeyBoardFocusIn(&event), taken);
        QCOMPARE(mField->text(), field);
        QCOMPARE(mField->hasFocus(), taken);
        QCOMPARE(mList->isVisible(), !field.isEmpty());
        QVERIFY(!mFairy->doKeyBoardFocusIn(nullptr));
    }

private:
    void open(bool isMain = true, bool clearOnPick = true)
    {
        delete mWindow;
        mWindow = new QWidget;
        mWindow->setGeometry(100, 100, 400, 300);
        mFairy = new ZtKeyboardFairy(mWindow, isMain, clearOnPick);
        mFairy->setGeometry(10, 10, 200, 24);
        mField = mFairy->findChild<ZtKeyLineEdit*>();
        mList = mFairy->findChild<ZtKeyTableWidget*>();
        mButton = mFairy->findChild<ZtPushButton*>();
        QVERIFY(mField && mList && mButton);
        mWindow->show();
        QVERIFY(QTest::qWaitForWindowExposed(mWindow));
        mWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mWindow));
        // Keep the mouse away from the list and the button.
        QCursor::setPos(mWindow->mapToGlobal(QPoint(390, 290)));
    }

    // Key clicks for Latin text; an input method's commit for the rest.
    void type(const QString& text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(mField, c.toLatin1());
            } else {
                QInputMethodEvent event;
                event.setCommitString(QString(c));
                QApplication::sendEvent(mField, &event);
            }
        }
    }

    QWidget* mWindow = nullptr;
    ZtKeyboardFairy* mFairy = nullptr;
    ZtKeyLineEdit* mField = nullptr;
    ZtKeyTableWidget* mList = nullptr;
    ZtPushButton* mButton = nullptr;
};

QTEST_MAIN(tst_ZtKeyboardFairy)
#include "tst_ztkeyboardfairy.moc"
