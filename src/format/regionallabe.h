#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdfield.h>
#include <ztlib/dqdreader.h>

#include <QColor>
#include <QWidget>

// A field label control: a filled box with the field's title on the left and its
// value, formatted and coloured by the field's mark-up, on the right. In web
// mode it takes the colours of the web pages it sits beside.
class ZTCONTROLLIB_EXPORT RegionalLabe : public QWidget
{
    Q_OBJECT

public:
    explicit RegionalLabe(QWidget* parent = nullptr);
    RegionalLabe(bool webMode, QWidget* parent);
    RegionalLabe(const DQDField::Field& field, bool webMode, QWidget* parent);

    bool isWebMode() const { return mWebMode; }
    void setField(const DQDField::Field& field);
    DQDField::Field getField() const { return mField; }
    bool hasField() const { return mHasField; }
    // Takes the record and repaints.
    void resetStock(const DQDUnionReader& record);
    void replaceStock(const DQDUnionReader& record) { resetStock(record); }
    DQDUnionReader getStock() const { return mRecord; }

    // What a paint draws.
    QColor backgroundColour() const;
    QColor titleColour() const;
    QString valueText() const;
    QColor valueColour() const;
    QRect titleRect() const;
    QRect valueRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool mWebMode = false;
    bool mHasField = false;
    DQDField::Field mField;
    DQDUnionReader mRecord;
};
