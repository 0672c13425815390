#include "framework/automation/member_text.h"

#include <charconv>

namespace fw::automation {

namespace {

constexpr std::size_t maxDigits = 18; // every such number fits a signed 64-bit value

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A recursive-descent reader over the text; m_pos is 0-based, messages count
// from 1 as the system's own positions do.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    core::Expected<MemberText> read()
    {
        MemberText result;
        result.text = std::string(m_text);
        if (m_text.empty())
            return failHere("the member text is empty");
        bool dotRequired = false;
        if (peek() == '#') {
            auto ref = readReference();
            if (!ref)
                return std::unexpected(ref.error());
            result.reference = *ref;
            dotRequired = true;
        }
        if (peek() == '.')
            ++m_pos;
        else if (dotRequired)
            return failHere("\".\" is expected after the object reference");
        for (;;) {
            auto member = readMember();
            if (!member)
                return std::unexpected(member.error());
            const bool hadArguments = m_sawArgumentList;
            result.members.push_back(std::move(*member));
            if (atEnd())
                break;
            if (peek() != '.')
                return failHere("\".\" or the end of the text is expected");
            if (hadArguments)
                return failHere("only the last member may take arguments");
            ++m_pos;
        }
        return result;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }

    std::unexpected<core::Error> failHere(std::string what) const
    {
        return core::fail("member text", what + " at position " + std::to_string(m_pos + 1));
    }

    core::Expected<std::string> readReference()
    {
        const std::size_t start = m_pos++;
        while (isDigit(peek()))
            ++m_pos;
        const std::size_t digits = m_pos - start - 1;
        if (digits == 0)
            return failHere("digits are expected after \"#\"");
        if (digits > maxDigits) {
            m_pos = start;
            return failHere("the object reference is too long");
        }
        return std::string(m_text.substr(start, m_pos - start));
    }

    core::Expected<Member> readMember()
    {
        m_sawArgumentList = false;
        if (!isLetter(peek()))
            return failHere("a member name is expected");
        const std::size_t start = m_pos;
        while (isLetter(peek()) || isDigit(peek()) || peek() == '_')
            ++m_pos;
        Member member{std::string(m_text.substr(start, m_pos - start)), {}};
        if (peek() != '(')
            return member;
        m_sawArgumentList = true;
        ++m_pos;
        if (peek() == ')') {
            ++m_pos;
            return member;
        }
        for (;;) {
            auto argument = readArgument();
            if (!argument)
                return std::unexpected(argument.error());
            member.arguments.push_back(std::move(*argument));
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            if (peek() == ')') {
                ++m_pos;
                return member;
            }
            return failHere("\",\" or \")\" is expected");
        }
    }

    core::Expected<Value> readArgument()
    {
        if (peek() == '"')
            return readString();
        const std::size_t start = m_pos;
        if (peek() == '-')
            ++m_pos;
        const std::size_t firstDigit = m_pos;
        while (isDigit(peek()))
            ++m_pos;
        if (m_pos == firstDigit) {
            m_pos = start;
            return failHere("a number or a quoted text is expected");
        }
        if (m_pos - firstDigit > maxDigits) {
            m_pos = start;
            return failHere("the number is too long");
        }
        std::int64_t n = 0;
        std::from_chars(m_text.data() + start, m_text.data() + m_pos, n);
        return Value(n);
    }

    core::Expected<Value> readString()
    {
        const std::size_t open = m_pos++;
        const std::size_t start = m_pos;
        for (; !atEnd(); ++m_pos) {
            if (m_text[m_pos] != '"')
                continue;
            const char next = m_pos + 1 < m_text.size() ? m_text[m_pos + 1] : '\0';
            if (next == ',' || next == ')') {
                std::string s(m_text.substr(start, m_pos - start));
                ++m_pos;
                return Value(std::move(s));
            }
        }
        m_pos = open;
        return failHere("the quoted text is not closed");
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_sawArgumentList = false;
};

} // namespace

core::Expected<MemberText> parseMemberText(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return Reader(text).read();
}

} // namespace fw::automation
