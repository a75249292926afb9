#include "web/pubcacheweb.h"

PubWebView* PubCacheWeb::mCacheView = nullptr;
