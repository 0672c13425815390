#pragma once
// Reading a placeable metafile into a checked WmfDocument: the core of the
// WMF player. It is free of Qt and of the file system, so the fuzz target
// compiles it on its own; loadWmf() (wmf_parser.h) reads a page file from
// disk and hands its bytes here.
//
// Page files come from our own report writer, but the previewer also opens
// whatever a user or another program left under a page name, so the reader
// trusts nothing: every record's size must be at least three words and fit in
// what is left of the file, every parameter read stays inside its record,
// point counts and text lengths must fit in the record, object indexes must
// name a live object of the kind the record needs, and the object table, the
// number of records and the saved-state depth are capped. The first fault
// ends the read with an error naming the record; nothing is half-accepted.
//
// Escape records and the bitmap, palette and region records are walked over
// (their sizes checked) but not acted on. Records that create objects this
// player does not draw (palettes, pattern brushes, regions) still take their
// slot in the object table, so later indexes stay right. Records of unknown
// function are walked over the same way.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "framework/core/error.h"
#include "framework/preview/wmf_document.h"
#include "framework/report/wmf_records.h"

namespace fw::preview {

// Caps that keep a hostile file from costing unbounded memory or time.
inline constexpr std::size_t WmfMaxFileSize = 64u * 1024 * 1024;
inline constexpr std::uint16_t WmfMaxObjects = 4096;
inline constexpr std::uint32_t WmfMaxRecords = 1000000;
inline constexpr std::uint32_t WmfMaxSavedStates = 256;

// The layer name of every error the player reports.
inline constexpr std::string_view WmfLayer = "WMF player";

// The checked document, or the first fault ("record 3 (function 0x012D at
// byte 64): object 0 does not exist").
[[nodiscard]] core::Expected<WmfDocument> parseWmf(std::span<const std::uint8_t> bytes);

} // namespace fw::preview
