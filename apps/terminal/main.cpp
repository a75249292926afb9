#include "terminalhost.h"
#include "terminalstyle.h"
#include "terminalwindow.h"

#include <frame/ztmainboxs.h>
#include <frame/ztmainfoot.h>
#include <frame/ztmainfootothers.h>
#include <frame/ztmainhorseracelamp.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>
#include <ztversion.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

Q_LOGGING_CATEGORY(lcTerminal, "zt.terminal", QtInfoMsg)

// What WebEngine needs from the environment, set before it starts. Chromium refuses to
// run as root with its sandbox and ends the process, so as root it runs without one;
// without a display it has no OpenGL and draws in software.
void prepareWebEngine(bool offscreen)
{
    const bool sandboxOff = qEnvironmentVariableIntValue("QTWEBENGINE_DISABLE_SANDBOX") != 0
                            || qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains(QLatin1String("--no-sandbox"));
#ifdef Q_OS_UNIX
    const bool root = ::geteuid() == 0;
#else
    const bool root = false;
#endif
    if (root && !sandboxOff) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qCInfo(lcTerminal, "running as root: web pages run without the Chromium sandbox");
    }
    if (offscreen && qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    // WebEngine shares its GL contexts with the widgets; this must precede the QApplication.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// The page names for --help, one line each.
QString pageList()
{
    // In the order of the left menu's groups, the gallery last.
    auto pages = TerminalPage::all();
    std::stable_sort(pages.begin(), pages.end(), [](const TerminalPage& a, const TerminalPage& b) {
        return std::make_pair(a.group == demoGroupName(), a.order) < std::make_pair(b.group == demoGroupName(), b.order);
    });
    QString text = QStringLiteral("\nPages for --page NAME:\n");
    for (const TerminalPage& p : pages)
        text += QStringLiteral("  %1%2\n").arg(p.name, -18).arg(p.about.isEmpty() ? p.title : p.about);
    text += QStringLiteral("NAME may also be an entry of a group's menu (HqSH, ZxgHistory) or a group (PageBk).\n"
                           "The library's debug lines are off; QT_LOGGING_RULES=\"zt.*.debug=true\" shows them.");
    return text;
}

// The visible button with that text in the main window or in a box shown over it (the
// newest window first); null when none shows.
QAbstractButton* findButton(QWidget* window, const QString& text)
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != window && w->isVisible())
            windows.prepend(w);
    }
    windows.append(window);
    for (QWidget* w : qAsConst(windows)) {
        for (QAbstractButton* button : w->findChildren<QAbstractButton*>()) {
            if (button->isVisible() && button->isEnabled() && button->text() == text)
                return button;
        }
    }
    return nullptr;
}

// Clicks buttons by their texts in turn, as the user would. A click may open a modal box
// that the next text names, so each one is looked for until it shows (a few seconds).
class ButtonClicker : public QObject
{
public:
    ButtonClicker(QWidget* window, const QStringList& texts) : QObject(window), mWindow(window), mTexts(texts) {}

    void step()
    {
        if (mTexts.isEmpty())
            return;
        const QString text = mTexts.first();
        QAbstractButton* button = findButton(mWindow, text);
        if (button || ++mTries > 50) {
            if (!button)
                std::fprintf(stderr, "zt-terminal: no button %s\n", qPrintable(text));
            mTexts.removeFirst();
            mTries = 0;
        }
        // Before the click, which does not return while a box it opens is up; a fresh
        // timer fires inside that box's event loop.
        if (!mTexts.isEmpty())
            QTimer::singleShot(100, this, &ButtonClicker::step);
        if (button)
            button->click();
    }

private:
    QWidget* mWindow;
    QStringList mTexts;
    int mTries = 0;
};

// Types as the user would: each character pressed and released on the focused widget.
void typeInto(QWidget* window, const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        const int key = c == QLatin1Char('\n') ? int(Qt::Key_Return) : c.isLetter() ? c.toUpper().unicode() : c.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window, &release);
    }
}

// The window with the popups and dialogs shown over it: each is a window of its own,
// so a grab of the main window alone would miss them.
QImage snapshot(QWidget* window)
{
    QImage image = window->grab().toImage();
    QPainter painter(&image);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != window && w->isVisible() && !w->size().isEmpty())
            painter.drawPixmap(w->geometry().topLeft() - window->geometry().topLeft(), w->grab());
    }
    return image;
}

// A screenshot, the help and the version need no display.
bool needsNoDisplay(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--screenshot", "--help", "-h", "--help-all", "--version", "-v"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

}

int main(int argc, char* argv[])
{
    if (needsNoDisplay(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareWebEngine(qgetenv("QT_QPA_PLATFORM") == "offscreen");

    // Web pages are made only when shown, but WebEngine needs this before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zt-terminal"));
    QApplication::setOrganizationName(QStringLiteral("ZtControlLib"));
    QApplication::setApplicationVersion(ZtControlLibInfo::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo terminal of ZtControlLib on a simulated market\n")
                                     + pageList());
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"), QStringLiteral("Render offscreen, save a PNG and exit."),
                                  QStringLiteral("file"));
    QCommandLineOption page(QStringLiteral("page"), QStringLiteral("Page to show first."), QStringLiteral("name"));
    QCommandLineOption after(QStringLiteral("after"), QStringLiteral("Milliseconds before the screenshot."),
                             QStringLiteral("ms"), QStringLiteral("1500"));
    QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the simulated market."),
                            QStringLiteral("n"), QStringLiteral("20261206"));
    QCommandLineOption dataDir(QStringLiteral("data-dir"), QStringLiteral("Folder of the user's data."),
                               QStringLiteral("dir"));
    QCommandLineOption keys(QStringLiteral("keys"),
                            QStringLiteral("Text typed into the window once it shows, e.g. a code for the quick search; a newline is Enter."),
                            QStringLiteral("text"));
    QCommandLineOption click(QStringLiteral("click"),
                             QStringLiteral("Clicks the button with this text once the keys are typed, e.g. 全屏网页; "
                                            "repeated, each one waits for its button (a box that the one before opens)."),
                             QStringLiteral("text"));
    QCommandLineOption hideMarquee(QStringLiteral("hide-marquee"),
                                   QStringLiteral("Hide the footer's news marquee (to compare the cost of running it)."));
    parser.addOptions({screenshot, page, after, seed, dataDir, keys, click, hideMarquee});
    parser.process(app);

    if (parser.isSet(dataDir)) {
        const QString dir = QDir(parser.value(dataDir)).absolutePath();
        QDir().mkpath(dir);
        qputenv("ZT_DATA_DIR", dir.toLocal8Bit());
    }

    TerminalStyle::apply();
    PBDataChange::installSource(std::make_shared<SimulatedMarket>(parser.value(seed).toULongLong()));
    TerminalHost host;
    host.start();
    // Before the window: the footer's marquee connects to the service page when it is made.
    host.startServicePage();
    host.startMovementFeed();

    TerminalWindow window;
    QObject::connect(&host, &TerminalHost::onNewsPushed, window.boxs(), &ZtMainBoxs::addFootNews);
    if (parser.isSet(hideMarquee))
        window.boxs()->foot()->others()->horseRaceLamp()->hide();
    if (parser.isSet(page) && !window.showPage(parser.value(page)))
        std::fprintf(stderr, "zt-terminal: no page named %s\n", qPrintable(parser.value(page)));
    window.show();
    qCDebug(lcTerminal, "window up, process %lld", QCoreApplication::applicationPid());

    if (parser.isSet(keys)) {
        const QString text = parser.value(keys);
        QTimer::singleShot(300, &window, [&window, text] { typeInto(&window, text); });
    }
    if (parser.isSet(click)) {
        auto* clicker = new ButtonClicker(&window, parser.values(click));
        QTimer::singleShot(400, clicker, &ButtonClicker::step);
    }

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(parser.value(after).toInt(), &window, [&window, file] {
            const bool ok = snapshot(&window).save(file, "PNG");
            if (!ok)
                std::fprintf(stderr, "zt-terminal: cannot write %s\n", qPrintable(file));
            QApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
