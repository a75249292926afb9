#pragma once

#include "stockyjlog.h"
#include "stockyjmodel.h"
#include "stockzxgbk.h"

#include <ztlib/ztenums.h>

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// The user's lasting state: watchlist, history, stock marks, alert definitions and
// log, and two settings; plus two widget helpers.
//
// State lives in one SQLite file (openDatabase); every change is one transaction
// and is on disk when the call returns. Reads come from memory and may be made on
// any thread; changes keep the PubCacheCustom mirrors (watchlist codes, quick
// alerts, marks) current on the GUI thread. Before any open, a private temporary
// database is used.
//
// Codes are combined codes ("SH600000"). Calls with an empty code, an unknown
// group or nothing to change return false and change nothing.
class PubStaticFunc
{
public:
    // Opens the database file, creating it (and its folder) when missing. A damaged
    // file is moved aside with a time-stamped name and a fresh one is made. False when
    // no file can be used; changes are then kept in memory for this run only.
    static bool openDatabase(const QString& path);
    // userdata.db in dataDir().
    static bool openDefaultDatabase();
    // A fresh database in a private temporary folder (tests).
    static bool openTemporaryDatabase();
    static void closeDatabase();
    static QString databasePath();
    // False while changes are not saved to a file.
    static bool isDatabasePersistent();
    // Why changes are not saved, in words for the user; empty while they are.
    static QString databaseWarning();
    // ZT_DATA_DIR, else the application's data location.
    static QString dataDir();

    // Watchlist. ZxgGet gives a group's codes in manual order and code -> add time
    // (packed yyyyMMddHHmmssfff as decimal text).
    static QString defaultZxgGroup();
    static QPair<QStringList, QHash<QString, QString>> ZxgGet(const QString& groupName);
    // In any group, or in one group.
    static bool ZxgContains(const QString& code);
    static bool ZxgContains(const QString& code, const QString& groupName);
    // Appends the code to the group (the default group, made when missing, when no
    // name is given); false when it is already there.
    static bool ZxgAdd(const QString& code, const QString& groupName = QString());
    // Removes the code from every group, or from one group.
    static bool ZxgDelete(const QString& code);
    static bool ZxgDelete(const QString& code, const QString& groupName);
    // Moves the code out of every other group into the given one (at its end,
    // keeping its add time); false when the code is not in the watchlist, the group
    // does not exist or the code is already only there.
    static bool ZxgMoveNewBK(const QString& code, const QString& groupName);
    // A new manual order: the entry at `from` goes to `to`.
    static bool ZxgMove(const QString& groupName, int from, int to);
    // The note of the code, in every group that holds it.
    static bool ZxgSetNote(const QString& code, const QString& note);
    // Replaces the whole watchlist. Groups without a name, repeated groups and
    // repeated or empty codes are dropped; with nothing left, the empty default
    // group remains. Emits onZxgGroupUpdate("") when the set of groups changed.
    static bool ZxgSave(const QList<StockZxgBK>& groups);
    // Replaces (or appends) one group.
    static bool ZxgSave(const StockZxgBK& group);
    // Group management; each emits onZxgGroupUpdate with the group's (new) name.
    static bool ZxgAddGroup(const QString& groupName);
    static bool ZxgRenameGroup(const QString& groupName, const QString& newName);
    static bool ZxgDeleteGroup(const QString& groupName);
    // Every group with its entries, in order.
    static QList<StockZxgBK> getZxgCodeList();

    // Browsing history, most recent first, at most 100 codes.
    static bool HisAdd(const QString& code);
    static QVector<QString> HisGetAll();
    static bool HisDelete(const QString& code);
    static bool HisClear();

    // Alert definitions keyed by code.
    static QHash<QString, StockYJModel> getYJData();
    static StockYJModel getYJData(const QString& code);
    // Codes that have alert conditions, first defined first.
    static QVector<QString> getYJRegister();
    // Switches one condition on or off (a fired condition is switched off).
    static bool updYJData(const QString& code, const QString& caseId, bool active);
    // Replaces a stock's conditions (an empty model removes them); emits onEarlyRegister.
    static bool setYJData(const StockYJModel& model);
    static bool delYJData(const QString& code);
    // The alert log keeps the newest 1000 entries.
    static bool addYJLogData(const StockYJLog& log);
    // Newest first; limit 0 means all.
    static QList<StockYJLog> getYJLogData(int limit = 0);
    static bool clearYJLogData();

    // Stock marks ("1" to "9"), mirrored into PubCacheCustom::mStockSign.
    static bool setStockSign(const QString& code, const QString& sign);
    static bool delStockSign(const QString& code);
    static QString getStockSign(const QString& code);

    // Cursor-follow mode of the grids: true follows the row number, false the security.
    static bool getGridViewFollowRowId();
    static void setGridViewFollowRowId(bool followRow);
    // The movement-message types the user follows.
    static QVector<ZtE_DXJL> getDxjlList();
    static bool setDxjlList(const QVector<ZtE_DXJL>& types);

    // Removes every child widget (and layout item) of `widget`. With `later` the
    // children leave the widget at once and are deleted by the event loop, so a child
    // may call this from its own signal.
    static void ClearChild(QWidget* widget, bool later = true);
    // Hides the widget, takes it from its parent and deletes it later.
    static void ClearWidget(QWidget* widget);
};
