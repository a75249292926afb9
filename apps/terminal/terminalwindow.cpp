#include "terminalwindow.h"

#include "settingsdialog.h"
#include "stockpage.h"

#include <controls/zttoolbutton.h>
#include <frame/ztmainboxbase.h>
#include <frame/ztmainboxs.h>
#include <frame/ztmainfoot.h>
#include <frame/ztmainfootothers.h>
#include <frame/ztmainhorseracelamp.h>
#include <frame/ztmainmenu.h>
#include <frame/zttabwidget.h>

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QStatusBar>
#include <QTime>
#include <QVBoxLayout>

#include <algorithm>

// One left-menu entry's page: its pages as tabs along the top.
class TerminalGroup : public ZtMainBoxBase
{
public:
    TerminalGroup(ZtLayoutBase* parent, const ZtXMLMenu& entry)
        : ZtMainBoxBase(parent, entry)
        , mTabs(new ZtTabWidget(this, QTabWidget::North))
    {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);
        grid->addWidget(mTabs);
        setMainChildWidget(mTabs);
    }

    ZtTabWidget* tabs() const { return mTabs; }

    void reload() override { mTabs->setCurrentIndex(qMax(0, mTabs->currentIndex())); }

private:
    ZtTabWidget* mTabs;
};

namespace {

// The gallery of the library's widgets is the demo's own entry, below the shipped ones.
QHash<QString, QString> demoEntry()
{
    return {{QStringLiteral("name"), QStringLiteral("MenuDemo")},
            {QStringLiteral("text"), QStringLiteral("组件")},
            {QStringLiteral("tabName"), demoGroupName()},
            {QStringLiteral("isChecked"), QStringLiteral("true")},
            {QStringLiteral("type"), QStringLiteral("0")}};
}

}

TerminalWindow::TerminalWindow() : ZtFormMainBase(nullptr, false, QStringLiteral("TerminalBody"))
{
    // The window lives on main()'s stack.
    setAttribute(Qt::WA_DeleteOnClose, false);
    ZtLayoutBase::setObjectName(QStringLiteral("TerminalWindow"));
    setWindowTitle(QStringLiteral("行情终端"));
    setMaxMinmizeBtn(true);
    setSetTopmizeBtn(true);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    mMenu = new ZtMainMenu(this, false);
    mMenu->setObjectName(QStringLiteral("LeftMenu"));
    mMenu->setFixedWidth(64);
    mMenu->setButtonHeight(52);
    QList<ZtToolButton*> buttons = mMenu->load(QStringLiteral("LeftMenu"));
    buttons << mMenu->load(demoEntry());
    row->addWidget(mMenu);

    mBoxs = new ZtMainBoxs(this);
    mBoxs->pageContainer()->setObjectName(QStringLiteral("PageArea"));
    row->addWidget(mBoxs, 1);

    // Says, for as long as the window is open, that changes are not being saved.
    mUserDataWarning = new QLabel(this);
    mUserDataWarning->setObjectName(QStringLiteral("UserDataWarning"));
    mUserDataWarning->setWordWrap(true);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(row, 1);
    column->addWidget(mUserDataWarning);
    mStatus = new QStatusBar(this);
    mStatus->setObjectName(QStringLiteral("TerminalStatus"));
    mStatus->setSizeGripEnabled(false);
    mLastingStatus = new QLabel(mStatus);
    mStatus->addWidget(mLastingStatus, 1);
    column->addWidget(mStatus);
    setLayout(column);
    const auto showWarning = [this](const QString& text) {
        mUserDataWarning->setText(text);
        mUserDataWarning->setVisible(!text.isEmpty());
    };
    showWarning(PubStaticFunc::databaseWarning());
    connect(&PubCache::SSignal, &PubStaticSignal::onUserDataWarning, this, showWarning);

    QList<ZtXMLMenu> entries;
    for (ZtToolButton* button : qAsConst(buttons))
        entries << button->getXmlData();
    buildGroups(entries);

    connect(mMenu, &ZtMainMenu::onSyncClicked, this, [this](ZtToolButton* button, bool) { chooseGroup(button); });
    // The footer's buttons open groups as the left menu does.
    mBoxs->load(QStringLiteral("FootMenu"));
    connect(mBoxs, &ZtMainBoxs::onFootClicked, this, [this](ZtToolButton* button) {
        const QString tabName = button->getXmlData().getTabName();
        if (mGroups.contains(tabName))
            mMenu->setCheckedTagName(tabName);
        else
            chooseGroup(button);
    });
    const auto tick = [this] {
        mBoxs->setFootText(QStringLiteral("FootTime"), QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
    };
    tick();
    mClock.setInterval(1000);
    connect(&mClock, &QTimer::timeout, this, tick);
    mClock.start();
    // Alt+Left steps back to the group shown before, as a browser does.
    auto* back = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(back, &QShortcut::activated, mMenu, &ZtMainMenu::goBackIndentation);

    for (ZtToolButton* button : qAsConst(buttons)) {
        if (mGroups.contains(button->getXmlData().getTabName())) {
            button->click();
            break;
        }
    }
    applySettings();
    resize(1280, 800);
}

void TerminalWindow::applySettings()
{
    const QVariant marquee = PubConfig::ReadConfig(QStringLiteral("SysSetupInfo"),
                                                   QStringLiteral("Sys%1").arg(int(SysSetup_ShowMarquee)));
    mBoxs->foot()->others()->horseRaceLamp()->setVisible(marquee.toBool());
}

void TerminalWindow::buildGroups(const QList<ZtXMLMenu>& entries)
{
    auto pages = TerminalPage::all();
    std::stable_sort(pages.begin(), pages.end(),
                     [](const TerminalPage& a, const TerminalPage& b) { return a.order < b.order; });
    for (const ZtXMLMenu& entry : entries) {
        const QString tabName = entry.getTabName();
        // Entries that open the same group share it: building it again per entry
        // made start-up grow with the whole page set for every entry.
        if (mGroups.contains(tabName))
            continue;
        TerminalGroup* group = nullptr;
        for (const TerminalPage& p : pages) {
            if (p.group != tabName)
                continue;
            if (!group) {
                group = new TerminalGroup(mBoxs, entry);
                mBoxs->addTab(group);
                mGroups.insert(tabName, group);
            }
            if (!p.perBoard) {
                place(group, p.name, p.title, p.create(group, *this, ZtXMLMenu()));
                continue;
            }
            bool first = true;
            for (const auto& attributes : group->getSubMenuList()) {
                const ZtXMLMenu board(attributes);
                if (board.getValue(QStringLiteral("markets")).isEmpty())
                    continue;
                place(group, board.getName(), board.getText(), p.create(group, *this, board));
                if (first)
                    mPlaced.insert(p.name, mPlaced.value(board.getName()));
                first = false;
            }
        }
        if (group)
            group->tabs()->addStretch();
    }
}

void TerminalWindow::place(TerminalGroup* group, const QString& name, const QString& title, QWidget* page)
{
    // Tabs find their page by object name, so each page sits in a holder of its own name.
    auto* tab = new ZtLayoutBase(name, nullptr);
    auto* grid = new QGridLayout(tab);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(page);
    tab->setMainChildWidget(page);
    group->tabs()->addTab(tab, title);
    const Placed placed{group, tab, page};
    mPlaced.insert(name, placed);
    // A page standing for an entry of its group's menu answers to that entry's name too.
    for (const auto& attributes : group->getSubMenuList()) {
        const ZtXMLMenu entry(attributes);
        if (entry.getText() == title)
            mPlaced.insert(entry.getName(), placed);
    }
}

void TerminalWindow::chooseGroup(ZtToolButton* button)
{
    const QString tabName = button->getXmlData().getTabName();
    if (openDialogEntry(tabName)) {
        // The mark stays on the group that is still on screen.
        if (mCurrent)
            showGroup(mCurrent->objectName());
        return;
    }
    if (!mGroups.contains(tabName)) {
        // The mark stays on the group that is still on screen.
        if (mCurrent)
            showGroup(mCurrent->objectName());
        reportNotBuilt(button->getXmlData().getText());
        return;
    }
    mMenu->addIndentation(button);
    showGroup(tabName);
}

void TerminalWindow::showGroup(const QString& tabName)
{
    TerminalGroup* group = mGroups.value(tabName);
    if (!group)
        return;
    // Both menus mark the group on screen (a set check is silent, so this does not
    // loop); an entry of the group that is already marked keeps its mark, and a menu
    // without an entry for it marks nothing, so that each of its buttons still works.
    for (ZtMainMenu* menu : {mMenu, mBoxs->foot()->others()->menu()}) {
        const QList<ZtToolButton*> buttons = menu->buttons();
        const int checked = menu->getCheckedMenu();
        if (checked >= 0 && buttons.at(checked)->getXmlData().getTabName() == tabName)
            continue;
        const auto entry = std::find_if(buttons.begin(), buttons.end(), [&tabName](ZtToolButton* b) {
            return b->getXmlData().getTabName() == tabName;
        });
        if (entry != buttons.end()) {
            (*entry)->setChecked(true);
        } else if (checked >= 0) {
            QButtonGroup* exclusive = buttons.at(checked)->group();
            if (exclusive)
                exclusive->setExclusive(false);
            buttons.at(checked)->setChecked(false);
            if (exclusive)
                exclusive->setExclusive(true);
        }
    }
    if (group == mCurrent)
        return;
    mCurrent = group;
    mBoxs->setCurrentWidget(tabName);
    setMainChildWidget(group);
}

bool TerminalWindow::showPage(const QString& name)
{
    if (mGroups.contains(name)) {
        mMenu->setCheckedTagName(name);
        return true;
    }
    const Placed placed = mPlaced.value(name);
    if (!placed.group)
        return false;
    mMenu->setCheckedTagName(placed.group->objectName());
    placed.group->tabs()->setCurrentWidget(placed.tab);
    return true;
}

bool TerminalWindow::openDialogEntry(const QString& tabName)
{
    if (tabName != QLatin1String("PageSetup"))
        return false;
    if (SettingsDialog::open(this))
        applySettings();
    return true;
}

bool TerminalWindow::openMenuEntry(const ZtXMLMenu& entry)
{
    if (openDialogEntry(entry.getTabName()))
        return true;
    const QString child = entry.getValue(QStringLiteral("child"));
    if ((!child.isEmpty() && showPage(child)) || showPage(entry.getTabName()))
        return true;
    reportNotBuilt(entry.getText());
    return false;
}

void TerminalWindow::reportNotBuilt(const QString& what)
{
    showStatus(QStringLiteral("“%1”页面尚未建成").arg(what), 10000);
}

void TerminalWindow::showStatus(const QString& text, int timeoutMs)
{
    if (timeoutMs > 0) {
        mStatus->showMessage(text, timeoutMs);
        return;
    }
    // A lasting line sits under the passing ones.
    mStatus->clearMessage();
    mLastingStatus->setText(text);
}

QString TerminalWindow::statusText() const
{
    return mStatus->currentMessage().isEmpty() ? mLastingStatus->text() : mStatus->currentMessage();
}

QWidget* TerminalWindow::page(const QString& name) const
{
    return mPlaced.value(name).page;
}

QWidget* TerminalWindow::currentPage() const
{
    if (!mCurrent)
        return nullptr;
    const ZtLayoutBase* tab = mCurrent->tabs()->currentWidget();
    for (const Placed& p : mPlaced) {
        if (p.tab == tab && tab)
            return p.page;
    }
    return nullptr;
}

QString TerminalWindow::currentGroup() const
{
    return mCurrent ? mCurrent->objectName() : QString();
}

void TerminalWindow::addTitleWidget(QWidget* widget)
{
    setTitleLastWidget(widget, 12);
}

void TerminalWindow::doGotoStock(ZtLayoutBase*, DQDUnionReader focusQDDNow, DQDDataList, enumStockSubType)
{
    if (!StockPage::open(focusQDDNow))
        reportNotBuilt(QStringLiteral("个股"));
}

void TerminalWindow::doGetOpenForm(QString mUrl, bool)
{
    // The demo's web host is not reachable; say what would open.
    showStatus(QStringLiteral("打开网页：%1").arg(mUrl), 10000);
}

void TerminalWindow::doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;
    ZtFormMainBase::doKeyReleaseEvent(obj, event);
}
