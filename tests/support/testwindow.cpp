#include "testwindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWidget>
#include <QtTest>

namespace TestWindow {

bool showIn(QWidget* root, QWidget* child, const QSize& size)
{
    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(child);
    root->resize(size);
    root->show();
    return QTest::qWaitForWindowExposed(root);
}

void mouse(QWidget* w, QEvent::Type type, const QPoint& pos)
{
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

}
