#include "frame/ztmainboxs.h"

#include "controls/zttoolbutton.h"
#include "frame/ztmainboxbase.h"
#include "frame/ztmainfoot.h"

#include <QGridLayout>
#include <QLoggingCategory>
#include <QVBoxLayout>

namespace {

Q_LOGGING_CATEGORY(lcZtBoxs, "zt.frame", QtInfoMsg)

const int kFootHeight = 48;

}

ZtMainBoxs::ZtMainBoxs(ZtLayoutBase* parent) : ZtLayoutBase(parent)
{
    setObjectName(QStringLiteral("ZtMainBoxs"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    mContainer = new QWidget(this);
    mContainer->setObjectName(QStringLiteral("MainBoxsPages"));
    auto* grid = new QGridLayout(mContainer);
    grid->setContentsMargins(1, 1, 1, 1);
    grid->setSpacing(0);
    mFoot = new ZtMainFoot(this);
    mFoot->setFixedHeight(kFootHeight);
    column->addWidget(mContainer, 1);
    column->addWidget(mFoot);
    connect(mFoot, &ZtMainFoot::onClicked, this, &ZtMainBoxs::onFootClicked);
}

void ZtMainBoxs::addTab(ZtMainBoxBase* page)
{
    if (!page)
        return;
    const QString name = page->objectName();
    mPages.insert(name, page);
    mContainer->layout()->addWidget(page);
    page->hide();
    qCDebug(lcZtBoxs) << "ZtMainBoxs::addTab" << name << mPages.size() << "pages";
}

void ZtMainBoxs::setCurrentWidget(const QString& name)
{
    ZtMainBoxBase* page = mPages.value(name);
    qCDebug(lcZtBoxs) << "ZtMainBoxs::setCurrentWidget" << name << (page != nullptr);
    if (!page)
        return;
    mCurrent = page;
    for (const QPointer<ZtMainBoxBase>& p : qAsConst(mPages)) {
        if (p && p != page)
            p->hide();
    }
    page->show();
    setMainChildWidget(page);
}

void ZtMainBoxs::reload()
{
    for (const QPointer<ZtMainBoxBase>& p : qAsConst(mPages)) {
        if (p)
            p->reload();
    }
}

void ZtMainBoxs::removeAll()
{
    const QList<QPointer<ZtMainBoxBase>> pages = mPages.values();
    mPages.clear();
    mCurrent = nullptr;
    setMainChildWidget(nullptr);
    for (ZtMainBoxBase* p : pages) {
        if (!p)
            continue;
        p->disconnect();
        disconnect(p);
        p->close();
        p->deleteLater();
    }
}

void ZtMainBoxs::setFocusXmlData(ZtXMLMenu xml)
{
    if (mCurrent)
        mCurrent->setFocusXmlData(std::move(xml));
}

void ZtMainBoxs::load(const QString& menuName)
{
    mFoot->load(menuName);
}

void ZtMainBoxs::setFootText(const QString& objectName, const QString& text)
{
    mFoot->setFootText(objectName, text);
}

void ZtMainBoxs::addFootNews(QMap<QString, QVariant> item)
{
    mFoot->appendNews(std::move(item));
}

void ZtMainBoxs::focusInEvent(QFocusEvent* event)
{
    // The page may have closed itself since it became the main child.
    mMainChildWidget = mCurrent.data();
    ZtLayoutBase::focusInEvent(event);
}
