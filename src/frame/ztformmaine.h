#pragma once

#include "ztcontrollib_global.h"

#include <QWidget>

class QLayout;

// The body of a frameless window. Its layout calls act on an inner widget, so the
// frame around it can be styled separately from the content.
class ZTCONTROLLIB_EXPORT ZtFormMaine : public QWidget
{
    Q_OBJECT

public:
    explicit ZtFormMaine(QWidget* parent = nullptr);

    QLayout* layout() const;
    void setLayout(QLayout* layout);
    QWidget* innerWidget() const { return mInner; }

private:
    QWidget* mInner;
};
