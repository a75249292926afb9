#pragma once

#include <pubcache/ztxmlmenu.h>

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

class ZtFormMainBase;
class ZtLayoutBase;

// What a page may ask of the window that holds it.
class TerminalShell
{
public:
    virtual ~TerminalShell() = default;

    // A page by its name, a menu entry of a page group (e.g. "HqSH") or a group's tab
    // name (e.g. "PageHq"); false when nothing has that name.
    virtual bool showPage(const QString& name) = 0;
    // Opens what a menu entry or quick-search function names: the tab of its "child"
    // entry, else its group.
    virtual bool openMenuEntry(const ZtXMLMenu& entry) = 0;
    // The page made under that name or entry, null when none.
    virtual QWidget* page(const QString& name) const = 0;
    // The page on screen.
    virtual QWidget* currentPage() const = 0;
    // Puts a widget in the window's title bar, after the title.
    virtual void addTitleWidget(QWidget* widget) = 0;
    // The main window, parent of the demo's dialogs.
    virtual ZtFormMainBase* mainWindow() = 0;
    // A line in the status bar at the bottom of the window; with a timeout the line
    // before it comes back afterwards.
    virtual void showStatus(const QString& text, int timeoutMs = 0) = 0;
};

// Pages of the demo window. A page file registers its factory with a static
// TerminalPage::Registration; the window places each page as a tab of the group its
// left-menu entry opens, in order.
struct TerminalPage
{
    QString name;   // for --page
    QString title;  // tab text
    QString group;  // tab name of the left-menu entry, e.g. "PageHq"
    QString about;  // one line for --help
    int order = 0;
    // For a board page, the window makes one page for each entry of the group's own
    // menu that lists markets, and passes the entry; for others the entry is empty.
    bool perBoard = false;
    std::function<QWidget*(QWidget* parent, TerminalShell& shell, const ZtXMLMenu& entry)> create;

    static std::vector<TerminalPage>& all();

    struct Registration
    {
        Registration(const QString& name, const QString& title, const QString& group, int order,
                     std::function<QWidget*(QWidget* parent, TerminalShell& shell)> create,
                     const QString& about = QString());
        // A board page: one per market entry of the group's menu; name goes to the first.
        Registration(const QString& name, const QString& group, int order,
                     std::function<QWidget*(QWidget* parent, TerminalShell& shell, const ZtXMLMenu& entry)> create,
                     const QString& about = QString());
    };
};

// Group of the widget gallery pages, an entry the demo adds below the left menu.
inline QString demoGroupName()
{
    return QStringLiteral("PageDemo");
}
