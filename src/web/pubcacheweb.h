#pragma once

#include "ztcontrollib_global.h"

class PubWebView;

// The service page of the process: the host makes it and sets it here; the marquee
// and the account dialogs connect to its signals through this pointer.
class ZTCONTROLLIB_EXPORT PubCacheWeb
{
public:
    static PubWebView* mCacheView;
};
