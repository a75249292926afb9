#pragma once

#include "ztcontrollib_global.h"

#include <QUrl>
#include <QWebEnginePage>

// A page in the terminal's colours whose script alert boxes become a signal.
class ZTCONTROLLIB_EXPORT ZtWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit ZtWebPage(QObject* parent = nullptr);
    ZtWebPage(QWebEngineProfile* profile, QObject* parent = nullptr);

signals:
    void onjavaScriptAlert(QString msg);
    void loadingUrl(QUrl url);
    void onSignalOpenWindow(QUrl urlString);

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
};
