#pragma once

#include <pubcache/pubcacheenums.h>

#include <QObject>
#include <QString>

// What the terminal does around the library: at start it loads the security list
// and the keyboard list from the market source, opens the user's database and loads
// the URL table; while it runs it carries out the watchlist requests of the bus; at
// quit it stops every reader.
class TerminalHost : public QObject
{
    Q_OBJECT
public:
    explicit TerminalHost(QObject* parent = nullptr);

    void start();
    // A typed code ("600000", "sh600000", "SH600000") as a combined code of the
    // security list; empty when the list is loaded and does not hold it.
    static QString resolveCode(const QString& text);

private slots:
    void doZxgAdd(QString code, enumZxgOperate operate);
    void doZxgDel(QString code);
    void doAboutToQuit();
};
