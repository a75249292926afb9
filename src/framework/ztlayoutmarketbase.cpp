#include "ztlayoutmarketbase.h"

#include "framework/ztreaderlog.h"

#include <pubcache/pubcache.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/q_dd_now.h>

#include <QHideEvent>
#include <QShowEvent>
#include <QStringList>
#include <QThread>

#include <algorithm>

namespace {
const QString kMarkets = QStringLiteral("Markets");
const QString kZHPM = QStringLiteral("ZHPM");
const QString kBKListForStock = QStringLiteral("BKListForStock");
const QString kStockListForBK = QStringLiteral("StockListForBK");

// Rows of the window a market read asks for, and how far the window reaches back.
constexpr int kWindowRows = 150;
constexpr int kWindowStep = 50;

// First row of the window read for a wanted first row: one step back from the
// step the row falls in, so scrolling either way stays inside the window.
int windowStart(int iStart)
{
    return std::max(0, (iStart / kWindowStep) * kWindowStep - kWindowStep);
}

QString codesText(const QVector<QString>& codes)
{
    return QStringList(codes.cbegin(), codes.cend()).join(QLatin1Char(','));
}

QString zqlxText(const QVector<ZtE_ZQLX>& zqlxs)
{
    QStringList out;
    for (ZtE_ZQLX z : zqlxs)
        out.append(QString::number(int(z)));
    return out.join(QLatin1Char(','));
}
}

ZtLayoutMarketBase::ZtLayoutMarketBase(ZtLayoutBase* parent, QString name) : ZtLayoutBase(name, parent)
{
    setReadWaitTime(300);
    qRegisterMetaType<QVector<Q_DD_Now>>("QVector<Q_DD_Now>");
    qRegisterMetaType<DQDDataList>("DQDDataList");
    connect(this, &ZtLayoutMarketBase::onMarketDataUpdate, this, &ZtLayoutMarketBase::doMarketDataUpdate);
    connect(&PubCache::SSignal, &PubStaticSignal::onAppExit, this, &ZtLayoutMarketBase::disconnectAll);
}

ZtLayoutMarketBase::~ZtLayoutMarketBase()
{
    disconnectAll();
}

QString ZtLayoutMarketBase::requestText() const
{
    return QStringLiteral("codes=[%1] zqlxs=[%2] orderBy=%3 start=%4 count=%5 desc=%6 static=%7 stock=%8 bk=%9")
        .arg(codesText(mMarketCodes), zqlxText(mMarketZqlxs))
        .arg(mOrderBy)
        .arg(mStart)
        .arg(mCount)
        .arg(mDesc)
        .arg(mIsStaticData)
        .arg(mStockCode, mBKCode);
}

void ZtLayoutMarketBase::publish()
{
    mRequest.store(Request{mMarketCodes, mMarketZqlxs, mOrderBy, mStart, mCount, mDesc, mIsStaticData,
                           mStockCode, mBKCode});
}

void ZtLayoutMarketBase::InitDataMarkets(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs,
                                         unsigned int iOrderBy, int iStart, int iCount, bool bDesc,
                                         bool isStaticData)
{
    refresh_begin();
    const QString before = requestText();
    mMarketCodes = marketCodes;
    mMarketZqlxs = marketZqlxs;
    mOrderBy = iOrderBy;
    mStart = iStart;
    mCount = iCount;
    mDesc = bDesc;
    mIsStaticData = isStaticData;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "InitDataMarkets" << before << "->" << requestText()
                                  << "getDataFlag" << getGetDataFlag() << "visible" << mDRBVisible.load();
    Run(kMarkets);
}

void ZtLayoutMarketBase::InitZHPM(QVector<QString> marketCodes, QVector<ZtE_ZQLX> marketZqlxs,
                                  unsigned int iOrderBy, int iCount, bool bDesc)
{
    refresh_begin();
    const QString before = requestText();
    mMarketCodes = marketCodes;
    mMarketZqlxs = marketZqlxs;
    mOrderBy = iOrderBy;
    mCount = iCount;
    mDesc = bDesc;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "InitZHPM" << before << "->" << requestText()
                                  << "getDataFlag" << getGetDataFlag() << "visible" << mDRBVisible.load();
    Run(kZHPM);
}

void ZtLayoutMarketBase::InitBKListForStock(QString stockCode)
{
    refresh_begin();
    const QString before = mStockCode;
    mStockCode = stockCode;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "InitBKListForStock" << before << "->" << stockCode
                                  << "getDataFlag" << getGetDataFlag() << "visible" << mDRBVisible.load();
    Run(kBKListForStock);
}

void ZtLayoutMarketBase::InitStockListForBK(QString bkCode)
{
    refresh_begin();
    const QString before = mBKCode;
    mBKCode = bkCode;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "InitStockListForBK" << before << "->" << bkCode
                                  << "getDataFlag" << getGetDataFlag() << "visible" << mDRBVisible.load();
    Run(kStockListForBK);
}

void ZtLayoutMarketBase::ReSetDataMarkets(unsigned int iOrderBy, int iStart, int iCount, bool bDesc)
{
    refresh_begin();
    mOrderBy = iOrderBy;
    mStart = iStart;
    mCount = iCount;
    mDesc = bDesc;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "ReSetDataMarkets" << requestText();
    refresh_end();
}

void ZtLayoutMarketBase::ReSetZHPM(int iCount)
{
    refresh_begin();
    mCount = iCount;
    publish();
    qCDebug(lcZtReader).noquote() << objectName() << "ReSetZHPM" << requestText();
    refresh_end();
}

QVector<QString> ZtLayoutMarketBase::getMarketCodes() const
{
    return mMarketCodes;
}

QVector<ZtE_ZQLX> ZtLayoutMarketBase::getMarketZqlxs() const
{
    return mMarketZqlxs;
}

QString ZtLayoutMarketBase::getStockCode() const
{
    return mStockCode;
}

QString ZtLayoutMarketBase::getBKCode() const
{
    return mBKCode;
}

bool ZtLayoutMarketBase::getNeedCheckQNow() const
{
    return mNeedCheckQNow;
}

void ZtLayoutMarketBase::setNeedCheckQNow(bool check)
{
    mNeedCheckQNow = check;
}

bool ZtLayoutMarketBase::DataReadOnDataReadBaseThread(int refreshtag, QString readKey)
{
    const auto r = mRequest.load();
    if (readKey == kMarkets)
        return ReadMarkets(refreshtag, r->marketCodes, r->marketZqlxs, r->orderBy, r->start, r->count, r->desc,
                           r->isStaticData);
    if (readKey == kZHPM)
        return ReadZHPM(refreshtag, r->marketCodes, r->marketZqlxs, r->orderBy, r->count, r->desc);
    if (readKey == kBKListForStock)
        return ReadBKListForStock(refreshtag, r->stockCode);
    if (readKey == kStockListForBK)
        return ReadStockListForBK(refreshtag, r->bkCode);
    return false;
}

bool ZtLayoutMarketBase::windowMatches(const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                       unsigned int orderBy, bool desc) const
{
    return mWinCodes == codes && mWinZqlxs == zqlxs && mWinOrderBy == orderBy && mWinDesc == desc;
}

bool ZtLayoutMarketBase::ReadMarkets(int refreshtag, const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                     unsigned int orderBy, int start, int count, bool desc, bool isStaticData)
{
    if (codes.isEmpty() || zqlxs.isEmpty()) {
        emit onMarketDataUpdate(-1, DQDDataList());
        return false;
    }
    // A newer request moved the window while this read was being set up.
    if (start != mRequest.load()->start)
        return false;

    const int tStart = windowStart(start);
    if (!isStaticData && mWinCount != 0 && windowMatches(codes, zqlxs, orderBy, desc)) {
        if (mWinStart + kWindowStep <= start && start <= mWinStart + mWinCount - 2 * kWindowStep) {
            // The wanted rows sit in the middle of what is held: only warm the data
            // library's cache around them a few times.
            if (mWinInsideCount % 2 == 0 && mWinInsideCount < 8)
                PBDataChange::LBGD_QNowForMK_DL(codes, zqlxs, mllCheckDT, orderBy, std::max(0, tStart - 100), 200,
                                                desc);
            ++mWinInsideCount;
            return true;
        }
        if (mWinOutsideCount % 2 == 0) {
            ++mWinOutsideCount;
            return true;
        }
    }

    const bool keepOutside = isStaticData && mWinStart == tStart && mWinCount == kWindowRows
                             && windowMatches(codes, zqlxs, orderBy, desc);
    if (!keepOutside)
        mWinOutsideCount = 0;

    DQDDataList list;
    if (isStaticData) {
        list = PBDataChange::LBGD_QNowStaticForMK_DL(codes, zqlxs, mllCheckDT, orderBy, tStart, kWindowRows, desc);
    } else {
        list = PBDataChange::LBGD_QNowForMK_DL(codes, zqlxs, mllCheckDT, orderBy, tStart, kWindowRows, desc);
        ++mWinOutsideCount;
        if (list.getDataDownValid() && list.getDataDownTime() > 0) {
            mWinCodes = codes;
            mWinZqlxs = zqlxs;
            mWinCount = kWindowRows;
            mWinStart = tStart;
            mWinOrderBy = orderBy;
            mWinDesc = desc;
            mWinInsideCount = 0;
            mWinOutsideCount = 0;
        }
    }

    QString log = QStringLiteral("ReadMarkets codes=[%1] zqlxs=[%2] orderBy=%3 start=%4 rows=%5 (wanted %6) desc=%7 "
                                 "static=%8")
                      .arg(codesText(codes), zqlxText(zqlxs))
                      .arg(orderBy)
                      .arg(tStart)
                      .arg(kWindowRows)
                      .arg(count)
                      .arg(desc)
                      .arg(isStaticData);
    const bool result = checkMarketDataAndUpdate(refreshtag, list, log);
    // Worker-side lines are named after the reading thread: the panel's own name
    // belongs to the GUI thread.
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << log;
    return result;
}

bool ZtLayoutMarketBase::ReadZHPM(int refreshtag, const QVector<QString>& codes, const QVector<ZtE_ZQLX>& zqlxs,
                                  unsigned int orderBy, int count, bool desc)
{
    if (codes.isEmpty() || zqlxs.isEmpty()) {
        emit onMarketDataUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_QNowForZongHePaiMing_DL(codes, zqlxs, mllCheckDT, orderBy, 0, count, desc);
    QString log = QStringLiteral("ReadZHPM codes=[%1] zqlxs=[%2] orderBy=%3 count=%4 desc=%5")
                      .arg(codesText(codes), zqlxText(zqlxs))
                      .arg(orderBy)
                      .arg(count)
                      .arg(desc);
    const bool result = checkMarketDataAndUpdate(refreshtag, list, log);
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << log;
    return result;
}

bool ZtLayoutMarketBase::ReadBKListForStock(int refreshtag, const QString& stockCode)
{
    if (stockCode.isEmpty()) {
        emit onMarketDataUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_QNowBKListForStock_DL(stockCode, mllCheckDT, 0, true);
    QString log = QStringLiteral("ReadBKListForStock ") + stockCode;
    const bool result = checkMarketDataAndUpdate(refreshtag, list, log);
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << log;
    return result;
}

bool ZtLayoutMarketBase::ReadStockListForBK(int refreshtag, const QString& bkCode)
{
    if (bkCode.isEmpty()) {
        emit onMarketDataUpdate(-1, DQDDataList());
        return false;
    }
    DQDDataList list = PBDataChange::LBGD_QNowForBk_DL(bkCode, mllCheckDT, 0, true);
    QString log = QStringLiteral("ReadStockListForBK ") + bkCode;
    const bool result = checkMarketDataAndUpdate(refreshtag, list, log);
    qCDebug(lcZtReader).noquote() << QThread::currentThread()->objectName() << log;
    return result;
}

bool ZtLayoutMarketBase::checkMarketDataAndUpdate(int refreshtag, DQDDataList& list, QString& log)
{
    const bool updated = checkDT(&list);
    const bool downValid = list.getDataDownValid();
    const DQDDataList& rows = list;
    log += QStringLiteral(" tag=%1 downValid=%2 updated=%3 checkDT=%4 count=%5 first=%6")
               .arg(refreshtag)
               .arg(downValid)
               .arg(updated)
               .arg(mllCheckDT.load())
               .arg(rows.count())
               .arg(rows.isEmpty() ? QStringLiteral("null") : rows.at(0)->getUniqueValue(0));
    if (!runCheck(refreshtag) || rows.isEmpty())
        return false;
    if (updated) {
        emit onMarketDataUpdate(refreshtag, list);
        return downValid;
    }
    return true;
}

void ZtLayoutMarketBase::doMarketDataUpdate(int _refreshtag, DQDDataList data)
{
    if (isRefresh(_refreshtag))
        return;
    if (data.isEmpty() && mMarketData.isEmpty())
        return;
    mMarketData = data;
    if (isVisible())
        doDataRepaint();
}

void ZtLayoutMarketBase::doDataRepaint() {}

void ZtLayoutMarketBase::disconnectAll()
{
    dispose();
    disconnect();
    PubCache::SSignal.disconnect(this);
}

void ZtLayoutMarketBase::showEvent(QShowEvent* event)
{
    setDRBVisible(true);
    ZtLayoutBase::showEvent(event);
}

void ZtLayoutMarketBase::hideEvent(QHideEvent* event)
{
    setDRBVisible(false);
    ZtLayoutBase::hideEvent(event);
}
