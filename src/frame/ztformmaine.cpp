#include "frame/ztformmaine.h"

#include <QGridLayout>

ZtFormMaine::ZtFormMaine(QWidget* parent)
    : QWidget(parent)
    , mInner(new QWidget(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(mInner);
}

QLayout* ZtFormMaine::layout() const
{
    return mInner->layout();
}

void ZtFormMaine::setLayout(QLayout* layout)
{
    mInner->setLayout(layout);
}
