#include "terminalhost.h"

#include "terminaldialog.h"

#include <pubcache/pubcache.h>
#include <pubcache/pubconfig.h>
#include <pubcache/pubkeyboard.h>
#include <pubcache/pubstaticfunc.h>

#include <ztlib/ztfields.h>

#include <QApplication>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTerminal, "zt.terminal", QtInfoMsg)

}

TerminalHost::TerminalHost(QObject* parent) : QObject(parent) {}

void TerminalHost::start()
{
    PubKeyboard::loadFromMarket();
    if (!PubStaticFunc::openDefaultDatabase())
        qCWarning(lcTerminal) << "zt-terminal: the watchlist is not saved this time";
    PubConfig::loadUrlList();
    qCDebug(lcTerminal) << "zt-terminal:" << PubCache::mDataQueryAll.count() << "securities," << PubCache::mUserKeyboard.size()
             << "keyboard entries, user data in" << PubStaticFunc::databasePath();

    connect(&PubCache::SSignal, &PubStaticSignal::onZxgAdd, this, &TerminalHost::doZxgAdd);
    connect(&PubCache::SSignal, &PubStaticSignal::onZxgDel, this, &TerminalHost::doZxgDel);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TerminalHost::doAboutToQuit);
}

QString TerminalHost::resolveCode(const QString& text)
{
    const QString code = text.trimmed().toUpper();
    if (code.isEmpty())
        return QString();
    const DQDDataList& all = PubCache::mDataQueryAll;
    if (all.isEmpty())
        return code;
    if (all.value(code))
        return code;
    // A bare code: the first security of the list with that code.
    for (int i = 0; i < all.count(); ++i) {
        const DQDUnionReader* row = all.at(i);
        if (row->getValue(ZtField::Code).toString() == code)
            return row->getUniqueValue(0);
    }
    return QString();
}

void TerminalHost::doZxgAdd(QString code, enumZxgOperate operate)
{
    const QString unique = resolveCode(code);
    if (unique.isEmpty()) {
        qCDebug(lcTerminal) << "zt-terminal: no security" << code;
        return;
    }
    if (operate == ZxgOperate_Note) {
        if (!PubStaticFunc::ZxgContains(unique))
            return;
        QString note;
        for (const StockZxgBK& g : PubStaticFunc::getZxgCodeList()) {
            const int at = g.indexOf(unique);
            if (at >= 0) {
                note = g.getList().at(at).getNote();
                break;
            }
        }
        const bool ok = TerminalDialog::askText(TerminalDialog::owner(), QStringLiteral("添加备注/标签"),
                                                QStringLiteral("%1 的备注：").arg(unique), &note);
        if (ok && PubStaticFunc::ZxgSetNote(unique, note))
            emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Note);
        return;
    }
    if (PubStaticFunc::ZxgAdd(unique))
        emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Add);
}

void TerminalHost::doZxgDel(QString code)
{
    const QString unique = resolveCode(code);
    if (!unique.isEmpty() && PubStaticFunc::ZxgDelete(unique))
        emit PubCache::SSignal.onZxgRefresh(unique, ZxgOperate_Delete);
}

void TerminalHost::doAboutToQuit()
{
    PubCache::runFlag = false;
    emit PubCache::SSignal.onAppExit();
}
