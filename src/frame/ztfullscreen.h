#pragma once

#include "ztcontrollib_global.h"

#include <QWebEngineView>

// A web view shown full screen over everything, from the place of the widget that
// asked for it. Escape leaves; the page is told through window.exitScreen().
class ZTCONTROLLIB_EXPORT ZtFullScreen : public QWebEngineView
{
    Q_OBJECT

public:
    explicit ZtFullScreen(QWidget* source);

signals:
    void onCloseScreen();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void childEvent(QChildEvent* event) override;
};
