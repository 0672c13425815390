#pragma once
// The names vextrel binds for expressions: one set for the whole program.
//
// The goods report binds the fields of the GOODS record while it runs and the
// frame binds the engine's builder before it evaluates the command line; each
// saves the set on entry and puts it back when it returns, so a name lives
// only as long as the procedure that bound it.

#include "framework/expr/evaluator.h"

namespace vextrel {

fw::expr::Evaluator& boundNames();

} // namespace vextrel
