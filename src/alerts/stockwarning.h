#pragma once

#include "framework/ztlayoutmarketbase.h"
#include "ztcontrollib_global.h"

#include <pubcache/stockyjcase.h>

#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QVector>
#include <QMetaObject>
#include <QString>

class StockQNow;

// The alert checker: a hidden market panel that reads the quotes of every stock with
// alert conditions and tests the active conditions on each update. A condition that
// is met is switched off and logged in the user store, then its message goes up the
// panel tree as onGetImMessage; so it fires once, also across a crash.
class ZTCONTROLLIB_EXPORT StockWarning : public ZtLayoutMarketBase
{
    Q_OBJECT
public:
    explicit StockWarning(ZtLayoutBase* parent);
    ~StockWarning() override;

    void start();
    // Cuts the update and registration connections; a stopped checker stays stopped.
    void stop();

    // x brought to `decimals` places, half up, with a small bias away from zero so
    // that binary noise (10.005 stored as 10.00499...) does not decide the result.
    static double roundTo(double x, int decimals);

signals:
    void onWarningRunning(bool v);

private slots:
    void doDataUpdate();
    void doRegistration();
    void createJsonObject(StockYJCase mYJData, QString stockYjtj, QString mStockCode, QString mStockName);

protected:
    StockQNow* quoteReader() const { return mStockQNow; }

private:
    struct Thresholds
    {
        QList<StockYJCase> cases;
        QVector<double> rounded;
    };

    static double roundedThreshold(const StockYJCase& yjCase);
    // The word of the met condition, null when it is not met.
    static const QString* test(const StockYJCase& yjCase, double threshold, double value);
    const QVector<double>& thresholdsOf(const QString& code, const QList<StockYJCase>& cases);

    StockQNow* mStockQNow = nullptr;
    QMetaObject::Connection mUpdateConnection;
    QMetaObject::Connection mRegisterConnection;
    bool mEvaluating = false;
    QHash<QString, Thresholds> mThresholds;
};
