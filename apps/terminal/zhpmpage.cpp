#include "stockpage.h"
#include "terminalpages.h"

#include <grids/ztzhpmstockgridview.h>
#include <ztlib/ztenums.h>

#include <QGridLayout>

namespace {

// The comprehensive ranking of one board: the nine ranking tiles in three rows.
class ZhpmPage : public ZtLayoutBase
{
public:
    ZhpmPage(QWidget* parent, const ZtXMLMenu& board) : ZtLayoutBase(QStringLiteral("ZhpmPage"), nullptr)
    {
        setParent(parent);
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(2);

        QVector<QString> markets;
        for (const QString& m : board.getValue(QStringLiteral("markets")).split(QLatin1Char(','), Qt::SkipEmptyParts))
            markets << m.trimmed();
        QVector<ZtE_ZQLX> types;
        for (const QString& t : board.getValue(QStringLiteral("types")).split(QLatin1Char(','), Qt::SkipEmptyParts))
            types << ZtE_ZQLX(t.trimmed().toInt());

        for (int kind = 0; kind < 9; ++kind) {
            auto* tile = new ZtZHPMStockGridView(this, ZtZHPMStockGridView::enumZHPM_LX(kind), false);
            grid->addWidget(tile, kind / 3, kind % 3);
            grid->setRowStretch(kind / 3, 1);
            grid->setColumnStretch(kind % 3, 1);
            tile->ResetData(board.getText(), markets, types);
            mTiles << tile;
        }
        setMainChildWidget(mTiles.first());
    }

    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType) override
    {
        StockPage::open(row);
    }

    // One focus row on the screen: a click in one tile clears the others'.
    void doFocusStock(ZtLayoutBase* obj, DQDUnionReader) override
    {
        for (ZtZHPMStockGridView* tile : qAsConst(mTiles)) {
            if (tile != obj)
                tile->clearFocusRow();
        }
    }

private:
    QList<ZtZHPMStockGridView*> mTiles;
};

// "zhpm" opens the first board; each board's tab carries the board's name.
const TerminalPage::Registration reg(QStringLiteral("zhpm"), QStringLiteral("PageZhpm"), 5,
                                     [](QWidget* parent, TerminalShell&, const ZtXMLMenu& entry) {
                                         return new ZhpmPage(parent, entry);
                                     });

}
