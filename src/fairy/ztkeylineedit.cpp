#include "fairy/ztkeylineedit.h"

#include <QFocusEvent>
#include <QValidator>

namespace {

// Typed letters go in upper-case, as the keyboard list's keys are: the text
// changes once per keystroke instead of once typed and once upper-cased.
class UpperCase : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        for (QChar& c : input) {
            if (c.isLower())
                c = c.toUpper();
        }
        return Acceptable;
    }
};

}

ZtKeyLineEdit::ZtKeyLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new UpperCase(this));
}

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
