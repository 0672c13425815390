#pragma once
// The content type an attachment carries, from its name.
//
// A mail program shows an attachment by its type (an icon, the program that
// opens it), so "Report.rtf" must go out as application/rtf and "Note.doc"
// as application/msword rather than all as application/octet-stream. The
// type comes from the system's MIME database (shared-mime-info), through
// GIO's content-type guess on the name alone: the name is what the
// recipient sees, and the bytes were read long before a type was asked for.

#include <string>
#include <string_view>

namespace fw::automation {

inline constexpr std::string_view unknownContentType = "application/octet-stream";

// "type/subtype" for `fileName` (UTF-8, without a folder); the unknown type
// when the database knows no type for the name. Composite types
// (message/..., multipart/...) also give the unknown type: an attachment
// goes out base64-encoded, which MIME does not allow for them.
std::string contentTypeOf(std::string_view fileName);

} // namespace fw::automation
