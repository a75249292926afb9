#include "format/financelabel.h"

#include "format/markup/valuecolour.h"
#include "format/markup/valueformat.h"

#include <QPainter>

FinanceLabel::FinanceLabel(QWidget* parent)
    : QWidget(parent), mTitleOption(Qt::AlignLeft | Qt::AlignVCenter), mValueOption(Qt::AlignRight | Qt::AlignVCenter)
{
}

void FinanceLabel::setField(const DQDField::Field& field)
{
    mField = field;
    update();
}

void FinanceLabel::resetStock(const DQDUnionReader& record)
{
    mRecord = record;
    repaint();
}

QString FinanceLabel::valueText() const
{
    return formatValue(mRecord.getValue(mField.mFieldId), mField.mFormat);
}

QPen FinanceLabel::valuePen() const
{
    return QPen(valueColour(mRecord.getValue(mField.mFieldId), &mRecord, mField.mColorRule));
}

QRect FinanceLabel::titleRect() const
{
    const int half = width() / 2;
    return QRect(2, 0, half - 2, height());
}

QRect FinanceLabel::valueRect() const
{
    const int half = width() / 2;
    return QRect(half, 0, half - 15, height());
}

void FinanceLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 10));
    painter.setPen(penFromColourName(QStringLiteral("Default"), Qt::SolidLine));
    painter.drawText(QRectF(titleRect()), mField.mTitle, mTitleOption);
    const QVariant value = mRecord.getValue(mField.mFieldId);
    painter.setPen(QPen(valueColour(value, &mRecord, mField.mColorRule)));
    painter.drawText(QRectF(valueRect()), formatValue(value, mField.mFormat), mValueOption);
}
