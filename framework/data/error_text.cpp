#include "framework/data/error_text.h"

#include <array>
#include <utility>

#include "framework/core/error_codes.h"
#include "framework/core/text.h"

namespace fw::data {

namespace {

namespace Code = fw::core::ErrorCode;

constexpr std::array<std::pair<int, const char*>, 13> kTexts{{
    {Code::None, "No error"},
    {Code::FileNotFound, "File not found"},
    {Code::PathNotFound, "Path not found"},
    {Code::AccessDenied, "Access denied"},
    {Code::FileLocked, "File locked by another user"},
    {Code::NoFurtherRecord, "No further record"},
    {Code::RecordNotFound, "Record not found"},
    {Code::InvalidDataFile, "Not a valid data file"},
    {Code::FileNotOpen, "File not open"},
    {Code::DuplicateKey, "Duplicate key"},
    {Code::KeyNeedsRebuild, "Key needs rebuilding"},
    {Code::FileAlreadyOpen, "File already open"},
    {Code::FileSystemError, "Disk or system error"},
}};

} // namespace

std::string errorText(int code)
{
    for (const auto& [number, text] : kTexts)
        if (number == code)
            return text;
    return "Error " + fw::core::toText(code);
}

} // namespace fw::data
