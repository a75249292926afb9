#include "controls/ztdiscolour.h"

#include <format/markup/valuecolour.h>

#include <QPainter>

ZtDisColour::ZtDisColour(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

ZtDisColour::ZtDisColour(const QString& text, QWidget* parent) : ZtDisColour(parent)
{
    setText(text);
}

void ZtDisColour::setIsRepaint(bool repaint)
{
    mIsRepaint = repaint;
    update();
}

void ZtDisColour::setIsAddUpDown(bool addUpDown)
{
    mIsAddUpDown = addUpDown;
    update();
}

void ZtDisColour::setText(const QString& text)
{
    mText = text;
    QLabel::setText(text);
}

void ZtDisColour::setCompare(unsigned int firstField, unsigned int secondField)
{
    mFirstField = firstField;
    mSecondField = secondField;
}

void ZtDisColour::resetStock(DQDUnionReader row)
{
    mFirstValue = row.getValue(mFirstField);
    mSecondValue = row.getValue(mSecondField);
    update();
}

int ZtDisColour::comparison() const
{
    // QVariant's own ordering (numbers numerically); its compare() is reached through the operators in Qt 5.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (mFirstValue > mSecondValue)
        return 1;
    if (mFirstValue < mSecondValue)
        return -1;
    QT_WARNING_POP
    return 0;
}

QString ZtDisColour::compareColourName() const
{
    const int c = comparison();
    return c > 0 ? QStringLiteral("Up") : c < 0 ? QStringLiteral("Down") : QStringLiteral("Flat");
}

QString ZtDisColour::paintedText() const
{
    if (!mIsAddUpDown)
        return mText;
    const int c = comparison();
    return c > 0 ? mText + QStringLiteral(" ↑") : c < 0 ? mText + QStringLiteral(" ↓") : mText;
}

void ZtDisColour::mousePressEvent(QMouseEvent* event)
{
    if (mIsExchange) {
        std::swap(mText, mAlternateText);
        QLabel::setText(mText);
    }
    QLabel::mousePressEvent(event);
}

void ZtDisColour::paintEvent(QPaintEvent* event)
{
    if (!mIsRepaint) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(penFromColourName(compareColourName(), Qt::SolidLine));
    painter.drawText(rect(), int(alignment()), paintedText());
}
