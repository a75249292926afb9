#pragma once

#include "ztcontrollib_global.h"

#include <ztlib/dqdquery.h>

#include <QFuture>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <atomic>

// The floating box with the information-mine titles of one stock. It refreshes in
// the background while visible, hides as soon as the mouse leaves it, and is then
// closed and deleted once its background task has ended.
class ZTCONTROLLIB_EXPORT FormXXDLBox : public QWidget
{
    Q_OBJECT
public:
    // time < 0 shows the marked list, otherwise the items from that time.
    FormXXDLBox(QString stockCode, qint64 time, QWidget* parent, bool timeOnly);
    ~FormXXDLBox() override;

    void doStartLoadingData();
    // Removes every child of the content widget.
    void removeWidget();
    QWidget* getContent() const { return mContent; }

signals:
    void onUpdate(DQDDataList dlxx);
    void onClose();

private slots:
    void doUpdate(DQDDataList dlxx);
    void doLabelClick(QString stockCode, QString type, QString newsId);
    void doCheckMouseEvent();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    DQDDataList read() const;
    void stopTask();

    QString mStockCode;
    DQDDataList mList;
    QTimer mMouseTimer;
    qint64 mTime = -1;
    bool mTimeOnly = false;
    int mRowHeight = 15;
    QFuture<void> mFuture;
    QWidget* mContent = nullptr;
    bool mTaskStarted = false;
    // The task's view of the GUI state, written by the GUI thread.
    std::atomic<bool> mTimerActive{false};
    std::atomic<bool> mVisible{false};
};
