#pragma once

#include "ztcontrollib_global.h"

#include <QList>
#include <QWidget>

class QTableWidget;
class QTableWidgetItem;
class ZtViewField;

// A plain styled table whose column headers are ZtViewField items.
class ZTCONTROLLIB_EXPORT ZtTableView : public QWidget
{
    Q_OBJECT

public:
    // The table takes ownership of the header items.
    explicit ZtTableView(QList<ZtViewField*> fields, QWidget* parent = nullptr);

    // Fills 20 sample rows.
    void setData();

    QTableWidget* tableWidget() const { return mTable; }

private:
    void doItemDoubleClicked(QTableWidgetItem* item);

    QTableWidget* mTable = nullptr;
};
