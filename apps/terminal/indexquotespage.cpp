#include "terminalpages.h"

#include <framework/stockqnow.h>
#include <framework/ztlayoutbase.h>
#include <ztlib/datatrans.h>
#include <ztlib/pubcachecustom.h>
#include <ztlib/ztfields.h>

#include <QPainter>

namespace {

// The four headline indices as a quote board. The quotes come from a quote reader
// that runs only while the page is on screen.
class IndexQuotesPage : public ZtLayoutBase
{
public:
    IndexQuotesPage() : ZtLayoutBase(QStringLiteral("IndexQuotesPage"), nullptr)
    {
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        connect(&mStockQNow, &StockQNow::onDataUpdate, this, [this] { update(); });
        mStockQNow.InitQNows(mCodes);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        mStockQNow.run();
        ZtLayoutBase::showEvent(event);
    }

    void hideEvent(QHideEvent* event) override
    {
        mStockQNow.stop();
        ZtLayoutBase::hideEvent(event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        QFont font(QStringLiteral("微软雅黑"), 14);
        p.setFont(font);
        const int rowHeight = 44;
        const int x0 = 40;
        const int widths[] = {220, 160, 140, 140, 220};
        const QStringList titles = {QStringLiteral("指数"), QStringLiteral("最新"), QStringLiteral("涨跌"),
                                    QStringLiteral("涨幅"), QStringLiteral("时间")};
        int x = x0;
        p.setPen(colour(QStringLiteral("Title")));
        for (int c = 0; c < titles.size(); ++c) {
            p.drawText(QRect(x, 20, widths[c], rowHeight), Qt::AlignVCenter | Qt::AlignLeft, titles.at(c));
            x += widths[c];
        }
        int y = 20 + rowHeight;
        const DQDDataList& quotes = mStockQNow.mQNows;
        for (const QString& code : mCodes) {
            const DQDUnionReader* q = quotes.value(code);
            if (!q)
                continue;
            const double change = q->getValue(ZtField::Change).toDouble();
            const QColor trend = change > 0 ? colour(QStringLiteral("Up"))
                                 : change < 0 ? colour(QStringLiteral("Down"))
                                              : colour(QStringLiteral("Flat"));
            const QDateTime time = DataTrans::getDateTimeFromULL(q->getValue(ZtField::QuoteTime).toULongLong());
            const QStringList cells = {
                q->getValue(ZtField::Name).toString(),
                QString::number(q->getValue(ZtField::Last).toDouble(), 'f', 2),
                QString::number(change, 'f', 2),
                QString::number(q->getValue(ZtField::ChangeRatio).toDouble(), 'f', 2) + QLatin1Char('%'),
                time.toString(QStringLiteral("HH:mm:ss")),
            };
            x = x0;
            for (int c = 0; c < cells.size(); ++c) {
                p.setPen(c == 0 ? colour(QStringLiteral("Name")) : c == 4 ? colour(QStringLiteral("Default")) : trend);
                p.drawText(QRect(x, y, widths[c], rowHeight), Qt::AlignVCenter | Qt::AlignLeft, cells.at(c));
                x += widths[c];
            }
            y += rowHeight;
        }
    }

private:
    static QColor colour(const QString& name)
    {
        return QColor(PubCacheCustom::mDefultColor.value(name).value(0, QStringLiteral("#E6E6E6")));
    }

    const QVector<QString> mCodes = {QStringLiteral("SH000001"), QStringLiteral("SZ399001"),
                                     QStringLiteral("SZ399006"), QStringLiteral("SZ399005")};
    StockQNow mStockQNow;
};

const TerminalPage::Registration reg(QStringLiteral("indices"), QStringLiteral("指数看板"), QStringLiteral("PageHq"), 50,
                                     [](QWidget* parent, TerminalShell&) {
                                         auto* page = new IndexQuotesPage;
                                         page->setParent(parent);
                                         return page;
                                     },
                                     QStringLiteral("the four headline indices as a quote board"));

}
