#pragma once

#include "gridfield.h"
#include "systitleinfo.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

// Settings, menu definitions, column sets and the URL table of the terminal.
//
// Built-in definitions ship as resources under ":/pubcache/"; a file of the same
// name in the user's config folder overrides them per menu, per column set and
// per URL key. A malformed file is reported and ignored as a whole.
class PubConfig
{
public:
    // The value under section/key of the user's config.ini, else of the shipped
    // defaults; invalid when neither has it.
    static QVariant ReadConfig(const QString& section, const QString& key);
    static bool WriteConfig(const QString& section, const QString& key, const QVariant& value);

    // Lower-case hex MD5 of the UTF-8 text.
    static QString EncryPtionMD5(const QString& text);
    static QString getVersion();
    // Fills the {name} placeholders of an address: {host} and the other keys of
    // the "UrlParams" section, and the login's {userid}, {useridmd5}, {username},
    // {token}, {mac}, {roleid}, plus {version}. "%1"-style marks stay for QString::arg.
    static QString replaceUrl(const QString& url);

    // The entries of a menu, each the attributes of one node; empty for an unknown menu.
    static QList<QHash<QString, QString>> getPubMenuNode(const QString& name);
    // The entry of menu `name` whose "name" attribute is `child`; empty when absent.
    static QHash<QString, QString> getPubMenuNode(const QString& name, const QString& child);

    // Column sets. The pointers belong to the cache and stay valid for the process.
    static QList<GridField*> getColumnZHPM_zdf();
    static QList<GridField*> getColumnZHPM_zf();
    static QList<GridField*> getColumnZHPM_zje();
    static QList<GridField*> getColumnZHPM_lb();
    static QList<GridField*> getColumnZHPM_wb();
    static QList<GridField*> getColumnZHPM_fzzdf05();
    static QList<GridField*> getColumnStokMin();
    static QList<GridField*> getStockMsg();
    // Any column set by name ("StockList", "Zxg", "ZHPM_zdf", ...).
    static QList<GridField*> getColumn(const QString& setName);

    // The pages of the system settings, in order.
    static QList<SysTitleInfo> getSysSetupList();

    // Fills PubCache::mUrlList from the URL table; {host}-style settings are
    // filled in now, login placeholders are left for replaceUrl.
    static void loadUrlList();

    // ZT_CONFIG_DIR, else "config" under ZT_DATA_DIR, else the application's config location.
    static QString configDir();
    // Points the config folder elsewhere (tests) and re-reads every definition;
    // column pointers handed out earlier stay valid. Empty restores the default.
    static void setConfigDir(const QString& dir);
    // Drops the parsed definitions so the next call reads the files again.
    static void reload();
};
