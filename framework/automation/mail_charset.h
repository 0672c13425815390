#pragma once
// Character sets of the texts that go into a draft.
//
// The system's data and its HTML bodies come from a Windows past: most are
// plain ASCII, some are Windows-1252 (the HTML head even says iso-8859-1),
// and a ready-made body file may well have been saved as UTF-8. A draft must
// say which one it holds, so the bytes are looked at rather than trusted to
// any declaration.

#include <string>
#include <string_view>

namespace fw::automation {

// The MIME charset name that matches the bytes: "us-ascii" for ASCII only,
// "utf-8" for valid UTF-8, else "windows-1252" when every byte is defined
// there, else "iso-8859-1" (which defines every byte).
std::string_view charsetOf(std::string_view bytes);

// The text as UTF-8 for a header: UTF-8 stays as it is, anything else is read
// in the charset charsetOf() names. Every control character (CR and LF
// above all) becomes a blank, so no data can start a header line of its own.
std::string headerText(std::string_view bytes);

// The text as UTF-8 read the same way, its control characters (line
// breaks, tabs) kept: for a body that leaves the draft as text.
std::string utf8Text(std::string_view bytes);

} // namespace fw::automation
