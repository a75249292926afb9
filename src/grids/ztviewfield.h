#pragma once

#include "ztcontrollib_global.h"

#include <QTableWidgetItem>
#include <QVariant>

// A table item that carries a value in Qt::UserRole besides its text.
class ZTCONTROLLIB_EXPORT ZtViewField : public QTableWidgetItem
{
public:
    // The value argument is accepted for the callers' convenience but the
    // item's value starts as its text followed by "data".
    explicit ZtViewField(const QString& text = QString(), QVariant value = QVariant());
    ZtViewField(const ZtViewField& other);
    ZtViewField(ZtViewField&& other);
    ZtViewField& operator=(const ZtViewField& other);
    ZtViewField& operator=(ZtViewField&& other);
    ~ZtViewField() override;

    using QTableWidgetItem::data;
    using QTableWidgetItem::setData;

    void setData(QVariant value);
    QVariant data() const;

    QTableWidgetItem* clone() const override;
};
