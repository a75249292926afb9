#include "format/regionallabe.h"

#include "format/markup/valuecolour.h"
#include "format/markup/valueformat.h"

#include <QPainter>

RegionalLabe::RegionalLabe(QWidget* parent) : RegionalLabe(false, parent)
{
}

RegionalLabe::RegionalLabe(bool webMode, QWidget* parent) : QWidget(parent), mWebMode(webMode)
{
    // Until a field is set the title is centred both ways.
    mField.mTitleOption = QTextOption(Qt::AlignCenter);
    mField.mValueOption = QTextOption(Qt::AlignRight | Qt::AlignVCenter);
}

RegionalLabe::RegionalLabe(const DQDField::Field& field, bool webMode, QWidget* parent)
    : RegionalLabe(webMode, parent)
{
    setField(field);
}

void RegionalLabe::setField(const DQDField::Field& field)
{
    mField = field;
    mHasField = true;
    update();
}

void RegionalLabe::resetStock(const DQDUnionReader& record)
{
    mRecord = record;
    update();
}

QColor RegionalLabe::backgroundColour() const
{
    return penFromColourName(mWebMode ? QStringLiteral("WebFinish") : QStringLiteral("MenuBackground2"),
                             Qt::SolidLine)
        .color();
}

QColor RegionalLabe::titleColour() const
{
    return penFromColourName(mWebMode ? QStringLiteral("WebLoadBG") : QStringLiteral("Default"), Qt::SolidLine)
        .color();
}

QString RegionalLabe::valueText() const
{
    return formatValue(mRecord.getValue(mField.mFieldId), mField.mFormat);
}

QColor RegionalLabe::valueColour() const
{
    const QColor colour = ::valueColour(mRecord.getValue(mField.mFieldId), &mRecord, mField.mColorRule);
    // White text would vanish on the light page background of web mode.
    if (mWebMode && colour.name().toLower() == QLatin1String("#ffffff"))
        return QColor(QStringLiteral("#000000"));
    return colour;
}

QRect RegionalLabe::titleRect() const
{
    const int half = width() / 2;
    return QRect(5, 0, half - 5, height());
}

QRect RegionalLabe::valueRect() const
{
    const int half = width() / 2;
    return QRect(half, 0, half - 5, height());
}

void RegionalLabe::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), backgroundColour());
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 10));
    painter.setPen(penFromColourName(mWebMode ? QStringLiteral("WebLoadBG") : QStringLiteral("Default"), Qt::SolidLine));
    painter.drawText(QRectF(titleRect()), mField.mTitle, mField.mTitleOption);
    painter.setPen(QPen(valueColour()));
    painter.drawText(QRectF(valueRect()), valueText(), mField.mValueOption);
}
