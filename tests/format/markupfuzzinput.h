#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// One fuzz input: the first byte picks the kind of value, the bytes after it
// hold the value, the rest is the mark-up text. Runs formatValue,
// selectConditionalFormat, evaluateCondition and valueColour on it, compiled
// and plain; returns what differed, or an empty string.
QString checkMarkupInput(const uint8_t* data, size_t size);
