#pragma once

#include <QtGlobal>

// Outcome of preparing indicator-formula inputs for a security.
struct FormulaDataState
{
    int iDataUpdate = 0;     // 1 when the inputs changed
    qint64 llCheckTime = 0;  // download time the inputs are as of
    int iNeedRequest = 0;    // 1 when the data library still waits for data
};
