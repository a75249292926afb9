#pragma once

#include "ztcontrollib_global.h"

#include <QString>
#include <QtGlobal>

class QWidget;

// One-call message boxes over PubMessage, and the opener of a stock's
// information-mine box.
class ZTCONTROLLIB_EXPORT MessageEx
{
public:
    static void ShowBox(QString text, QString title, QWidget* parent);
    static void ShowBox(QString text, QWidget* parent);
    // True only when the user pressed the confirm button.
    static bool ShowBoxQuesion(QString text, QString title, QWidget* parent);
    // The dialog code: 1 after confirm.
    static int ShowBoxRelogin(QString text, QString title, QWidget* parent);
    // Opens the box beside the cursor; nothing without a parent.
    static void ShowMe(QString code, QWidget* parent, qint64 time, bool timeOnly);
};
