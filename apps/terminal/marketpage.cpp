#include "quotepage.h"
#include "terminalpages.h"

#include <grids/ztstockgridview.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztenums.h>
#include <ztlib/ztfields.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// One board of a market list, as an entry of the page's menu names it: its markets
// ("SH,SZ") and security types ("10").
class MarketPage : public QuotePageBase
{
public:
    MarketPage(QWidget* parent, const ZtXMLMenu& board) : QuotePageBase(QStringLiteral("MarketPage"), parent)
    {
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->setSpacing(0);

        auto* bar = new QHBoxLayout;
        bar->setContentsMargins(6, 2, 6, 2);
        mMode = new QLabel(this);
        bar->addStretch();
        bar->addWidget(mMode);
        outer->addLayout(bar);

        auto* body = new QHBoxLayout;
        body->setSpacing(0);
        mList = new ZtStockGridView(this, PubConfig::getColumn(QStringLiteral("StockList")), ZtField::ChangeRatio, true);
        mQuote = new StockQuoteBox(this);
        body->addWidget(mList, 1);
        body->addWidget(mQuote);
        outer->addLayout(body, 1);

        setMainChildWidget(mList);
        // The panel switches the mode first; the label follows.
        connect(mList->getMenu(), &UserRightMenu::onCliclChileMenu, this, [this] { showMode(); });

        QVector<QString> markets;
        for (const QString& m : board.getValue(QStringLiteral("markets")).split(QLatin1Char(','), Qt::SkipEmptyParts))
            markets << m.trimmed();
        QVector<ZtE_ZQLX> types;
        for (const QString& t : board.getValue(QStringLiteral("types")).split(QLatin1Char(','), Qt::SkipEmptyParts))
            types << ZtE_ZQLX(t.trimmed().toInt());
        mList->InitDataMarkets(markets, types);
        showMode();
    }

    void doFocusStock(ZtLayoutBase* obj, DQDUnionReader row) override
    {
        QuotePageBase::doFocusStock(obj, row);
        showMode();
    }

private:
    void showMode()
    {
        mMode->setText(PubStaticFunc::getGridViewFollowRowId() ? QStringLiteral("光标跟随：跟随行")
                                                               : QStringLiteral("光标跟随：跟随目标"));
    }

    ZtStockGridView* mList = nullptr;
    QLabel* mMode = nullptr;
};

QWidget* board(QWidget* parent, TerminalShell&, const ZtXMLMenu& entry)
{
    return new MarketPage(parent, entry);
}

// "market" and "sectors" open the first board of each.
const TerminalPage::Registration market(QStringLiteral("market"), QStringLiteral("PageHq"), 5, board,
                                       QStringLiteral("market lists by board (all A shares first; HqSH, HqSZ, HqB, "
                                                      "HqIndex open the others) with the focused stock's quote"));
const TerminalPage::Registration sectors(QStringLiteral("sectors"), QStringLiteral("PageBk"), 5, board,
                                        QStringLiteral("the sector indices as a market list"));

}
