#include "controls/ztuserlabel.h"

#include <QGuiApplication>

ZtUserLabel::ZtUserLabel(QString objId, QWidget* parent) : QLabel(parent), mObjId(std::move(objId))
{
}

ZtUserLabel::~ZtUserLabel()
{
    dropHandCursor();
}

void ZtUserLabel::enterEvent(QEvent* event)
{
    // One override per hovered label, taken back on leave, so the application's
    // cursor stack does not grow with every pass of the pointer.
    if (mHandPushed) {
        QGuiApplication::changeOverrideCursor(Qt::PointingHandCursor);
    } else {
        QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
        mHandPushed = true;
    }
    emit onStop();
    QLabel::enterEvent(event);
}

void ZtUserLabel::leaveEvent(QEvent* event)
{
    dropHandCursor();
    emit onStart();
    QLabel::leaveEvent(event);
}

void ZtUserLabel::mousePressEvent(QMouseEvent* event)
{
    emit onClick(mObjId);
    QLabel::mousePressEvent(event);
}

void ZtUserLabel::dropHandCursor()
{
    if (mHandPushed) {
        QGuiApplication::restoreOverrideCursor();
        mHandPushed = false;
    }
}
