#pragma once

#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QLoggingCategory>
#include <QString>

#include <memory>

// Shared by the reader tests: a scripted market for every test, quiet reader logs,
// and rows that are easy to tell apart.
namespace ReaderTest {

inline std::shared_ptr<ScriptedMarket> installMarket()
{
    QLoggingCategory::setFilterRules(QStringLiteral("zt.reader.debug=false"));
    auto market = std::make_shared<ScriptedMarket>();
    PBDataChange::installSource(market);
    return market;
}

inline void uninstallMarket(std::shared_ptr<ScriptedMarket>& market)
{
    PBDataChange::installSource(nullptr);
    market.reset();
}

// Holds a query for its lifetime. Declare it after the reader it blocks, so that a
// failing test releases the worker before the reader waits for it.
class Hold
{
public:
    Hold(ScriptedMarket& market, const QString& query) : mMarket(market), mQuery(query) { mMarket.hold(mQuery); }
    ~Hold() { mMarket.release(mQuery); }
    void release() { mMarket.release(mQuery); }

private:
    ScriptedMarket& mMarket;
    QString mQuery;
};

inline DQDUnionReader row(const QString& code)
{
    DQDUnionReader r;
    r.setValue(ZtField::UniqueCode, code);
    r.setValue(ZtField::Market, code.left(2));
    r.setValue(ZtField::Code, code.mid(2));
    return r;
}

// n rows named prefix + 0000, prefix + 0001, ...
inline DQDDataList rows(const QString& prefix, int n)
{
    DQDDataList list;
    for (int i = 0; i < n; ++i)
        list.append(row(prefix + QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'))));
    return list;
}

inline Q_DD_Now quote(const QString& code, double last, qint64 time)
{
    DQDReader r = row(code);
    r.setValue(ZtField::Last, last);
    r.setValue(ZtField::QuoteTime, time);
    return Q_DD_Now(r);
}

}
