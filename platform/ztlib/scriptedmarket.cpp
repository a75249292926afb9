#include "scriptedmarket.h"

#include <QStringList>
#include <QThread>

#include <chrono>

namespace {

QVariant codesArg(const QVector<QString>& codes)
{
    return QStringList(codes.cbegin(), codes.cend());
}

template <typename E>
QVariant enumsArg(const QVector<E>& values)
{
    QVariantList out;
    for (E v : values)
        out.append(int(v));
    return out;
}

// The quote row stands for its security in the call log.
QVariant quoteArg(const Q_DD_Now& qnow)
{
    return qnow.getUniqueValue(0);
}

}

void ScriptedMarket::setAnswer(const QString& query, const DQDDataList& rows, qint64 downTime, bool complete)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mAnswers.insert(query, Answer{rows, downTime, complete});
}

void ScriptedMarket::setAnswerFunction(const QString& query, AnswerFunction function)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mFunctions.insert(query, std::move(function));
}

void ScriptedMarket::setQuote(const QString& code, const Q_DD_Now& quote)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mQuotes.insert(code, quote);
}

void ScriptedMarket::removeQuote(const QString& code)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mQuotes.remove(code);
}

void ScriptedMarket::setQuotesDownTime(qint64 downTime, bool complete)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mQuotesDownTime = downTime;
    mQuotesComplete = complete;
}

void ScriptedMarket::setMarketDateTime(const QString& code, qint64 time)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (code.isEmpty())
        mDefaultMarketTime = time;
    else
        mMarketTimes.insert(code, time);
}

void ScriptedMarket::setFormulaState(ZtE_FormulaDataType type, const FormulaDataState& state)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mFormula.insert(int(type), state);
}

void ScriptedMarket::setSecurityList(const DQDDataList& list)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mSecurities = list;
}

QList<ScriptedMarket::Call> ScriptedMarket::calls() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mCalls;
}

QList<ScriptedMarket::Call> ScriptedMarket::calls(const QString& query) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    QList<Call> out;
    for (const Call& c : mCalls) {
        if (c.query == query)
            out.append(c);
    }
    return out;
}

int ScriptedMarket::callCount(const QString& query) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    int n = 0;
    for (const Call& c : mCalls)
        n += c.query == query ? 1 : 0;
    return n;
}

int ScriptedMarket::totalCalls() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mCalls.size();
}

void ScriptedMarket::clearCalls()
{
    std::lock_guard<std::mutex> lock(mMutex);
    mCalls.clear();
}

bool ScriptedMarket::waitForCalls(const QString& query, int n, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(mMutex);
    return mChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        int count = 0;
        for (const Call& c : mCalls)
            count += c.query == query ? 1 : 0;
        return count >= n;
    });
}

void ScriptedMarket::hold(const QString& query)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mHeld.insert(query, true);
}

void ScriptedMarket::release(const QString& query)
{
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mHeld.remove(query);
    }
    mChanged.notify_all();
}

bool ScriptedMarket::waitUntilHeld(const QString& query, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(mMutex);
    return mChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return mWaiting.value(query) > 0; });
}

int ScriptedMarket::heldCount(const QString& query) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mWaiting.value(query);
}

void ScriptedMarket::logAndWait(const Call& call)
{
    std::unique_lock<std::mutex> lock(mMutex);
    mCalls.append(call);
    mChanged.notify_all();
    if (!mHeld.value(call.query))
        return;
    ++mWaiting[call.query];
    mChanged.notify_all();
    mChanged.wait(lock, [&] { return !mHeld.value(call.query); });
    --mWaiting[call.query];
}

DQDDataList ScriptedMarket::answerList(const QString& query, const QVariantList& args, qint64 checkDT)
{
    Call call{query, args, QThread::currentThread() ? QThread::currentThread()->objectName() : QString(),
              checkDT};
    logAndWait(call);

    Answer answer;
    AnswerFunction function;
    {
        std::lock_guard<std::mutex> lock(mMutex);
        function = mFunctions.value(query);
        if (!function)
            answer = mAnswers.value(query);
    }
    if (function)
        answer = function(call);

    DQDDataList list = answer.rows;
    list.setDataDownTime(answer.downTime);
    list.setDataIsUpdate(answer.downTime > checkDT);
    list.setDataDownValid(answer.complete);
    return list;
}

DQDDataList ScriptedMarket::securityList()
{
    logAndWait(Call{QStringLiteral("getSecurityList"), {}, QString(), 0});
    std::lock_guard<std::mutex> lock(mMutex);
    return mSecurities;
}

DQDDataList ScriptedMarket::qnowForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                           qint64 checkDT, unsigned int orderBy, int start, int count, bool desc)
{
    return answerList(QStringLiteral("LBGD_QNowForMK_DL"),
                      {codesArg(markets), enumsArg(types), checkDT, orderBy, start, count, desc}, checkDT);
}

DQDDataList ScriptedMarket::qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                                 qint64 checkDT, unsigned int orderBy, int start, int count,
                                                 bool desc)
{
    return answerList(QStringLiteral("LBGD_QNowStaticForMK_DL"),
                      {codesArg(markets), enumsArg(types), checkDT, orderBy, start, count, desc}, checkDT);
}

DQDDataList ScriptedMarket::qnowRanking(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                        qint64 checkDT, unsigned int orderBy, int start, int count, bool desc)
{
    return answerList(QStringLiteral("LBGD_QNowForZongHePaiMing_DL"),
                      {codesArg(markets), enumsArg(types), checkDT, orderBy, start, count, desc}, checkDT);
}

DQDDataList ScriptedMarket::sectorsOfStock(const QString& code, qint64 checkDT, unsigned int orderBy, bool desc)
{
    return answerList(QStringLiteral("LBGD_QNowBKListForStock_DL"), {code, checkDT, orderBy, desc}, checkDT);
}

DQDDataList ScriptedMarket::membersOfSector(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc)
{
    return answerList(QStringLiteral("LBGD_QNowForBk_DL"), {bkCode, checkDT, orderBy, desc}, checkDT);
}

DQDDataList ScriptedMarket::industrySectorsOfStock(const QString& code)
{
    return answerList(QStringLiteral("LBGD_BKList_BKDHForStock"), {code}, 0);
}

DQDDataList ScriptedMarket::conceptSectorsOfStock(const QString& code)
{
    return answerList(QStringLiteral("LBGD_BKList_BKDGSpecialForStock"), {code}, 0);
}

DQDDataList ScriptedMarket::marginSectorsOfStock(const QString& code)
{
    return answerList(QStringLiteral("LBGD_BKList_BKDGSpecialForStock_RZRQ"), {code}, 0);
}

Q_DD_Now ScriptedMarket::quote(const QString& code, bool more)
{
    logAndWait(Call{QStringLiteral("LBDG_QNowSingle"), {code, more},
                    QThread::currentThread()->objectName(), 0});
    std::lock_guard<std::mutex> lock(mMutex);
    return mQuotes.value(code);
}

QVector<Q_DD_Now> ScriptedMarket::quotes(const QVector<QString>& codes, qint64 checkDT, bool more)
{
    logAndWait(Call{QStringLiteral("LBDG_QNow"), {codesArg(codes), checkDT, more},
                    QThread::currentThread()->objectName(), checkDT});
    std::lock_guard<std::mutex> lock(mMutex);
    QVector<Q_DD_Now> out;
    for (const QString& code : codes) {
        auto it = mQuotes.constFind(code);
        if (it != mQuotes.cend())
            out.append(it.value());
    }
    return out;
}

DQDDataList ScriptedMarket::quoteList(const QVector<QString>& codes, qint64 checkDT, bool more, int flags)
{
    logAndWait(Call{QStringLiteral("LBDG_QNow_DL"), {codesArg(codes), checkDT, more, flags},
                    QThread::currentThread()->objectName(), checkDT});
    std::lock_guard<std::mutex> lock(mMutex);
    DQDDataList list;
    for (const QString& code : codes) {
        auto it = mQuotes.constFind(code);
        if (it != mQuotes.cend())
            list.append(it.value());
    }
    list.setDataDownTime(mQuotesDownTime);
    list.setDataIsUpdate(mQuotesDownTime > checkDT);
    list.setDataDownValid(mQuotesComplete);
    return list;
}

qint64 ScriptedMarket::marketDateTime(const QString& code)
{
    logAndWait(Call{QStringLiteral("Common_GetMarketDateTime"), {code},
                    QThread::currentThread()->objectName(), 0});
    std::lock_guard<std::mutex> lock(mMutex);
    return mMarketTimes.value(code, mDefaultMarketTime);
}

DQDDataList ScriptedMarket::kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                                  qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Kline"), {quoteArg(qnow), int(period), int(divid), more, checkDT},
                      checkDT);
}

DQDDataList ScriptedMarket::dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Dline"), {quoteArg(qnow), includeAuction, more, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::dlineDays(const Q_DD_Now& qnow, int dayCount, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Dline_5Days"), {quoteArg(qnow), dayCount, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::dlineHistory(const Q_DD_Now& qnow, qint64 day, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Dline_History"), {quoteArg(qnow), day, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Detail"), {quoteArg(qnow), newestFirst, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::volumeByPrice(const Q_DD_Now& qnow, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Fjbxx"), {quoteArg(qnow), checkDT}, checkDT);
}

DQDDataList ScriptedMarket::exRights(const Q_DD_Now& qnow, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Qxxx"), {quoteArg(qnow), checkDT}, checkDT);
}

DQDDataList ScriptedMarket::announcements(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Gglb"), {quoteArg(qnow), param, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::news(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xwlb"), {quoteArg(qnow), param, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::reports(const Q_DD_Now& qnow, int param, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Yblb"), {quoteArg(qnow), param, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsFrom(const QString& code, qint64 time, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Btlb"), {code, time, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsMarked(const QString& code, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Btlb_Bjlb"), {code, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsAll(const QString& code, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Btlb_PopWinList"), {code, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsToday(const QString& code, bool includeAuction, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Drsj"), {code, includeAuction, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsHistory(const QString& code, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Lssj"), {code, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::mineItemsSpecial(const QString& code, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Xxdl_Special"), {code, checkDT}, checkDT);
}

DQDDataList ScriptedMarket::movementsAll(const QVector<ZtE_DXJL>& types, qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Dxjl_All"), {enumsArg(types), checkDT}, checkDT);
}

DQDDataList ScriptedMarket::movementsOf(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                                        qint64 checkDT)
{
    return answerList(QStringLiteral("LBGD_Dxjl_Zxg"), {codesArg(codes), enumsArg(types), checkDT}, checkDT);
}

FormulaDataState ScriptedMarket::formulaData(ZtE_FormulaDataType type, const Q_DD_Now& qnow, qint64 checkDT)
{
    static const QHash<int, QString> names = {
        {ZtE_FormulaDataType_KlineCMSDL, QStringLiteral("getKlineCMSDL")},
        {ZtE_FormulaDataType_DlineCMSDL, QStringLiteral("getDlineCMSDL")},
        {ZtE_FormulaDataType_KlineMMLD, QStringLiteral("getKlineMMLD_FD")},
        {ZtE_FormulaDataType_DlineMMLD, QStringLiteral("getDlineMMLD_FD")},
        {ZtE_FormulaDataType_KlineCJMX, QStringLiteral("getKlineCJMX_FD")},
        {ZtE_FormulaDataType_KlineRZRQ, QStringLiteral("getKlineRZRQ")},
    };
    logAndWait(Call{names.value(int(type), QStringLiteral("formulaData")), {quoteArg(qnow), checkDT},
                    QThread::currentThread()->objectName(), checkDT});
    std::lock_guard<std::mutex> lock(mMutex);
    return mFormula.value(int(type));
}
