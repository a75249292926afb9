#include "quote/ztminfinance.h"

#include "format/financelabel.h"
#include "format/markup/valuecolour.h"

#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

ZtMinFinance::ZtMinFinance(ZtLayoutBase* parent, QList<DQDField::Field> fields)
    : ZtLayoutBase(parent), mScrollArea(new QScrollArea(this)), mContent(new QWidget)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mScrollArea);
    mScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mScrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mScrollArea->setStyleSheet(QStringLiteral("border:0px;background-color:")
                               + colourTextForName(QStringLiteral("Background")) + QLatin1Char(';'));
    mScrollArea->setWidget(mContent);
    mContent->resize(mScrollArea->width(), 0);

    for (int i = 0; i < fields.size(); ++i) {
        auto* label = new FinanceLabel(mContent);
        label->setField(fields.at(i));
        label->setGeometry(0, i * kRowHeight, mContent->width(), kRowHeight);
        mContent->resize(mContent->width(), label->y() + label->height());
        mLabels.append(label);
    }
}

void ZtMinFinance::resetStock(DQDUnionReader rowReader)
{
    for (FinanceLabel* label : qAsConst(mLabels))
        label->resetStock(rowReader);
}

void ZtMinFinance::doQNowDataUpdStock(DQDUnionReader rowReader)
{
    resetStock(rowReader);
}

void ZtMinFinance::resizeEvent(QResizeEvent* event)
{
    mContent->resize(mScrollArea->width(), mContent->height());
    for (FinanceLabel* label : qAsConst(mLabels))
        label->resize(mContent->width(), label->height());
    ZtLayoutBase::resizeEvent(event);
}
