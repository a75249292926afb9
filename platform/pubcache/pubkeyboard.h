#pragma once

#include "userkeyboard.h"

#include <ztlib/dqdquery.h>

#include <QList>
#include <QString>

// Builds the quick-search list: every security, then the menu functions and the
// indicators of the menu definitions ("KeyboardFunctions", "KeyboardIndicators").
//
// A security's search keys are its code and the pinyin initials of its name, its
// second key the combined code. A function's keys are its shortcut and the initials
// of its text. Every key is upper case.
class PubKeyboard
{
public:
    static QList<UserKeyBoard> build(const DQDDataList& securities);
    // "A股", "B股", "指数", "板块", or empty for a row of another kind.
    static QString typeText(const DQDReader& row);
    // Upper-case pinyin initials of a name; characters without a reading are kept
    // when they are letters or digits and dropped otherwise.
    static QString initials(const QString& name, const QString& fallback = QString());
    // Fills PubCache::mDataQueryAll and PubCache::mUserKeyboard from the market source.
    // GUI thread, before the first search.
    static void loadFromMarket();
};
