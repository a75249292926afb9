#include "stockquotebox.h"

#include <format/markup/valuecolour.h>
#include <format/markup/valueformat.h>
#include <ztlib/ztfields.h>

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct Line
{
    const char* title;
    unsigned int key;
    const char* rule;
    const char* format;
};

const Line kLines[] = {
    {"今开", ZtField::Open, "bos:12010", "d2"},
    {"最高", ZtField::High, "bos:12010", "d2"},
    {"最低", ZtField::Low, "bos:12010", "d2"},
    {"昨收", ZtField::PrevClose, "sys:flat", "d2"},
    {"总手", ZtField::Volume, "sys:vol", "100d2wc"},
    {"金额", ZtField::Turnover, "sys:default", "d2wc"},
    {"换手", ZtField::TurnoverRate, "sys:default", "d2[ls:%]"},
    {"振幅", ZtField::Amplitude, "sys:default", "d2[ls:%]"},
    {"量比", ZtField::VolumeRatio, "case:1", "d2"},
    {"市盈率", ZtField::PE, "sys:default", "d2"},
    {"时间", ZtField::QuoteTime, "sys:default", "[tn:HH:mm:ss]"},
};

QString colourCss(const QColor& c)
{
    return QStringLiteral("color:%1;").arg(c.isValid() ? c.name() : QStringLiteral("#E6E6E6"));
}

}

StockQuoteBox::StockQuoteBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StockQuoteBox"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(colourTextForName(QStringLiteral("Background"))));
    setPalette(pal);
    setFixedWidth(230);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    mName = new QLabel(this);
    mName->setFont(QFont(QStringLiteral("微软雅黑"), 16, 75));
    mName->setStyleSheet(colourCss(penFromColourName(QStringLiteral("Name")).color()));
    mPrice = new QLabel(this);
    mPrice->setFont(QFont(QStringLiteral("微软雅黑"), 16, 75));
    mChange = new QLabel(this);
    mChange->setFont(QFont(QStringLiteral("微软雅黑"), 12));
    layout->addWidget(mName);
    layout->addWidget(mPrice);
    layout->addWidget(mChange);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(4);
    int row = 0;
    for (const Line& l : kLines) {
        auto* title = new QLabel(QString::fromUtf8(l.title), this);
        title->setFont(QFont(QStringLiteral("微软雅黑"), 10));
        title->setStyleSheet(colourCss(penFromColourName(QStringLiteral("Title")).color()));
        auto* value = new QLabel(this);
        value->setFont(QFont(QStringLiteral("微软雅黑"), 10));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(title, row, 0);
        grid->addWidget(value, row, 1);
        mValues << value;
        ++row;
    }
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(12);
    mNote = new QLabel(this);
    mNote->setObjectName(QStringLiteral("StockQuoteNote"));
    mNote->setWordWrap(true);
    mNote->setFont(QFont(QStringLiteral("微软雅黑"), 10));
    mNote->setStyleSheet(colourCss(penFromColourName(QStringLiteral("Highlight")).color()));
    layout->addWidget(mNote);
    layout->addStretch();

    connect(&mReader, &StockQNow::onDataUpdate, this, &StockQuoteBox::refresh);
}

void StockQuoteBox::setStock(const QString& code)
{
    if (code.isEmpty() || code == mCode)
        return;
    mCode = code;
    mName->setText(code);
    mReader.InitQNow(code);
}

void StockQuoteBox::setNote(const QString& text)
{
    mNote->setText(text);
}

void StockQuoteBox::showEvent(QShowEvent* event)
{
    mReader.run();
    QWidget::showEvent(event);
}

void StockQuoteBox::hideEvent(QHideEvent* event)
{
    mReader.stop();
    QWidget::hideEvent(event);
}

void StockQuoteBox::refresh()
{
    const Q_DD_Now& q = mReader.mQNow;
    if (q.isEmpty() || q.getUniqueValue(0) != mCode)
        return;
    const QString digits = q.isShowPlaces3() ? QStringLiteral("d3") : QStringLiteral("d2");
    mName->setText(q.getValue(ZtField::Name).toString() + QStringLiteral("  ") + q.getValue(ZtField::Code).toString());
    const QVariant last = q.getValue(ZtField::Last);
    const QColor trend = valueColour(last, &q, QStringLiteral("bos:12010"));
    mPrice->setText(formatValue(last, digits));
    mPrice->setStyleSheet(colourCss(trend));
    mChange->setText(formatValue(q.getValue(ZtField::Change), QStringLiteral("f") + digits) + QStringLiteral("   ")
                     + formatValue(q.getValue(ZtField::ChangeRatio), QStringLiteral("fd2[ls:%]")));
    mChange->setStyleSheet(colourCss(trend));
    for (int i = 0; i < mValues.size(); ++i) {
        const Line& l = kLines[i];
        const QVariant v = q.getValue(l.key);
        QString format = QString::fromUtf8(l.format);
        if (format == QLatin1String("d2"))
            format = digits;
        mValues[i]->setText(formatValue(v, format));
        mValues[i]->setStyleSheet(colourCss(valueColour(v, &q, QString::fromUtf8(l.rule))));
    }
}
