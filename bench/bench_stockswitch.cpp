// Single-stock view: time from Enter in the quick search to the first paint of the
// minute chart with the new stock's data, over 50 switches, in the demo window.
#include "minutechart.h"
#include "stockpage.h"
#include "terminalhost.h"
#include "terminalwindow.h"

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSwitches = 50;

void type(QWidget* window, const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        const int key = c == QLatin1Char('\n') ? int(Qt::Key_Return) : c.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, c == QLatin1Char('\n') ? QString() : QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString());
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window, &release);
    }
}

}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    PBDataChange::installSource(std::make_shared<SimulatedMarket>(20261206));
    TerminalHost host;
    host.start();
    TerminalWindow window;
    window.showPage(QStringLiteral("stock"));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    StockPage* page = StockPage::instance();
    if (!page)
        return 1;

    QStringList codes;
    const DQDDataList& all = PubCache::mDataQueryAll;
    for (int i = 0; i < all.count() && codes.size() < kSwitches; i += 97) {
        const DQDUnionReader* row = all.at(i);
        if (row->getValue(ZtField::Type).toInt() == ZtE_ZQLX_AShare)
            codes << row->getValue(ZtField::Code).toString();
    }
    QTest::qWait(500);

    std::vector<double> ms;
    int missed = 0;
    for (const QString& code : qAsConst(codes)) {
        type(&window, code);
        QTest::qWait(50);
        QElapsedTimer timer;
        timer.start();
        type(&window, QStringLiteral("\n"));
        while (page->chart()->paintedCode().mid(2) != code && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (page->chart()->paintedCode().mid(2) != code)
            ++missed;
        else
            ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms.empty() ? 0 : ms[ms.size() / 2];
    const double p90 = ms.empty() ? 0 : ms[std::min(ms.size() - 1, ms.size() * 9 / 10)];
    std::printf("stock switch (quick search Enter -> first chart paint with the new data), %d switches, %d missed\n",
                int(codes.size()), missed);
    std::printf("median %.1f ms, p90 %.1f ms, max %.1f ms (goal: median <= 50 ms)\n", median, p90,
                ms.empty() ? 0.0 : ms.back());
    return missed == 0 ? 0 : 1;
}
