#pragma once

#include <QSize>

class QWidget;

// A panel filling a shown top-level window, as the terminal lays its panels out.
namespace TestWindow {

// Puts child into root with no margins, sizes root and waits until it is exposed.
bool showIn(QWidget* root, QWidget* child, const QSize& size);

}
