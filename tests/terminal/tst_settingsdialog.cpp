#include "settingsdialog.h"

#include <controls/ztpushbutton.h>
#include <controls/ztsyssetupwidget.h>
#include <frame/zttabwidget.h>
#include <pubcache/pubconfig.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QAbstractButton* option(SettingsDialog& dialog, const QString& text)
{
    for (ZtSysSetupWidget* page : dialog.pages()) {
        const auto list = page->getList();
        for (auto it = list.begin(); it != list.end(); ++it)
            if (it.value().text() == text)
                return it.key();
    }
    return nullptr;
}

bool stored(int number)
{
    return PubConfig::ReadConfig("SysSetupInfo", QStringLiteral("Sys%1").arg(number)).toBool();
}

// Brings the tab holding the widget on screen, laid out.
void showTabOf(SettingsDialog& dialog, QWidget* widget)
{
    for (int i = 0; i < dialog.tabs()->count(); ++i)
        if (dialog.tabs()->widget(i)->isAncestorOf(widget))
            dialog.tabs()->setCurrentIndex(i);
    QTRY_VERIFY(widget->isVisible());
    // The page just shown is laid out on the next pass of the event loop.
    QTRY_VERIFY(widget->width() > 1);
    QCoreApplication::sendPostedEvents();
}

void click(SettingsDialog& dialog, QWidget* widget)
{
    showTabOf(dialog, widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

}

// The demo's settings dialog on the shipped pages, writing to a temporary config folder.
class tst_SettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        PubConfig::setConfigDir(mDir->path());
    }

    void cleanupTestCase() { PubConfig::setConfigDir(QString()); }

    void pagesFromTheShippedDefinitions()
    {
        SettingsDialog dialog(nullptr);
        const auto definitions = PubConfig::getSysSetupList();
        QVERIFY(definitions.size() >= 2);
        QCOMPARE(dialog.tabs()->count(), definitions.size() + 1);
        QCOMPARE(dialog.pages().size(), definitions.size() + 1);
        QCOMPARE(dialog.pages().last()->findChild<QLabel*>()->text(), QStringLiteral("● 修改密码"));
        // Every option shows its shipped default.
        for (const SysTitleInfo& page : definitions)
            for (const auto& section : page.getList())
                for (const SysContentInfo& o : section.second)
                    if (QAbstractButton* b = option(dialog, o.text()))
                        QCOMPARE(b->isChecked(), stored(o.getData()));
    }

    // "确定" on one page keeps the changes made on every page, and they are read back
    // from the file by a new dialog; "取消" keeps nothing.
    void confirmWritesEveryPageCancelNone_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("written");
        QTest::newRow("确定") << "BtnConfirm" << true;
        QTest::newRow("取消") << "BtnCancel" << false;
    }

    void confirmWritesEveryPageCancelNone()
    {
        QFETCH(QString, button);
        QFETCH(bool, written);
        const bool autoStart = stored(101);
        QVERIFY(stored(401) && !stored(402));

        QPointer<SettingsDialog> dialog = new SettingsDialog(nullptr);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QSignalSpy saved(dialog.data(), &SettingsDialog::onSaved);
        click(*dialog, option(*dialog, "开机自动启动"));
        click(*dialog, option(*dialog, "绿涨红跌"));
        QVERIFY(!option(*dialog, "红涨绿跌")->isChecked());
        // The buttons of the page on screen (the colour page).
        ZtPushButton* target = nullptr;
        for (ZtPushButton* b : dialog->findChildren<ZtPushButton*>(button))
            target = b->isVisible() ? b : target;
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull() || !dialog->isVisible());
        QCOMPARE(saved.count(), written ? 1 : 0);

        PubConfig::reload();
        QCOMPARE(stored(101), written ? !autoStart : autoStart);
        QCOMPARE(stored(402), written);
        QCOMPARE(stored(401), !written);
        SettingsDialog again(nullptr);
        QCOMPARE(option(again, "开机自动启动")->isChecked(), stored(101));
        QCOMPARE(option(again, "绿涨红跌")->isChecked(), written);
        delete dialog;
    }

    void passwordLinkAsksForTheChange()
    {
        SettingsDialog dialog(nullptr);
        dialog.resize(640, 460);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy asked(&dialog, &SettingsDialog::onChangePassword);
        QLabel* link = nullptr;
        for (QLabel* l : dialog.pages().last()->findChildren<QLabel*>())
            link = l->text().contains("href") ? l : link;
        showTabOf(dialog, link);
        const int textWidth = link->fontMetrics().horizontalAdvance(QStringLiteral("修改登录密码"));
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(link->contentsRect().left() + textWidth / 2, link->height() / 2));
        QCOMPARE(asked.count(), 1);
    }

private:
    QScopedPointer<QTemporaryDir> mDir;
};

QTEST_MAIN(tst_SettingsDialog)
#include "tst_settingsdialog.moc"
