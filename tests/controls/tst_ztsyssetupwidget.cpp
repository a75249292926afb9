#include <controls/ztpushbutton.h>
#include <controls/ztsyssetupwidget.h>

#include <pubcache/pubconfig.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

SysContentInfo option(const QString& text, enumXmlType type, int number)
{
    return SysContentInfo(text, type, enumSysSetup(number));
}

QAbstractButton* buttonFor(const ZtSysSetupWidget& page, const QString& text)
{
    const auto list = page.getList();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it.value().text() == text)
            return it.key();
    }
    return nullptr;
}

}

class tst_ZtSysSetupWidget : public QObject
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

    // What the page shows for a stored value: only a true value checks the option.
    void storedValues_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("missing") << QVariant() << false;
        QTest::newRow("true") << QVariant(true) << true;
        QTest::newRow("false") << QVariant(false) << false;
        QTest::newRow("text true") << QVariant(QStringLiteral("true")) << true;
        QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << false;
        QTest::newRow("empty text") << QVariant(QString()) << false;
    }

    void storedValues()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, checked);
        // 9001 is shipped with no default, so only what we write here decides.
        if (stored.isValid())
            QVERIFY(PubConfig::WriteConfig("SysSetupInfo", "Sys9001", stored));
        for (const enumXmlType type : {XmlType_CheckBox, XmlType_RadioButton}) {
            ZtSysSetupWidget page;
            page.addTab(SysTitleInfo("页", {{"节", {option("选项", type, 9001)}}}));
            QAbstractButton* button = buttonFor(page, "选项");
            QVERIFY(button);
            QCOMPARE(button->isChecked(), checked);
            QCOMPARE(bool(qobject_cast<QRadioButton*>(button)), type == XmlType_RadioButton);
        }
    }

    // Text lines show but are not options; unknown kinds show nothing.
    void optionKinds()
    {
        ZtSysSetupWidget page;
        page.addTab(SysTitleInfo("常规设置", {{"界面", {option("甲", XmlType_CheckBox, 201),
                                                          option("说明文字", XmlType_Label, 0),
                                                          option("无", XmlType_Button, 202),
                                                          option("乙", XmlType_CheckBox, 203)}}}));
        QCOMPARE(page.getList().size(), 2);
        QCOMPARE(page.findChild<QLabel*>()->text(), QStringLiteral("● 常规设置"));
        const auto labels = page.findChildren<QLabel*>();
        QStringList texts;
        for (QLabel* l : labels)
            texts << l->text();
        QVERIFY(texts.contains("说明文字"));
        QVERIFY(!texts.contains("无"));
    }

    // Radio buttons of all sections of a page are one exclusive set.
    void radiosAreOneSetPerPage()
    {
        ZtSysSetupWidget page;
        page.addTab(SysTitleInfo("颜色设置", {{"涨跌颜色", {option("红涨绿跌", XmlType_RadioButton, 401),
                                                            option("绿涨红跌", XmlType_RadioButton, 402)}},
                                              {"其他", {option("第三种", XmlType_RadioButton, 9002)}}}));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QAbstractButton* red = buttonFor(page, "红涨绿跌");
        QAbstractButton* third = buttonFor(page, "第三种");
        QVERIFY(red->isChecked());
        QTest::mouseClick(third, Qt::LeftButton, {}, QPoint(8, third->height() / 2));
        QVERIFY(third->isChecked());
        QVERIFY(!red->isChecked());
        QVERIFY(!buttonFor(page, "绿涨红跌")->isChecked());
    }

    // The host hears of a button after its click handler has returned, once per click.
    void buttonsReportAfterTheClick_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("确定") << "BtnConfirm" << true;
        QTest::newRow("取消") << "BtnCancel" << false;
    }

    void buttonsReportAfterTheClick()
    {
        QFETCH(QString, button);
        QFETCH(bool, confirm);
        ZtSysSetupWidget page;
        page.addTab(SysTitleInfo("页", {{"节", {option("甲", XmlType_CheckBox, 9003)}}}));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* target = page.findChild<ZtPushButton*>(button);
        QVERIFY(target);
        QSignalSpy confirmed(&page, &ZtSysSetupWidget::onConfirmClick);
        QSignalSpy cancelled(&page, &ZtSysSetupWidget::onCancelClick);
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(confirmed.count() + cancelled.count(), 0);
        QTRY_COMPARE((confirm ? confirmed : cancelled).count(), 1);
        QCOMPARE((confirm ? cancelled : confirmed).count(), 0);
    }

    void passwordLink_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("reports");
        QTest::newRow("update") << "update" << 1;
        QTest::newRow("other") << "update2" << 0;
        QTest::newRow("empty") << "" << 0;
    }

    void passwordLink()
    {
        QFETCH(QString, link);
        QFETCH(int, reports);
        ZtSysSetupWidget page;
        page.addPwdTab();
        QSignalSpy spy(&page, &ZtSysSetupWidget::onUpatePwdClick);
        QLabel* label = nullptr;
        for (QLabel* l : page.findChildren<QLabel*>())
            label = l->text().contains("href") ? l : label;
        QVERIFY(label);
        emit label->linkActivated(link);
        QCOMPARE(spy.count(), reports);
        QVERIFY(page.getList().isEmpty());
    }

private:
    QScopedPointer<QTemporaryDir> mDir;
};

QTEST_MAIN(tst_ZtSysSetupWidget)
#include "tst_ztsyssetupwidget.moc"
