#pragma once
// The short description of a framework error code, as the standard warnings
// put it between parentheses ("Error: (File not found) attempting ...").

#include <string>

namespace fw::data {

std::string errorText(int code);

} // namespace fw::data
