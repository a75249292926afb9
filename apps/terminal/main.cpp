#include "terminalhost.h"
#include "terminalwindow.h"

#include <ztlib/pbdatachange.h>
#include <ztlib/simulatedmarket.h>
#include <ztversion.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// The library asks for "微软雅黑"; map it to whichever CJK font this machine has.
void mapFonts()
{
    const QStringList candidates = {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
    const QStringList families = QFontDatabase().families();
    for (const QString& f : candidates) {
        if (families.contains(f)) {
            QFont::insertSubstitution(QStringLiteral("微软雅黑"), f);
            break;
        }
    }
    QApplication::setFont(QFont(QStringLiteral("微软雅黑"), 9));
}

// The window chrome's colours; dialogs are windows of their own, so the application carries them.
QString chromeStyleSheet()
{
    QFile file(QStringLiteral(":/terminal/terminal.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

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

bool wantsScreenshot(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0)
            return true;
    }
    return false;
}

}

int main(int argc, char* argv[])
{
    // Screenshots must work without a display.
    if (wantsScreenshot(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Web pages are made only when shown, but WebEngine needs this before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zt-terminal"));
    QApplication::setOrganizationName(QStringLiteral("ZtControlLib"));
    QApplication::setApplicationVersion(ZtControlLibInfo::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo terminal of ZtControlLib on a simulated market"));
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
    parser.addOptions({screenshot, page, after, seed, dataDir, keys});
    parser.process(app);

    if (parser.isSet(dataDir)) {
        const QString dir = QDir(parser.value(dataDir)).absolutePath();
        QDir().mkpath(dir);
        qputenv("ZT_DATA_DIR", dir.toLocal8Bit());
    }

    mapFonts();
    app.setStyleSheet(chromeStyleSheet());
    PBDataChange::installSource(std::make_shared<SimulatedMarket>(parser.value(seed).toULongLong()));
    TerminalHost host;
    host.start();

    TerminalWindow window;
    if (parser.isSet(page) && !window.showPage(parser.value(page)))
        std::fprintf(stderr, "zt-terminal: no page named %s\n", qPrintable(parser.value(page)));
    window.show();

    if (parser.isSet(keys)) {
        const QString text = parser.value(keys);
        QTimer::singleShot(300, &window, [&window, text] { typeInto(&window, text); });
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
