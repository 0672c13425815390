#include "framework/expr/evaluator.h"

#include <variant>
#include <vector>

#include "framework/core/error_codes.h"
#include "framework/expr/compiler.h"
#include "framework/expr/decimal.h"
#include "framework/expr/program.h"

namespace fw::expr {

namespace {

using Value = std::variant<Decimal, std::string>;
using Op = Instruction::Op;

bool isText(const Value& v) { return std::holds_alternative<std::string>(v); }

std::string asText(const Value& v)
{
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return std::get<Decimal>(v).toText();
}

Decimal asNumber(const Value& v)
{
    if (const auto* d = std::get_if<Decimal>(&v))
        return *d;
    return Decimal::parse(std::get<std::string>(v)).value_or(Decimal());
}

std::string_view clipped(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

int compareValues(const Value& a, const Value& b)
{
    if (isText(a) && isText(b)) {
        const int c = clipped(std::get<std::string>(a)).compare(clipped(std::get<std::string>(b)));
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    return Decimal::compare(asNumber(a), asNumber(b));
}

bool holds(Op op, int order)
{
    // clang-format off
    switch (op) {
    case Op::Equal: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::Greater: return order > 0;
    case Op::LessEqual: return order <= 0;
    case Op::GreaterEqual: return order >= 0;
    default: return false;
    }
    // clang-format on
}

std::unexpected<core::Error> failure(std::string message)
{
    return core::fail(std::string(ExpressionLayer), std::move(message), core::ErrorCode::ExpressionError);
}

std::string at(std::size_t position) { return " at position " + std::to_string(position); }

core::Expected<std::string> run(const Program& program)
{
    std::vector<Value> stack;
    for (const Instruction& in : program.code) {
        switch (in.op) {
        case Op::PushNumber:
            stack.emplace_back(in.number);
            break;
        case Op::PushText:
            stack.emplace_back(in.text);
            break;
        case Op::LoadField:
            if (in.field->isNumber())
                stack.emplace_back(Decimal::fromWhole(in.field->number()));
            else
                stack.emplace_back(in.field->text());
            break;
        case Op::Call: {
            const std::size_t count = in.procedure->parameterCount;
            std::vector<std::string> arguments;
            arguments.reserve(count);
            for (std::size_t i = stack.size() - count; i < stack.size(); ++i)
                arguments.push_back(asText(stack[i]));
            stack.resize(stack.size() - count);
            const std::int32_t result = in.procedure->call(std::move(arguments));
            stack.emplace_back(Decimal::fromWhole(result));
            break;
        }
        case Op::Negate:
            stack.back() = asNumber(stack.back()).negated();
            break;
        case Op::Join: {
            std::string right = asText(stack.back());
            stack.pop_back();
            stack.back() = asText(stack.back()) + right;
            break;
        }
        case Op::Add:
        case Op::Subtract:
        case Op::Multiply:
        case Op::Divide: {
            const Decimal right = asNumber(stack.back());
            stack.pop_back();
            const Decimal left = asNumber(stack.back());
            std::optional<Decimal> result;
            if (in.op == Op::Add) {
                result = Decimal::add(left, right);
            } else if (in.op == Op::Subtract) {
                result = Decimal::subtract(left, right);
            } else if (in.op == Op::Multiply) {
                result = Decimal::multiply(left, right);
            } else {
                if (right.isZero())
                    return failure("division by zero" + at(in.position));
                result = Decimal::divide(left, right);
            }
            if (!result)
                return failure("number too large" + at(in.position));
            stack.back() = *result;
            break;
        }
        case Op::Equal:
        case Op::NotEqual:
        case Op::Less:
        case Op::Greater:
        case Op::LessEqual:
        case Op::GreaterEqual: {
            const Value right = std::move(stack.back());
            stack.pop_back();
            const bool yes = holds(in.op, compareValues(stack.back(), right));
            stack.back() = Decimal::fromWhole(yes ? 1 : 0);
            break;
        }
        }
    }
    return asText(stack.back());
}

} // namespace

void Evaluator::bindProcedure(std::string_view name, std::size_t parameterCount, Procedure procedure)
{
    auto bound = std::make_shared<BoundProcedure>();
    bound->name = std::string(name);
    bound->parameterCount = parameterCount;
    bound->call = std::move(procedure);
    Symbol symbol;
    symbol.procedure = std::move(bound);
    m_symbols[symbolKey(name)] = std::move(symbol);
}

void Evaluator::bindField(std::string_view name, fw::core::Binding field)
{
    Symbol symbol;
    symbol.field = field;
    m_symbols[symbolKey(name)] = std::move(symbol);
}

Evaluator::Scope Evaluator::saveScope() const
{
    Scope scope;
    scope.m_symbols = m_symbols;
    return scope;
}

void Evaluator::restoreScope(const Scope& scope) { m_symbols = scope.m_symbols; }

core::Expected<std::string> Evaluator::evaluate(std::string_view text) const
{
    const core::Expected<Program> program = compile(text, m_symbols);
    if (!program)
        return std::unexpected(program.error());
    return run(*program);
}

} // namespace fw::expr
