#include "testrows.h"

#include <ztlib/datatrans.h>
#include <ztlib/ztfields.h>

namespace TestRows {

QString codeOf(int n)
{
    return QStringLiteral("SH%1").arg(600000 + n);
}

DQDUnionReader security(const QString& unique, const QString& name, int type, double last)
{
    DQDUnionReader r;
    r.setValue(ZtField::Market, unique.left(2));
    r.setValue(ZtField::Code, unique.mid(2));
    r.setValue(ZtField::UniqueCode, unique);
    r.setValue(ZtField::Name, name.isEmpty() ? unique : name);
    r.setValue(ZtField::Type, type);
    r.setValue(ZtField::PrevClose, 10.0);
    r.setValue(ZtField::Last, last);
    return r;
}

DQDUnionReader mineItem(const QString& id, const QString& type, const QString& title, const QDateTime& time)
{
    DQDUnionReader r;
    r.setValue(37020, id);
    r.setValue(37030, type);
    r.setValue(37040, title);
    r.setValue(37050, qulonglong(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(time)));
    r.setValue(37060, qulonglong(DataTrans::getYYYYMMDDHHMMSSFFFFromDT(time)));
    return r;
}

}
