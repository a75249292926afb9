#pragma once

#include "marketsource.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <condition_variable>
#include <functional>
#include <mutex>

// A market source for tests: each query answers what the test set for it, every
// call is logged with its arguments and thread, and a query can be held back so a
// test can race a request against a read that is in progress.
//
// Queries are named after their PBDataChange functions ("LBGD_QNowForMK_DL",
// "LBDG_QNowSingle", "getKlineCMSDL", ...).
class ScriptedMarket : public MarketSource
{
public:
    struct Call
    {
        QString query;
        QVariantList args;     // in the order of the PBDataChange signature
        QString threadName;    // object name of the calling QThread
        qint64 checkDT = 0;    // the time-stamp argument, 0 when the query has none
    };

    struct Answer
    {
        DQDDataList rows;
        qint64 downTime = 0;
        bool complete = true;
    };

    using AnswerFunction = std::function<Answer(const Call& call)>;

    ScriptedMarket() = default;

    // Answers of list queries; unset queries give an empty, complete list with time 0.
    void setAnswer(const QString& query, const DQDDataList& rows, qint64 downTime, bool complete = true);
    void setAnswerFunction(const QString& query, AnswerFunction function);
    // Quotes by combined code; LBDG_QNow, LBDG_QNow_DL and LBDG_QNowSingle read them.
    void setQuote(const QString& code, const Q_DD_Now& quote);
    void removeQuote(const QString& code);
    // Time-stamp of quote lists (LBDG_QNow_DL).
    void setQuotesDownTime(qint64 downTime, bool complete = true);
    // Common_GetMarketDateTime for one code, or for every code when code is empty.
    void setMarketDateTime(const QString& code, qint64 time);
    void setFormulaState(ZtE_FormulaDataType type, const FormulaDataState& state);
    void setSecurityList(const DQDDataList& list);

    QList<Call> calls() const;
    QList<Call> calls(const QString& query) const;
    int callCount(const QString& query) const;
    int totalCalls() const;
    void clearCalls();
    // Blocks the calling thread until the query has been called n times in all; false on time-out.
    bool waitForCalls(const QString& query, int n, int timeoutMs);

    // While held, calls of the query block inside the source until release().
    void hold(const QString& query);
    void release(const QString& query);
    // Waits until some call of the held query is blocked; false on time-out.
    bool waitUntilHeld(const QString& query, int timeoutMs);
    int heldCount(const QString& query) const;

    DQDDataList securityList() override;
    DQDDataList qnowForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                               qint64 checkDT, unsigned int orderBy, int start, int count, bool desc) override;
    DQDDataList qnowStaticForMarkets(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types,
                                     qint64 checkDT, unsigned int orderBy, int start, int count,
                                     bool desc) override;
    DQDDataList qnowRanking(const QVector<QString>& markets, const QVector<ZtE_ZQLX>& types, qint64 checkDT,
                            unsigned int orderBy, int start, int count, bool desc) override;
    DQDDataList sectorsOfStock(const QString& code, qint64 checkDT, unsigned int orderBy, bool desc) override;
    DQDDataList membersOfSector(const QString& bkCode, qint64 checkDT, unsigned int orderBy, bool desc) override;
    DQDDataList industrySectorsOfStock(const QString& code) override;
    DQDDataList conceptSectorsOfStock(const QString& code) override;
    DQDDataList marginSectorsOfStock(const QString& code) override;

    Q_DD_Now quote(const QString& code, bool more) override;
    QVector<Q_DD_Now> quotes(const QVector<QString>& codes, qint64 checkDT, bool more) override;
    DQDDataList quoteList(const QVector<QString>& codes, qint64 checkDT, bool more, int flags) override;
    qint64 marketDateTime(const QString& code) override;

    DQDDataList kline(const Q_DD_Now& qnow, ZtE_Period period, ZtE_DIVID divid, bool more,
                      qint64 checkDT) override;
    DQDDataList dline(const Q_DD_Now& qnow, bool includeAuction, bool more, qint64 checkDT) override;
    DQDDataList dlineDays(const Q_DD_Now& qnow, int dayCount, qint64 checkDT) override;
    DQDDataList dlineHistory(const Q_DD_Now& qnow, qint64 day, qint64 checkDT) override;
    DQDDataList detail(const Q_DD_Now& qnow, bool newestFirst, qint64 checkDT) override;
    DQDDataList volumeByPrice(const Q_DD_Now& qnow, qint64 checkDT) override;
    DQDDataList exRights(const Q_DD_Now& qnow, qint64 checkDT) override;
    DQDDataList announcements(const Q_DD_Now& qnow, int param, qint64 checkDT) override;
    DQDDataList news(const Q_DD_Now& qnow, int param, qint64 checkDT) override;
    DQDDataList reports(const Q_DD_Now& qnow, int param, qint64 checkDT) override;

    DQDDataList mineItemsFrom(const QString& code, qint64 time, qint64 checkDT) override;
    DQDDataList mineItemsMarked(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsAll(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsToday(const QString& code, bool includeAuction, qint64 checkDT) override;
    DQDDataList mineItemsHistory(const QString& code, qint64 checkDT) override;
    DQDDataList mineItemsSpecial(const QString& code, qint64 checkDT) override;

    DQDDataList movementsAll(const QVector<ZtE_DXJL>& types, qint64 checkDT) override;
    DQDDataList movementsOf(const QVector<QString>& codes, const QVector<ZtE_DXJL>& types,
                            qint64 checkDT) override;

    FormulaDataState formulaData(ZtE_FormulaDataType type, const Q_DD_Now& qnow, qint64 checkDT) override;

private:
    // Logs the call, waits while the query is held, and applies the time-stamp rule.
    DQDDataList answerList(const QString& query, const QVariantList& args, qint64 checkDT);
    void logAndWait(const Call& call);

    mutable std::mutex mMutex;
    std::condition_variable mChanged;
    QHash<QString, Answer> mAnswers;
    QHash<QString, AnswerFunction> mFunctions;
    QHash<QString, Q_DD_Now> mQuotes;
    qint64 mQuotesDownTime = 0;
    bool mQuotesComplete = true;
    QHash<QString, qint64> mMarketTimes;
    qint64 mDefaultMarketTime = 0;
    QHash<int, FormulaDataState> mFormula;
    DQDDataList mSecurities;
    QList<Call> mCalls;
    QHash<QString, bool> mHeld;
    QHash<QString, int> mWaiting;
};
