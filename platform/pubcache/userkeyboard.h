#pragma once

#include "ztxmlmenu.h"

#include <ztlib/dqdreader.h>

#include <QMetaType>
#include <QString>

// One entry of the quick-search list: a security, a menu function or an indicator.
// Every key is upper case; the search keys are joined with "|".
class UserKeyBoard
{
public:
    UserKeyBoard() = default;
    UserKeyBoard(int index, const QString& keys, const QString& secondKey, const QString& code,
                 const QString& name, const QString& type, const ZtXMLMenu& menu = ZtXMLMenu(),
                 const DQDReader& stock = DQDReader());

    // Position in PubCache::mUserKeyboard.
    int getIndex() const { return mIndex; }
    const QString& getKeys() const { return mKeys; }
    // The combined code of a security ("SH600000"); the menu name of a function.
    const QString& getSecondKey() const { return mSecondKey; }
    const QString& getCode() const { return mCode; }
    const QString& getName() const { return mName; }
    // "A股", "B股", "指数", "板块", "功能" or "指标".
    const QString& getType() const { return mType; }
    // The function behind a non-stock entry; empty for securities.
    const ZtXMLMenu& getMenu() const { return mMenu; }
    // The security's row; empty for functions and indicators.
    const DQDReader& getStock() const { return mStock; }

    void setIndex(int index) { mIndex = index; }

private:
    int mIndex = -1;
    QString mKeys;
    QString mSecondKey;
    QString mCode;
    QString mName;
    QString mType;
    ZtXMLMenu mMenu;
    DQDReader mStock;
};

Q_DECLARE_METATYPE(UserKeyBoard)
