#include "terminalwindow.h"

#include "terminalpages.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

TerminalWindow::TerminalWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TerminalWindow"));
    setWindowTitle(QStringLiteral("行情终端"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    mTabs = new QTabWidget(this);
    mTabs->setDocumentMode(true);
    layout->addWidget(mTabs);

    auto pages = TerminalPage::all();
    std::stable_sort(pages.begin(), pages.end(),
                     [](const TerminalPage& a, const TerminalPage& b) { return a.order < b.order; });
    for (const TerminalPage& page : pages) {
        mTabs->addTab(page.create(mTabs), page.title);
        mNames.append(page.name);
    }
    resize(1280, 800);
}

bool TerminalWindow::showPage(const QString& name)
{
    const int index = mNames.indexOf(name);
    if (index < 0)
        return false;
    mTabs->setCurrentIndex(index);
    return true;
}
