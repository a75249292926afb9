#include "frame/ztfullscreen.h"

#include <QChildEvent>
#include <QCloseEvent>
#include <QKeyEvent>

ZtFullScreen::ZtFullScreen(QWidget* source)
    : QWebEngineView(nullptr)
{
    const QPoint at = source ? source->mapToGlobal(QPoint(0, 0)) : QPoint();
    setParent(nullptr);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    move(at);
    showFullScreen();
}

void ZtFullScreen::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWebEngineView::keyReleaseEvent(event);
}

void ZtFullScreen::childEvent(QChildEvent* event)
{
    // Keys reach the page's render widget, not the view; watch it for Escape.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    QWebEngineView::childEvent(event);
}

bool ZtFullScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWebEngineView::eventFilter(watched, event);
}

void ZtFullScreen::closeEvent(QCloseEvent* event)
{
    page()->runJavaScript(QStringLiteral("window.exitScreen()"));
    emit onCloseScreen();
    QWebEngineView::closeEvent(event);
}
