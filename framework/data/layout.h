#pragma once
// Record layouts and keys, as data.
//
// A record buffer is a plain struct of std::int32_t and Text<N> members; the
// driver learns its shape from a table of fields (name, offset in the struct,
// type, width) and a table of keys, never from code. The record size of a
// file is the sum of its field widths: the bytes the record holds, whatever
// padding the compiler puts between the members of the struct.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fw::data {

enum class FieldType : std::uint8_t { Long, Text };

struct FieldSpec {
    std::string name;   // "CUS:NAME"
    std::size_t offset; // offsetof in the record struct
    FieldType type;
    std::size_t width; // 4 for a long, N for a Text<N>
};

enum class Order : std::uint8_t { Ascending, Descending };

struct KeyComponent {
    std::string field; // a field name of the same file
    Order order = Order::Ascending;
};

enum class Duplicates : std::uint8_t { Refused, Allowed };
enum class Primary : std::uint8_t { No, Yes };
enum class CaseRule : std::uint8_t { Insensitive, Sensitive };
// A dynamic key has no components of its own: its order is given at run
// time (or it reads in record order while none is given).
enum class Dynamic : std::uint8_t { No, Yes };

struct KeySpec {
    std::string name; // "CUS:ByName"
    std::vector<KeyComponent> components;
    Duplicates duplicates = Duplicates::Refused;
    Primary primary = Primary::No;
    CaseRule caseRule = CaseRule::Insensitive;
    Dynamic dynamic = Dynamic::No;
};

struct FileLayout {
    std::string label; // names the file on disk: label plus the driver's extension
    std::vector<FieldSpec> fields;
    std::vector<KeySpec> keys;
};

} // namespace fw::data
