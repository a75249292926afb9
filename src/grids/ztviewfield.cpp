#include "grids/ztviewfield.h"

ZtViewField::ZtViewField(const QString& text, QVariant) : QTableWidgetItem(text)
{
    QTableWidgetItem::setData(Qt::UserRole, QString(text + QStringLiteral("data")));
}

// A table item has no move of its own; copying its values is the move.
ZtViewField::ZtViewField(const ZtViewField& other) = default;
ZtViewField::ZtViewField(ZtViewField&& other) : QTableWidgetItem(other) {}

ZtViewField& ZtViewField::operator=(const ZtViewField& other)
{
    QTableWidgetItem::operator=(other);
    return *this;
}

ZtViewField& ZtViewField::operator=(ZtViewField&& other)
{
    QTableWidgetItem::operator=(other);
    return *this;
}

ZtViewField::~ZtViewField() = default;

void ZtViewField::setData(QVariant value)
{
    QTableWidgetItem::setData(Qt::UserRole, value);
}

QVariant ZtViewField::data() const
{
    return QTableWidgetItem::data(Qt::UserRole);
}

QTableWidgetItem* ZtViewField::clone() const
{
    return new ZtViewField(*this);
}
