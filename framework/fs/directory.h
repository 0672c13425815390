#pragma once
// Listing a folder by a mask into directory entries (the fields of the
// system's directory queue BMKQ).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/text.h"

namespace fw::fs {

struct DirectoryEntry {
    core::Text<256> NAME;     // file name without folder, as stored on disk
    core::Text<13> SHORTNAME; // an 8.3 form of the name (upper case, cut)
    std::int32_t DATE = 0;    // modification date, a framework date serial
    std::int32_t TIME = 0;    // modification time, a framework time value
    std::int32_t SIZE = 0;    // size in bytes (clamped to 32 bits)
    std::uint8_t ATTRIB = 0;  // attribute bits (see below)
};

namespace Attribute {
inline constexpr std::uint8_t ReadOnly = 0x01;
inline constexpr std::uint8_t Hidden = 0x02; // a name starting with "."
inline constexpr std::uint8_t Directory = 0x10;
inline constexpr std::uint8_t Archive = 0x20; // every plain file
} // namespace Attribute

// Lists the entries of the folder named in `mask` whose names match its last
// component ("*" any run, "?" one character, without regard to case), in name
// order. Plain files are always listed; folders only when `attributeMask` has
// Attribute::Directory, hidden entries only when it has Attribute::Hidden (a
// hidden folder needs both). "." and ".." are never listed. A folder that
// does not exist lists nothing.
std::vector<DirectoryEntry> listFolder(std::string_view mask, std::uint8_t attributeMask = 0);

// The wildcard match used by listFolder (case-insensitive).
bool matchesMask(std::string_view name, std::string_view pattern);

} // namespace fw::fs
