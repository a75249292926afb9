#include "alertform.h"

#include "terminalhost.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubstaticfunc.h>
#include <ztlib/ztfields.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct AlertField
{
    const char* name;
    unsigned int key;
    const char* unit;
};

const AlertField kFields[] = {
    {"现价", ZtField::Last, "元"},
    {"涨幅", ZtField::ChangeRatio, "%"},
};

}

AlertForm::AlertForm(bool codeInput, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AlertForm"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* form = new QFormLayout;
    if (codeInput) {
        mCode = new QLineEdit(QStringLiteral("SH600000"), this);
        mCode->setObjectName(QStringLiteral("AlertCode"));
        form->addRow(QStringLiteral("股票"), mCode);
    } else {
        mStock = new QLabel(this);
        mStock->setObjectName(QStringLiteral("AlertStock"));
        form->addRow(QStringLiteral("股票"), mStock);
    }
    mField = new QComboBox(this);
    for (const AlertField& f : kFields)
        mField->addItem(QString::fromUtf8(f.name), f.key);
    mOp = new QComboBox(this);
    mOp->addItem(QStringLiteral("≥"), QStringLiteral(">="));
    mOp->addItem(QStringLiteral("≤"), QStringLiteral("<="));
    mValue = new QLineEdit(this);
    mValue->setObjectName(QStringLiteral("AlertValue"));
    // Negative values are real conditions (a fall in 涨幅).
    auto* validator = new QDoubleValidator(-1e12, 1e12, 4, mValue);
    validator->setNotation(QDoubleValidator::StandardNotation);
    mValue->setValidator(validator);
    auto* condition = new QHBoxLayout;
    condition->addWidget(mField);
    condition->addWidget(mOp);
    condition->addWidget(mValue, 1);
    form->addRow(QStringLiteral("条件"), condition);
    mPopUp = new QCheckBox(QStringLiteral("弹窗"), this);
    mVoice = new QCheckBox(QStringLiteral("声音"), this);
    mAutoClose = new QCheckBox(QStringLiteral("自动关闭"), this);
    auto* flags = new QHBoxLayout;
    for (QCheckBox* c : {mPopUp, mVoice, mAutoClose}) {
        c->setChecked(true);
        flags->addWidget(c);
    }
    flags->addStretch();
    form->addRow(flags);
    column->addLayout(form);

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("添加预警"), this);
    add->setObjectName(QStringLiteral("AlertAdd"));
    buttons->addWidget(add);
    mNote = new QLabel(this);
    mNote->setObjectName(QStringLiteral("AlertNote"));
    buttons->addWidget(mNote, 1);
    column->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, [this] { addAlert(); });
    connect(mValue, &QLineEdit::returnPressed, this, [this] { addAlert(); });
}

void AlertForm::setStock(const QString& code)
{
    mStockCode = code;
    if (mCode)
        mCode->setText(code);
    if (mStock) {
        const DQDUnionReader* row = PubCache::mDataQueryAll.value(code);
        mStock->setText(row ? QStringLiteral("%1 %2").arg(row->getValue(ZtField::Name).toString(), code) : code);
    }
    mNote->clear();
}

QString AlertForm::stock() const
{
    return mCode ? TerminalHost::resolveCode(mCode->text()) : mStockCode;
}

void AlertForm::focusValue()
{
    mValue->setFocus();
}

bool AlertForm::addAlert()
{
    const QString code = stock();
    const QString value = mValue->text().trimmed();
    if (code.isEmpty()) {
        mNote->setText(QStringLiteral("请输入股票代码"));
        return false;
    }
    bool number = false;
    value.toDouble(&number);
    if (!number) {
        mNote->setText(QStringLiteral("请输入数值"));
        mValue->setFocus();
        return false;
    }
    const AlertField& f = kFields[qBound(0, mField->currentIndex(), int(std::size(kFields)) - 1)];
    StockYJModel model = PubStaticFunc::getYJData(code);
    model.setCode(code);
    StockYJCase c(QString::number(QDateTime::currentMSecsSinceEpoch()), f.key, mOp->currentData().toString(), value,
                  QString::fromUtf8(f.name), QStringLiteral("%1预警").arg(code), QString::fromUtf8(f.unit));
    c.setPopUp(mPopUp->isChecked());
    c.setVoice(mVoice->isChecked());
    c.setAutoClose(mAutoClose->isChecked());
    model.setCase(c);
    if (!PubStaticFunc::setYJData(model)) {
        mNote->setText(QStringLiteral("预警未能保存"));
        return false;
    }
    mNote->setText(QStringLiteral("已添加：%1%2%3%4").arg(c.getFieldName(), mOp->currentText(), value, c.getUnit()));
    emit alertAdded(code);
    return true;
}
