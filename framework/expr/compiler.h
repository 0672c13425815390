#pragma once
// Turns an expression's text into a Program, or says why it cannot.
//
// The grammar, lowest precedence first, all binary operators left-associative:
//   comparison  = join { ("=" | "<>" | "<" | ">" | "<=" | ">=") join }
//   join        = sum { "&" sum }
//   sum         = product { ("+" | "-") product }
//   product     = unary { ("*" | "/") unary }
//   unary       = { "-" | "+" } primary
//   primary     = number | text | field | procedure "(" [ comparison { "," comparison } ] ")"
//               | "(" comparison ")"
// Numbers are digits with an optional decimal part ("12", "0.5"); texts are
// in single quotes with '' standing for one quote; names start with a letter
// or "_" and go on with letters, digits, "_" and ":" ("GOD:GOODS"). Blanks
// and tabs between tokens are ignored.
//
// The parser is an operator-precedence (shunting-yard) loop over the tokens,
// so no input can exhaust the call stack; parentheses and calls may still
// nest only MaxDepth deep and a text only MaxLength long, which keeps every
// stack it uses small and the error clear.

#include <cstddef>
#include <string_view>

#include "framework/core/error.h"
#include "framework/expr/program.h"
#include "framework/expr/symbol_table.h"

namespace fw::expr {

inline constexpr std::size_t MaxExpressionLength = 10000;
inline constexpr std::size_t MaxExpressionDepth = 100;

// The layer name of every error of the evaluator.
inline constexpr std::string_view ExpressionLayer = "Expression";

// The program, or the error (code 800, ErrorCode::ExpressionError) saying
// what is wrong and where.
[[nodiscard]] core::Expected<Program> compile(std::string_view text, const SymbolTable& symbols);

} // namespace fw::expr
