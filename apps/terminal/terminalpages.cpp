#include "terminalpages.h"

std::vector<TerminalPage>& TerminalPage::all()
{
    static std::vector<TerminalPage> pages;
    return pages;
}

TerminalPage::Registration::Registration(const QString& name, const QString& title, const QString& group,
                                         int order,
                                         std::function<QWidget*(QWidget* parent, TerminalShell& shell)> create,
                                         const QString& about)
{
    all().push_back(TerminalPage{name, title, group, about, order, false,
                                 [create = std::move(create)](QWidget* parent, TerminalShell& shell,
                                                              const ZtXMLMenu&) { return create(parent, shell); }});
}

TerminalPage::Registration::Registration(
    const QString& name, const QString& group, int order,
    std::function<QWidget*(QWidget* parent, TerminalShell& shell, const ZtXMLMenu& entry)> create,
    const QString& about)
{
    all().push_back(TerminalPage{name, QString(), group, about, order, true, std::move(create)});
}
