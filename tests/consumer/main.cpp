#include <ztversion.h>
#include <ztlib/pbdatachange.h>
#include <ztlib/q_dd_now.h>

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    const Q_DD_Now quote = PBDataChange::LBDG_QNowSingle(QStringLiteral("SH000001"), false);
    out << "ZtControlLib " << ZtControlLibInfo::version()
        << " resources " << (ZtControlLibInfo::resourcesReady() ? "ok" : "missing")
        << " SH000001 " << quote.getValue(17030).toString() << Qt::endl;
    return ZtControlLibInfo::resourcesReady() && !quote.isEmpty() ? 0 : 1;
}
