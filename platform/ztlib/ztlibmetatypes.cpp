#include "dqdfield.h"
#include "dqdquery.h"
#include "q_dd_now.h"
#include "ztenums.h"

#include <QCoreApplication>

// Registered once when the library loads, under the names queued signals use.
static void registerZtLibMetaTypes()
{
    qRegisterMetaType<DQDDataList>("DQDDataList");
    qRegisterMetaType<DQDQuery>("DQDQuery");
    qRegisterMetaType<DQDReader>("DQDReader");
    qRegisterMetaType<DQDUnionReader>("DQDUnionReader");
    qRegisterMetaType<Q_DD_Now>("Q_DD_Now");
    qRegisterMetaType<QVector<Q_DD_Now>>("QVector<Q_DD_Now>");
    qRegisterMetaType<DQDField::Field>("DQDField::Field");
    qRegisterMetaType<ZtE_ZQLX>("ZtE_ZQLX");
    qRegisterMetaType<ZtE_Period>("ZtE_Period");
    qRegisterMetaType<ZtE_DIVID>("ZtE_DIVID");
    qRegisterMetaType<ZtE_RegDataType>("ZtE_RegDataType");
    qRegisterMetaType<ZtE_FormulaDataType>("ZtE_FormulaDataType");
    qRegisterMetaType<ZtE_Jszbfw>("ZtE_Jszbfw");
    qRegisterMetaType<ZtE_DXJL>("ZtE_DXJL");
    qRegisterMetaType<QVector<QString>>("QVector<QString>");
    qRegisterMetaType<QVector<ZtE_ZQLX>>("QVector<ZtE_ZQLX>");
}
Q_CONSTRUCTOR_FUNCTION(registerZtLibMetaTypes)
