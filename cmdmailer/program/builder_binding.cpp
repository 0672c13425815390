#include "cmdmailer/program/builder_binding.h"

#include <utility>

#include "engine/html/html_builder.h"
#include "framework/core/text.h"

namespace vextrel {

std::int32_t BuilderBinding(std::vector<std::string> arguments)
{
    if (arguments.size() != BuilderParameterCount)
        return engine::HTMLResult::NotOpened;
    // Argument n counts from 1, as the builder's parameter table does.
    const auto text = [&arguments](std::size_t n) { return std::move(arguments[n - 1]); };
    const auto number = [&arguments](std::size_t n) { return fw::core::toNumber(arguments[n - 1]); };
    const auto byte = [&number](std::size_t n) { return fw::core::toByte(number(n)); };

    // The numbers are read before any text is moved out of the list.
    const std::uint8_t pageCount = byte(2);
    const std::int32_t background = number(3);
    const std::uint8_t pictureScale = byte(4);
    const std::uint8_t fontSize = byte(8);
    const std::int32_t fontColor = number(9);
    const std::int32_t leftMargin = number(10);
    const std::int32_t topMargin = number(11);
    const std::int32_t pageWidth = number(12);
    const std::int32_t pageHeight = number(13);
    const std::uint8_t mode = byte(14);
    const std::uint8_t landscape = byte(15);

    return engine::MakeHTMLFileBMKSW(text(1), pageCount, background, pictureScale, text(5), text(6), text(7), fontSize,
                                     fontColor, leftMargin, topMargin, pageWidth, pageHeight, mode, landscape,
                                     text(16));
}

} // namespace vextrel
