#pragma once

#include <QLoggingCategory>

// Warnings of the cache library: damaged files, bad definitions, failed writes.
Q_DECLARE_LOGGING_CATEGORY(lcPubCache)
