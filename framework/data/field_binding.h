#pragma once
// A record field bound by its name ("CUS:NAME"), for expressions and report
// fields that refer to the fields of a file's record buffer.

#include <string>

#include "framework/core/binding.h"

namespace fw::data {

struct FieldBinding {
    std::string name;
    fw::core::Binding binding;
};

} // namespace fw::data
