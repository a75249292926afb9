#pragma once

#include <QEvent>
#include <QPoint>
#include <QSize>

class QWidget;

// A panel filling a shown top-level window, as the terminal lays its panels out.
namespace TestWindow {

// Puts child into root with no margins, sizes root and waits until it is exposed.
bool showIn(QWidget* root, QWidget* child, const QSize& size);

// A left-button mouse event of that type at pos of w, sent straight to it.
void mouse(QWidget* w, QEvent::Type type, const QPoint& pos);

}
