#pragma once
// The WMF player's reading half as libraries use it: a page file or its
// bytes in, a checked WmfDocument or the error out (see wmf_reader.h for
// what is checked).

#include <cstdint>
#include <span>
#include <string_view>

#include "framework/core/error.h"
#include "framework/preview/wmf_document.h"
#include "framework/preview/wmf_reader.h"

namespace fw::preview {

// The layer name of every error the player reports.
inline constexpr std::string_view WmfLayer = "WMF player";

core::Expected<WmfDocument> parseWmf(std::span<const std::uint8_t> bytes);

// Reads the page file (a system path, looked up without regard to case) and
// parses it. Files above WmfMaxFileSize are refused unread.
core::Expected<WmfDocument> loadWmf(std::string_view systemPath);

} // namespace fw::preview
