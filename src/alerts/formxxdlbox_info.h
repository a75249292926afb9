#pragma once

#include "ztcontrollib_global.h"

#include <QLabel>

// One title in the information-mine box; a click on it asks for the item's details.
class ZTCONTROLLIB_EXPORT FormXXDLBox_info : public QLabel
{
    Q_OBJECT
public:
    FormXXDLBox_info(QString stockCode, QString type, QString newsId, QString text, QWidget* parent);

    QString getType() const { return mType; }
    QString getNewsId() const { return mNewsId; }

signals:
    void onLabelClick(QString stockCode, QString type, QString newsId);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString mStockCode;
    QString mType;
    QString mNewsId;
};
