#include "quotepage.h"
#include "terminalpages.h"

#include <grids/ztzxgstockgridview.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The watchlist and history columns: the market list's, without the order book.
const QuoteColumn kColumns[] = {
    {"代码", ZtField::Code, "sys:default", "!p", 76},
    {"名称", ZtField::Name, "Name", "!p", 110},
    {"涨幅%", ZtField::ChangeRatio, "case:0", "{if#>0;fd2[ls:%]}d2[ls:%]", 80},
    {"现价", ZtField::Last, "bos:12010", "d2", 92},
    {"涨跌", ZtField::Change, "case:0", "fd2", 84},
    {"总手", ZtField::Volume, "sys:vol", "100d2wc", 100},
    {"金额", ZtField::Turnover, "sys:default", "d2wc", 104},
    {"换手%", ZtField::TurnoverRate, "sys:default", "d2", 64},
    {"量比", ZtField::VolumeRatio, "case:1", "d2", 60},
    {"今开", ZtField::Open, "bos:12010", "d2", 92},
    {"最高", ZtField::High, "bos:12010", "d2", 92},
    {"最低", ZtField::Low, "bos:12010", "d2", 92},
    {"昨收", ZtField::PrevClose, "sys:flat", "d2", 92},
};

// The grid with a line over it that says why it is empty; the line shows only then.
QWidget* overEmptyGrid(QWidget* grid, QLabel** hint)
{
    auto* holder = new QWidget(grid->parentWidget());
    auto* stack = new QGridLayout(holder);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(grid, 0, 0);
    auto* label = new QLabel(holder);
    label->setObjectName(QStringLiteral("EmptyHint"));
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->hide();
    // Later in the same cell, so it lies above the grid.
    stack->addWidget(label, 0, 0, Qt::AlignCenter);
    *hint = label;
    return holder;
}

// A new user (no watchlist entries, no history) starts with a few stocks to watch.
void seedWatchlist()
{
    for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList()) {
        if (!g.getList().isEmpty())
            return;
    }
    if (!PubStaticFunc::HisGetAll().isEmpty() || PubCache::mDataQueryAll.isEmpty())
        return;
    const DQDDataList& all = PubCache::mDataQueryAll;
    int added = 0;
    for (int i = 0; i < all.count() && added < 12; i += 97) {
        const DQDUnionReader* row = all.at(i);
        if (row->isStock() && PubStaticFunc::ZxgAdd(row->getUniqueValue(0)))
            ++added;
    }
}

class ZxgPage : public QuotePageBase
{
public:
    explicit ZxgPage(QWidget* parent) : QuotePageBase(QStringLiteral("ZxgPage"), parent)
    {
        seedWatchlist();
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        mGroups = new QListWidget(this);
        mGroups->setObjectName(QStringLiteral("ZxgGroups"));
        mGroups->setFixedWidth(110);
        mGroups->setFocusPolicy(Qt::NoFocus);
        mGrid = new ZtZXGStockGridView(this, quoteColumns(kColumns), true);
        mGrid->setCanManualSequence(true);
        mQuote = new StockQuoteBox(this);
        layout->addWidget(mGroups);
        layout->addWidget(overEmptyGrid(mGrid, &mEmpty), 1);
        mEmpty->setText(QStringLiteral("这个分组还没有股票\n在行情列表中右键“加入自选股”，或在“分组管理”中输入代码"));
        layout->addWidget(mQuote);
        setMainChildWidget(mGrid);

        connect(mGroups, &QListWidget::currentTextChanged, this, [this](const QString& name) { showGroup(name); });
        connect(mGrid, &ZtZXGStockGridView::onZxgOrderUpdate, this, [this](int oldIndex, int newIndex) {
            saveOrder(oldIndex, newIndex);
        });
        connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this, [this] { fillGroups(); });
        fillGroups();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        fillGroups();
        QuotePageBase::showEvent(event);
    }

private:
    void fillGroups()
    {
        QStringList names;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList())
            names << g.getName();
        QStringList shown;
        for (int i = 0; i < mGroups->count(); ++i)
            shown << mGroups->item(i)->text();
        if (names == shown)
            return;
        const QString current = mGrid->getZxgStockType();
        const QSignalBlocker block(mGroups);
        mGroups->clear();
        mGroups->addItems(names);
        const int at = std::max(0, int(names.indexOf(current)));
        if (!names.isEmpty()) {
            mGroups->setCurrentRow(at);
            if (names.at(at) != current)
                showGroup(names.at(at));
        }
    }

    void showGroup(const QString& name)
    {
        if (name.isEmpty())
            return;
        mGrid->setZxgStockType(name);
        const auto codes = PubStaticFunc::ZxgGet(name);
        mGrid->InitZxgQNows(codes);
        mEmpty->setVisible(codes.first.isEmpty());
    }

    // The grid announces a new manual order; the watchlist store keeps it.
    void saveOrder(int oldIndex, int newIndex)
    {
        const QString group = mGrid->getZxgStockType();
        const QStringList stored = PubStaticFunc::ZxgGet(group).first;
        const QStringList now = mGrid->getZxgCodes();
        const DQDQuery* rows = mGrid->getGrid()->getData();
        const DQDUnionReader* moved = rows ? std::as_const(*rows).at(newIndex) : nullptr;
        const QString code = moved ? moved->getUniqueValue(0) : stored.value(oldIndex);
        const int from = stored.indexOf(code);
        const int to = now.indexOf(code);
        if (from >= 0 && to >= 0 && from != to)
            PubStaticFunc::ZxgMove(group, from, to);
    }

    QListWidget* mGroups = nullptr;
    ZtZXGStockGridView* mGrid = nullptr;
    QLabel* mEmpty = nullptr;
};

class HistoryPage : public QuotePageBase
{
public:
    explicit HistoryPage(QWidget* parent) : QuotePageBase(QStringLiteral("HistoryPage"), parent)
    {
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        mGrid = new ZtZXGStockGridView(this, quoteColumns(kColumns), false);
        mQuote = new StockQuoteBox(this);
        layout->addWidget(overEmptyGrid(mGrid, &mEmpty), 1);
        layout->addWidget(mQuote);
        setMainChildWidget(mGrid);
        mEmpty->setText(QStringLiteral("还没有打开过股票\n在行情列表中双击或回车打开的股票会列在这里"));
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // Stocks opened on other pages since the last visit show up at once.
        const QVector<QString> history = PubStaticFunc::HisGetAll();
        if (history != mShown) {
            mShown = history;
            mGrid->InitHisQNows(history);
        }
        mEmpty->setVisible(history.isEmpty());
        QuotePageBase::showEvent(event);
    }

private:
    ZtZXGStockGridView* mGrid = nullptr;
    QLabel* mEmpty = nullptr;
    QVector<QString> mShown{QStringLiteral("-")};
};

const TerminalPage::Registration zxg(QStringLiteral("watchlist"), QStringLiteral("自选股"), QStringLiteral("PageZxg"), 6,
                                     [](QWidget* parent, TerminalShell&) { return new ZxgPage(parent); },
                                     QStringLiteral("the live watchlist: one group's quotes in the user's order"));
const TerminalPage::Registration history(QStringLiteral("history"), QStringLiteral("浏览历史"), QStringLiteral("PageZxg"), 7,
                                         [](QWidget* parent, TerminalShell&) { return new HistoryPage(parent); },
                                         QStringLiteral("the stocks opened lately"));

}
