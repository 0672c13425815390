#pragma once
// Binding names and evaluating expressions.
//
// A program binds its procedures and record fields by name, then hands the
// evaluator a text such as "MakeHTMLFileBMKSW('out.html',3,...)". The whole
// text is compiled before anything runs, so a text that does not compile
// (an unknown name, a call with the wrong number of arguments, a stray
// character, too deep or too long) runs nothing and gives the framework's
// error code 800 with a message saying what and where. Names are matched
// without regard to case.
//
// Values are decimal numbers or texts. A number handed to a procedure's text
// parameter becomes its decimal text; a text used in arithmetic is read as a
// number (one that is not a number counts as 0, as everywhere in the
// framework); "&" joins texts and numbers as text; a comparison gives 1 or 0,
// compares texts ignoring trailing blanks and compares as numbers when either
// side is a number. A division by zero, or a number beyond 37 digits, stops
// the evaluation with error 800 at that point; procedures called before it in
// the same text have run.
//
// This header deliberately does not use std::expected: the libFuzzer build
// uses a clang whose library support lacks it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/binding.h"
#include "framework/expr/symbol_table.h"

namespace fw::expr {

// The outcome of one evaluation: the result as text, or error code 800 and a
// message such as "unknown name 'FOO' at position 1".
struct Evaluation {
    std::string value;
    int errorCode = 0;
    std::string message;

    bool ok() const { return errorCode == 0; }
    // The message with the layer in front, for a log or standard error.
    std::string errorText() const { return "Expression: " + message; }
};

class Evaluator {
public:
    // The set of bound names at one moment, to be put back later.
    class Scope {
    public:
        Scope() = default;

    private:
        friend class Evaluator;
        SymbolTable m_symbols;
    };

    // Binds (or rebinds) `name` to a procedure taking exactly
    // `parameterCount` text arguments and giving a signed 32-bit result.
    void bindProcedure(std::string_view name, std::size_t parameterCount, Procedure procedure);

    // Binds (or rebinds) `name` to a variable; the expression reads its value
    // when it runs: a byte or long as a number, a text at its full width.
    void bindField(std::string_view name, fw::core::Binding field);

    Scope saveScope() const;
    void restoreScope(const Scope& scope);

    // Compiles the whole text, then runs it.
    Evaluation evaluate(std::string_view text) const;

private:
    SymbolTable m_symbols;
};

} // namespace fw::expr
