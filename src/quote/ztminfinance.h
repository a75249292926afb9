#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <ztlib/dqdfield.h>
#include <ztlib/dqdreader.h>

#include <QList>

class FinanceLabel;
class QScrollArea;

// The figures beside a security's minute chart: one row per field description,
// title on the left, formatted and coloured value on the right, scrolling when
// the rows do not fit. The parent hands it each new quote; it reads nothing itself.
class ZTCONTROLLIB_EXPORT ZtMinFinance : public ZtLayoutBase
{
    Q_OBJECT

public:
    ZtMinFinance(ZtLayoutBase* parent, QList<DQDField::Field> fields);

    void resetStock(DQDUnionReader rowReader);
    void replaceStock(DQDUnionReader rowReader) { resetStock(rowReader); }

    QList<FinanceLabel*> labels() const { return mLabels; }
    QScrollArea* scrollArea() const { return mScrollArea; }
    QWidget* contentWidget() const { return mContent; }

public slots:
    void doQNowDataUpdStock(DQDUnionReader rowReader) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kRowHeight = 30;

    QScrollArea* mScrollArea;
    QWidget* mContent;
    QList<FinanceLabel*> mLabels;
};
