#include "stockpage.h"

#include "alertform.h"
#include "minutechart.h"
#include "quotepage.h"
#include "terminalhost.h"
#include "terminalpages.h"

#include <controls/ztstocklinelast.h>
#include <controls/ztstocklinetop.h>
#include <grids/ztminstockgridtable.h>
#include <quote/ztmarketlinebtngroup.h>
#include <quote/ztmarketlinedgtlbtngroup.h>
#include <quote/ztminfinance.h>
#include <quote/ztstocktoolbox.h>

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <utility>

namespace {

QPointer<StockPage> gPage;

// The tick table: time, price (coloured against the previous close), volume by direction.
const QuoteColumn kTicks[] = {
    {"时间", ZtField::Time, "sys:default", "[tn:hh:mm:ss]", 70},
    {"价格", ZtField::Price, "sys:default", "d2", 70},
    {"现量", ZtField::SeriesVolume, "casefor:32020,0", "100d0", 70},
};

QList<DQDField::Field> financeFields()
{
    const struct
    {
        const char* title;
        unsigned int key;
        const char* rule;
        const char* format;
    } rows[] = {
        {"最新", ZtField::Last, "bos:12010", "d2"},
        {"涨跌", ZtField::Change, "case:0", "fd2"},
        {"涨幅", ZtField::ChangeRatio, "case:0", "fd2[ls:%]"},
        {"今开", ZtField::Open, "bos:12010", "d2"},
        {"最高", ZtField::High, "bos:12010", "d2"},
        {"最低", ZtField::Low, "bos:12010", "d2"},
        {"昨收", ZtField::PrevClose, "sys:default", "d2"},
        {"成交量", ZtField::Volume, "sys:vol", "100d2wc"},
        {"成交额", ZtField::Turnover, "sys:vol", "d2wc"},
        {"换手率", ZtField::TurnoverRate, "sys:default", "d2[ls:%]"},
        {"量比", ZtField::VolumeRatio, "case:1", "d2"},
        {"市盈率", ZtField::PE, "sys:default", "d2"},
    };
    QList<DQDField::Field> fields;
    for (const auto& r : rows) {
        fields << DQDField::Field(QString::fromUtf8(r.title), r.key, QString::fromUtf8(r.rule),
                                  QString::fromUtf8(r.format));
    }
    return fields;
}

}

StockPage::StockPage(QWidget* parent, TerminalShell& shell) : ZtLayoutBase(QStringLiteral("StockPage"), nullptr), mShell(shell)
{
    setParent(parent);
    // The first window's view stays the one that opens stocks while it lives; a
    // second window made and closed meanwhile must not leave the demo without one.
    if (!gPage)
        gPage = this;
    setKeyFocus(false);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    mTop = new ZtStockLineTop(this);
    mTop->appendGroup({PushDataMenu(QStringLiteral("分时"), 1, 1, true, true, {QStringLiteral("分时")})});
    outer->addWidget(mTop);

    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    auto* center = new QVBoxLayout;
    center->setSpacing(0);
    auto* lines = new QWidget(this);
    auto* linesRow = new QHBoxLayout(lines);
    linesRow->setContentsMargins(0, 0, 0, 0);
    linesRow->setSpacing(0);
    mLine = new ZtMarketLineDGTLBtnGroup(30, lines);
    mLine->setMinimumWidth(420);
    mSectors = new ZtMarketLineBtnGroup(true, -70, 4, 30, lines);
    linesRow->addWidget(mLine);
    linesRow->addWidget(mSectors, 1);
    center->addWidget(lines);
    mChart = new MinuteChart(this);
    center->addWidget(mChart, 1);
    mTicks = new ZtMinStockGridTable(this, ZtMinStockGridTable::TableType_Newest, quoteColumns(kTicks));
    mTicks->setFixedHeight(150);
    center->addWidget(mTicks);
    body->addLayout(center, 1);

    mSide = new QWidget(this);
    mSide->setFixedWidth(250);
    auto* side = new QVBoxLayout(mSide);
    side->setContentsMargins(1, 0, 0, 0);
    side->setSpacing(0);
    mFinance = new ZtMinFinance(this, financeFields());
    mFinance->setFixedHeight(12 * 30 + 2);
    side->addWidget(mFinance);
    auto* tabs = new QTabBar(mSide);
    tabs->setExpanding(true);
    tabs->addTab(QStringLiteral("自选股"));
    tabs->addTab(QStringLiteral("浏览历史"));
    tabs->addTab(QStringLiteral("预警列表"));
    side->addWidget(tabs);
    mBoxes = new QStackedWidget(mSide);
    for (auto type : {ZtStockToolBox::BoxDataType_Zxg, ZtStockToolBox::BoxDataType_History,
                      ZtStockToolBox::BoxDataType_Alerts}) {
        auto* box = new ZtStockToolBox(type, this);
        // The view opens what the user asks for; a box only follows.
        box->setFirstInit(false);
        mBoxes->addWidget(box);
    }
    side->addWidget(mBoxes, 1);
    // Alerts for the stock on screen, without leaving the chart.
    mAlertForm = new AlertForm(false, mSide);
    mAlertForm->setContentsMargins(4, 4, 4, 4);
    side->addWidget(mAlertForm);
    connect(tabs, &QTabBar::currentChanged, mBoxes, &QStackedWidget::setCurrentIndex);
    body->addWidget(mSide);
    outer->addLayout(body, 1);

    mBottom = new ZtStockLineLast(this);
    mBottom->appendGroup({PushDataMenu(QStringLiteral("成交明细"), 1, 1, true, true, {QStringLiteral("成交明细")})});
    outer->addWidget(mBottom);

    connect(mTop, &ZtStockLineTop::onFoldRighClick, mSide, [this](bool checked) { mSide->setVisible(!checked); });
    connect(mTop, &ZtStockLineTop::onPushsF10Click, this,
            [this](bool) { mShell.showPage(QStringLiteral("PageF10")); });
    connect(mBottom, &ZtStockLineLast::onFoldDownClick, mTicks, [this](bool checked) { mTicks->setVisible(!checked); });
    connect(mLine, &ZtMarketLineDGTLBtnGroup::onResetStock, this, [this](const QString& code) {
        showStock(std::as_const(PubCache::mDataQueryAll).valueCopy(code));
    });
    connect(mSectors, &ZtMarketLineBtnGroup::onResetStock, this, [this](const QString& code) {
        showStock(std::as_const(PubCache::mDataQueryAll).valueCopy(code));
    });
    connect(&mQuote, &StockQNow::onDataUpdate, this, &StockPage::quoteArrived);

    // Shown before the user opens anything, so it does not go into the history.
    showStock(std::as_const(PubCache::mDataQueryAll).valueCopy(QStringLiteral("SH600000")), false);
}

StockPage::~StockPage()
{
    mQuote.stop();
}

StockPage* StockPage::instance()
{
    return gPage;
}

bool StockPage::open(const DQDUnionReader& row)
{
    if (!gPage || row.isEmpty())
        return false;
    gPage->showStock(row);
    return gPage->mShell.showPage(QStringLiteral("stock"));
}

void StockPage::showStock(const DQDUnionReader& given, bool remember)
{
    if (given.isEmpty())
        return;
    // Rows from the quick search carry little; the security list has the name and type.
    DQDUnionReader row = given;
    if (row.getValue(ZtField::Name).toString() == QLatin1String("-")) {
        const DQDUnionReader listed = std::as_const(PubCache::mDataQueryAll).valueCopy(given.getUniqueValue(0));
        if (!listed.isEmpty())
            row = listed;
    }
    const QString code = row.getUniqueValue(0);
    if (code.isEmpty() || code == mCode)
        return;
    mCode = code;
    if (remember)
        PubStaticFunc::HisAdd(code);
    mTop->resetStock(row);
    mLine->resetStock(row);
    mSectors->resetStock(row);
    mChart->showStock(row);
    mTicks->replaceStock();
    mAlertForm->setStock(code);
    mQuote.InitQNow(code);
}

void StockPage::quoteArrived()
{
    const DQDUnionReader quote = mQuote.mQNow;
    if (quote.getUniqueValue(0) != mCode)
        return;
    mFinance->doQNowDataUpdStock(quote);
    mChart->setQuote(quote);
    // The table needs the previous close and decimals, which the quote brings.
    if (mTicks->stock().getUniqueValue(0) != mCode)
        mTicks->resetStock(quote, ZtE_RegDataType_DetailAsc);
}

void StockPage::doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType)
{
    showStock(row);
}

void StockPage::doOpenStockDialog(ZtLayoutBase*, DQDUnionReader, enumStockSubType)
{
}

void StockPage::showEvent(QShowEvent* event)
{
    mQuote.run();
    ZtLayoutBase::showEvent(event);
}

void StockPage::hideEvent(QHideEvent* event)
{
    mQuote.stop();
    ZtLayoutBase::hideEvent(event);
}

namespace {

const TerminalPage::Registration reg(QStringLiteral("stock"), QStringLiteral("个股"), QStringLiteral("PageHq"), 90,
                                     [](QWidget* parent, TerminalShell& shell) { return new StockPage(parent, shell); },
                                     QStringLiteral("one security: minute chart, ticks, quote lines, sectors and side lists"));

}
