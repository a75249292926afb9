#include "stockwarning.h"
#include "ztalertslog.h"

#include "framework/stockqnow.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/datatrans.h>
#include <ztlib/ztfields.h>

#include <QDateTime>
#include <QDebug>
#include <QHash>
#include <QJsonDocument>
#include <QVariantMap>

#include <cmath>

namespace {
const QString kGreaterEqual = QStringLiteral(">=");
const QString kLessEqual = QStringLiteral("<=");
const QString kWordGreaterEqual = QStringLiteral("大于等于");
const QString kWordLessEqual = QStringLiteral("小于等于");

const double kPow10[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

double pow10(int n)
{
    if (n >= 0 && n < int(sizeof(kPow10) / sizeof(kPow10[0])))
        return kPow10[n];
    return std::pow(10.0, n);
}
}

StockWarning::StockWarning(ZtLayoutBase* parent) : ZtLayoutMarketBase(parent, QStringLiteral("PubEarlyWarning"))
{
    mStockQNow = new StockQNow(this);
    hide();
    mUpdateConnection = connect(mStockQNow, &StockQNow::onDataUpdate, this, &StockWarning::doDataUpdate);
    mRegisterConnection = connect(&PubCache::SSignal, &PubStaticSignal::onEarlyRegister, this,
                                  &StockWarning::doRegistration);
}

StockWarning::~StockWarning()
{
    stop();
}

void StockWarning::start()
{
    mStockQNow->run();
    doRegistration();
}

void StockWarning::stop()
{
    disconnect(mUpdateConnection);
    disconnect(mRegisterConnection);
    mStockQNow->stop();
}

double StockWarning::roundTo(double x, int decimals)
{
    const double e = x >= 0 ? 1e-7 : -1e-7;
    const double scale = pow10(decimals);
    return std::floor((x + 5.0 / pow10(decimals + 1)) * scale + e) / scale;
}

double StockWarning::roundedThreshold(const StockYJCase& yjCase)
{
    return roundTo(yjCase.getThreshold().toDouble() * yjCase.getMultiple(), yjCase.getDecimals());
}

const QString* StockWarning::test(const StockYJCase& yjCase, double threshold, double value)
{
    const QString& op = yjCase.getOperator();
    const bool greater = op == kGreaterEqual;
    if (!greater && op != kLessEqual)
        return nullptr;
    const double current = roundTo(value, yjCase.getDecimals());
    if (greater)
        return current >= threshold ? &kWordGreaterEqual : nullptr;
    return current <= threshold ? &kWordLessEqual : nullptr;
}

const QVector<double>& StockWarning::thresholdsOf(const QString& code, const QList<StockYJCase>& cases)
{
    // Parsed once per definition: the store hands out the same shared list until the
    // stock's conditions change, so the comparison is a pointer check.
    Thresholds& cached = mThresholds[code];
    if (cached.rounded.size() != cases.size() || cached.cases != cases) {
        cached.cases = cases;
        cached.rounded.clear();
        cached.rounded.reserve(cases.size());
        for (const StockYJCase& c : cases)
            cached.rounded.append(roundedThreshold(c));
    }
    return cached.rounded;
}

void StockWarning::doRegistration()
{
    const QVector<QString> codes = PubStaticFunc::getYJRegister();
    // Definitions changed or fired: parsed thresholds are made again as needed.
    if (!mEvaluating)
        mThresholds.clear();
    mStockQNow->InitQNows(codes);
    qCDebug(lcZtAlerts) << "StockWarning::doRegistration" << codes.size() << "codes";
    emit onWarningRunning(!codes.isEmpty());
}

void StockWarning::doDataUpdate()
{
    // The host may answer a message with a nested event loop; an update arriving
    // there would test conditions this pass has not switched off yet.
    if (mEvaluating)
        return;
    mEvaluating = true;
    const DQDDataList quotes = mStockQNow->mQNows;
    mMarketData = quotes;
    QHash<QString, StockYJModel> models = PubStaticFunc::getYJData();
    bool fired = false;
    const int rows = models.isEmpty() ? 0 : quotes.count();
    for (int i = 0; i < rows; ++i) {
        const DQDUnionReader* row = quotes.at(i);
        if (!row)
            continue;
        const QString code = row->getUniqueValue(0);
        // Read-only look-ups: the models are shared with the store and copied only
        // when a condition fires.
        const auto model = qAsConst(models).find(code);
        if (model == models.cend())
            continue;
        const QList<StockYJCase> cases = model->getCaseList();
        const QVector<double>& thresholds = thresholdsOf(code, cases);
        for (int c = 0; c < cases.size(); ++c) {
            const StockYJCase& yjCase = cases.at(c);
            if (!yjCase.isActive())
                continue;
            const QString* word = test(yjCase, thresholds.at(c), row->getValue(yjCase.getFieldKey()).toDouble());
            if (!word)
                continue;
            // Off in the copy too: a list that carries the stock twice fires it once.
            models[code].setCaseActive(yjCase.getCaseId(), false);
            const QString text = yjCase.getFieldName() + *word + yjCase.getThreshold() + yjCase.getUnit();
            createJsonObject(yjCase, text, code, row->getValue(ZtField::Name).toString());
            fired = true;
        }
    }
    mEvaluating = false;
    if (fired)
        doRegistration();
}

void StockWarning::createJsonObject(StockYJCase mYJData, QString stockYjtj, QString mStockCode, QString mStockName)
{
    const quint64 now = DataTrans::getYYYYMMDDHHMMSSFFFCurrent();
    const QDateTime time = DataTrans::getDateTimeFromULL(now);
    QVariantMap attributes;
    attributes.insert(QStringLiteral("stockYjtj"), stockYjtj);
    attributes.insert(QStringLiteral("stockCode"), mStockCode);
    attributes.insert(QStringLiteral("stockName"), mStockName);
    attributes.insert(QStringLiteral("stockTitle"), mYJData.getTitle());
    attributes.insert(QStringLiteral("IsPopUp"), mYJData.isPopUp());
    attributes.insert(QStringLiteral("IsVoice"), mYJData.isVoice());
    attributes.insert(QStringLiteral("AutoClose"), mYJData.isAutoClose());
    attributes.insert(QStringLiteral("stockDate"), time.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    attributes.insert(QStringLiteral("stockTime"), time.toString(QStringLiteral("HH:mm")));
    QVariantMap message;
    message.insert(QStringLiteral("from"), QStringLiteral("预警消息"));
    message.insert(QStringLiteral("attributes"), attributes);

    const QByteArray text = QJsonDocument(QJsonObject::fromVariantMap(message)).toJson(QJsonDocument::Compact);
    const QJsonDocument doc = QJsonDocument::fromJson(text);
    if (doc.isNull() || !doc.isObject()) {
        qCDebug(lcZtAlerts) << "StockWarning::createJsonObject: not a JSON object" << text;
        return;
    }
    // Stored before the message goes up: a crash after the pop-up neither loses the
    // log entry nor fires the condition again.
    PubStaticFunc::updYJData(mStockCode, mYJData.getCaseId(), false);
    PubStaticFunc::addYJLogData(
        StockYJLog(mYJData.getTitle(), mYJData.getThreshold() + mYJData.getUnit(), mStockCode, mStockName, now));
    emit PubCache::SSignal.onEarlyResult();
    qCDebug(lcZtAlerts).noquote() << "StockWarning::createJsonObject" << text;
    emit onGetImMessage(doc.object());
    doRegistration();
}
