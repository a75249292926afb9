#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

// Pages of the demo window. A page file registers its factory with a static
// TerminalPage::Registration; the window shows them in order.
struct TerminalPage
{
    QString name;   // for --page
    QString title;  // tab text
    int order = 0;
    std::function<QWidget*(QWidget* parent)> create;

    static std::vector<TerminalPage>& all();

    struct Registration
    {
        Registration(const QString& name, const QString& title, int order,
                     std::function<QWidget*(QWidget*)> create);
    };
};
