#pragma once

#include <ztlib/dqdreader.h>
#include <ztlib/ztenums.h>

#include <QDateTime>
#include <QString>

// Rows the tests build securities from: market and code split off the unique code,
// a name (the code when none is given), a type and a price against a close of 10.
namespace TestRows {

// SH600000 + n.
QString codeOf(int n);

// An information-mine item of a kind ("G" notice, "X" news, ...) published at that time.
DQDUnionReader mineItem(const QString& id, const QString& type, const QString& title, const QDateTime& time);

DQDUnionReader security(const QString& unique, const QString& name = QString(), int type = ZtE_ZQLX_AShare, double last = 10.0);

}
