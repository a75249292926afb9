// Start-up cost of the left menu with N entries: reading the definition,
// building the menu's buttons and a page per entry with its sub-menu as tabs,
// up to the first frame; then the demo terminal's window on the same menu,
// whose entries open the shipped page groups in turn.
//
//   bench_startup [--items 0,100,400]
#include <controls/zttoolbutton.h>
#include <frame/ztmainboxbase.h>
#include <frame/ztmainmenu.h>
#include <frame/zttabwidget.h>
#include <pubcache/pubconfig.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include "terminalhost.h"
#include "terminalwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

class Page : public ZtMainBoxBase
{
public:
    Page(ZtLayoutBase* parent, const ZtXMLMenu& entry) : ZtMainBoxBase(parent, entry), mTabs(new ZtTabWidget(this))
    {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->addWidget(mTabs);
        for (const auto& attributes : getSubMenuList()) {
            const ZtXMLMenu sub(attributes);
            mTabs->addTab(new ZtLayoutBase(sub.getName(), this), sub.getText());
        }
    }
    void reload() override {}

private:
    ZtTabWidget* mTabs;
};

const char* const kShippedGroups[] = {"PageZxg", "PageHq", "PageBk", "PageZhpm", "PageDxjl",
                                      "PageNews", "PageF10", "PageYj", "PageSetup", "PageDemo"};

// Own pages ("Page<i>", each with a sub-menu of three) or, for the demo, the shipped groups in turn.
bool writeMenus(const QString& path, int items, bool shippedGroups)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<menus>\n  <menu name=\"LeftMenu\">\n";
    for (int i = 0; i < items; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray tab = shippedGroups ? QByteArray(kShippedGroups[i % 10]) : "Page" + n;
        xml += "    <item name=\"Menu" + n + "\" text=\"菜单" + n + "\" tabName=\"" + tab
               + "\" isChecked=\"true\" type=\"" + (i % 25 == 24 ? "1" : "0") + "\"/>\n";
    }
    xml += "  </menu>\n";
    for (int i = 0; i < (shippedGroups ? 0 : items); ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "  <menu name=\"Page" + n + "\">\n";
        for (int j = 0; j < 3; ++j)
            xml += "    <item name=\"Sub" + n + "_" + QByteArray::number(j) + "\" text=\"页" + QByteArray::number(j)
                   + "\" markets=\"SH,SZ\" types=\"10\" type=\"0\" isChecked=\"true\"/>\n";
        xml += "  </menu>\n";
    }
    xml += "</menus>\n";
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(xml) == xml.size();
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QCommandLineParser parser;
    parser.addOption({"items", "Comma list of menu sizes.", "list", "0,100,400"});
    parser.addHelpOption();
    parser.process(app);

    // The terminal's style sheet: re-polishing is part of what building widgets costs.
    QFile style(QStringLiteral(":/terminal/terminal.qss"));
    if (style.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromUtf8(style.readAll()));
    PBDataChange::installSource(std::make_shared<SimulatedMarket>(20261206));
    TerminalHost host;
    host.start();

    std::printf("%6s %9s %9s %9s %12s %12s\n", "items", "read ms", "menu ms", "pages ms", "terminal ms",
                "peak RSS MB");
    for (const QString& text : parser.value("items").split(',')) {
        const int items = text.toInt();
        QTemporaryDir dir;
        if (!dir.isValid() || !writeMenus(dir.filePath("menus.xml"), items, false))
            return 1;
        PubConfig::setConfigDir(dir.path());

        QElapsedTimer clock;
        clock.start();
        const int entries = PubConfig::getPubMenuNode(QStringLiteral("LeftMenu")).size();
        const qint64 readMs = clock.elapsed();
        qint64 menuMs = 0;
        qint64 pagesMs = 0;
        {
            ZtLayoutBase window(QStringLiteral("BenchWindow"), nullptr);
            auto* row = new QHBoxLayout(&window);
            auto* menu = new ZtMainMenu(&window, false);
            menu->setButtonHeight(52);
            row->addWidget(menu);
            const QList<ZtToolButton*> buttons = menu->load(QStringLiteral("LeftMenu"));
            menuMs = clock.elapsed();
            auto* area = new QWidget(&window);
            auto* areaGrid = new QGridLayout(area);
            row->addWidget(area, 1);
            for (ZtToolButton* button : buttons) {
                auto* page = new Page(&window, button->getXmlData());
                areaGrid->addWidget(page, 0, 0);
            }
            window.resize(1280, 800);
            window.show();
            QApplication::processEvents();
            pagesMs = clock.elapsed();
        }
        if (entries != items)
            std::fprintf(stderr, "read %d entries of %d\n", entries, items);

        if (!writeMenus(dir.filePath("menus.xml"), items, true))
            return 1;
        PubConfig::reload();
        clock.restart();
        qint64 terminalMs = 0;
        {
            TerminalWindow terminal;
            terminal.show();
            QApplication::processEvents();
            terminalMs = clock.elapsed();
        }
        std::printf("%6d %9lld %9lld %9lld %12lld %12.1f\n", items, readMs, menuMs, pagesMs, terminalMs,
                    peakRssKb() / 1024.0);
        std::fflush(stdout);
    }
    PubConfig::setConfigDir(QString());
    return 0;
}
