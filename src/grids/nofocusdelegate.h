#pragma once

#include "ztcontrollib_global.h"

#include <QStyledItemDelegate>

// Paints cells like the default delegate but never draws the focus frame.
class ZTCONTROLLIB_EXPORT NoFocusDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
