#include "terminaldialog.h"

#include <frame/ztformmainbase.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace TerminalDialog {

namespace {
constexpr int kAccepted = 1;
}

ZtLayoutBase* owner()
{
    return qobject_cast<ZtLayoutBase*>(QApplication::activeWindow());
}

bool askText(ZtLayoutBase* parent, const QString& title, const QString& label, QString* text)
{
    auto* dialog = new ZtFormMainBase(parent);
    dialog->setWindowTitle(title);
    auto* box = new QVBoxLayout;
    box->setContentsMargins(16, 12, 16, 12);
    box->addWidget(new QLabel(label));
    auto* input = new QLineEdit(*text);
    input->selectAll();
    box->addWidget(input);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("确定"));
    auto* cancel = new QPushButton(QStringLiteral("取消"));
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    box->addLayout(buttons);
    dialog->setLayout(box);
    dialog->resize(360, 150);

    // The dialog deletes itself on close, so the text is taken before.
    QString entered;
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, input, &entered] {
        entered = input->text();
        dialog->setDialogCode(kAccepted);
    });
    QObject::connect(input, &QLineEdit::returnPressed, ok, &QPushButton::click);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &ZtFormMainBase::exit);
    input->setFocus();
    if (dialog->showDialog() != kAccepted)
        return false;
    *text = entered;
    return true;
}

}
