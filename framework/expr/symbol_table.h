#pragma once
// The names an expression can use: bound procedures and bound record fields,
// keyed by the name in upper case so that look-ups ignore case.
//
// A procedure is held by shared pointer: a compiled expression keeps the
// procedures it calls alive even if a called procedure restores an older
// scope while it runs.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/binding.h"

namespace fw::expr {

using Procedure = std::function<std::int32_t(std::vector<std::string> arguments)>;

struct BoundProcedure {
    std::string name; // as bound, for messages
    std::size_t parameterCount = 0;
    Procedure call;
};

struct Symbol {
    std::shared_ptr<const BoundProcedure> procedure; // set for a procedure
    std::optional<fw::core::Binding> field;          // set for a record field
};

using SymbolTable = std::map<std::string, Symbol, std::less<>>;

// The key a name is filed and looked up under.
std::string symbolKey(std::string_view name);

} // namespace fw::expr
