#pragma once
// The one error type that crosses library borders.
//
// An Error names the layer that failed and the fault in words a user or a log
// reader understands ("RTF writer: page file 423.WMF cannot be opened"), and
// carries the framework's error code where the system's behaviour depends on
// it (see error_codes.h). Libraries return std::expected<T, Error>; the
// system's own routines turn that into the result bytes the callers expect.

#include <expected>
#include <string>
#include <utility>

namespace fw::core {

struct Error {
    std::string layer;
    std::string message;
    int code = 0;

    std::string text() const { return layer + ": " + message; }
};

template <class T>
using Expected = std::expected<T, Error>;

[[nodiscard]] inline std::unexpected<Error> fail(std::string layer, std::string message, int code = 0)
{
    return std::unexpected<Error>(Error{std::move(layer), std::move(message), code});
}

} // namespace fw::core
