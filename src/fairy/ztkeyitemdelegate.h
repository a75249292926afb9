#pragma once

#include "ztcontrollib_global.h"

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <QStyledItemDelegate>

// Paints the fairy's result cells as the style's item delegate does, with each
// text laid out once and kept: the style lays a cell's text out three times per
// paint, and a keystroke repaints every visible cell. Cells the plain path cannot
// show as the style would (icons, check boxes, focus frames) go to the style.
class ZTCONTROLLIB_EXPORT ZtKeyItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ZtKeyItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    struct Elided
    {
        QString text;
        int width = -1;
        Qt::TextElideMode mode = Qt::ElideRight;
    };

    const QStaticText& laidOut(const QString& text, const QFont& font) const;
    QString elided(const QString& text, const QFont& font, Qt::TextElideMode mode, int width) const;

    mutable QHash<QString, QStaticText> mTexts;
    mutable QHash<QString, Elided> mElided;
    mutable QFont mFont;
};
