#pragma once
// A compiled expression: instructions for a stack machine in postfix order,
// so that running it needs neither recursion nor the source text.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/binding.h"
#include "framework/expr/decimal.h"
#include "framework/expr/symbol_table.h"

namespace fw::expr {

struct Instruction {
    enum class Op {
        PushNumber,
        PushText,
        LoadField,
        Call,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide,
        Join,
        Equal,
        NotEqual,
        Less,
        Greater,
        LessEqual,
        GreaterEqual,
    };

    Op op = Op::PushNumber;
    std::size_t position = 0; // 1-based, of the token it came from
    Decimal number;
    std::string text;
    std::optional<fw::core::Binding> field;
    std::shared_ptr<const BoundProcedure> procedure;
};

struct Program {
    std::vector<Instruction> code;
};

} // namespace fw::expr
