#include "terminalpages.h"

std::vector<TerminalPage>& TerminalPage::all()
{
    static std::vector<TerminalPage> pages;
    return pages;
}

TerminalPage::Registration::Registration(const QString& name, const QString& title, int order,
                                         std::function<QWidget*(QWidget*)> create)
{
    all().push_back(TerminalPage{name, title, order, std::move(create)});
}
