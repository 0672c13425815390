#include "framework/expr/compiler.h"

#include <optional>
#include <string>
#include <vector>

#include "framework/core/error_codes.h"

namespace fw::expr {

namespace {

using Op = Instruction::Op;

struct Token {
    enum class Kind { End, Number, Text, Name, Open, Close, Comma, Operator };
    Kind kind = Kind::End;
    std::size_t position = 0; // 1-based
    std::string_view source;  // the token as written
    std::string text;         // a text's value, quotes undone
    Decimal number;
    Op op = Op::Add;
    int precedence = 0;
};

constexpr int ComparisonLevel = 1;
constexpr int JoinLevel = 2;
constexpr int SumLevel = 3;
constexpr int ProductLevel = 4;
constexpr int UnaryLevel = 5;

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isNamePart(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == ':'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string at(std::size_t position) { return " at position " + std::to_string(position); }

std::string shown(std::string_view source)
{
    constexpr std::size_t MaxShown = 20;
    if (source.size() > MaxShown)
        return std::string("'").append(source.substr(0, MaxShown)).append("...'");
    return std::string("'").append(source).append("'");
}

class Lexer {
public:
    explicit Lexer(std::string_view text) : m_text(text) {}

    // The next token, or false with `error` set.
    bool next(Token& token, std::string& error)
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
        token = Token{};
        token.position = m_pos + 1;
        if (m_pos == m_text.size()) {
            token.kind = Token::Kind::End;
            return true;
        }
        const std::size_t start = m_pos;
        const char c = m_text[m_pos];
        if (isDigit(c))
            return number(token, error);
        if (c == '\'')
            return text(token, error);
        if (isNameStart(c)) {
            while (m_pos < m_text.size() && isNamePart(m_text[m_pos]))
                ++m_pos;
            token.kind = Token::Kind::Name;
            token.source = m_text.substr(start, m_pos - start);
            return true;
        }
        ++m_pos;
        // clang-format off
        switch (c) {
        case '(': token.kind = Token::Kind::Open; break;
        case ')': token.kind = Token::Kind::Close; break;
        case ',': token.kind = Token::Kind::Comma; break;
        case '+': setOperator(token, Op::Add, SumLevel); break;
        case '-': setOperator(token, Op::Subtract, SumLevel); break;
        case '*': setOperator(token, Op::Multiply, ProductLevel); break;
        case '/': setOperator(token, Op::Divide, ProductLevel); break;
        case '&': setOperator(token, Op::Join, JoinLevel); break;
        case '=': setOperator(token, Op::Equal, ComparisonLevel); break;
        case '<':
            if (peek('>'))
                setOperator(token, Op::NotEqual, ComparisonLevel);
            else if (peek('='))
                setOperator(token, Op::LessEqual, ComparisonLevel);
            else
                setOperator(token, Op::Less, ComparisonLevel);
            break;
        case '>':
            setOperator(token, peek('=') ? Op::GreaterEqual : Op::Greater, ComparisonLevel);
            break;
        default: {
            const auto byte = static_cast<unsigned char>(c);
            if (byte >= 0x20 && byte < 0x7F) {
                error = "unexpected character '" + std::string(1, c) + "'" + at(token.position);
            } else {
                static const char hex[] = "0123456789ABCDEF";
                error = std::string("unexpected character 0x") + hex[byte >> 4] + hex[byte & 0xF] + at(token.position);
            }
            return false;
        }
        }
        // clang-format on
        token.source = m_text.substr(start, m_pos - start);
        return true;
    }

private:
    bool peek(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    static void setOperator(Token& token, Op op, int precedence)
    {
        token.kind = Token::Kind::Operator;
        token.op = op;
        token.precedence = precedence;
    }

    bool number(Token& token, std::string& error)
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
            ++m_pos;
        if (m_pos + 1 < m_text.size() && m_text[m_pos] == '.' && isDigit(m_text[m_pos + 1])) {
            ++m_pos;
            while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
                ++m_pos;
        }
        token.kind = Token::Kind::Number;
        token.source = m_text.substr(start, m_pos - start);
        const std::optional<Decimal> value = Decimal::parse(token.source);
        if (!value) {
            error = "number" + at(token.position) + " is too large";
            return false;
        }
        token.number = *value;
        return true;
    }

    bool text(Token& token, std::string& error)
    {
        const std::size_t start = m_pos++;
        for (;;) {
            if (m_pos == m_text.size()) {
                error = "text" + at(token.position) + " is not closed";
                return false;
            }
            const char c = m_text[m_pos++];
            if (c != '\'') {
                token.text.push_back(c);
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == '\'') {
                token.text.push_back('\'');
                ++m_pos;
                continue;
            }
            break;
        }
        token.kind = Token::Kind::Text;
        token.source = m_text.substr(start, m_pos - start);
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// What waits on the operator stack for its right-hand side or its ")".
struct Pending {
    enum class Kind { Binary, Unary, Group, Call };
    Kind kind = Kind::Binary;
    Op op = Op::Add;
    int precedence = 0;
    std::size_t position = 0;
    std::string_view name;
    std::shared_ptr<const BoundProcedure> procedure;
    std::size_t arguments = 0;
};

class Compiler {
public:
    Compiler(std::string_view text, const SymbolTable& symbols) : m_lexer(text), m_symbols(symbols) {}

    std::optional<Program> run(std::string& error)
    {
        Token token;
        bool anyToken = false;
        bool expectValue = true;
        bool afterCallOpen = false; // the last token was the "(" of a call
        for (;;) {
            if (!m_lexer.next(token, error))
                return std::nullopt;
            if (token.kind == Token::Kind::End)
                break;
            anyToken = true;
            const bool callJustOpened = afterCallOpen;
            afterCallOpen = false;
            switch (token.kind) {
            case Token::Kind::End:
                break;
            case Token::Kind::Number:
            case Token::Kind::Text: {
                if (!expectValue)
                    return unexpected(token, error);
                Instruction in;
                in.op = token.kind == Token::Kind::Number ? Op::PushNumber : Op::PushText;
                in.position = token.position;
                in.number = token.number;
                in.text = std::move(token.text);
                m_program.code.push_back(std::move(in));
                expectValue = false;
                break;
            }
            case Token::Kind::Name: {
                if (!expectValue)
                    return unexpected(token, error);
                const auto found = m_symbols.find(symbolKey(token.source));
                if (found == m_symbols.end()) {
                    error = "unknown name '" + std::string(token.source) + "'" + at(token.position);
                    return std::nullopt;
                }
                Token following;
                const Lexer saved = m_lexer;
                if (!m_lexer.next(following, error))
                    return std::nullopt;
                const bool opens = following.kind == Token::Kind::Open;
                if (found->second.procedure) {
                    if (!opens) {
                        error = "'" + std::string(token.source) + "'" + at(token.position) +
                                " needs its arguments in parentheses";
                        return std::nullopt;
                    }
                    Pending call;
                    call.kind = Pending::Kind::Call;
                    call.position = token.position;
                    call.name = token.source;
                    call.procedure = found->second.procedure;
                    if (!open(std::move(call), error))
                        return std::nullopt;
                    afterCallOpen = true;
                    expectValue = true;
                    break;
                }
                if (opens) {
                    error = "'" + std::string(token.source) + "'" + at(token.position) + " is not a procedure";
                    return std::nullopt;
                }
                m_lexer = saved;
                Instruction in;
                in.op = Op::LoadField;
                in.position = token.position;
                in.field = found->second.field;
                m_program.code.push_back(std::move(in));
                expectValue = false;
                break;
            }
            case Token::Kind::Open: {
                if (!expectValue)
                    return unexpected(token, error);
                Pending group;
                group.kind = Pending::Kind::Group;
                group.position = token.position;
                if (!open(std::move(group), error))
                    return std::nullopt;
                break;
            }
            case Token::Kind::Close: {
                const bool emptyCall = expectValue && callJustOpened;
                if (expectValue && !emptyCall)
                    return unexpected(token, error);
                if (!emptyCall)
                    flushOperators();
                if (m_pending.empty() ||
                    (m_pending.back().kind != Pending::Kind::Group && m_pending.back().kind != Pending::Kind::Call))
                    return unexpected(token, error);
                Pending closed = std::move(m_pending.back());
                m_pending.pop_back();
                --m_depth;
                if (closed.kind == Pending::Kind::Call) {
                    if (!emptyCall)
                        ++closed.arguments;
                    if (closed.arguments != closed.procedure->parameterCount) {
                        error = "'" + std::string(closed.name) + "'" + at(closed.position) + " takes " +
                                std::to_string(closed.procedure->parameterCount) + " arguments, not " +
                                std::to_string(closed.arguments);
                        return std::nullopt;
                    }
                    Instruction in;
                    in.op = Op::Call;
                    in.position = closed.position;
                    in.procedure = std::move(closed.procedure);
                    m_program.code.push_back(std::move(in));
                }
                expectValue = false;
                break;
            }
            case Token::Kind::Comma: {
                if (expectValue)
                    return unexpected(token, error);
                flushOperators();
                if (m_pending.empty() || m_pending.back().kind != Pending::Kind::Call)
                    return unexpected(token, error);
                ++m_pending.back().arguments;
                expectValue = true;
                break;
            }
            case Token::Kind::Operator: {
                Pending pending;
                pending.position = token.position;
                pending.op = token.op;
                if (expectValue) {
                    if (token.op != Op::Add && token.op != Op::Subtract)
                        return unexpected(token, error);
                    // A leading plus changes nothing; a minus negates what follows.
                    if (token.op == Op::Add)
                        break;
                    pending.kind = Pending::Kind::Unary;
                    pending.op = Op::Negate;
                    pending.precedence = UnaryLevel;
                    m_pending.push_back(std::move(pending));
                    break;
                }
                while (!m_pending.empty() && isOperator(m_pending.back()) &&
                       m_pending.back().precedence >= token.precedence)
                    emitTop();
                pending.kind = Pending::Kind::Binary;
                pending.precedence = token.precedence;
                m_pending.push_back(std::move(pending));
                expectValue = true;
                break;
            }
            }
        }
        if (!anyToken) {
            error = "expression is empty";
            return std::nullopt;
        }
        if (expectValue) {
            error = "expression ends where a value is expected";
            return std::nullopt;
        }
        flushOperators();
        if (!m_pending.empty()) {
            const Pending& open = m_pending.back();
            if (open.kind == Pending::Kind::Call)
                error = "call of '" + std::string(open.name) + "'" + at(open.position) + " is not closed";
            else
                error = "'('" + at(open.position) + " is not closed";
            return std::nullopt;
        }
        return std::move(m_program);
    }

private:
    static bool isOperator(const Pending& p)
    {
        return p.kind == Pending::Kind::Binary || p.kind == Pending::Kind::Unary;
    }

    std::optional<Program> unexpected(const Token& token, std::string& error)
    {
        error = "unexpected " + shown(token.source) + at(token.position);
        return std::nullopt;
    }

    bool open(Pending pending, std::string& error)
    {
        if (m_depth == MaxExpressionDepth) {
            error = "parentheses nested deeper than " + std::to_string(MaxExpressionDepth) + " levels" +
                    at(pending.position);
            return false;
        }
        ++m_depth;
        m_pending.push_back(std::move(pending));
        return true;
    }

    void emitTop()
    {
        Instruction in;
        in.op = m_pending.back().op;
        in.position = m_pending.back().position;
        m_program.code.push_back(std::move(in));
        m_pending.pop_back();
    }

    void flushOperators()
    {
        while (!m_pending.empty() && isOperator(m_pending.back()))
            emitTop();
    }

    Lexer m_lexer;
    const SymbolTable& m_symbols;
    std::vector<Pending> m_pending;
    std::size_t m_depth = 0;
    Program m_program;
};

} // namespace

core::Expected<Program> compile(std::string_view text, const SymbolTable& symbols)
{
    const auto failure = [](std::string message) {
        return core::fail(std::string(ExpressionLayer), std::move(message), core::ErrorCode::ExpressionError);
    };
    if (text.size() > MaxExpressionLength)
        return failure("expression is longer than " + std::to_string(MaxExpressionLength) + " characters");
    std::string error;
    std::optional<Program> program = Compiler(text, symbols).run(error);
    if (!program)
        return failure(std::move(error));
    return std::move(*program);
}

} // namespace fw::expr
