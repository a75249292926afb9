#pragma once

#include <framework/stockqnow.h>

#include <QString>
#include <QWidget>

class QLabel;

// The demo's quote panel beside a list: the name and the live quote of one stock,
// read by its own StockQNow while the panel is shown.
class StockQuoteBox : public QWidget
{
    Q_OBJECT
public:
    explicit StockQuoteBox(QWidget* parent = nullptr);

    void setStock(const QString& code);
    QString stock() const { return mCode; }
    // A line under the quote saying what the user last asked for ("打开 …").
    void setNote(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();

    StockQNow mReader;
    QString mCode;
    QLabel* mName = nullptr;
    QLabel* mPrice = nullptr;
    QLabel* mChange = nullptr;
    QLabel* mNote = nullptr;
    QList<QLabel*> mValues;
};
