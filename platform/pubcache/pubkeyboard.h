#pragma once

#include "userkeyboard.h"

#include <ztlib/dqdquery.h>

#include <QList>
#include <QString>

// Builds the quick-search list: every security, then the menu functions and the
// indicators of the menu definitions ("KeyboardFunctions", "KeyboardIndicators").
//
// A security's search keys are its code, the pinyin initials of its name (first
// Unihan reading of each character) and, when the data library gives different
// initials (field 10040, e.g. the other reading of 行), those too; its second key is
// the combined code. A function's keys are its shortcut, the initials of its text
// and the initials its definition gives. Every key is upper case.
class PubKeyboard
{
public:
    static QList<UserKeyBoard> build(const DQDDataList& securities);
    // "A股", "B股", "指数", "板块", or empty for a row of another kind.
    static QString typeText(const DQDReader& row);
    // Upper-case pinyin initials of a name; letters and digits count as themselves,
    // other characters without a reading are dropped.
    static QString initials(const QString& name);
    // Fills PubCache::mDataQueryAll and PubCache::mUserKeyboard from the market source.
    // GUI thread, before the first search.
    static void loadFromMarket();
};
