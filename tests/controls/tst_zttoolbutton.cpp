#include <controls/zttoolbutton.h>

#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString savePixmap(const QTemporaryDir& dir, const QString& name, const QColor& colour, int size = 24)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    const QString path = dir.filePath(name);
    return pixmap.save(path) ? path : QString();
}

QColor iconColour(const QAbstractButton& button)
{
    return button.icon().pixmap(button.iconSize()).toImage().pixelColor(2, 2);
}

int redPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            n += qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
        }
    }
    return n;
}

}

class tst_ZtToolButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void userClick_data();
    void userClick();
    void programChangesAreSilent();
    void doSyncClicked_data();
    void doSyncClicked();
    void fromMenuDefinition();
    void activeIconOnUserClicksOnly();
    void style_data();
    void style();
    void badge_data();
    void badge();

private:
    QTemporaryDir mDir;
    QString mBlue;
    QString mGreen;
};

void tst_ZtToolButton::initTestCase()
{
    QVERIFY(mDir.isValid());
    mBlue = savePixmap(mDir, QStringLiteral("blue.png"), Qt::blue);
    mGreen = savePixmap(mDir, QStringLiteral("green.png"), Qt::green);
    QVERIFY(!mBlue.isEmpty() && !mGreen.isEmpty());
}

void tst_ZtToolButton::userClick_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<int>("reports");
    QTest::addColumn<bool>("checkedAfter");

    QTest::newRow("plain") << false << false << false << 1 << false;
    QTest::newRow("check") << true << false << false << 1 << true;
    QTest::newRow("uncheck is not reported") << true << false << true << 0 << false;
    QTest::newRow("force-checked, checked") << true << true << true << 0 << true;
    QTest::newRow("force-checked, unchecked") << true << true << false << 1 << true;
}

void tst_ZtToolButton::userClick()
{
    QFETCH(bool, checkable);
    QFETCH(bool, force);
    QFETCH(bool, checkedBefore);
    QFETCH(int, reports);
    QFETCH(bool, checkedAfter);

    ZtToolButton button(nullptr);
    button.setText(QStringLiteral("行情"));
    button.resize(60, 30);
    button.setCheckable(checkable);
    button.setIsForceCheck(force);
    button.setChecked(checkedBefore);
    QSignalSpy spy(&button, &ZtToolButton::onSyncClicked);

    QTest::mouseClick(&button, Qt::LeftButton);

    QCOMPARE(spy.count(), reports);
    for (const QList<QVariant>& args : spy) {
        QCOMPARE(args.at(0).value<ZtToolButton*>(), &button);
        QCOMPARE(args.at(1).toBool(), true);
    }
    QCOMPARE(button.isChecked(), checkedAfter);
}

void tst_ZtToolButton::programChangesAreSilent()
{
    ZtToolButton button(nullptr);
    button.setCheckable(true);
    QSignalSpy spy(&button, &ZtToolButton::onSyncClicked);
    button.setChecked(true);
    button.setChecked(false);
    QCOMPARE(spy.count(), 0);

    button.click();
    button.click();
    QVERIFY(button.isChecked());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(1).toBool(), true);
}

void tst_ZtToolButton::doSyncClicked_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("istoggl");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("reports");

    QTest::newRow("checkable toggle on") << true << true << true << 1;
    QTest::newRow("checkable toggle off") << true << true << false << 0;
    QTest::newRow("checkable click") << true << false << true << 0;
    QTest::newRow("plain click") << false << false << true << 1;
    QTest::newRow("plain click, unchecked") << false << false << false << 0;
}

void tst_ZtToolButton::doSyncClicked()
{
    QFETCH(bool, checkable);
    QFETCH(bool, istoggl);
    QFETCH(bool, checked);
    QFETCH(int, reports);

    ZtToolButton button(nullptr);
    button.setCheckable(checkable);
    QSignalSpy spy(&button, &ZtToolButton::onSyncClicked);
    button.doSyncClicked(istoggl, checked);
    QCOMPARE(spy.count(), reports);
}

void tst_ZtToolButton::fromMenuDefinition()
{
    const ZtXMLMenu xml(QHash<QString, QString>{{QStringLiteral("name"), QStringLiteral("btnZXG")},
                                                 {QStringLiteral("text"), QStringLiteral("自选股")},
                                                 {QStringLiteral("tabName"), QStringLiteral("zxg")},
                                                 {QStringLiteral("isChecked"), QStringLiteral("true")},
                                                 {QStringLiteral("icon"), mBlue},
                                                 {QStringLiteral("iconActive"), mGreen}});
    ZtToolButton button(xml, true, nullptr);
    QCOMPARE(button.objectName(), QStringLiteral("btnZXG"));
    QCOMPARE(button.text(), QStringLiteral("自选股"));
    QCOMPARE(button.toolTip(), QStringLiteral("自选股"));
    QCOMPARE(button.getTabname(), QStringLiteral("zxg"));
    QVERIFY(button.isCheckable());
    QCOMPARE(button.iconSize(), QSize(24, 24));
    QCOMPARE(button.toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(button.getXmlData(), xml);
    QCOMPARE(button.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);

    // An empty text keeps the one from the definition.
    button.setText(QString());
    QCOMPARE(button.text(), QStringLiteral("自选股"));
}

void tst_ZtToolButton::activeIconOnUserClicksOnly()
{
    const ZtXMLMenu xml(QHash<QString, QString>{{QStringLiteral("name"), QStringLiteral("btnAlert")},
                                                 {QStringLiteral("isChecked"), QStringLiteral("1")},
                                                 {QStringLiteral("icon"), mBlue},
                                                 {QStringLiteral("iconActive"), mGreen}});
    ZtToolButton button(xml, false, nullptr);
    button.resize(40, 40);
    QCOMPARE(iconColour(button), QColor(Qt::blue));

    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(button.isChecked());
    QCOMPARE(iconColour(button), QColor(Qt::green));

    button.setChecked(false);
    QCOMPARE(iconColour(button), QColor(Qt::green));

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(!button.isChecked());
    QCOMPARE(iconColour(button), QColor(Qt::blue));

    // Force-checked: the undone uncheck leaves the active icon.
    button.setIsForceCheck(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(button.isChecked());
    QCOMPARE(iconColour(button), QColor(Qt::green));
}

void tst_ZtToolButton::style_data()
{
    QTest::addColumn<bool>("text");
    QTest::addColumn<bool>("icon");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("style");

    QTest::newRow("text and icon, horizontal") << true << true << true << int(Qt::ToolButtonTextBesideIcon);
    QTest::newRow("text and icon, vertical") << true << true << false << int(Qt::ToolButtonTextUnderIcon);
    QTest::newRow("text only") << true << false << true << int(Qt::ToolButtonTextOnly);
    QTest::newRow("icon only") << false << true << false << int(Qt::ToolButtonIconOnly);
    QTest::newRow("neither keeps the style") << false << false << true << int(Qt::ToolButtonFollowStyle);
}

void tst_ZtToolButton::style()
{
    QFETCH(bool, text);
    QFETCH(bool, icon);
    QFETCH(bool, horizontal);
    QFETCH(int, style);

    ZtToolButton button(nullptr);
    button.setToolButtonStyle(Qt::ToolButtonFollowStyle);
    button.setIsHorizontal(horizontal);
    if (text)
        button.setText(QStringLiteral("板块"));
    if (icon)
        button.setIcon(mBlue);
    button.resToolButtonStyle();
    QCOMPARE(int(button.toolButtonStyle()), style);
}

void tst_ZtToolButton::badge_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("withIcon");
    QTest::addColumn<bool>("shown");

    QTest::newRow("0") << QStringLiteral("0") << true << false;
    QTest::newRow("-3") << QStringLiteral("-3") << true << false;
    QTest::newRow("abc") << QStringLiteral("abc") << true << false;
    QTest::newRow("150") << QStringLiteral("150") << true << true;
    QTest::newRow("12 without icon") << QStringLiteral("12") << false << false;
}

void tst_ZtToolButton::badge()
{
    QFETCH(QString, number);
    QFETCH(bool, withIcon);
    QFETCH(bool, shown);

    ZtToolButton button(nullptr);
    button.resize(100, 80);
    button.setText(QStringLiteral("消息"));
    if (withIcon)
        button.setIcon(mBlue);
    button.setPromptNumber(number);
    const QImage image = button.grab().toImage();
    if (!shown) {
        QCOMPARE(redPixels(image), 0);
        return;
    }
    QVERIFY(redPixels(image) > 150);
    QCOMPARE(redPixels(image.copy((100 - 24) / 2 + 15, (80 - 24) / 2 - 15, 20, 20)), redPixels(image));
    button.setPromptNumber(QStringLiteral("99"));
    QCOMPARE(button.grab().toImage(), image);
}

QTEST_MAIN(tst_ZtToolButton)
#include "tst_zttoolbutton.moc"
