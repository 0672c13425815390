#include "framework/expr/symbol_table.h"

#include "framework/core/text.h"

namespace fw::expr {

// Only ASCII letters fold: names are ASCII, and folding other bytes would
// depend on a locale. Blanks around a name are dropped, so a name bound from
// a blank-padded text is found all the same.
std::string symbolKey(std::string_view name)
{
    std::string key(fw::core::trimLeft(fw::core::clip(name)));
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

} // namespace fw::expr
