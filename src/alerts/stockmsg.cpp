#include "stockmsg.h"

#include "framework/ztreaderlog.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/q_dd_now.h>

#include <QDebug>
#include <QSet>

namespace {
const QString kAll = QStringLiteral("StockMsg_ALL");
const QString kZXG = QStringLiteral("StockMsg_ZXG");

QString typesText(const QVector<ZtE_DXJL>& types)
{
    QStringList out;
    for (ZtE_DXJL t : types)
        out.append(QString::number(int(t)));
    return out.join(QLatin1Char(','));
}
}

StockMsg::StockMsg(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<Q_DD_Now>("Q_DD_Now");
    qRegisterMetaType<DQDDataList>("DQDDataList");
    connect(this, &StockMsg::onStockMsgUpdate, this, &StockMsg::doStockMsgUpdate);
    connect(&PubCache::SSignal, &PubStaticSignal::onAppExit, this, &StockMsg::disconnectAll);
}

StockMsg::~StockMsg()
{
    disconnectAll();
}

void StockMsg::InitAll()
{
    refresh_begin();
    qCDebug(lcZtReader).noquote() << "init...void StockMsg::InitAll" << getGetDataFlag()
                                  << typesText(PubStaticFunc::getDxjlList());
    mDataList.DataClear();
    Run(kAll);
}

void StockMsg::InitZXG()
{
    refresh_begin();
    // A stock kept in several groups is read once.
    QSet<QString> seen;
    QVector<QString> codes;
    for (const StockZxgBK& group : PubStaticFunc::getZxgCodeList()) {
        for (const QString& code : group.getCodes()) {
            if (!code.isEmpty() && !seen.contains(code)) {
                seen.insert(code);
                codes.append(code);
            }
        }
    }
    mStockCodeList = codes;
    mCodes.store(codes);
    qCDebug(lcZtReader).noquote() << "init...void StockMsg::InitZXG" << codes.size() << "codes";
    mDataList.DataClear();
    Run(kZXG);
}

void StockMsg::run()
{
    setDRBVisible(true);
}

void StockMsg::stop()
{
    setDRBVisible(false);
}

bool StockMsg::DataReadOnDataReadBaseThread(int refreshtag, QString readKey)
{
    if (readKey == kAll)
        return ReadAll(refreshtag);
    if (readKey == kZXG)
        return ReadZXG(refreshtag, *mCodes.load());
    return false;
}

bool StockMsg::ReadAll(int refreshtag)
{
    const QVector<ZtE_DXJL> types = PubStaticFunc::getDxjlList();
    if (types.isEmpty()) {
        emit onStockMsgUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_Dxjl_All(types, mllCheckDT);
    return deliver(refreshtag, list);
}

bool StockMsg::ReadZXG(int refreshtag, const QVector<QString>& codes)
{
    const QVector<ZtE_DXJL> types = PubStaticFunc::getDxjlList();
    if (codes.isEmpty()) {
        emit onStockMsgUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_Dxjl_Zxg(codes, types, mllCheckDT);
    return deliver(refreshtag, list);
}

bool StockMsg::deliver(int refreshtag, DQDDataList& list)
{
    const bool updated = checkDT(&list);
    qCDebug(lcZtReader).noquote() << "StockMsg read tag" << refreshtag << "updated" << updated << "rows"
                                  << list.count();
    if (!runCheck(refreshtag))
        return false;
    if (updated) {
        emit onStockMsgUpdate(refreshtag, list);
        return list.getDataDownValid();
    }
    return true;
}

void StockMsg::doStockMsgUpdate(int _refreshtag, DQDDataList dataList)
{
    // -1 marks a read with nothing to read: nothing reaches the screen.
    if (_refreshtag == -1 || isRefresh(_refreshtag))
        return;
    mDataList = dataList;
    emit onDataUpdate();
}

void StockMsg::disconnectAll()
{
    dispose();
    disconnect();
    PubCache::SSignal.disconnect(this);
}
