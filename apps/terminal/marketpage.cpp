#include "stockquotebox.h"
#include "terminalpages.h"

#include <framework/ztlayoutbase.h>
#include <grids/ztstockgridview.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
#include <vector>

namespace {

struct Column
{
    const char* title;
    unsigned int key;
    const char* rule;
    const char* format;
    int width;
};

// The columns of a market list, as a terminal's column set would give them.
const Column kColumns[] = {
    {"代码", ZtField::Code, "sys:default", "!p", 72},
    {"名称", ZtField::Name, "Name", "!p", 110},
    {"涨幅%", ZtField::ChangeRatio, "case:0", "{if#>0;fd2[ls:%]}d2[ls:%]", 80},
    {"现价", ZtField::Last, "bos:12010", "d2", 70},
    {"涨跌", ZtField::Change, "case:0", "fd2", 66},
    {"买入", ZtField::BuyPrice1, "bos:12010", "{if#=0;[ss:-]}d2", 66},
    {"卖出", ZtField::SellPrice1, "bos:12010", "{if#=0;[ss:-]}d2", 66},
    {"总手", ZtField::Volume, "sys:vol", "100d2wc", 92},
    {"金额", ZtField::Turnover, "sys:default", "d2wc", 96},
    {"换手%", ZtField::TurnoverRate, "sys:default", "d2", 64},
    {"量比", ZtField::VolumeRatio, "case:1", "d2", 60},
    {"涨速%", ZtField::Change5Min, "case:0", "fd2", 64},
    {"振幅%", ZtField::Amplitude, "sys:default", "d2", 64},
    {"今开", ZtField::Open, "bos:12010", "d2", 66},
    {"最高", ZtField::High, "bos:12010", "d2", 66},
    {"最低", ZtField::Low, "bos:12010", "d2", 66},
    {"昨收", ZtField::PrevClose, "sys:flat", "d2", 66},
    {"委比%", ZtField::BidAskRatio, "case:0", "fd2", 66},
    {"市盈率", ZtField::PE, "sys:default", "d2", 70},
    {"总市值", ZtField::MarketValue, "sys:default", "d2wc", 100},
};

// Column descriptors live as long as the process, as the cache library's column sets do.
QList<GridField*> marketColumns()
{
    static std::vector<std::unique_ptr<GridField>> fields;
    if (fields.empty()) {
        for (const Column& c : kColumns) {
            DQDField::Field f(QString::fromUtf8(c.title), c.key, QString::fromUtf8(c.rule),
                              QString::fromUtf8(c.format));
            const bool text = c.key == ZtField::Code || c.key == ZtField::Name;
            f.mTitleOption.setAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            f.mValueOption.setAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            fields.push_back(std::make_unique<GridField>(f, c.width));
        }
    }
    QList<GridField*> list;
    for (auto& f : fields)
        list << f.get();
    return list;
}

struct Board
{
    const char* title;
    QVector<QString> markets;
    QVector<ZtE_ZQLX> types;
};

// The page is the top of its own panel tree: it handles what the list asks for.
class MarketPage : public ZtLayoutBase
{
public:
    explicit MarketPage(QWidget* parent) : ZtLayoutBase(QStringLiteral("MarketPage"), nullptr)
    {
        setParent(parent);
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);

        auto* bar = new QHBoxLayout;
        bar->setContentsMargins(6, 4, 6, 4);
        auto* group = new QButtonGroup(this);
        const Board boards[] = {
            {"沪深A股", {QStringLiteral("SH"), QStringLiteral("SZ")}, {ZtE_ZQLX_AShare}},
            {"上证A股", {QStringLiteral("SH")}, {ZtE_ZQLX_AShare}},
            {"深证A股", {QStringLiteral("SZ")}, {ZtE_ZQLX_AShare}},
            {"B股", {QStringLiteral("SH"), QStringLiteral("SZ")}, {ZtE_ZQLX_BShare}},
        };
        for (const Board& b : boards) {
            auto* button = new QPushButton(QString::fromUtf8(b.title), this);
            button->setCheckable(true);
            button->setFocusPolicy(Qt::NoFocus);
            group->addButton(button);
            bar->addWidget(button);
            const QVector<QString> markets = b.markets;
            const QVector<ZtE_ZQLX> types = b.types;
            connect(button, &QPushButton::clicked, this, [this, markets, types] { showBoard(markets, types); });
        }
        group->buttons().first()->setChecked(true);
        mMode = new QLabel(this);
        bar->addStretch();
        bar->addWidget(mMode);
        outer->addLayout(bar);

        auto* body = new QHBoxLayout;
        body->setSpacing(0);
        mList = new ZtStockGridView(this, marketColumns(), ZtField::ChangeRatio, true);
        mQuote = new StockQuoteBox(this);
        body->addWidget(mList, 1);
        body->addWidget(mQuote);
        outer->addLayout(body, 1);

        setMainChildWidget(mList);
        // The panel switches the mode first; the label follows.
        connect(mList->getMenu(), &UserRightMenu::onCliclChileMenu, this, [this] { showMode(); });
        showBoard(boards[0].markets, boards[0].types);
        showMode();
    }

    void doFocusStock(ZtLayoutBase*, DQDUnionReader row) override
    {
        mQuote->setStock(row.getUniqueValue(0));
        showMode();
    }

    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType type) override
    {
        const QString code = row.getUniqueValue(0);
        mQuote->setStock(code);
        const QString kind = type == StockSubType_KLine ? QStringLiteral("K线图") : QStringLiteral("分时图");
        mQuote->setNote(QStringLiteral("打开%1：%2 %3").arg(kind, row.getValue(ZtField::Name).toString(), code));
        // What the user opens is remembered, as in any terminal.
        PubStaticFunc::HisAdd(code);
    }

    void doOpenStockDialog(ZtLayoutBase*, DQDUnionReader row, enumStockSubType) override
    {
        mQuote->setNote(QStringLiteral("F10基本资料：%1").arg(row.getValue(ZtField::Name).toString()));
    }

    void doChildShowMe(QString stockCode, bool, qlonglong) override
    {
        mQuote->setNote(QStringLiteral("信息地雷：%1").arg(stockCode));
    }

private:
    void showBoard(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types)
    {
        mList->ResetData();
        mList->getGrid()->setRowIndex(0);
        mList->InitDataMarkets(markets, types);
    }

    void showMode()
    {
        mMode->setText(PubStaticFunc::getGridViewFollowRowId() ? QStringLiteral("光标跟随：跟随行")
                                                               : QStringLiteral("光标跟随：跟随目标"));
    }

    ZtStockGridView* mList = nullptr;
    StockQuoteBox* mQuote = nullptr;
    QLabel* mMode = nullptr;
};

const TerminalPage::Registration reg(QStringLiteral("market"), QStringLiteral("沪深A股"), 5,
                                     [](QWidget* parent) { return new MarketPage(parent); });

}
