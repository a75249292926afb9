#include "fairy/ztkeylineedit.h"

#include <QFocusEvent>

ZtKeyLineEdit::ZtKeyLineEdit(QWidget* parent) : QLineEdit(parent) {}

void ZtKeyLineEdit::clear(bool clearText)
{
    if (clearText)
        QLineEdit::clear();
    clearFocus();
}

void ZtKeyLineEdit::focusInEvent(QFocusEvent* event)
{
    emit onFocusInEvent();
    QLineEdit::focusInEvent(event);
}

void ZtKeyLineEdit::focusOutEvent(QFocusEvent* event)
{
    clearFocus();
    emit onFocusOutEvent();
    QLineEdit::focusOutEvent(event);
}
