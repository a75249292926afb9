#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdreader.h>

#include <QLabel>
#include <QVariant>

// A label painted in the rise, fall or flat colour by comparing two fields of a
// row, optionally with an arrow, and optionally swapping to an alternate text
// when clicked.
class ZTCONTROLLIB_EXPORT ZtDisColour : public QLabel
{
    Q_OBJECT

public:
    explicit ZtDisColour(QWidget* parent = nullptr);
    ZtDisColour(const QString& text, QWidget* parent = nullptr);

    void setIsRepaint(bool repaint);
    void setIsExchange(bool exchange) { mIsExchange = exchange; }
    void setIsAddUpDown(bool addUpDown);
    void setText(const QString& text);
    // The alternate text a click swaps in; not Qt's tool tip.
    void setToolTip(QString text) { mAlternateText = std::move(text); }
    void setCompare(unsigned int firstField, unsigned int secondField);
    void resetStock(DQDUnionReader row);

    bool isRepaint() const { return mIsRepaint; }
    bool isExchange() const { return mIsExchange; }
    bool isAddUpDown() const { return mIsAddUpDown; }
    QString alternateText() const { return mAlternateText; }
    // The colour name ("Up", "Down" or "Flat") and the text the comparison paints.
    QString compareColourName() const;
    QString paintedText() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int comparison() const;

    bool mIsRepaint = false;
    bool mIsExchange = false;
    bool mIsAddUpDown = false;
    QString mText;
    QString mAlternateText;
    unsigned int mFirstField = 0;
    unsigned int mSecondField = 0;
    QVariant mFirstValue;
    QVariant mSecondValue;
};
