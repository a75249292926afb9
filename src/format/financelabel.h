#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdfield.h>
#include <ztlib/dqdreader.h>

#include <QPen>
#include <QTextOption>
#include <QWidget>

// One row of the minute finance panel: the field's title on the left, its
// value formatted and coloured by the field's mark-up on the right. No
// background of its own: the panel's shows through.
class ZTCONTROLLIB_EXPORT FinanceLabel : public QWidget
{
    Q_OBJECT

public:
    explicit FinanceLabel(QWidget* parent = nullptr);

    void setField(const DQDField::Field& field);
    DQDField::Field getField() const { return mField; }
    // Takes the record and repaints at once.
    void resetStock(const DQDUnionReader& record);
    void replaceStock(const DQDUnionReader& record) { resetStock(record); }
    DQDUnionReader getStock() const { return mRecord; }

    // What a paint draws, for callers that lay out or test the row.
    QString valueText() const;
    QPen valuePen() const;
    QRect titleRect() const;
    QRect valueRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DQDField::Field mField;
    DQDUnionReader mRecord;
    QTextOption mTitleOption;
    QTextOption mValueOption;
};
