#pragma once

#include "ztcontrollib_global.h"

#include <QLineEdit>

class QFocusEvent;

// The input field of the keyboard fairy: typed letters go in upper-case; reports
// focus changes, and can give up the focus while keeping its text.
class ZTCONTROLLIB_EXPORT ZtKeyLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit ZtKeyLineEdit(QWidget* parent = nullptr);

    // Erases the text when clearText is true; gives up the focus in every case.
    void clear(bool clearText);

signals:
    void onFocusOutEvent();
    void onFocusInEvent();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
