// The "异动" page: movement messages of the whole market or of the watchlist in the
// message grid, the newest one in the notice line below it.
#include "terminalpages.h"

#include <alerts/stockmsg.h>
#include <alerts/ztstockmsggridtable.h>
#include <alerts/ztstockmsgnotice.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

class StockMsgPage : public ZtLayoutBase
{
public:
    explicit StockMsgPage(QWidget* parent) : ZtLayoutBase(QStringLiteral("StockMsgPage"), nullptr)
    {
        setParent(parent);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(4, 4, 4, 4);
        auto* row = new QHBoxLayout;
        auto* all = new QPushButton(QStringLiteral("全市场"), this);
        auto* zxg = new QPushButton(QStringLiteral("自选股"), this);
        all->setObjectName(QStringLiteral("StockMsgAll"));
        zxg->setObjectName(QStringLiteral("StockMsgZxg"));
        for (QPushButton* b : {all, zxg}) {
            b->setCheckable(true);
            row->addWidget(b);
        }
        row->addStretch();
        auto* group = new QButtonGroup(this);
        group->addButton(all);
        group->addButton(zxg);
        all->setChecked(true);
        column->addLayout(row);

        mTable = new ZtStockMsgGridTable(this);
        mNotice = new ZtStockMsgNotice(this);
        column->addWidget(mTable, 1);
        column->addWidget(mNotice);

        if (PubStaticFunc::getDxjlList().isEmpty())
            PubStaticFunc::setDxjlList({ZtE_DXJL_FastRise, ZtE_DXJL_FastFall, ZtE_DXJL_BigBuy, ZtE_DXJL_BigSell});
        connect(&mReader, &StockMsg::onDataUpdate, this, [this] {
            const int before = mTable->getFocusRowIndex();
            Q_UNUSED(before)
            const bool grew = mReader.mDataList.count() > mShown;
            mShown = mReader.mDataList.count();
            mTable->setData(mReader.mDataList);
            // The newest message goes on the bus; the notice line shows it.
            if (grew && mShown > 0)
                emit PubCache::SSignal.onNewStockMsg(*qAsConst(mReader.mDataList).at(mShown - 1));
        });
        connect(all, &QPushButton::clicked, this, [this] { restart(false); });
        connect(zxg, &QPushButton::clicked, this, [this] { restart(true); });
        mReader.InitAll();
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        ZtLayoutBase::showEvent(event);
        mReader.run();
    }
    void hideEvent(QHideEvent* event) override
    {
        ZtLayoutBase::hideEvent(event);
        mReader.stop();
    }

private:
    void restart(bool watchlist)
    {
        mShown = 0;
        mTable->ResetData();
        if (watchlist)
            mReader.InitZXG();
        else
            mReader.InitAll();
    }

    StockMsg mReader;
    ZtStockMsgGridTable* mTable;
    ZtStockMsgNotice* mNotice;
    int mShown = 0;
};

const TerminalPage::Registration reg(QStringLiteral("stockmsg"), QStringLiteral("短线精灵"), QStringLiteral("PageDxjl"), 0,
                                     [](QWidget* parent, TerminalShell&) { return new StockMsgPage(parent); },
                                     QStringLiteral("stock movement messages of the whole market or the watchlist"));

}
