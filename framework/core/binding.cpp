#include "framework/core/binding.h"

#include <cstring>

namespace fw::core {

std::int64_t Binding::number() const
{
    switch (m_kind) {
    case Kind::Byte:
        return *static_cast<const std::uint8_t*>(m_address);
    case Kind::Long:
        return *static_cast<const std::int32_t*>(m_address);
    case Kind::Text:
        return toNumber(std::string_view(static_cast<const char*>(m_address), m_width));
    }
    return 0;
}

void Binding::setNumber(std::int64_t value)
{
    switch (m_kind) {
    case Kind::Byte:
        *static_cast<std::uint8_t*>(m_address) = toByte(value);
        return;
    case Kind::Long:
        *static_cast<std::int32_t*>(m_address) = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
        return;
    case Kind::Text:
        setText(toText(value));
        return;
    }
}

std::string Binding::text() const
{
    if (m_kind == Kind::Text)
        return std::string(static_cast<const char*>(m_address), m_width);
    return toText(number());
}

void Binding::setText(std::string_view value)
{
    if (m_kind != Kind::Text) {
        setNumber(toNumber(value));
        return;
    }
    const std::string v = fitted(value, m_width);
    std::memcpy(m_address, v.data(), m_width);
}

} // namespace fw::core
