#pragma once

#include "ztcontrollib_global.h"

#include <QTableWidget>

class QFocusEvent;

// The result list of the keyboard fairy: a borderless top-level tool-tip window of
// code, name and type that never takes the keyboard from the field.
class ZTCONTROLLIB_EXPORT ZtKeyTableWidget : public QTableWidget
{
    Q_OBJECT
public:
    explicit ZtKeyTableWidget(QWidget* parent = nullptr);

    // Removes the items and the rows.
    void clearContents();

signals:
    void onKeyBoardFocusOut();

public slots:
    // The field lost the focus: unless the mouse is over the list (a click into it),
    // the list empties and reports the focus loss.
    void doFocusOutEvent();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};
