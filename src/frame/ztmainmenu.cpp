#include "frame/ztmainmenu.h"

#include "controls/zttoolbutton.h"
#include "controls/zttoollabel.h"

#include <pubcache/pubconfig.h>
#include <pubcache/pubstaticfunc.h>

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLoggingCategory>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>

namespace {

Q_LOGGING_CATEGORY(lcZtMenu, "zt.frame", QtInfoMsg)

}

ZtMainMenu::ZtMainMenu(ZtLayoutBase* parent, bool horizontal)
    : ZtLayoutBase(parent)
    , mInner(new QWidget(this))
    , mGroup(new QButtonGroup(this))
    , mHorizontal(horizontal)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(mInner);
    mBox = new QBoxLayout(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, mInner);
    mBox->setContentsMargins(1, 1, 1, 1);
    mBox->setSpacing(0);
    mGroup->setExclusive(true);
}

QList<ZtToolButton*> ZtMainMenu::load(const QString& name)
{
    for (QAbstractButton* button : mGroup->buttons())
        mGroup->removeButton(button);
    PubStaticFunc::ClearChild(mInner);
    // ClearChild leaves the inner widget's layout empty but in place.
    if (mInner->layout() != mBox)
        qCWarning(lcZtMenu) << "ZtMainMenu: layout replaced while clearing" << name;

    QList<ZtToolButton*> made;
    const QList<QHash<QString, QString>> entries = PubConfig::getPubMenuNode(name);
    for (const QHash<QString, QString>& entry : entries) {
        if (ZtToolButton* button = load(entry))
            made.append(button);
    }
    qCDebug(lcZtMenu) << "ZtMainMenu::load" << name << entries.size() << "entries" << made.size() << "buttons";
    return made;
}

ZtToolButton* ZtMainMenu::load(const QHash<QString, QString>& entry)
{
    const ZtXMLMenu xml(entry);
    switch (xml.getType()) {
    case XmlType_Button: {
        auto* button = new ZtToolButton(xml, mHorizontal, mInner);
        fit(button);
        mBox->addWidget(button, 0, Qt::AlignCenter);
        connect(button, &ZtToolButton::onSyncClicked, this, [this](ZtToolButton* b, bool checked) {
            addIndentation(b);
            emit onSyncClicked(b, checked);
        });
        mGroup->addButton(button);
        return button;
    }
    case XmlType_Stretch:
        mBox->addStretch();
        return nullptr;
    case XmlType_Label: {
        auto* label = new ZtToolLabel(mHorizontal, xml, mInner);
        fit(label);
        mBox->addWidget(label);
        return nullptr;
    }
    default:
        return nullptr;
    }
}

void ZtMainMenu::load(QWidget* widget)
{
    if (!widget)
        return;
    widget->setParent(mInner);
    fit(widget);
    mBox->addWidget(widget, 0, Qt::AlignCenter);
}

void ZtMainMenu::fit(QWidget* widget) const
{
    if (mHorizontal) {
        if (mButtonWidth > 0) {
            widget->setMinimumWidth(mButtonWidth);
            widget->setMaximumWidth(mButtonWidth);
        }
    } else if (mButtonHeight > 0) {
        widget->setMinimumHeight(mButtonHeight);
        widget->setMaximumHeight(mButtonHeight);
    }
}

QList<ZtToolButton*> ZtMainMenu::buttons() const
{
    QList<ZtToolButton*> list;
    for (QAbstractButton* button : mGroup->buttons())
        list.append(static_cast<ZtToolButton*>(button));
    return list;
}

void ZtMainMenu::checkedMenu(int index)
{
    const QList<ZtToolButton*> list = buttons();
    if (list.isEmpty())
        return;
    if (index < 1)
        list.first()->click();
    else if (index < list.size())
        list.at(index)->click();
}

int ZtMainMenu::getCheckedMenu() const
{
    return mGroup->buttons().indexOf(mGroup->checkedButton());
}

bool ZtMainMenu::setCheckedName(const QString& name)
{
    for (ZtToolButton* button : buttons()) {
        if (button->getXmlData().getName() == name) {
            button->click();
            return true;
        }
    }
    return false;
}

void ZtMainMenu::setCheckedTagName(const QString& tabName)
{
    for (ZtToolButton* button : buttons()) {
        if (button->getXmlData().getTabName() == tabName) {
            button->click();
            return;
        }
    }
}

void ZtMainMenu::setText(const QString& objectName, const QString& text)
{
    auto* label = mInner->findChild<ZtToolLabel*>(objectName);
    if (!label)
        return;
    label->setText(text);
    label->setFixedWidth(QFontMetrics(label->font()).horizontalAdvance(text) + 20);
}

void ZtMainMenu::addIndentation(ZtToolButton* button)
{
    if (!button)
        return;
    mHistory.removeAll(QPointer<ZtToolButton>());
    mHistory.removeAll(QPointer<ZtToolButton>(button));
    mHistory.prepend(button);
}

QList<ZtToolButton*> ZtMainMenu::history() const
{
    QList<ZtToolButton*> list;
    for (const QPointer<ZtToolButton>& button : mHistory)
        if (button)
            list.append(button);
    return list;
}

void ZtMainMenu::goBackIndentation()
{
    mHistory.removeAll(QPointer<ZtToolButton>());
    if (mHistory.size() < 2)
        return;
    mHistory.removeFirst();
    ZtToolButton* button = mHistory.first();
    // Only pages come back; a plain action (a dialog, say) is not run again.
    if (!button->isCheckable())
        return;
    button->setChecked(true);
    emit button->onSyncClicked(button, true);
}
