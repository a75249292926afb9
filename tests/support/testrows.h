#pragma once

#include <ztlib/dqdreader.h>
#include <ztlib/ztenums.h>

#include <QString>

// Rows the tests build securities from: market and code split off the unique code,
// a name (the code when none is given), a type and a price against a close of 10.
namespace TestRows {

// SH600000 + n.
QString codeOf(int n);

DQDUnionReader security(const QString& unique, const QString& name = QString(), int type = ZtE_ZQLX_AShare, double last = 10.0);

}
