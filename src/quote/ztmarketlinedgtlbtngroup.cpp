#include "quote/ztmarketlinedgtlbtngroup.h"

#include "controls/ztpushbutton.h"
#include "grids/ztstocklistview.h"

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

ZtMarketLineDGTLBtnGroup::ZtMarketLineDGTLBtnGroup(double height, QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(5, 0, 5, 0);
    layout->setSpacing(10);

    mName = new QLabel(this);
    mName->setFixedWidth(70);
    mName->setStyleSheet(QStringLiteral("color:") + colourTextForName(QStringLiteral("StockName")) +
                         QStringLiteral(";"));
    mQuote = new QLabel(this);
    mSwitch = new ZtPushButton(this);
    mSwitch->setObjectName(QStringLiteral("btn_resetStock"));
    mSwitch->setText(QStringLiteral("↓"));
    mSwitch->setChecked(true);
    mZxg = new ZtPushButton(this);
    mZxg->setObjectName(QStringLiteral("btn_zxg"));

    layout->addWidget(mName, 0, Qt::AlignTop);
    layout->addWidget(mSwitch, 0, Qt::AlignTop);
    layout->addWidget(mQuote, 0, Qt::AlignTop);
    layout->addStretch();
    layout->addWidget(mZxg, 0, Qt::AlignTop);
    setFixedHeight(int(height));

    connect(mSwitch, &ZtPushButton::onSyncClicked, this, &ZtMarketLineDGTLBtnGroup::doResetStockClicked);
    connect(mZxg, &ZtPushButton::onSyncClicked, this, &ZtMarketLineDGTLBtnGroup::doZXGClicked);
    connect(&mStockQNow, &StockQNow::onDataUpdate, this, &ZtMarketLineDGTLBtnGroup::doQNowUpdate);
    connect(&PubCache::SSignal, &PubStaticSignal::onZxgRefresh, this,
            [this](QString code, enumZxgOperate) { doZxgRefresh(code); });
    updateData(DQDUnionReader());
}

ZtMarketLineDGTLBtnGroup::~ZtMarketLineDGTLBtnGroup()
{
    mStockQNow.stop();
}

void ZtMarketLineDGTLBtnGroup::resetStock(DQDUnionReader row)
{
    if (!(row == mStock)) {
        mStock = row;
        mName->setText(row.getValue(ZtField::Name).toString());
        doZxgRefresh(row.getUniqueValue(0));
    }
    mStockQNow.InitQNow(row.getUniqueValue(0));
    updateData(DQDUnionReader());
}

void ZtMarketLineDGTLBtnGroup::doQNowUpdate()
{
    updateData(mStockQNow.mQNow);
}

void ZtMarketLineDGTLBtnGroup::updateData(const DQDUnionReader& quote)
{
    const double last = quote.getValue(ZtField::Last).toDouble();
    const double change = quote.getValue(ZtField::Change).toDouble();
    const double ratio = quote.getValue(ZtField::ChangeRatio).toDouble();
    const QString decimals = quote.isShowPlaces3() ? QStringLiteral("d3") : QStringLiteral("d2");
    const QString colour = last == 0 || change == 0 ? QStringLiteral("Flat")
                           : change > 0             ? QStringLiteral("Up")
                                                    : QStringLiteral("Down");
    mQuote->setStyleSheet(QStringLiteral("color:") + colourTextForName(colour) + QStringLiteral(";"));
    if (last == 0) {
        mQuote->setText(QStringLiteral("--  --  --"));
        return;
    }
    mQuote->setText(QStringLiteral("%1  %2  %3")
                        .arg(formatValue(last, decimals), formatValue(change, decimals + QStringLiteral("f")),
                             formatValue(ratio, QStringLiteral("d2[ls:%]"))));
}

void ZtMarketLineDGTLBtnGroup::doResetStockClicked(ZtPushButton*, bool checked)
{
    QWidget* host = parentWidget();
    if (checked && host && !(mList && mList->isVisible())) {
        if (!mList) {
            mList = new ZtStockListView(host);
            connect(mList, &ZtStockListView::onResetStock, this, &ZtMarketLineDGTLBtnGroup::doRestStock);
        }
        mList->move(x() - 8, y() + height() - 16);
        mList->resize(qMin(host->width(), 240), qMin(host->height(), 235));
        mList->raise();
        mList->show();
    } else if (mList && mList->isVisible()) {
        // A second press closes the list, as a drop-down does.
        mList->hide();
    }
    update();
}

void ZtMarketLineDGTLBtnGroup::doRestStock(QString code)
{
    mSwitch->setChecked(true);
    update();
    emit onResetStock(code);
}

void ZtMarketLineDGTLBtnGroup::doZxgRefresh(QString code)
{
    const QString current = mStock.getUniqueValue(0);
    if (current.isEmpty() || code != current)
        return;
    if (PubStaticFunc::ZxgContains(current)) {
        mZxg->setCheckable(true);
        mZxg->setChecked(true);
        mZxg->setText(QString());
        mZxg->setIcon(QStringLiteral(":/images/SubFrom/dgtl_zxg.png"));
    } else {
        mZxg->setChecked(false);
        mZxg->setCheckable(false);
        mZxg->setText(QStringLiteral("+自选"));
        mZxg->clearIcon();
    }
}

void ZtMarketLineDGTLBtnGroup::doZXGClicked(ZtPushButton*, bool)
{
    const QString code = mStock.getUniqueValue(0);
    if (code.isEmpty())
        return;
    if (mZxg->isCheckable()) {
        if (PubStaticFunc::ZxgDelete(code))
            emit PubCache::SSignal.onZxgRefresh(code, ZxgOperate_Delete);
    } else {
        emit PubCache::SSignal.onZxgAdd(code, ZxgOperate_Add);
    }
}

void ZtMarketLineDGTLBtnGroup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(1, 1, -1, -7);
    painter.fillRect(area, colourFromSpec(QStringLiteral("Grid1")));
    if (mList && mList->isVisible()) {
        QRect open = area;
        open.setRight(qMin(area.right(), mList->geometry().right() - x()));
        painter.fillRect(open, colourFromSpec(QStringLiteral("Background")));
    }
}

void ZtMarketLineDGTLBtnGroup::showEvent(QShowEvent* event)
{
    mStockQNow.run();
    QWidget::showEvent(event);
}

void ZtMarketLineDGTLBtnGroup::hideEvent(QHideEvent* event)
{
    mStockQNow.stop();
    QWidget::hideEvent(event);
}
