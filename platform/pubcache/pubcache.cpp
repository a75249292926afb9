#include "pubcache.h"

#include "pubcachelog.h"

RunFlag PubCache::runFlag{true};
PubStaticSignal PubCache::SSignal;
DQDDataList PubCache::mDataQueryAll;
QList<UserKeyBoard> PubCache::mUserKeyboard;
LoginInfo PubCache::m_Logininfo;
bool PubCache::mIsDebug = false;
QMap<QString, QString> PubCache::mUrlList;

Q_LOGGING_CATEGORY(lcPubCache, "zt.pubcache", QtInfoMsg)
