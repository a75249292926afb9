#include "quotepage.h"

#include "stockpage.h"

#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QHash>

#include <memory>
#include <vector>

QList<GridField*> quoteColumns(const QuoteColumn* begin, const QuoteColumn* end)
{
    static QHash<const QuoteColumn*, std::vector<std::unique_ptr<GridField>>*> built;
    auto*& fields = built[begin];
    if (!fields) {
        fields = new std::vector<std::unique_ptr<GridField>>;
        for (const QuoteColumn* c = begin; c != end; ++c) {
            DQDField::Field f(QString::fromUtf8(c->title), c->key, QString::fromUtf8(c->rule),
                              QString::fromUtf8(c->format));
            const bool text = c->key == ZtField::Code || c->key == ZtField::Name;
            f.mTitleOption.setAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            f.mValueOption.setAlignment((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            fields->push_back(std::make_unique<GridField>(f, c->width));
        }
    }
    QList<GridField*> list;
    for (auto& f : *fields)
        list << f.get();
    return list;
}

QuotePageBase::QuotePageBase(const QString& name, QWidget* parent) : ZtLayoutBase(name, nullptr)
{
    setParent(parent);
}

void QuotePageBase::doFocusStock(ZtLayoutBase*, DQDUnionReader row)
{
    mQuote->setStock(row.getUniqueValue(0));
}

void QuotePageBase::doGotoStock(ZtLayoutBase*, DQDUnionReader row, DQDDataList, enumStockSubType type)
{
    const QString code = row.getUniqueValue(0);
    mQuote->setStock(code);
    const QString kind = type == StockSubType_KLine ? QStringLiteral("K线图") : QStringLiteral("分时图");
    mQuote->setNote(QStringLiteral("打开%1：%2 %3").arg(kind, row.getValue(ZtField::Name).toString(), code));
    // What the user opens is remembered, as in any terminal.
    PubStaticFunc::HisAdd(code);
    StockPage::open(row);
}

void QuotePageBase::doOpenStockDialog(ZtLayoutBase*, DQDUnionReader row, enumStockSubType)
{
    mQuote->setNote(QStringLiteral("F10基本资料：%1").arg(row.getValue(ZtField::Name).toString()));
}

void QuotePageBase::doChildShowMe(QString stockCode, bool, qlonglong)
{
    mQuote->setNote(QStringLiteral("信息地雷：%1").arg(stockCode));
}
