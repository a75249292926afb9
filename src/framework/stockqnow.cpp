#include "stockqnow.h"

#include "ztreaderlog.h"

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/ztfields.h>

#include <QStringList>
#include <QVariant>

namespace {
const QString kQNow = QStringLiteral("QNow");
const QString kQNows = QStringLiteral("QNows");

QString joined(const QVector<QString>& codes)
{
    return QStringList(codes.cbegin(), codes.cend()).join(QLatin1Char(','));
}
}

StockQNow::StockQNow(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<Q_DD_Now>("Q_DD_Now");
    qRegisterMetaType<DQDDataList>("DQDDataList");
    connect(this, &StockQNow::onQNowUpdate, this, &StockQNow::doQNowUpdate);
    connect(this, &StockQNow::onQNowsUpdate, this, &StockQNow::doQNowsUpdate);
    connect(&PubCache::SSignal, &PubStaticSignal::onAppExit, this, &StockQNow::disconnectAll);
}

StockQNow::~StockQNow()
{
    disconnectAll();
}

void StockQNow::InitQNow(QString stockCode)
{
    refresh_begin();
    qCDebug(lcZtReader).noquote() << "StockQNow::InitQNow" << mStockCode << "->" << stockCode
                                  << "getDataFlag" << getGetDataFlag();
    mQNow = Q_DD_Now();
    mStockCode = stockCode;
    publish();
    Run(kQNow);
}

void StockQNow::InitQNows(QVector<QString> stockCodes)
{
    refresh_begin();
    qCDebug(lcZtReader).noquote() << "StockQNow::InitQNows" << joined(mStockCodeList) << "->"
                                  << joined(stockCodes) << "getDataFlag" << getGetDataFlag();
    mStockCodeList = stockCodes;
    publish();
    mQNows.DataClear();
    Run(kQNows);
}

void StockQNow::run()
{
    setDRBVisible(true);
}

void StockQNow::stop()
{
    setDRBVisible(false);
}

bool StockQNow::getNeedCheckQNow() const
{
    return mNeedCheckQNow;
}

void StockQNow::setNeedCheckQNow(bool check)
{
    mNeedCheckQNow = check;
}

int StockQNow::getStockCodeCount() const
{
    return mStockCodeList.size();
}

void StockQNow::publish()
{
    mRequest.store(Request{mStockCode, mStockCodeList});
}

bool StockQNow::DataReadOnDataReadBaseThread(int refreshtag, QString readKey)
{
    const auto request = mRequest.load();
    if (readKey == kQNow)
        return ReadQNow(refreshtag, request->stockCode);
    if (readKey == kQNows)
        return ReadQNows(refreshtag, request->stockCodes);
    return false;
}

bool StockQNow::ReadQNow(int refreshtag, const QString& stockCode)
{
    if (stockCode.isEmpty())
        return false;
    const Q_DD_Now qnow = PBDataChange::LBDG_QNowSingle(stockCode, false);
    qCDebug(lcZtReader).noquote() << "StockQNow::ReadQNow tag" << refreshtag << stockCode
                                  << qnow.getUniqueValue(0) << qnow.getValue(ZtField::Last).toString();
    if (!runCheck(refreshtag) || qnow.isEmpty())
        return false;
    emit onQNowUpdate(refreshtag, qnow);
    if (mNeedCheckQNow) {
        // A quote older than the market's clock is still shown, but read again soon.
        const QVariant quoteTime(qnow.getValue(ZtField::QuoteTime).toLongLong());
        const QVariant marketTime(PBDataChange::Common_GetMarketDateTime(stockCode));
        if (quoteTime != marketTime)
            return false;
    }
    return true;
}

bool StockQNow::ReadQNows(int refreshtag, const QVector<QString>& stockCodes)
{
    if (stockCodes.isEmpty()) {
        emit onQNowsUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBDG_QNow_DL(stockCodes, mllCheckDT, true, 0);
    const bool updated = checkDT(&list);
    const bool downValid = list.getDataDownValid();
    qCDebug(lcZtReader).noquote() << "StockQNow::ReadQNows tag" << refreshtag << joined(stockCodes)
                                  << "downValid" << downValid << "updated" << updated << "checkDT"
                                  << mllCheckDT.load() << "rows" << list.count()
                                  << (list.isEmpty() ? QStringLiteral("null")
                                                     : qAsConst(list).at(0)->getValue(ZtField::Last).toString());
    if (!runCheck(refreshtag))
        return false;
    if (updated) {
        emit onQNowsUpdate(refreshtag, list);
        return downValid;
    }
    return true;
}

void StockQNow::doQNowUpdate(int _refreshtag, Q_DD_Now qnow)
{
    if (isRefresh(_refreshtag))
        return;
    mQNow = qnow;
    emit onDataUpdate();
}

void StockQNow::doQNowsUpdate(int _refreshtag, DQDDataList qnows)
{
    if (isRefresh(_refreshtag))
        return;
    mQNows = qnows;
    emit onDataUpdate();
}

void StockQNow::disconnectAll()
{
    dispose();
    disconnect();
    PubCache::SSignal.disconnect(this);
}
