#include "web/ztwebpage.h"

#include "format/markup/valuecolour.h"

ZtWebPage::ZtWebPage(QObject* parent) : QWebEnginePage(parent)
{
    setBackgroundColor(penFromColourName(QStringLiteral("WebLoadBG")).color());
}

ZtWebPage::ZtWebPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent)
{
    setBackgroundColor(penFromColourName(QStringLiteral("WebLoadBG")).color());
}

void ZtWebPage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg)
{
    emit onjavaScriptAlert(msg);
}
