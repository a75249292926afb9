#pragma once

#include "frame/ztformmainbase.h"
#include "ztcontrollib_global.h"

#include <QTimer>

class PubWebView;
class QTableWidget;

// The detail window of a stock's information mines: every item in a list above a
// page that shows the selected one.
class ZTCONTROLLIB_EXPORT FormMineInfo : public ZtFormMainBase
{
    Q_OBJECT
public:
    FormMineInfo(QString stockCode, QString keyTemplate, QString type, QString newsId, ZtLayoutBase* parent);

    QTableWidget* getTable() const { return mTable; }
    PubWebView* getWebView() const { return mWebView; }
    // The address the page shows for the current item; empty without a page entry.
    QString pageUrl() const;

public slots:
    // Links of the page open in the system's browser.
    void doGetOpenForm(QString mUrl, bool showClose = true) override;

private slots:
    void doDataListTimeOut();
    void doCellChanged(int row, int column);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadPage();

    QTableWidget* mTable = nullptr;
    PubWebView* mWebView = nullptr;
    QTimer mDataTimer;
    QString mStockCode;
    QString mKeyTemplate;
    QString mType;
    QString mNewsId;
};
