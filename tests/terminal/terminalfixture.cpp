#include "terminalfixture.h"

#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>

#include <QApplication>
#include <QtTest>

bool TerminalFixture::start(const std::function<void(TerminalHost&)>& beforeWindow)
{
    if (!dir.isValid())
        return false;
    qputenv("ZT_DATA_DIR", dir.path().toLocal8Bit());
    PBDataChange::installSource(std::make_shared<SimulatedMarket>(7));
    host = std::make_unique<TerminalHost>();
    host->start();
    if (beforeWindow)
        beforeWindow(*host);
    window = std::make_unique<TerminalWindow>();
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

void TerminalFixture::stop()
{
    window.reset();
    host.reset();
}

ZtFormMainBase* TerminalFixture::openDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<ZtFormMainBase*>(w);
        if (dialog && !qobject_cast<TerminalWindow*>(w) && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

QWidget* TerminalFixture::makePage(const QString& name, TerminalShell& shell)
{
    for (const TerminalPage& p : TerminalPage::all())
        if (p.name == name)
            return p.create(nullptr, shell, ZtXMLMenu());
    return nullptr;
}
