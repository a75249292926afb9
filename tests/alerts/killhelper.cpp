// A terminal that only checks alerts: it opens the user store given on the command
// line, quotes every alerted stock at 20.00 and prints each alert message as
// "code title" the moment it leaves the checker. With a second argument n it dies
// by SIGKILL right after the n-th message; it prints "done" and exits when no
// condition is left active.
#include <alerts/stockwarning.h>
#include <framework/ztlayoutbase.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

class Top : public ZtLayoutBase
{
public:
    explicit Top(int killAt) : ZtLayoutBase(nullptr), mKillAt(killAt) {}

    // Straight from the checker's signal: the tree's own hop is queued, and the
    // crash is wanted while the checker is still inside its pass.
    void report(const QJsonObject& json)
    {
        const QJsonObject a = json.value(QStringLiteral("attributes")).toObject();
        std::printf("%s %s\n", qPrintable(a.value(QStringLiteral("stockCode")).toString()),
                    qPrintable(a.value(QStringLiteral("stockTitle")).toString()));
        std::fflush(stdout);
        if (++mCount == mKillAt)
            std::raise(SIGKILL);
    }

private:
    int mKillAt;
    int mCount = 0;
};

bool anyActive()
{
    const QHash<QString, StockYJModel> models = PubStaticFunc::getYJData();
    for (const StockYJModel& m : models)
        if (m.hasActiveCase())
            return true;
    return false;
}

}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    if (argc < 2 || !PubStaticFunc::openDatabase(QString::fromLocal8Bit(argv[1])))
        return 2;
    const int killAt = argc > 2 ? QByteArray(argv[2]).toInt() : 0;

    auto market = std::make_shared<ScriptedMarket>();
    const qint64 time = 20261207100000000LL;
    market->setMarketDateTime(QString(), time);
    market->setQuotesDownTime(100);
    for (const QString& code : PubStaticFunc::getYJRegister()) {
        DQDReader r;
        r.setValue(ZtField::UniqueCode, code);
        r.setValue(ZtField::Name, code);
        r.setValue(ZtField::Last, 20.0);
        r.setValue(ZtField::QuoteTime, time);
        market->setQuote(code, Q_DD_Now(r));
    }
    PBDataChange::installSource(market);

    Top top(killAt);
    StockWarning* warning = new StockWarning(&top);
    QObject::connect(warning, &ZtLayoutBase::onGetImMessage, &top, &Top::report, Qt::DirectConnection);
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (!anyActive()) {
            std::printf("done\n");
            std::fflush(stdout);
            warning->stop();
            app.exit(0);
        }
    });
    check.start(20);
    warning->start();
    const int rc = app.exec();
    PBDataChange::installSource(nullptr);
    return rc;
}
