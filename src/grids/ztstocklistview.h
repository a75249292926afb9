#pragma once

#include "ztcontrollib_global.h"

#include <QString>
#include <QWidget>

class QTableWidget;

// A plain pop-up list of every security (sectors left out); a double-click names a
// code and hides the list. Its opener shows, places and sizes it.
class ZTCONTROLLIB_EXPORT ZtStockListView : public QWidget
{
    Q_OBJECT
public:
    explicit ZtStockListView(QWidget* parent = nullptr);

    QTableWidget* table() const { return mTable; }

signals:
    void onResetStock(QString stockCode);

public slots:
    void doItemDoubleClicked(int row);

private:
    QTableWidget* mTable = nullptr;
};
