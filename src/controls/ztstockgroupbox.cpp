#include "controls/ztstockgroupbox.h"

#include <pubcache/pubstaticfunc.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

#include <algorithm>

static void registerGroupBoxTypes()
{
    qRegisterMetaType<PushDataMenu>("PushDataMenu");
    qRegisterMetaType<ZtPushButton*>("ZtPushButton*");
}
Q_CONSTRUCTOR_FUNCTION(registerGroupBoxTypes)

namespace {

// The record type has no equality of its own; the menu is left out, the rest
// tells two buttons apart.
bool sameRecord(const PushDataMenu& a, const PushDataMenu& b)
{
    return a.getText() == b.getText() && a.getData() == b.getData() && a.getGroup() == b.getGroup()
           && a.getNames() == b.getNames() && a.isCheckable() == b.isCheckable()
           && a.getIconPath() == b.getIconPath();
}

}

ZtStockGroupBox::ZtStockGroupBox(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    mRow = new QWidget(this);
    mRowLayout = new QHBoxLayout(mRow);
    mRowLayout->setContentsMargins(0, 0, 0, 0);
    mRowLayout->setSpacing(0);

    mTitle = new QLabel(mRow);
    mTitle->setAlignment(Qt::AlignCenter);
    mTitle->hide();
    mRowLayout->addWidget(mTitle);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mRow, 0, 0);
}

void ZtStockGroupBox::fitHeight(QWidget* widget) const
{
    if (maximumHeight() > 2)
        widget->setMaximumHeight(maximumHeight() - 2);
    if (minimumHeight() > 2)
        widget->setMinimumHeight(minimumHeight() - 2);
}

void ZtStockGroupBox::appendButton(const PushDataMenu& record)
{
    auto* button = new ZtPushButton(mRow);
    // Also builds the record's drop-down menu.
    button->setDatas(record);
    fitHeight(button);
    button->setIsForceCheck(true);
    connect(button, &ZtPushButton::onSyncClicked, this, &ZtStockGroupBox::doSyncClicked);
    connect(button, &ZtPushButton::onCliclButtonMenu, this, &ZtStockGroupBox::doCliclButtonMenu);

    mRowLayout->addWidget(button);
    auto it = std::find_if(mGroups.begin(), mGroups.end(),
                           [&](const Group& g) { return g.first == record.getGroup(); });
    if (it == mGroups.end())
        mGroups.append(Group(record.getGroup(), {button}));
    else
        it->second.append(button);
    mRecords.append(record);
    mButtons.append(button);

    if (record.isChecked() && record.isCheckable())
        button->click();
}

void ZtStockGroupBox::appendGroup(const QList<PushDataMenu>& records)
{
    for (const PushDataMenu& record : records)
        appendButton(record);
    appendStretch(0);
}

void ZtStockGroupBox::appendStretch(int n)
{
    if (n < 1)
        mRowLayout->addStretch();
    else
        mRowLayout->addSpacing(n);
}

void ZtStockGroupBox::appendWidget(QWidget* widget)
{
    if (!widget)
        return;
    fitHeight(widget);
    mRowLayout->addWidget(widget);
}

void ZtStockGroupBox::clear()
{
    mTitle->setParent(this);
    // Deleted later, so an owner may rebuild the row from a button's own signal.
    PubStaticFunc::ClearChild(mRow);
    mRowLayout->addWidget(mTitle);
    mRecords.clear();
    mGroups.clear();
    mButtons.clear();
}

void ZtStockGroupBox::setTitle(const QString& title)
{
    mTitle->setText(title);
    mTitle->setVisible(!title.isEmpty());
}

QString ZtStockGroupBox::getTitle() const
{
    return mTitle->text();
}

QList<ZtPushButton*> ZtStockGroupBox::groupButtons(const QVariant& group) const
{
    for (const Group& g : mGroups) {
        if (g.first == group)
            return g.second;
    }
    return {};
}

ZtPushButton* ZtStockGroupBox::getButton(int index) const
{
    return mButtons.value(index, nullptr);
}

ZtPushButton* ZtStockGroupBox::getButton(const QString& name) const
{
    for (ZtPushButton* button : mButtons) {
        if (button->getData().getNames().contains(name))
            return button;
    }
    return nullptr;
}

ZtPushButton* ZtStockGroupBox::getButton(int index, const QVariant& group) const
{
    return groupButtons(group).value(index, nullptr);
}

ZtPushButton* ZtStockGroupBox::getButton(const QString& name, const QVariant& group) const
{
    for (ZtPushButton* button : groupButtons(group)) {
        if (button->getData().getNames().contains(name))
            return button;
    }
    return nullptr;
}

ZtPushButton* ZtStockGroupBox::getCheckedButton(const QVariant& group) const
{
    for (ZtPushButton* button : groupButtons(group)) {
        if (button->isChecked())
            return button;
    }
    return nullptr;
}

QList<PushDataMenu> ZtStockGroupBox::getGroupList(const QVariant& group) const
{
    QList<PushDataMenu> records;
    for (ZtPushButton* button : groupButtons(group))
        records.append(button->getData());
    return records;
}

void ZtStockGroupBox::click(const QString& name, const QVariant& group)
{
    for (ZtPushButton* button : groupButtons(group)) {
        if (button->getData().getNames().contains(name))
            button->click();
    }
}

void ZtStockGroupBox::setChecked(int index, bool reportAgain)
{
    ZtPushButton* button = getButton(index);
    if (!button)
        return;
    if (!button->isChecked() || reportAgain)
        button->click();
}

void ZtStockGroupBox::setChecked(const PushDataMenu& record, bool reportAgain)
{
    for (int i = 0; i < mRecords.size(); ++i) {
        if (sameRecord(mRecords.at(i), record)) {
            setChecked(i, reportAgain);
            return;
        }
    }
}

void ZtStockGroupBox::setChecked(const QString& name, bool reportAgain)
{
    if (ZtPushButton* button = getButton(name))
        setChecked(int(mButtons.indexOf(button)), reportAgain);
}

void ZtStockGroupBox::setChecked(const QList<QVariant>& datas)
{
    for (ZtPushButton* button : mButtons)
        button->setChecked(datas.contains(button->getData().getData()));
}

bool ZtStockGroupBox::setCheckedMenu(int index, bool forward)
{
    ZtPushButton* button = getButton(index);
    return button && button->setCheckedMenu(forward);
}

void ZtStockGroupBox::recheck(const QVariant& group)
{
    const QList<ZtPushButton*> buttons = group == QVariant(-1) ? mButtons : groupButtons(group);
    for (ZtPushButton* b : buttons) {
        // The owner may rebuild the box while it hears the choices.
        QPointer<ZtPushButton> button(b);
        if (!button)
            continue;
        if (button->isChecked())
            button->click();
        if (button && button->getCheckedMenuIndex() >= 0)
            button->setCheckedMenu(button->getCheckedMenuIndex());
    }
}

void ZtStockGroupBox::setGroupVisible(const QVariant& group, bool visible)
{
    for (ZtPushButton* button : groupButtons(group))
        button->setVisible(visible);
}

void ZtStockGroupBox::doSyncClicked(ZtPushButton* tempBtn, bool checked)
{
    Q_UNUSED(checked)
    if (!tempBtn)
        return;
    const PushDataMenu record = tempBtn->getData();
    if (tempBtn->isCheckable()) {
        for (ZtPushButton* other : groupButtons(record.getGroup())) {
            if (other == tempBtn)
                continue;
            other->setChecked(false);
            other->clearMenuChecked();
        }
    }
    emit onSyncClicked(record);
}

void ZtStockGroupBox::doCliclButtonMenu(ZtPushButton* button, UserMenuAction* action)
{
    if (!button)
        return;
    for (ZtPushButton* other : groupButtons(button->getData().getGroup())) {
        other->setChecked(other == button);
        // A stale drop-down choice of another button would be reported again by recheck.
        if (other != button)
            other->clearMenuChecked();
    }
    button->setChecked(true);
    if (action)
        action->setChecked(true);
    emit onCliclButtonMenu(button, action);
}
