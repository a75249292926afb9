#include "ztlayoutstockbase.h"

#include "framework/ztreaderlog.h"

#include <pubcache/pubcache.h>
#include <ztlib/formuladatastate.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/ztfields.h>

#include <QHideEvent>
#include <QShowEvent>
#include <QThread>

namespace {
const QString kPeriodDLine = QStringLiteral("DataStocks_PeriodDLine");
const QString kPeriodKLine = QStringLiteral("DataStocks_PeriodKLine");
const QString kHistoryDLine = QStringLiteral("DataStocks_HistoryDLine");
const QString kRegDataType = QStringLiteral("DataStocks_RegDataType");
const QString kFormulaDataType = QStringLiteral("DataStocks_FormulaDataType");
const QString kJszbfw = QStringLiteral("DataStocks_Jszbfw");

QString seriesLog(const DQDDataList& list, const Q_DD_Now& qnow)
{
    QString text = QStringLiteral("rows=%1").arg(list.count());
    if (list.count() > 2)
        text += QStringLiteral(" row1=%1 avg=%2")
                    .arg(list.at(1)->getUniqueValue(0), list.at(1)->getValue(ZtField::AvgPrice).toString());
    return text + QStringLiteral(" last=") + qnow.getValue(ZtField::Last).toString();
}
}

ZtLayoutStockBase::ZtLayoutStockBase(ZtLayoutBase* parent, QString name) : ZtLayoutBase(name, parent)
{
    qRegisterMetaType<DQDDataList>("DQDDataList");
    qRegisterMetaType<ZtE_Period>("ZtE_Period");
    qRegisterMetaType<ZtE_DIVID>("ZtE_DIVID");
    qRegisterMetaType<ZtE_RegDataType>("ZtE_RegDataType");
    qRegisterMetaType<ZtE_FormulaDataType>("ZtE_FormulaDataType");
    using S = ZtLayoutStockBase;
    connect(this, &S::onGetPeriodDLineOver, this, &S::doGetPeriodDLineOver);
    connect(this, &S::onGetPeriodKLineOver, this, &S::doGetPeriodKLineOver);
    connect(this, &S::onGetRegDataTypeOver, this, &S::doGetRegDataTypeOver);
    connect(this, &S::onGetFormulaDataTypeOver, this, &S::doGetFormulaDataTypeOver);
    connect(&PubCache::SSignal, &PubStaticSignal::onAppExit, this, &S::disconnectAll);
}

ZtLayoutStockBase::~ZtLayoutStockBase()
{
    disconnectAll();
}

void ZtLayoutStockBase::publish()
{
    mRequest.store(Request{mStockCode, mHistoryDatetime, mRegDataType, mFormulaDataType, mPeriod, mIncludeAuction,
                           mDayCount, mDIVID, mIsMore});
}

void ZtLayoutStockBase::logRequest(const char* operation, const QString& stockCode, int type) const
{
    qCDebug(lcZtReader).noquote() << objectName() << operation << mStockCode << "->" << stockCode << "type"
                                  << type << "getDataFlag" << getGetDataFlag() << "visible" << mDRBVisible.load();
}

void ZtLayoutStockBase::InitDataStocks_PeriodDLine(QString stockCode, ZtE_Period type, bool includeAuction,
                                                   int dayCount, bool isMore)
{
    refresh_begin();
    logRequest("InitDataStocks_PeriodDLine", stockCode, type);
    if (stockCode.isEmpty() || type == 0)
        return;
    mStockCode = stockCode;
    mPeriod = type;
    mIncludeAuction = includeAuction;
    mDayCount = dayCount;
    mIsMore = isMore;
    publish();
    Run(kPeriodDLine);
}

void ZtLayoutStockBase::InitDataStocks_PeriodKLine(QString stockCode, ZtE_Period type, ZtE_DIVID divid,
                                                   bool isMore)
{
    refresh_begin();
    logRequest("InitDataStocks_PeriodKLine", stockCode, type);
    if (stockCode.isEmpty() || type == 0)
        return;
    mStockCode = stockCode;
    mPeriod = type;
    mDIVID = divid;
    mIsMore = isMore;
    publish();
    Run(kPeriodKLine);
}

void ZtLayoutStockBase::InitDataStocks_HistoryDLine(QString stockCode, ZtE_Period type, qint64 datetime)
{
    refresh_begin();
    if (stockCode.isEmpty() || type == 0)
        return;
    mStockCode = stockCode;
    mPeriod = type;
    mHistoryDatetime = datetime;
    publish();
    // Reading was turned off when the last day came in complete. Run() starts the
    // worker under the new tag and key; the flag rule would add a second tag that
    // only costs a read.
    mGetDataFlag = true;
    Run(kHistoryDLine);
}

void ZtLayoutStockBase::InitDataStocks_RegDataType(QString stockCode, ZtE_RegDataType type, bool includeAuction)
{
    refresh_begin();
    logRequest("InitDataStocks_RegDataType", stockCode, type);
    if (stockCode.isEmpty() || type == 0)
        return;
    mStockCode = stockCode;
    mRegDataType = type;
    mIncludeAuction = includeAuction;
    publish();
    Run(kRegDataType);
}

void ZtLayoutStockBase::InitDataStocks_FormulaDataType(QString stockCode, ZtE_FormulaDataType type)
{
    refresh_begin();
    logRequest("InitDataStocks_FormulaDataType", stockCode, type);
    if (stockCode.isEmpty() || type == 0)
        return;
    mStockCode = stockCode;
    mFormulaDataType = type;
    publish();
    Run(kFormulaDataType);
}

void ZtLayoutStockBase::InitDataStocks_Jszbfw(QString, ZtE_Jszbfw) {}

QString ZtLayoutStockBase::stockCode() const
{
    return mStockCode;
}

ZtE_RegDataType ZtLayoutStockBase::regDataType() const
{
    return mRegDataType;
}

ZtE_Period ZtLayoutStockBase::period() const
{
    return mPeriod;
}

ZtE_Jszbfw ZtLayoutStockBase::jszbfw() const
{
    return mJszbfw;
}

ZtE_DIVID ZtLayoutStockBase::getDIVID() const
{
    return mDIVID;
}

bool ZtLayoutStockBase::getIsMore() const
{
    return mIsMore;
}

void ZtLayoutStockBase::setIsMore(bool isMore)
{
    mIsMore = isMore;
    publish();
}

bool ZtLayoutStockBase::DataReadOnDataReadBaseThread(int refreshtag, QString readKey)
{
    const auto r = mRequest.load();
    if (readKey == kPeriodDLine)
        return ReadDataStocks_PeriodDLine(refreshtag, *r);
    if (readKey == kPeriodKLine)
        return ReadDataStocks_PeriodKLine(refreshtag, *r);
    if (readKey == kHistoryDLine)
        return ReadDataStocks_HistoryDLine(refreshtag, *r);
    if (readKey == kRegDataType)
        return ReadDataStocks_RegDataType(refreshtag, *r);
    if (readKey == kFormulaDataType)
        return ReadDataStocks_FormulaDataType(refreshtag, *r);
    if (readKey == kJszbfw)
        return true;
    return false;
}

Q_DD_Now ZtLayoutStockBase::readQuote(const QString& stockCode, bool more, const char* read)
{
    const Q_DD_Now qnow = PBDataChange::LBDG_QNowSingle(stockCode, more);
    const bool current = qnow.CheckDataIsValid(PBDataChange::Common_GetMarketDateTime(stockCode));
    // Worker-side lines are named after the reading thread: the panel's own name
    // belongs to the GUI thread.
    if (qnow.isEmpty())
        qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << read << stockCode << "quote error: no quote";
    else
        qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << read << stockCode << "quote current" << current;
    return qnow;
}

bool ZtLayoutStockBase::ReadDataStocks_PeriodDLine(int refreshtag, const Request& r)
{
    const Q_DD_Now qnow = readQuote(r.stockCode, r.isMore, "ReadDataStocks_PeriodDLine");
    if (qnow.isEmpty()) {
        emit onGetPeriodDLineOver(-1, r.stockCode, r.period, r.includeAuction, mEmptyData);
        return false;
    }
    DQDDataList list;
    if (r.period == ZtE_Period_DLine)
        list = PBDataChange::LBGD_Dline(qnow, r.includeAuction, r.isMore, mllCheckDT);
    else if (r.period == ZtE_Period_DLine2 || r.period == ZtE_Period_DLine3 || r.period == ZtE_Period_DLine5)
        list = PBDataChange::LBGD_Dline_5Days(qnow, r.dayCount, mllCheckDT);
    const bool updated = checkDT(&list);
    const bool downValid = list.getDataDownValid();
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_PeriodDLine tag" << refreshtag << r.stockCode
                                  << "period" << r.period << "updated" << updated << "downValid" << downValid
                                  << seriesLog(list, qnow);
    if (!runCheck(refreshtag))
        return false;
    if (updated) {
        emit onGetPeriodDLineOver(refreshtag, r.stockCode, r.period, r.includeAuction, list);
        if (PBDataChange::LBGD_GetDelDataAfter())
            PBDataChange::LBGD_SetDelDataAfter(false);
        return downValid;
    }
    return true;
}

bool ZtLayoutStockBase::ReadDataStocks_PeriodKLine(int refreshtag, const Request& r)
{
    const Q_DD_Now qnow = readQuote(r.stockCode, r.isMore, "ReadDataStocks_PeriodKLine");
    if (qnow.isEmpty()) {
        emit onGetPeriodKLineOver(-1, r.stockCode, r.period, r.divid, mEmptyData);
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_Kline(qnow, r.period, r.divid, r.isMore, mllCheckDT);
    const bool updated = checkDT(&list);
    const bool downValid = list.getDataDownValid();
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_PeriodKLine tag" << refreshtag << r.stockCode
                                  << "period" << r.period << "divid" << r.divid << "updated" << updated
                                  << "downValid" << downValid << seriesLog(list, qnow);
    // After the data library dropped its series, one K-line passes even when stale.
    if (runCheck(refreshtag) || PBDataChange::LBGD_GetDelDataAfter()) {
        if (updated) {
            emit onGetPeriodKLineOver(refreshtag, r.stockCode, r.period, r.divid, list);
            return downValid;
        }
        return true;
    }
    return false;
}

bool ZtLayoutStockBase::ReadDataStocks_HistoryDLine(int refreshtag, const Request& r)
{
    const Q_DD_Now qnow = readQuote(r.stockCode, false, "ReadDataStocks_HistoryDLine");
    if (qnow.isEmpty()) {
        emit onGetPeriodDLineOver(-1, r.stockCode, r.period, false, mEmptyData);
        return false;
    }
    if (r.period != ZtE_Period_DLine) {
        turnReadingOff(refreshtag);
        return true;
    }
    const DQDDataList list = PBDataChange::LBGD_Dline_History(qnow, r.historyDatetime, 0);
    const bool downValid = list.getDataDownValid();
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_HistoryDLine tag" << refreshtag << r.stockCode
                                  << "day" << r.historyDatetime << "downValid" << downValid << seriesLog(list, qnow);
    if (!runCheck(refreshtag))
        return false;
    emit onGetPeriodDLineOver(refreshtag, r.stockCode, ZtE_Period_DLine, false, list);
    if (!downValid)
        return false;
    // A past day never changes once it is complete.
    turnReadingOff(refreshtag);
    return true;
}

bool ZtLayoutStockBase::ReadDataStocks_RegDataType(int refreshtag, const Request& r)
{
    const Q_DD_Now qnow = readQuote(r.stockCode, false, "ReadDataStocks_RegDataType");
    if (qnow.isEmpty()) {
        emit onGetRegDataTypeOver(-1, r.stockCode, r.regDataType, mEmptyData);
        return false;
    }
    const QString code = qnow.getUniqueValue(0);
    // The list queries of types 40 to 42 take the held time-stamp as an integer argument.
    const int lowCheckDT = static_cast<int>(static_cast<quint32>(static_cast<quint64>(mllCheckDT.load())));
    DQDDataList list;
    bool updated = true;
    bool downValid = true;
    switch (r.regDataType) {
    case ZtE_RegDataType_Detail:
    case ZtE_RegDataType_DetailAsc:
        list = PBDataChange::LBGD_Detail(qnow, r.regDataType == ZtE_RegDataType_Detail, mllCheckDT);
        updated = checkDT(&list);
        downValid = list.getDataDownValid();
        break;
    case ZtE_RegDataType_Fjbxx:
        list = PBDataChange::LBGD_Fjbxx(qnow, mllCheckDT);
        updated = checkDT(&list);
        break;
    case ZtE_RegDataType_Xwlb:
        list = PBDataChange::LBGD_Xwlb(qnow, lowCheckDT, 0);
        updated = checkDT(&list);
        break;
    case ZtE_RegDataType_Gglb:
        list = PBDataChange::LBGD_Gglb(qnow, lowCheckDT, 0);
        updated = checkDT(&list);
        break;
    case ZtE_RegDataType_Yblb:
        list = PBDataChange::LBGD_Yblb(qnow, lowCheckDT, 0);
        updated = checkDT(&list);
        break;
    case ZtE_RegDataType_Qxxx:
        list = PBDataChange::LBGD_Qxxx(qnow, mllCheckDT);
        updated = checkDT(&list);
        downValid = list.getDataDownValid();
        break;
    case ZtE_RegDataType_XxdlDrsj:
        list = PBDataChange::LBGD_Xxdl_Drsj(code, r.includeAuction, mllCheckDT);
        updated = checkDT(&list);
        downValid = list.getDataDownValid();
        break;
    case ZtE_RegDataType_XxdlLssj:
        list = PBDataChange::LBGD_Xxdl_Lssj(code, mllCheckDT);
        updated = checkDT(&list);
        downValid = list.getDataDownValid();
        break;
    case ZtE_RegDataType_XxdlSpecial:
        list = PBDataChange::LBGD_Xxdl_Special(code, mllCheckDT);
        updated = checkDT(&list);
        downValid = list.getDataDownValid();
        break;
    case ZtE_RegDataType_RzrqBK:
        list = PBDataChange::LBGD_BKList_BKDGSpecialForStock_RZRQ(code);
        downValid = list.getDataDownValid();
        break;
    default:
        break;
    }
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_RegDataType tag" << refreshtag << r.stockCode
                                  << "type" << r.regDataType << "updated" << updated << "downValid" << downValid
                                  << "checkDT" << mllCheckDT.load() << "rows" << list.count();
    if (!runCheck(refreshtag))
        return false;
    if (updated) {
        emit onGetRegDataTypeOver(refreshtag, r.stockCode, r.regDataType, list);
        return downValid;
    }
    return true;
}

bool ZtLayoutStockBase::ReadDataStocks_FormulaDataType(int refreshtag, const Request& r)
{
    const Q_DD_Now qnow = readQuote(r.stockCode, false, "ReadDataStocks_FormulaDataType");
    if (qnow.isEmpty()) {
        emit onGetFormulaDataTypeOver(-1, r.stockCode, r.formulaDataType);
        return false;
    }
    FormulaDataState state;
    switch (r.formulaDataType) {
    case ZtE_FormulaDataType_KlineCJMX:
        state = PBDataChange::getKlineCJMX_FD(qnow, 0);
        break;
    case ZtE_FormulaDataType_DlineMMLD:
    case ZtE_FormulaDataType_DlineMMLD2:
        state = PBDataChange::getDlineMMLD_FD(qnow, 0);
        break;
    case ZtE_FormulaDataType_KlineMMLD:
        state = PBDataChange::getKlineMMLD_FD(qnow, 0);
        break;
    case ZtE_FormulaDataType_KlineCMSDL:
        state = PBDataChange::getKlineCMSDL(
            PBDataChange::LBGD_Kline(qnow, ZtE_Period_Day, ZtE_DIVID_Forward, false, 0), qnow, 0);
        break;
    case ZtE_FormulaDataType_DlineCMSDL:
        state = PBDataChange::getDlineCMSDL(PBDataChange::LBGD_Dline(qnow, false, false, 0), qnow, 0);
        break;
    case ZtE_FormulaDataType_KlineRZRQ:
        state = PBDataChange::getKlineRZRQ(qnow, 0);
        break;
    default:
        qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_FormulaDataType" << r.stockCode
                                      << "type error" << r.formulaDataType;
        emit onGetFormulaDataTypeOver(-1, r.stockCode, r.formulaDataType);
        return true;
    }
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << "ReadDataStocks_FormulaDataType tag" << refreshtag
                                  << r.stockCode << "type" << r.formulaDataType << "iDataUpdate"
                                  << state.iDataUpdate << "llCheckTime" << state.llCheckTime << "iNeedRequest"
                                  << state.iNeedRequest;
    if (!runCheck(refreshtag))
        return false;
    if (state.iDataUpdate == 0)
        return true;
    emit onGetFormulaDataTypeOver(refreshtag, r.stockCode, r.formulaDataType);
    return state.iNeedRequest != 1;
}

void ZtLayoutStockBase::doGetPeriodDLineOver(int _refreshtag, QString, ZtE_Period, bool, DQDDataList data)
{
    if (isRefresh(_refreshtag))
        return;
    if (data.isEmpty() && mStockData.isEmpty())
        return;
    mStockData = data;
    dataArrived();
}

void ZtLayoutStockBase::doGetPeriodKLineOver(int _refreshtag, QString, ZtE_Period, ZtE_DIVID _divid,
                                             DQDDataList data)
{
    const bool dropped = PBDataChange::LBGD_GetDelDataAfter();
    if (isRefresh(_refreshtag) && !dropped)
        return;
    if (dropped)
        PBDataChange::LBGD_SetDelDataAfter(false);
    mDataDIVID = _divid;
    mStockData = data;
    dataArrived();
}

void ZtLayoutStockBase::doGetRegDataTypeOver(int _refreshtag, QString, ZtE_RegDataType, DQDDataList data)
{
    if (isRefresh(_refreshtag))
        return;
    if (data.isEmpty() && mStockData.isEmpty())
        return;
    mStockData = data;
    dataArrived();
}

void ZtLayoutStockBase::doGetFormulaDataTypeOver(int _refreshtag, QString, ZtE_FormulaDataType)
{
    if (isRefresh(_refreshtag))
        return;
    dataArrived();
}

void ZtLayoutStockBase::dataArrived()
{
    doChildDataBind();
    emit onChildDataBind();
    if (isVisible())
        doDataRepaint();
}

void ZtLayoutStockBase::doDataRepaint() {}

void ZtLayoutStockBase::doChildDataBind() {}

void ZtLayoutStockBase::disconnectAll()
{
    dispose();
    disconnect();
    PubCache::SSignal.disconnect(this);
}

void ZtLayoutStockBase::showEvent(QShowEvent* event)
{
    setDRBVisible(true);
    ZtLayoutBase::showEvent(event);
}

void ZtLayoutStockBase::hideEvent(QHideEvent* event)
{
    setDRBVisible(false);
    ZtLayoutBase::hideEvent(event);
}
