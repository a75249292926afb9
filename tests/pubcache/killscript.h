#pragma once

#include <pubcache/stockzxgbk.h>

#include <QList>
#include <QString>

// The numbered watchlist changes of the kill test. The helper applies them through
// PubStaticFunc; the test replays them on a plain model to know what the database
// must hold after the first n of them.
namespace KillScript {

// Applies change n (0-based) of the script for `seed`.
void apply(quint32 seed, int n);
// The watchlist after changes 0..n-1, ignoring add times.
QList<StockZxgBK> expected(quint32 seed, int n);
// Codes, groups and notes in one line, for comparing and for failure messages.
QString describe(const QList<StockZxgBK>& groups);

}
