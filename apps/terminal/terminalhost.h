#pragma once

#include <alerts/stockmsg.h>
#include <pubcache/pubcacheenums.h>

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <memory>

class PubWebView;

// What the terminal does around the library: at start it loads the security list
// and the keyboard list from the market source, opens the user's database and loads
// the URL table; while it runs it carries out the watchlist requests of the bus; at
// quit it stops every reader.
class TerminalHost : public QObject
{
    Q_OBJECT
public:
    explicit TerminalHost(QObject* parent = nullptr);
    ~TerminalHost() override;

    void start();
    // The process's hidden service page (PubCacheWeb::mCacheView), made before the
    // window so that the footer's marquee finds it. Once the page is up it asks for
    // the news feed, then passes each newer item on as a push (onNewsPushed).
    void startServicePage();
    PubWebView* servicePage() const { return mService.get(); }
    // Reads the feed now and pushes what is new; a timer does it every 10 s.
    void pollNews();
    // Follows the market's movement messages and puts each newest one on the bus, for
    // the footer's notice line.
    void startMovementFeed();
    // A typed code ("600000", "sh600000", "SH600000") as a combined code of the
    // security list; empty when the list is loaded and does not hold it.
    static QString resolveCode(const QString& text);

signals:
    // One news item in the pushed form: {"data": {"attributes": {...}, "date": ...}}.
    void onNewsPushed(QMap<QString, QVariant> item);

private slots:
    void doZxgAdd(QString code, enumZxgOperate operate);
    void doZxgDel(QString code);
    void doAboutToQuit();

private:
    void takeNews(const QVariantList& items, bool push);

    std::unique_ptr<PubWebView> mService;
    QTimer mNewsPoll;
    QSet<QString> mSeenNews;
    StockMsg mMovements;
    int mMovementsShown = 0;
};
