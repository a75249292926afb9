#include "fairy/ztkeyitemdelegate.h"

#include <QApplication>
#include <QPainter>
#include <QtMath>
#include <QStyle>
#include <QWidget>

namespace {
// Enough for the texts of many searches; past it the texts are laid out anew.
constexpr int kKeptTexts = 8192;
}

ZtKeyItemDelegate::ZtKeyItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

const QStaticText& ZtKeyItemDelegate::laidOut(const QString& text, const QFont& font) const
{
    if (font != mFont || mTexts.size() >= kKeptTexts || mElided.size() >= kKeptTexts) {
        mTexts.clear();
        mElided.clear();
        mFont = font;
    }
    auto it = mTexts.find(text);
    if (it == mTexts.end()) {
        QStaticText st(text);
        st.setTextFormat(Qt::PlainText);
        st.prepare(QTransform(), font);
        it = mTexts.insert(text, st);
    }
    return it.value();
}

QString ZtKeyItemDelegate::elided(const QString& text, const QFont& font, Qt::TextElideMode mode, int width) const
{
    Elided& e = mElided[text];
    if (e.width != width || e.mode != mode || e.text.isNull()) {
        e.text = QFontMetrics(font).elidedText(text, mode, width);
        e.width = width;
        e.mode = mode;
    }
    return e.text;
}

void ZtKeyItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStyleOptionViewItem::ViewItemFeatures plain = QStyleOptionViewItem::HasDisplay;
    if ((opt.features & ~plain) || (opt.state & (QStyle::State_Editing | QStyle::State_HasFocus))
        || opt.direction != Qt::LeftToRight) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area = opt.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText* text = opt.text.isEmpty() ? nullptr : &laidOut(opt.text, opt.font);
    if (text && text->size().width() > area.width()) {
        // Too wide: the style elides it to the width, then lays that out.
        text = &laidOut(elided(opt.text, opt.font, opt.textElideMode, area.width()), opt.font);
        if (text->size().width() > area.width()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
    }

    painter->save();
    painter->setClipRect(opt.rect);
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    if (text) {
        QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
        if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
            group = QPalette::Inactive;
        painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                   : QPalette::Text));
        painter->setFont(opt.font);
        // Lines sit at whole pixels; across, the text starts where its width puts it,
        // a fraction included, as the style's text layout places it (right before centre).
        const qreal width = text->size().width();
        const QSize line(qCeil(width), QFontMetrics(opt.font).height());
        const QRect at = QStyle::alignedRect(opt.direction, opt.displayAlignment, line, area);
        qreal x = area.x();
        if (opt.displayAlignment & Qt::AlignRight)
            x += area.width() - width;
        else if (opt.displayAlignment & Qt::AlignHCenter)
            x += (area.width() - width) / 2;
        painter->drawStaticText(QPointF(x, at.y()), *text);
    }
    painter->restore();
}
