#include "frame/zttabwidget.h"

#include "frame/ztbuttongroup.h"
#include "frame/zttabbutton.h"
#include "framework/ztlayoutbase.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QGridLayout>

ZtTabWidget::ZtTabWidget(QWidget* parent, QTabWidget::TabPosition position)
    : QWidget(parent)
    , mMainWidget(new QWidget(this))
    , mTitleWidget(new QWidget(mMainWidget))
    , mSubWidget(new QWidget(mMainWidget))
    , mGroup(new ZtButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(mMainWidget);

    mIsHorizontal = position == QTabWidget::North || position == QTabWidget::South;
    auto* mainLayout = new QBoxLayout(mIsHorizontal ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, mMainWidget);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->setSpacing(0);

    mTitleLayout = new QBoxLayout(mIsHorizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, mTitleWidget);
    mTitleLayout->setContentsMargins(0, 0, 0, 0);
    mTitleLayout->setSpacing(0);

    mSubWidget->setObjectName(QStringLiteral("SubWidget"));
    auto* pages = new QVBoxLayout(mSubWidget);
    pages->setContentsMargins(0, 0, 0, 0);
    pages->setSpacing(0);

    // East puts the bar on the left and West on the right.
    bool titleFirst = true;
    switch (position) {
    case QTabWidget::North:
        mTitleWidget->setObjectName(QStringLiteral("ToolTitleTop"));
        mTitleWidget->setFixedHeight(28);
        mTitleWidget->setContentsMargins(0, 0, 0, 1);
        break;
    case QTabWidget::South:
        mTitleWidget->setObjectName(QStringLiteral("ToolTitleBottom"));
        mTitleWidget->setFixedHeight(28);
        mTitleWidget->setContentsMargins(0, 1, 0, 0);
        titleFirst = false;
        break;
    case QTabWidget::East:
        mTitleWidget->setObjectName(QStringLiteral("ToolTitleLeft"));
        mTitleWidget->setFixedWidth(30);
        break;
    case QTabWidget::West:
        mTitleWidget->setObjectName(QStringLiteral("ToolTitleRight"));
        mTitleWidget->setFixedWidth(30);
        titleFirst = false;
        break;
    }
    if (titleFirst) {
        mainLayout->addWidget(mTitleWidget);
        mainLayout->addWidget(mSubWidget, 1);
    } else {
        mainLayout->addWidget(mSubWidget, 1);
        mainLayout->addWidget(mTitleWidget);
    }
}

ZtTabButton* ZtTabWidget::addTab(ZtLayoutBase* page, const QString& text, const QPixmap& icon, bool closable)
{
    auto* button = new ZtTabButton(closable, page, mTitleWidget);
    button->setText(text);
    button->setIcon(icon);
    mGroup->addButton(button);
    mButtons.append(button);
    mTitleLayout->addWidget(button);
    connect(button, &ZtTabButton::onCloseClick, this, &ZtTabWidget::doCloseClick);
    connect(button, &ZtTabButton::onCurrentChanged, this, &ZtTabWidget::onCurrentChanged);

    if (mIsHorizontal) {
        button->setMinimumHeight(qMax(0, mTitleWidget->minimumHeight() - 1));
        button->setMaximumHeight(qMax(0, mTitleWidget->maximumHeight() - 1));
        if (!text.isEmpty()) {
            const int wanted = QFontMetrics(button->font()).horizontalAdvance(text) + 20 + (closable ? 13 : 0)
                + icon.width();
            // A maximum below the minimum leaves layouts at the minimum, so short titles stay usable.
            button->setMinimumWidth(40);
            button->setMaximumWidth(qMin(150, wanted));
        }
    } else {
        button->setMinimumWidth(qMax(0, mTitleWidget->minimumWidth() - 1));
        button->setMaximumWidth(qMax(0, mTitleWidget->maximumWidth() - 1));
    }

    if (page)
        mSubWidget->layout()->addWidget(page);
    if (mButtons.size() == 1)
        button->click();
    return button;
}

ZtTabButton* ZtTabWidget::addTab(ZtLayoutBase* page, const QString& text, bool closable)
{
    return addTab(page, text, QPixmap(), closable);
}

void ZtTabWidget::addStretch()
{
    mTitleLayout->addStretch();
}

int ZtTabWidget::currentIndex() const
{
    return mButtons.indexOf(static_cast<ZtTabButton*>(mGroup->checkedButton()));
}

ZtLayoutBase* ZtTabWidget::currentWidget() const
{
    return widget(currentIndex());
}

ZtLayoutBase* ZtTabWidget::widget(int index) const
{
    const ZtTabButton* button = tabButton(index);
    return button ? button->getSubWidget() : nullptr;
}

ZtTabButton* ZtTabWidget::tabButton(int index) const
{
    return index >= 0 && index < mButtons.size() ? mButtons.at(index) : nullptr;
}

void ZtTabWidget::setCurrentIndex(int index)
{
    if (ZtTabButton* button = tabButton(index))
        button->click();
}

void ZtTabWidget::setCurrentWidget(ZtLayoutBase* page)
{
    if (!page)
        return;
    for (ZtTabButton* button : qAsConst(mButtons)) {
        if (button->getSubWidget() == page) {
            button->click();
            return;
        }
    }
}

void ZtTabWidget::setCurrentWidget(const QString& name)
{
    const QList<ZtTabButton*> buttons = mButtons;
    for (ZtTabButton* button : buttons) {
        if (button->objectName() == name)
            button->click();
    }
}

void ZtTabWidget::setHideTable(ZtLayoutBase* page, bool visible)
{
    if (!page)
        return;
    for (int i = 0; i < mButtons.size(); ++i) {
        if (mButtons.at(i)->getSubWidget() == page) {
            setHideTable(i, visible);
            return;
        }
    }
}

void ZtTabWidget::setHideTable(int index, bool visible)
{
    ZtTabButton* button = tabButton(index);
    if (!button)
        return;
    button->setVisible(visible);
    if (visible || currentIndex() != index)
        return;
    for (int i = index == 0 ? 1 : index - 1; i >= 0 && i < mButtons.size(); --i) {
        if (i != index && !mButtons.at(i)->isHidden()) {
            mButtons.at(i)->click();
            return;
        }
    }
}

void ZtTabWidget::setTitleHeight(int height)
{
    mTitleWidget->setFixedHeight(height);
}

void ZtTabWidget::setTitleWidth(int width)
{
    mTitleWidget->setFixedWidth(width);
}

void ZtTabWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (ZtLayoutBase* page = currentWidget())
        page->setFocus(Qt::OtherFocusReason);
}

void ZtTabWidget::doCloseClick(ZtTabButton* _tempButton)
{
    const int i = mButtons.indexOf(_tempButton);
    if (i < 0)
        return;
    mButtons.removeAt(i);
    mGroup->removeButton(_tempButton);
    _tempButton->disconnect();
    // The page stays in the page area, but must not linger on screen under the next tab.
    if (_tempButton->isChecked() && _tempButton->getSubWidget())
        _tempButton->getSubWidget()->hide();
    _tempButton->close();
    _tempButton->deleteLater();

    if (mGroup->checkedButton() || mButtons.isEmpty())
        return;
    mButtons.at(i < mButtons.size() ? i : mButtons.size() - 1)->click();
}
