#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/ztxmlmenu.h>

#include <QTemporaryDir>
#include <QSettings>
#include <QtTest>

class tst_PubConfig : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mDir.reset(new QTemporaryDir);
        QVERIFY(mDir->isValid());
        PubConfig::setConfigDir(mDir->path());
        PubCache::m_Logininfo = LoginInfo();
    }

    void cleanupTestCase()
    {
        PubConfig::setConfigDir(QString());
    }

    // Functions of the keyboard list open pages by tab name and sub-entry; both must exist.
    void shippedMenusAreConsistent()
    {
        const auto functions = PubConfig::getPubMenuNode("KeyboardFunctions");
        QVERIFY(!functions.isEmpty());
        QSet<QString> keys;
        for (const auto& entry : functions) {
            const ZtXMLMenu f(entry);
            QVERIFY2(!f.getValue("key").isEmpty(), qPrintable(f.getName()));
            QVERIFY2(!keys.contains(f.getValue("key")), qPrintable("shortcut used twice: " + f.getValue("key")));
            keys.insert(f.getValue("key"));
            bool pageInLeftMenu = false;
            for (const auto& item : PubConfig::getPubMenuNode("LeftMenu"))
                pageInLeftMenu = pageInLeftMenu || ZtXMLMenu(item).getTabName() == f.getTabName();
            QVERIFY2(pageInLeftMenu, qPrintable(f.getName() + " opens " + f.getTabName()));
            const QString child = f.getValue("child");
            if (!child.isEmpty())
                QVERIFY2(!PubConfig::getPubMenuNode(f.getTabName(), child).isEmpty(), qPrintable(f.getName()));
        }
    }

    void userMenuFileReplacesMenusByName()
    {
        const auto builtInFoot = PubConfig::getPubMenuNode("FootMenu");
        writeUserFile("menus.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
    <menus>
      <menu name="LeftMenu">
        <item name="Only" text="唯一" type="0" extra="kept"/>
      </menu>
      <menu name="MyMenu"/>
    </menus>)");
        const auto left = PubConfig::getPubMenuNode("LeftMenu");
        QCOMPARE(left.size(), 1);
        QCOMPARE(left.first().value("text"), QStringLiteral("唯一"));
        QCOMPARE(left.first().value("extra"), QStringLiteral("kept"));
        QCOMPARE(PubConfig::getPubMenuNode("FootMenu"), builtInFoot);
        QVERIFY(PubConfig::getPubMenuNode("MyMenu").isEmpty());
    }

    void badMenuFileFallsBackToBuiltIn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("cut short") << QByteArray("<menus><menu name=\"LeftMenu\"><item name=\"x\"");
        QTest::newRow("wrong root") << QByteArray("<columns/>");
        QTest::newRow("menu without name") << QByteArray("<menus><menu><item name=\"x\"/></menu></menus>");
        QTest::newRow("empty file") << QByteArray();
    }

    void badMenuFileFallsBackToBuiltIn()
    {
        QFETCH(QByteArray, content);
        const auto builtIn = PubConfig::getPubMenuNode("LeftMenu");
        writeUserFile("menus.xml", content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("menus\\.xml.*ignored"));
        QCOMPARE(PubConfig::getPubMenuNode("LeftMenu"), builtIn);
    }

    void columnPointersOutliveReload()
    {
        const QList<GridField*> first = PubConfig::getColumnZHPM_zdf();
        QCOMPARE(PubConfig::getColumnZHPM_zdf(), first);
        PubConfig::reload();
        const QList<GridField*> second = PubConfig::getColumnZHPM_zdf();
        QVERIFY(second.first() != first.first());
        // A panel built before the reload still reads its columns.
        QCOMPARE(first.first()->getFieldId(), second.first()->getFieldId());
        QCOMPARE(first.last()->getWidth(), second.last()->getWidth());
    }

    void userColumnFile()
    {
        writeUserFile("columns.xml", R"(<columns>
      <set name="StockMin">
        <column title="代码" field="10020" format="!p" valueAlign="center" titleAlign="right" width="-5"
                flag="1" param1="7" param2="-2"/>
      </set>
    </columns>)");
        const QList<GridField*> min = PubConfig::getColumnStokMin();
        QCOMPARE(min.size(), 1);
        const GridField* f = min.first();
        QCOMPARE(f->getFieldId(), 10020u);
        QCOMPARE(f->mField.mValueOption.alignment(), Qt::Alignment(Qt::AlignCenter));
        QCOMPARE(f->mField.mTitleOption.alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QCOMPARE(f->getWidth(), 0);
        QVERIFY(f->mField.mFlag);
        QCOMPARE(f->mField.mParam1, 7);
        QCOMPARE(f->mField.mParam2, -2);
    }

    void badColumnFileFallsBackToBuiltIn()
    {
        writeUserFile("columns.xml", R"(<columns><set name="StockMin">
            <column title="代码" field="10020"/><column title="坏" field="abc"/></set></columns>)");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("columns\\.xml.*not a number.*ignored"));
        const QList<GridField*> min = PubConfig::getColumnStokMin();
        QVERIFY(min.size() > 1);
        QCOMPARE(min.first()->getFieldId(), 10030u);
    }

    void readConfigLayers()
    {
        QCOMPARE(PubConfig::ReadConfig("SysSetupInfo", "Sys401").toBool(), true);
        QVERIFY(!PubConfig::ReadConfig("SysSetupInfo", "Sys99999").isValid());
        QVERIFY(!PubConfig::ReadConfig("SysSetupInfo", QString()).isValid());

        QVERIFY(PubConfig::WriteConfig("SysSetupInfo", "Sys401", false));
        QVERIFY(PubConfig::WriteConfig("用户", "名称", QStringLiteral("张三")));
        QCOMPARE(PubConfig::ReadConfig("SysSetupInfo", "Sys401").toBool(), false);
        QCOMPARE(PubConfig::ReadConfig("用户", "名称").toString(), QStringLiteral("张三"));
        QVERIFY(QFile::exists(QDir(mDir->path()).filePath("config.ini")));
        // Other keys still come from the defaults.
        QCOMPARE(PubConfig::ReadConfig("SysSetupInfo", "Sys201").toBool(), true);
    }

    // The settings page shows each option's stored value; a check box without a default
    // would start unchecked by accident.
    void everyOptionHasADefault()
    {
        const QList<SysTitleInfo> pages = PubConfig::getSysSetupList();
        int options = 0;
        for (const SysTitleInfo& page : pages) {
            for (const auto& section : page.getList()) {
                for (const SysContentInfo& o : section.second) {
                    if (o.getType() != XmlType_CheckBox && o.getType() != XmlType_RadioButton)
                        continue;
                    ++options;
                    QVERIFY2(PubConfig::ReadConfig("SysSetupInfo", o.getKey()).isValid(), qPrintable(o.getKey()));
                }
            }
        }
        QVERIFY(options >= 8);
    }

    // Lower-case hex of the UTF-8 bytes.
    void md5()
    {
        QCOMPARE(PubConfig::EncryPtionMD5("abc"), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
        QCOMPARE(PubConfig::EncryPtionMD5("加载中…"), QStringLiteral("fb4ca1cf1b956edf0f7e0bf0dfe88269"));
    }

    void replaceUrl_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("host") << "{host}/a.html" << "https://web.ztquote.example/a.html";
        QTest::newRow("login") << "x?uid={userid}&t={token}&n={username}" << "x?uid=42&t=a%26b%3Dc&n=%E5%BC%A0";
        QTest::newRow("unknown kept") << "{nope}/{host" << "{nope}/{host";
        QTest::newRow("arg mark kept") << "{host}/d?id=%1" << "https://web.ztquote.example/d?id=%1";
        QTest::newRow("plain") << "https://a.test/" << "https://a.test/";
    }

    void replaceUrl()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        PubCache::m_Logininfo.setUserId(42);
        PubCache::m_Logininfo.setSessionToken("a&b=c");
        PubCache::m_Logininfo.setUserName("张");
        QCOMPARE(PubConfig::replaceUrl(url), expected);
    }

    void urlTable()
    {
        writeUserFile("config.ini", "[UrlParams]\nhost=http://127.0.0.1:9\n");
        writeUserFile("urls.xml", R"(<urls><url key="web_news">{host}/mine.html</url></urls>)");
        PubConfig::loadUrlList();
        QCOMPARE(PubCache::mUrlList.value("web_news"), QStringLiteral("http://127.0.0.1:9/mine.html"));
        const QString news = PubCache::mUrlList.value("frm_public_7x24");
        QVERIFY(news.startsWith("http://127.0.0.1:9/"));
        QVERIFY(news.contains("%1"));
        QCOMPARE(news.arg("abc").right(3), QStringLiteral("abc"));
        // Login placeholders wait for replaceUrl.
        QVERIFY(PubCache::mUrlList.value("web_userinfo").contains("{token}"));
    }

    // Values that hold serialized Qt types are refused, never decoded: a list that
    // claims 2^31-1 items would otherwise be allocated at every start.
    void serializedValuesFallBackToDefaults_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("list of 2^31-1 variants") << QByteArray("@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)");
        QTest::newRow("string list of 2^31-1") << QByteArray("@Variant(\\0\\0\\0\\xb\\x7f\\xff\\xff\\xff)");
        QTest::newRow("cut variant") << QByteArray("@Variant(\\0\\0\\0\\t\\x7f\\xff");
        QTest::newRow("rectangle") << QByteArray("@Rect(1 2 3 4)");
    }

    void serializedValuesFallBackToDefaults()
    {
        QFETCH(QByteArray, value);
        writeUserFile("config.ini", "[System]\nVersion=" + value + "\n[UrlParams]\nhost=" + value
                                        + "\n[SysSetupInfo]\nSys401=false\n");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Version.*not plain text"));
        QCOMPARE(PubConfig::ReadConfig("System", "Version").toString(), QStringLiteral("1.0.0"));
        QCOMPARE(PubConfig::ReadConfig("SysSetupInfo", "Sys401").toBool(), false);
        PubConfig::loadUrlList();
        QVERIFY(PubCache::mUrlList.value("web_news").startsWith("https://web.ztquote.example/"));

        // Writing keeps the other values as they were, as text.
        QVERIFY(PubConfig::WriteConfig("SysSetupInfo", "Sys402", true));
        QFile file(QDir(mDir->path()).filePath("config.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("Sys401=false"), text.constData());
        QVERIFY2(text.contains("Version=" + value.left(value.indexOf('(') + 1)), text.constData());
    }

    // Text a user writes by hand reads as that text: quotes, escapes, lists, comments.
    void plainTextValues_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("plain") << QByteArray("k=http://a.test/x?y=1") << QVariant("http://a.test/x?y=1");
        QTest::newRow("blanks trimmed") << QByteArray("k=  a b  ") << QVariant("a b");
        QTest::newRow("quoted blanks kept") << QByteArray("k=\"  a;b, c \"") << QVariant("  a;b, c ");
        QTest::newRow("comment") << QByteArray("k=abc ; note") << QVariant("abc");
        QTest::newRow("escapes") << QByteArray("k=a\\tb\\x4e2d\\\"") << QVariant(QStringLiteral("a\tb中\""));
        QTest::newRow("list") << QByteArray("k=a, b ,c") << QVariant(QStringList{"a", "b", "c"});
        QTest::newRow("doubled at") << QByteArray("k=@@Variant(x)") << QVariant("@Variant(x)");
        QTest::newRow("utf-8") << QByteArray("k=上海") << QVariant(QStringLiteral("上海"));
        QTest::newRow("continued") << QByteArray("k=ab\\\ncd") << QVariant("abcd");
    }

    void plainTextValues()
    {
        QFETCH(QByteArray, line);
        QFETCH(QVariant, expected);
        writeUserFile("config.ini", "; made by hand\n[Test]\n" + line + "\n");
        QCOMPARE(PubConfig::ReadConfig("Test", "k"), expected);
        // What is written back reads the same, here and through Qt's own INI reader.
        QVERIFY(PubConfig::WriteConfig("Test", "other", 1));
        QCOMPARE(PubConfig::ReadConfig("Test", "k"), expected);
        // A copy, so that Qt parses the text itself instead of reusing the parsed file.
        const QString copy = QDir(mDir->path()).filePath("copy.ini");
        QVERIFY(QFile::copy(QDir(mDir->path()).filePath("config.ini"), copy));
        QSettings qt(copy, QSettings::IniFormat);
        qt.setIniCodec("UTF-8");
        QCOMPARE(qt.value("Test/k"), expected);
    }

private:
    void writeUserFile(const QString& name, const QByteArray& content)
    {
        QFile file(QDir(mDir->path()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        PubConfig::reload();
    }

    QScopedPointer<QTemporaryDir> mDir;
};

QTEST_GUILESS_MAIN(tst_PubConfig)
#include "tst_pubconfig.moc"
