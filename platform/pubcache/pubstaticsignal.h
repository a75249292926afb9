#pragma once

#include "pubcacheenums.h"

#include <ztlib/dqdreader.h>

#include <QObject>
#include <QString>

// The process-wide signal bus (one instance: PubCache::SSignal).
class PubStaticSignal : public QObject
{
    Q_OBJECT
public:
    explicit PubStaticSignal(QObject* parent = nullptr);

signals:
    void onAppExit();
    void onZxgRefresh(QString code, enumZxgOperate operate);
    void onZxgAdd(QString code, enumZxgOperate operate);
    void onZxgDel(QString code);
    void onZxgGroupUpdate(QString groupName);
    void onEarlyAdd(QString code);
    void onEarlyUpd(QString code);
    void onEarlyDel(QString code);
    void onEarlyRegister();
    void onEarlyResult();
    void onNewStockMsg(DQDUnionReader message);
    void onSetUserClick(QString name);
    // The user's data can no longer be saved this run (raised once per cause).
    void onUserDataWarning(QString text);
};
