// Round trip of a bridge call made by a page: getQuotation of 1 and of 50 codes,
// timed in the page from the call to its JSON answer. Prints median and p99 in µs.

#include <framework/ztlayoutbase.h>
#include <web/pubwebview.h>
#include <web/webobject.h>
#include <web/ztwebview.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/scriptedmarket.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

Q_DD_Now quote(int n)
{
    DQDReader r;
    const QString code = QStringLiteral("SH%1").arg(600000 + n);
    r.setValue(ZtField::Market, QStringLiteral("SH"));
    r.setValue(ZtField::Code, code.mid(2));
    r.setValue(ZtField::UniqueCode, code);
    r.setValue(ZtField::Name, QStringLiteral("股票%1").arg(n));
    r.setValue(ZtField::Time, QStringLiteral("20240105093000000"));
    for (unsigned key : {ZtField::Last, ZtField::Open, ZtField::High, ZtField::Low, ZtField::PrevClose,
                         ZtField::Change, ZtField::Volume, ZtField::Turnover, ZtField::Trades, ZtField::PE})
        r.setValue(key, 10.0 + n / 100.0 + key % 7);
    return Q_DD_Now(r);
}

QJsonObject waitNotice(QList<QJsonObject>& notices, const QString& tag)
{
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    while (true) {
        for (int i = 0; i < notices.size(); ++i) {
            if (notices.at(i).value(QStringLiteral("qtcode")).toString() == tag)
                return notices.takeAt(i);
        }
        if (!loop.processEvents(QEventLoop::WaitForMoreEvents))
            continue;
    }
}

}

int main(int argc, char* argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    auto market = std::make_shared<ScriptedMarket>();
    QStringList codes;
    for (int n = 0; n < 50; ++n) {
        market->setQuote(quote(n).getUniqueValue(0), quote(n));
        codes << quote(n).getUniqueValue(0);
    }
    PBDataChange::installSource(market);

    ZtLayoutBase root(QStringLiteral("Root"), nullptr);
    auto* web = new PubWebView(&root);
    auto* layout = new QVBoxLayout(&root);
    layout->addWidget(web);
    root.resize(400, 300);
    root.show();
    QList<QJsonObject> notices;
    QObject::connect(web, &PubWebView::onNoticeMessage, [&](QString json) {
        notices << WebObject::parseJson(json).object();
    });
    web->load(QStringLiteral("qrc:/bench/quotation.html"));
    waitNotice(notices, QStringLiteral("ready"));

    const int rounds = 2000;
    for (int count : {1, 50}) {
        const QString list = QStringList(codes.mid(0, count)).join(QLatin1Char(','));
        web->webView()->callScript(QStringLiteral("measure"), {list, QString::number(rounds)});
        const QJsonArray raw = waitNotice(notices, QStringLiteral("bench")).value(QStringLiteral("times")).toArray();
        std::vector<double> us;
        for (const QJsonValue& v : raw)
            us.push_back(v.isDouble() ? v.toDouble() : -1);
        if (std::any_of(us.begin(), us.end(), [](double v) { return v < 0; })) {
            std::printf("getQuotation of %d codes: wrong answer\n", count);
            return 1;
        }
        // The first rounds warm the page's compiler up.
        us.erase(us.begin(), us.begin() + 100);
        std::sort(us.begin(), us.end());
        std::printf("getQuotation of %2d codes: %zu calls, median %.0f us, p99 %.0f us\n", count, us.size(),
                    us[us.size() / 2], us[us.size() * 99 / 100]);
    }
    PBDataChange::installSource(nullptr);
    return 0;
}
