#pragma once

#include "framework/ztlayoutbase.h"
#include "ztcontrollib_global.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QTimer>
#include <QVariant>

class ZtToolLabel;
class ZtUserLabel;

// The news marquee: a caption and a strip of news lines (time and title) that scroll
// right to left and wrap around; hovering a line pauses, a click opens the news.
class ZTCONTROLLIB_EXPORT ZtMainHorseRaceLamp : public ZtLayoutBase
{
    Q_OBJECT
public:
    explicit ZtMainHorseRaceLamp(ZtLayoutBase* parent);

    // One pushed item: {"data": {"attributes": {...}, "date": ...}}; it waits until the
    // oldest line has come round to the end of the row.
    void appendNews(QMap<QString, QVariant> item);

    QList<ZtUserLabel*> lines() const { return mLines; }
    int pendingCount() const { return mPending.size(); }
    QWidget* strip() const { return mStrip; }
    ZtToolLabel* caption() const { return mCaption; }
    bool isRunning() const { return mTimer.isActive(); }
    // "HH:mm title" of an item, the time read from timeKey.
    static QString lineText(const QVariantMap& item, const QString& timeKey);

public slots:
    void doStop();
    void doStart();
    void doRaceTimeOut();
    void doClick(QString ObjectId);
    void doHorseRaceLamp(QJsonObject JsonObj);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveAll(int dx);

    ZtToolLabel* mCaption;
    QWidget* mStrip;
    QList<ZtUserLabel*> mLines;
    QList<QVariant> mPending;
    QTimer mTimer;
};
