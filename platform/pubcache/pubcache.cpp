#include "pubcache.h"

std::atomic<bool> PubCache::runFlag{true};
PubStaticSignal PubCache::SSignal;
DQDDataList PubCache::mDataQueryAll;
bool PubCache::mIsDebug = false;
QMap<QString, QString> PubCache::mUrlList;
