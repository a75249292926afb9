#include "formxxdlbox_info.h"

#include <QMouseEvent>

FormXXDLBox_info::FormXXDLBox_info(QString stockCode, QString type, QString newsId, QString text, QWidget* parent)
    : QLabel(parent), mStockCode(stockCode), mType(type), mNewsId(newsId)
{
    Q_UNUSED(text)  // the box sets the (possibly shortened) text
    setCursor(Qt::PointingHandCursor);
}

void FormXXDLBox_info::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    emit onLabelClick(mStockCode, mType, mNewsId);
}
