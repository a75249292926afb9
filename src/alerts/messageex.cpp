#include "messageex.h"

#include "formxxdlbox.h"
#include "pubmessage.h"

#include <QCursor>

namespace {
PubMessage* makeBox(QWidget* parent)
{
    auto* box = new PubMessage(nullptr);
    if (parent)
        box->setParent(parent, box->windowFlags());
    return box;
}
}

void MessageEx::ShowBox(QString text, QString title, QWidget* parent)
{
    PubMessage* box = makeBox(parent);
    box->ShowBox(text, title);
    box->showDialog();
}

void MessageEx::ShowBox(QString text, QWidget* parent)
{
    PubMessage* box = makeBox(parent);
    box->ShowBox(text);
    box->showDialog();
}

bool MessageEx::ShowBoxQuesion(QString text, QString title, QWidget* parent)
{
    PubMessage* box = makeBox(parent);
    box->ShowBoxQuestion(text, title);
    return box->showDialog() == 1;
}

int MessageEx::ShowBoxRelogin(QString text, QString title, QWidget* parent)
{
    PubMessage* box = makeBox(parent);
    box->ShowBoxRelogin(text, title);
    return box->showDialog();
}

void MessageEx::ShowMe(QString code, QWidget* parent, qint64 time, bool timeOnly)
{
    if (!parent)
        return;
    auto* box = new FormXXDLBox(code, time, parent, timeOnly);
    box->move(parent->mapFromGlobal(QCursor::pos()) - QPoint(10, 10));
    box->doStartLoadingData();
    box->show();
}
