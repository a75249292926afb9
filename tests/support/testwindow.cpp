#include "testwindow.h"

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

}
