#pragma once

#include "logininfo.h"
#include "pubstaticsignal.h"
#include "runflag.h"
#include "userkeyboard.h"

#include <ztlib/dqdquery.h>

#include <QList>
#include <QMap>
#include <QString>

// Process-wide state of the terminal.
class PubCache
{
public:
    // True while the application runs; every polling loop ends when it turns false.
    static RunFlag runFlag;
    static PubStaticSignal SSignal;
    // Every security (static fields), filled from the market source at start.
    static DQDDataList mDataQueryAll;
    // The quick-search list (PubKeyboard::build). Set on the GUI thread before any
    // search runs; searches read it without locking.
    static QList<UserKeyBoard> mUserKeyboard;
    static LoginInfo m_Logininfo;
    static bool mIsDebug;
    // Page name -> address, with placeholders PubConfig::replaceUrl fills in.
    static QMap<QString, QString> mUrlList;
};
