#include "framework/automation/mail_charset.h"

#include <cstdint>

#include "framework/core/windows1252.h"

namespace fw::automation {

namespace {

bool isAscii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        std::uint32_t cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else
            return false;
        if (i + extra >= s.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

bool fitsWindows1252(std::string_view s)
{
    for (const char c : s) {
        if (!core::isWindows1252Assigned(static_cast<std::uint8_t>(c)))
            return false;
    }
    return true;
}

void appendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80)
        out += char(cp);
    else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string_view charsetOf(std::string_view bytes)
{
    if (isAscii(bytes))
        return "us-ascii";
    if (isUtf8(bytes))
        return "utf-8";
    if (fitsWindows1252(bytes))
        return "windows-1252";
    return "iso-8859-1";
}

namespace {

enum class Controls : std::uint8_t { Keep, Blank };

std::string asUtf8(std::string_view bytes, Controls controls)
{
    std::string out;
    out.reserve(bytes.size());
    const std::string_view charset = charsetOf(bytes);
    const bool keepBytes = charset == "us-ascii" || charset == "utf-8";
    const bool cp1252 = charset == "windows-1252";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            out += controls == Controls::Blank ? ' ' : c;
        else if (keepBytes || u < 0x80)
            out += c;
        else if (cp1252)
            appendUtf8(out, core::windows1252ToUnicode(u));
        else if (u <= 0x9F)
            out += ' '; // a C1 control of iso-8859-1
        else
            appendUtf8(out, u);
    }
    return out;
}

} // namespace

std::string headerText(std::string_view bytes) { return asUtf8(bytes, Controls::Blank); }

std::string utf8Text(std::string_view bytes) { return asUtf8(bytes, Controls::Keep); }

} // namespace fw::automation
