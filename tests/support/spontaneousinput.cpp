#include "spontaneousinput.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace SpontaneousInput {

bool wheel(QWidget* w, const QPoint& pos, int angle)
{
    QWheelEvent event(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // Only spontaneous wheel events travel up the parents; synthesized ones stop
    // at their receiver. sendEvent would clear the mark, so notify is called as
    // QTest does for keys.
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(w, &event);
    return event.isAccepted();
}

}
