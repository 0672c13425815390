#pragma once
// The WMF player's reading half as libraries use it: a page file in, a
// checked WmfDocument or the error out. parseWmf() (wmf_reader.h) does the
// same for bytes already in memory, and says what is checked.

#include <string_view>

#include "framework/core/error.h"
#include "framework/preview/wmf_document.h"
#include "framework/preview/wmf_reader.h"

namespace fw::preview {

// Reads the page file (a system path, looked up without regard to case) and
// parses it. Files above WmfMaxFileSize are refused unread.
[[nodiscard]] core::Expected<WmfDocument> loadWmf(std::string_view systemPath);

} // namespace fw::preview
