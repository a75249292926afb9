#pragma once

#include "stockquotebox.h"

#include <framework/ztlayoutbase.h>
#include <pubcache/gridfield.h>

#include <QList>

#include <cstddef>

// A grid column as a terminal's column set gives it.
struct QuoteColumn
{
    const char* title;
    unsigned int key;
    const char* rule;
    const char* format;
    int width;
};

// Column descriptors for a table of columns. They live as long as the process, as the
// cache library's column sets do; each table is built once.
QList<GridField*> quoteColumns(const QuoteColumn* begin, const QuoteColumn* end);

template <std::size_t N>
QList<GridField*> quoteColumns(const QuoteColumn (&columns)[N])
{
    return quoteColumns(columns, columns + N);
}

// A list page beside the quote of its focused stock: the page is the top of its own
// panel tree and answers what the list asks for.
class QuotePageBase : public ZtLayoutBase
{
public:
    QuotePageBase(const QString& name, QWidget* parent);

    void doFocusStock(ZtLayoutBase*, DQDUnionReader row) override;
    void doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType type) override;
    void doOpenStockDialog(ZtLayoutBase*, DQDUnionReader row, enumStockSubType) override;
    void doChildShowMe(QString stockCode, bool, qlonglong) override;

protected:
    StockQuoteBox* mQuote = nullptr;
};
