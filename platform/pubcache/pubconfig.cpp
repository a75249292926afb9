#include "pubconfig.h"

#include "pubcache.h"
#include "pubcachelog.h"
#include "pubsettingsformat.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>

#include <deque>
#include <functional>
#include <mutex>
#include <memory>

namespace {

const QString builtInFolder = QStringLiteral(":/pubcache/");
const QString menusFile = QStringLiteral("menus.xml");
const QString columnsFile = QStringLiteral("columns.xml");
const QString settingsFile = QStringLiteral("settings.xml");
const QString urlsFile = QStringLiteral("urls.xml");
const QString configFile = QStringLiteral("config.ini");

using MenuEntries = QList<QHash<QString, QString>>;

struct Definitions
{
    bool menusLoaded = false;
    QHash<QString, MenuEntries> menus;
    bool columnsLoaded = false;
    QHash<QString, QList<GridField*>> columns;
    bool settingsLoaded = false;
    QList<SysTitleInfo> settings;
};

// Every definition is parsed at most once per reload, under this lock; readers get copies.
std::mutex& definitionsMutex()
{
    static std::mutex mutex;
    return mutex;
}

Definitions& definitions()
{
    static Definitions defs;
    return defs;
}

// Column descriptors are never freed: panels keep the pointers for their lifetime,
// which may outlast a reload.
std::deque<std::unique_ptr<GridField>>& fieldStore()
{
    static std::deque<std::unique_ptr<GridField>> store;
    return store;
}

std::mutex& configDirMutex()
{
    static std::mutex mutex;
    return mutex;
}

QString& configDirOverride()
{
    static QString dir;
    return dir;
}

QString attr(const QXmlStreamReader& xml, const char* name)
{
    return xml.attributes().value(QLatin1String(name)).toString();
}

// Reads one definition file with `parse`; false (and a warning) when it is not well formed.
// A missing file is not an error: the caller keeps what it has.
bool parseFile(const QString& path, const QString& rootName, const std::function<void(QXmlStreamReader&)>& parse,
               bool* found)
{
    *found = false;
    QFile file(path);
    if (!file.exists())
        return false;
    *found = true;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPubCache) << "cannot read" << path << file.errorString();
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != rootName) {
        if (!xml.hasError())
            xml.raiseError(QStringLiteral("the root element must be <%1>").arg(rootName));
    } else {
        parse(xml);
    }
    if (xml.hasError()) {
        qCWarning(lcPubCache).noquote() << QStringLiteral("%1:%2:%3: %4; its definitions are ignored")
                                               .arg(path)
                                               .arg(xml.lineNumber())
                                               .arg(xml.columnNumber())
                                               .arg(xml.errorString());
        return false;
    }
    return true;
}

// Built-in file first, then the user's file of the same name; each `parse` run fills a
// fresh map that is merged only when the whole file was good.
template <typename Map>
Map loadLayered(const QString& fileName, const QString& rootName,
                const std::function<void(QXmlStreamReader&, Map&)>& parse)
{
    Map merged;
    const QStringList paths = {builtInFolder + fileName, QDir(PubConfig::configDir()).filePath(fileName)};
    for (const QString& path : paths) {
        Map layer;
        bool found = false;
        const bool ok = parseFile(
            path, rootName, [&](QXmlStreamReader& xml) { parse(xml, layer); }, &found);
        if (!found && path.startsWith(builtInFolder))
            qCWarning(lcPubCache) << "built-in definitions missing:" << path;
        if (ok) {
            for (auto it = layer.cbegin(); it != layer.cend(); ++it)
                merged.insert(it.key(), it.value());
        }
    }
    return merged;
}

void parseMenus(QXmlStreamReader& xml, QHash<QString, MenuEntries>& out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("menu")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString name = attr(xml, "name");
        if (name.isEmpty()) {
            xml.raiseError(QStringLiteral("<menu> without a name"));
            return;
        }
        MenuEntries entries;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("item")) {
                QHash<QString, QString> entry;
                for (const QXmlStreamAttribute& a : xml.attributes())
                    entry.insert(a.name().toString(), a.value().toString());
                entries.append(entry);
            }
            xml.skipCurrentElement();
        }
        out.insert(name, entries);
    }
}

Qt::Alignment alignment(const QString& text, Qt::Alignment fallback)
{
    if (text == QLatin1String("left"))
        return Qt::AlignLeft | Qt::AlignVCenter;
    if (text == QLatin1String("right"))
        return Qt::AlignRight | Qt::AlignVCenter;
    if (text == QLatin1String("center"))
        return Qt::AlignCenter;
    return fallback;
}

int intAttr(QXmlStreamReader& xml, const char* name, int fallback)
{
    const QString text = attr(xml, name);
    if (text.isEmpty())
        return fallback;
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        xml.raiseError(QStringLiteral("attribute %1=\"%2\" is not a number").arg(QLatin1String(name), text));
    return v;
}

using ColumnSets = QHash<QString, QList<GridField>>;

void parseColumns(QXmlStreamReader& xml, ColumnSets& out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("set")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString name = attr(xml, "name");
        if (name.isEmpty()) {
            xml.raiseError(QStringLiteral("<set> without a name"));
            return;
        }
        QList<GridField> columns;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("column")) {
                DQDField::Field f(attr(xml, "title"), 0, attr(xml, "color"), attr(xml, "format"));
                const int key = intAttr(xml, "field", -1);
                if (key <= 0 && !xml.hasError())
                    xml.raiseError(QStringLiteral("<column> needs a positive field key"));
                f.mFieldId = unsigned(key);
                f.mTitleOption.setAlignment(alignment(attr(xml, "titleAlign"), f.mTitleOption.alignment()));
                f.mValueOption.setAlignment(alignment(attr(xml, "valueAlign"), f.mValueOption.alignment()));
                f.mFlag = intAttr(xml, "flag", 0) != 0;
                f.mParam1 = intAttr(xml, "param1", 0);
                f.mParam2 = intAttr(xml, "param2", 0);
                const int width = intAttr(xml, "width", 60);
                if (xml.hasError())
                    return;
                columns.append(GridField(f, qMax(0, width)));
            }
            xml.skipCurrentElement();
        }
        out.insert(name, columns);
    }
}

using SettingsPages = QList<SysTitleInfo>;

void parseSettings(QXmlStreamReader& xml, SettingsPages& out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("page")) {
            xml.skipCurrentElement();
            continue;
        }
        SysTitleInfo page(attr(xml, "title"));
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("section")) {
                xml.skipCurrentElement();
                continue;
            }
            const QString heading = attr(xml, "heading");
            QList<SysContentInfo> options;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("option")) {
                    const int type = intAttr(xml, "type", XmlType_Label);
                    const int data = intAttr(xml, "data", SysSetup_None);
                    options.append(SysContentInfo(attr(xml, "text"), enumXmlType(type), enumSysSetup(data)));
                }
                xml.skipCurrentElement();
            }
            page.appendSection(heading, options);
        }
        if (xml.hasError())
            return;
        out.append(page);
    }
}

void parseUrls(QXmlStreamReader& xml, QMap<QString, QString>& out)
{
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("url")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString key = attr(xml, "key");
        const QString value = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        if (key.isEmpty()) {
            xml.raiseError(QStringLiteral("<url> without a key"));
            return;
        }
        out.insert(key, value);
    }
}

void ensureMenus()
{
    Definitions& d = definitions();
    if (d.menusLoaded)
        return;
    d.menus = loadLayered<QHash<QString, MenuEntries>>(menusFile, QStringLiteral("menus"), parseMenus);
    d.menusLoaded = true;
}

QList<GridField*> columnSet(const QString& name)
{
    std::lock_guard<std::mutex> lock(definitionsMutex());
    Definitions& d = definitions();
    if (!d.columnsLoaded) {
        const ColumnSets sets = loadLayered<ColumnSets>(columnsFile, QStringLiteral("columns"), parseColumns);
        d.columns.clear();
        for (auto it = sets.cbegin(); it != sets.cend(); ++it) {
            QList<GridField*> pointers;
            for (const GridField& f : it.value()) {
                fieldStore().push_back(std::make_unique<GridField>(f));
                pointers.append(fieldStore().back().get());
            }
            d.columns.insert(it.key(), pointers);
        }
        d.columnsLoaded = true;
    }
    return d.columns.value(name);
}

// config.ini is the user's to edit: read it so that values stay text.
std::unique_ptr<QSettings> defaultSettings()
{
    return PubSettingsFormat::open(builtInFolder + configFile);
}

std::unique_ptr<QSettings> userSettings()
{
    return PubSettingsFormat::open(QDir(PubConfig::configDir()).filePath(configFile));
}

QString settingsKey(const QString& section, const QString& key)
{
    return section.isEmpty() ? key : section + QLatin1Char('/') + key;
}

// {name} placeholders of the "UrlParams" section, user values over the defaults.
QHash<QString, QString> staticUrlParams()
{
    QHash<QString, QString> params;
    const std::unique_ptr<QSettings> layers[] = {defaultSettings(), userSettings()};
    for (const auto& s : layers) {
        s->beginGroup(QStringLiteral("UrlParams"));
        for (const QString& k : s->childKeys())
            params.insert(k, PubSettingsFormat::plainValue(*s, k, params.value(k)).toString());
        s->endGroup();
    }
    return params;
}

QString fillPlaceholders(QString url, const QHash<QString, QString>& values)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{([A-Za-z0-9_]+)\\}"));
    QString out;
    int last = 0;
    auto it = placeholder.globalMatch(url);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += url.midRef(last, m.capturedStart() - last);
        const auto v = values.constFind(m.captured(1));
        out += v != values.cend() ? *v : m.captured(0);
        last = m.capturedEnd();
    }
    out += url.midRef(last);
    return out;
}

}

QVariant PubConfig::ReadConfig(const QString& section, const QString& key)
{
    if (key.isEmpty())
        return QVariant();
    const QString k = settingsKey(section, key);
    const std::unique_ptr<QSettings> user = userSettings();
    if (user->contains(k)) {
        const QVariant v = user->value(k);
        if (!PubSettingsFormat::isSerialized(v))
            return v;
        PubSettingsFormat::plainValue(*user, k);  // refused with a warning; the default follows
    }
    return PubSettingsFormat::plainValue(*defaultSettings(), k);
}

bool PubConfig::WriteConfig(const QString& section, const QString& key, const QVariant& value)
{
    if (key.isEmpty())
        return false;
    QDir().mkpath(configDir());
    const std::unique_ptr<QSettings> user = userSettings();
    user->setValue(settingsKey(section, key), value);
    user->sync();
    if (user->status() != QSettings::NoError) {
        qCWarning(lcPubCache) << "cannot write" << user->fileName();
        return false;
    }
    return true;
}

QString PubConfig::EncryPtionMD5(const QString& text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
}

QString PubConfig::getVersion()
{
    const QString appVersion = QCoreApplication::applicationVersion();
    if (!appVersion.isEmpty())
        return appVersion;
    return ReadConfig(QStringLiteral("System"), QStringLiteral("Version")).toString();
}

QString PubConfig::replaceUrl(const QString& url)
{
    if (!url.contains(QLatin1Char('{')))
        return url;
    QHash<QString, QString> values = staticUrlParams();
    const LoginInfo& login = PubCache::m_Logininfo;
    const auto encoded = [](const QString& v) { return QString::fromLatin1(QUrl::toPercentEncoding(v)); };
    values.insert(QStringLiteral("userid"), QString::number(login.getUserId()));
    values.insert(QStringLiteral("roleid"), QString::number(login.getRoleId()));
    values.insert(QStringLiteral("useridmd5"), login.getUserIdMD5());
    values.insert(QStringLiteral("username"), encoded(login.getUserName()));
    values.insert(QStringLiteral("token"), encoded(login.getSessionToken()));
    values.insert(QStringLiteral("mac"), encoded(login.getMac()));
    values.insert(QStringLiteral("version"), encoded(getVersion()));
    return fillPlaceholders(url, values);
}

QList<QHash<QString, QString>> PubConfig::getPubMenuNode(const QString& name)
{
    std::lock_guard<std::mutex> lock(definitionsMutex());
    ensureMenus();
    return definitions().menus.value(name);
}

QHash<QString, QString> PubConfig::getPubMenuNode(const QString& name, const QString& child)
{
    std::lock_guard<std::mutex> lock(definitionsMutex());
    ensureMenus();
    for (const QHash<QString, QString>& entry : definitions().menus.value(name)) {
        if (entry.value(QStringLiteral("name")) == child)
            return entry;
    }
    return {};
}

QList<GridField*> PubConfig::getColumnZHPM_zdf()
{
    return columnSet(QStringLiteral("ZHPM_zdf"));
}

QList<GridField*> PubConfig::getColumnZHPM_zf()
{
    return columnSet(QStringLiteral("ZHPM_zf"));
}

QList<GridField*> PubConfig::getColumnZHPM_zje()
{
    return columnSet(QStringLiteral("ZHPM_zje"));
}

QList<GridField*> PubConfig::getColumnZHPM_lb()
{
    return columnSet(QStringLiteral("ZHPM_lb"));
}

QList<GridField*> PubConfig::getColumnZHPM_wb()
{
    return columnSet(QStringLiteral("ZHPM_wb"));
}

QList<GridField*> PubConfig::getColumnZHPM_fzzdf05()
{
    return columnSet(QStringLiteral("ZHPM_fzzdf05"));
}

QList<GridField*> PubConfig::getColumnStokMin()
{
    return columnSet(QStringLiteral("StockMin"));
}

QList<GridField*> PubConfig::getStockMsg()
{
    return columnSet(QStringLiteral("StockMsg"));
}

QList<GridField*> PubConfig::getColumn(const QString& setName)
{
    return columnSet(setName);
}

QList<SysTitleInfo> PubConfig::getSysSetupList()
{
    std::lock_guard<std::mutex> lock(definitionsMutex());
    Definitions& d = definitions();
    if (!d.settingsLoaded) {
        // Pages are one list, so a good user file replaces the built-in one whole.
        SettingsPages pages;
        const QStringList paths = {builtInFolder + settingsFile, QDir(configDir()).filePath(settingsFile)};
        for (const QString& path : paths) {
            SettingsPages layer;
            bool found = false;
            if (parseFile(path, QStringLiteral("settings"),
                          [&](QXmlStreamReader& xml) { parseSettings(xml, layer); }, &found))
                pages = layer;
        }
        d.settings = pages;
        d.settingsLoaded = true;
    }
    return d.settings;
}

void PubConfig::loadUrlList()
{
    QMap<QString, QString> urls;
    {
        std::lock_guard<std::mutex> lock(definitionsMutex());
        urls = loadLayered<QMap<QString, QString>>(urlsFile, QStringLiteral("urls"), parseUrls);
    }
    const QHash<QString, QString> params = staticUrlParams();
    for (auto it = urls.begin(); it != urls.end(); ++it)
        it.value() = fillPlaceholders(it.value(), params);
    PubCache::mUrlList = urls;
}

QString PubConfig::configDir()
{
    QString dir;
    {
        std::lock_guard<std::mutex> lock(configDirMutex());
        dir = configDirOverride();
    }
    if (!dir.isEmpty())
        return dir;
    dir = qEnvironmentVariable("ZT_CONFIG_DIR");
    if (!dir.isEmpty())
        return dir;
    const QString data = qEnvironmentVariable("ZT_DATA_DIR");
    if (!data.isEmpty())
        return QDir(data).filePath(QStringLiteral("config"));
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

void PubConfig::setConfigDir(const QString& dir)
{
    {
        std::lock_guard<std::mutex> lock(configDirMutex());
        configDirOverride() = dir;
    }
    reload();
}

void PubConfig::reload()
{
    std::lock_guard<std::mutex> lock(definitionsMutex());
    Definitions& d = definitions();
    d.menusLoaded = false;
    d.columnsLoaded = false;
    d.settingsLoaded = false;
}
