#include "framework/automation/html_text.h"

#include <cstdint>

namespace fw::automation {

namespace {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isAsciiLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Elements whose content is not text of the page.
constexpr std::string_view hiddenElements[] = {"head", "title", "script", "style"};

// Elements that start and end a line of their own.
constexpr std::string_view blockElements[] = {
    "p",  "div", "h1", "h2", "h3", "h4", "h5",  "h6",         "li",   "tr",     "table",
    "ul", "ol",  "dl", "dt", "dd", "hr", "pre", "blockquote", "body", "center", "address",
};

template <std::size_t N>
bool isOneOf(std::string_view name, const std::string_view (&names)[N])
{
    for (const std::string_view n : names)
        if (n == name)
            return true;
    return false;
}

struct NamedCharacter {
    std::string_view name;
    std::uint32_t code;
};

// The references these bodies use, and the letters of the languages their
// data is in; any other is kept as written.
// clang-format off
constexpr NamedCharacter namedCharacters[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},     {"euro", 0x20AC},  {"ndash", 0x2013},
    {"mdash", 0x2014}, {"hellip", 0x2026}, {"laquo", 0xAB},  {"raquo", 0xBB},   {"auml", 0xE4},
    {"ouml", 0xF6},    {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},    {"Uuml", 0xDC},
    {"szlig", 0xDF},   {"eacute", 0xE9},  {"egrave", 0xE8},  {"agrave", 0xE0},  {"ccedil", 0xE7},
};
// clang-format on

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character a reference names ("amp", "#233", "#xE9"), or nothing.
bool decodeReference(std::string_view reference, std::string& out)
{
    if (reference.size() >= 2 && reference[0] == '#') {
        const bool hex = reference[1] == 'x' || reference[1] == 'X';
        const std::string_view digits = reference.substr(hex ? 2 : 1);
        if (digits.empty())
            return false;
        std::uint32_t cp = 0;
        for (const char c : digits) {
            int d = -1;
            if (c >= '0' && c <= '9')
                d = c - '0';
            else if (hex && lowerAscii(c) >= 'a' && lowerAscii(c) <= 'f')
                d = lowerAscii(c) - 'a' + 10;
            if (d < 0 || cp > 0x10FFFF)
                return false;
            cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        }
        if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        appendUtf8(out, cp);
        return true;
    }
    for (const NamedCharacter& named : namedCharacters)
        if (named.name == reference) {
            appendUtf8(out, named.code);
            return true;
        }
    return false;
}

// The start of the tag at the "<" at `at`: whether it closes an element,
// its name in lower case (empty when the "<" opens no tag), and where the
// name ends.
struct TagStart {
    bool closing = false;
    std::string name;
    std::size_t afterName = 0;
};

TagStart tagAt(std::string_view html, std::size_t at)
{
    TagStart tag;
    tag.closing = at + 1 < html.size() && html[at + 1] == '/';
    std::size_t j = at + (tag.closing ? 2 : 1);
    while (j < html.size() && isAsciiLetterOrDigit(html[j]))
        tag.name += lowerAscii(html[j++]);
    tag.afterName = j;
    return tag;
}

// Where the element that opens at `from` ends: past "</name ...>", or the
// end of the text. A head without its end tag ends where the body begins.
std::size_t endOfElement(std::string_view html, std::size_t from, std::string_view name)
{
    for (std::size_t i = from; i < html.size(); ++i) {
        if (html[i] != '<')
            continue;
        const TagStart tag = tagAt(html, i);
        if (tag.closing && tag.name == name) {
            const std::size_t end = html.find('>', tag.afterName);
            return end == std::string_view::npos ? html.size() : end + 1;
        }
        if (!tag.closing && name == "head" && tag.name == "body")
            return i;
    }
    return html.size();
}

// Where the tag that opens at `from` ends, past its ">"; a ">" inside a
// quoted attribute value does not end it.
std::size_t endOfTag(std::string_view html, std::size_t from)
{
    char quote = 0;
    for (std::size_t i = from; i < html.size(); ++i) {
        const char c = html[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
    }
    return html.size();
}

class TextBuilder {
public:
    void text(std::string_view piece)
    {
        if (m_blank && !atLineStart())
            m_out += ' ';
        m_blank = false;
        m_out += piece;
    }
    void blank() { m_blank = true; }
    void lineBreak()
    {
        m_out += '\n';
        m_blank = false;
    }
    // A new line unless one has just begun.
    void blockEdge()
    {
        if (!atLineStart())
            m_out += '\n';
        m_blank = false;
    }
    std::string finished() const
    {
        std::string lines;
        std::size_t start = 0;
        while (start <= m_out.size()) {
            std::size_t end = m_out.find('\n', start);
            if (end == std::string::npos)
                end = m_out.size();
            std::string_view line(m_out.data() + start, end - start);
            while (!line.empty() && line.back() == ' ')
                line.remove_suffix(1);
            lines += line;
            lines += '\n';
            start = end + 1;
        }
        const std::size_t first = lines.find_first_not_of('\n');
        if (first == std::string::npos)
            return {};
        const std::size_t last = lines.find_last_not_of('\n');
        return lines.substr(first, last - first + 1);
    }

private:
    bool atLineStart() const { return m_out.empty() || m_out.back() == '\n'; }

    std::string m_out;
    bool m_blank = false;
};

} // namespace

std::string plainTextOfHtml(std::string_view html)
{
    TextBuilder text;
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            if (i + 1 < html.size() && (html[i + 1] == '!' || html[i + 1] == '?')) {
                i = endOfTag(html, i + 1);
                continue;
            }
            const TagStart tag = tagAt(html, i);
            if (tag.name.empty()) { // a "<" that opens no tag is text
                text.text("<");
                ++i;
                continue;
            }
            const std::size_t tagEnd = endOfTag(html, tag.afterName);
            if (!tag.closing && isOneOf(tag.name, hiddenElements)) {
                i = endOfElement(html, tagEnd, tag.name);
                continue;
            }
            if (tag.name == "br")
                text.lineBreak();
            else if (isOneOf(tag.name, blockElements))
                text.blockEdge();
            i = tagEnd;
            continue;
        }
        if (c == '&') {
            const std::size_t semicolon = html.find(';', i + 1);
            std::string decoded;
            if (semicolon != std::string_view::npos && semicolon - i <= 10 &&
                decodeReference(html.substr(i + 1, semicolon - i - 1), decoded)) {
                text.text(decoded);
                i = semicolon + 1;
            } else {
                text.text("&");
                ++i;
            }
            continue;
        }
        if (isSpace(c)) {
            text.blank();
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < html.size() && html[end] != '<' && html[end] != '&' && !isSpace(html[end]))
            ++end;
        text.text(html.substr(i, end - i));
        i = end;
    }
    return text.finished();
}

} // namespace fw::automation
