#pragma once
// Code page 1252, the Windows character set of Western Europe, read as
// Unicode.
//
// The system's texts, page files and mail bodies come from Windows, where a
// byte of text is a character of code page 1252. That code page is Latin-1
// (and so Unicode's first 256 characters) except at 0x80..0x9F, where it puts
// printable characters (the euro sign, typographic quotes and dashes, a few
// letters) in place of Latin-1's C1 controls. It leaves five of those codes
// without a character: 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
//
// Windows itself (MultiByteToWideChar) reads those five as the C1 controls
// of the same value, U+0081 and so on, and so do the web's decoders: text
// read here never loses a byte and becomes what Windows would have shown,
// which is what a page painted on the screen needs. Other decoders refuse
// the five (glibc's iconv, which mail programs use, stops at 0x81), so a
// caller that names the charset of bytes it hands on, as a mail does, asks
// isWindows1252Assigned() before it calls them Windows-1252.

#include <cstdint>

namespace fw::core {

// The Unicode character of a byte: the code page's character where it
// assigns one, else the C1 control of the same value.
char16_t windows1252ToUnicode(std::uint8_t byte);

// Whether code page 1252 assigns a character to the byte: every byte except
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
bool isWindows1252Assigned(std::uint8_t byte);

} // namespace fw::core
