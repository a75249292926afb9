#include "controls/zttoollabel.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPixmap>

ZtToolLabel::ZtToolLabel(QWidget* parent)
    : QWidget(parent), mTextLabel(new QLabel(this)), mIconLabel(new QLabel(this))
{
    mTextLabel->setAlignment(Qt::AlignCenter);
    mIconLabel->setAlignment(Qt::AlignCenter);
}

ZtToolLabel::ZtToolLabel(bool horizontal, QWidget* parent) : ZtToolLabel(parent)
{
    auto* layout = new QBoxLayout(horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mIconLabel);
    layout->addSpacing(5);
    layout->addWidget(mTextLabel);
}

ZtToolLabel::ZtToolLabel(bool horizontal, ZtXMLMenu xml, QWidget* parent) : ZtToolLabel(horizontal, parent)
{
    mXmlData = std::move(xml);
    setObjectName(mXmlData.getName());
    setText(mXmlData.getText());
    setIcon(mXmlData.getIcon());
}

void ZtToolLabel::setText(const QString& text)
{
    if (!text.isEmpty())
        mTextLabel->setText(text);
    updateVisibility();
}

void ZtToolLabel::setIcon(QString path)
{
    if (!path.isEmpty())
        mIconLabel->setPixmap(QPixmap(path));
    updateVisibility();
}

void ZtToolLabel::updateVisibility()
{
    mTextLabel->setVisible(!mTextLabel->text().isEmpty());
    mIconLabel->setVisible(!mIconLabel->pixmap(Qt::ReturnByValue).isNull());
}
