#include "formula/formularesultbase.h"

// Out of line so the vtable and type information live in the library.
FormulaResultBase::~FormulaResultBase() = default;
