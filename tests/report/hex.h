#pragma once
// Bytes written as hexadecimal text, for tests that compare exact bytes and
// want a failure to show them readably.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// "0C 00 1F" -> {0x0C, 0x00, 0x1F}; blanks between bytes are optional.
inline std::vector<std::uint8_t> bytesOf(std::string_view hex)
{
    std::vector<std::uint8_t> out;
    int high = -1;
    for (char c : hex) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

inline std::string hexOf(const std::vector<std::uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}
