#pragma once

#include "framework/ztlayoutmarketbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/gridfield.h>
#include <pubcache/pubcacheenums.h>
#include <ztwidgetlib/ztwidgetstockgrid.h>

#include <QList>
#include <QString>
#include <QVector>

#include <vector>

class QKeyEvent;
class QLabel;
class QMouseEvent;
class QPaintEvent;
class QResizeEvent;
class QVBoxLayout;

// One tile of the comprehensive ranking screen: a title line above the top rows of
// one server-side ranking. The data source orders the rows, so the user cannot sort,
// and the columns are fitted to the tile.
class ZTCONTROLLIB_EXPORT ZtZHPMStockGridView : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    enum enumZHPM_LX : int {
        ZHPM_ZF = 0,       // biggest risers
        ZHPM_DF = 1,       // biggest fallers
        ZHPM_ZhenF = 2,    // biggest amplitude
        ZHPM_ZF5 = 3,      // 5-minute risers
        ZHPM_DF5 = 4,      // 5-minute fallers
        ZHPM_LB = 5,       // volume ratio
        ZHPM_WBTop = 6,    // order imbalance, top
        ZHPM_WBBottom = 7, // order imbalance, bottom
        ZHPM_ZJE = 8,      // turnover
    };
    Q_ENUM(enumZHPM_LX)

    ZtZHPMStockGridView(ZtLayoutBase* parent, enumZHPM_LX kind, bool showTitle);

    // Starts (or restarts) the ranking over these markets; the title gets the prefix.
    void ResetData(QString title, QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs);
    void clearFocusRow();

    enumZHPM_LX kind() const { return mKind; }
    QString title() const { return mTitle; }
    unsigned int sortKey() const { return mSortKey; }
    bool sortDesc() const { return mSortDesc; }
    ZtWidgetStockGrid* getGrid() const { return mGrid; }
    QLabel* titleLabel() const { return mTitleLabel; }

public slots:
    void doZxgRefresh(QString code, enumZxgOperate zxgType);
    void doDataRepaint() override;
    void doDataMousePressEvent(QMouseEvent* event, QString code, unsigned int key);
    void doDataMouseDoubleClickEvent(QMouseEvent* event, QString code, unsigned int key);
    void doKeyReleaseEvent(ZtLayoutBase* obj, QKeyEvent* event) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Applies the kind (title, sort key, direction) and gives its column set.
    QList<GridField*> getFieldList();

    QVBoxLayout* mLayout = nullptr;
    ZtWidgetStockGrid* mGrid = nullptr;
    QString mTitle;
    unsigned int mSortKey = 0;
    bool mSortDesc = true;
    QLabel* mTitleLabel = nullptr;
    enumZHPM_LX mKind = ZHPM_ZF;
    // The tile's own copies of the column set: fitting changes their widths, and the
    // configured set is shared by every tile of the kind.
    std::vector<GridField> mColumns;
};
