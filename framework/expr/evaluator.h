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

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/core/binding.h"
#include "framework/core/error.h"
#include "framework/expr/symbol_table.h"

namespace fw::expr {

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

    // Compiles the whole text, then runs it. The result as text, or the
    // error: layer "Expression", code 800 (ErrorCode::ExpressionError) and a
    // message such as "unknown name 'FOO' at position 1".
    [[nodiscard]] core::Expected<std::string> evaluate(std::string_view text) const;

private:
    SymbolTable m_symbols;
};

} // namespace fw::expr
