// Every line encoder this processor runs writes the same bytes.

#include "engine/rtf/hex_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace engine;

namespace {

// The digits of `bytes` in lines of 128 and CR LF, as the documents hold them.
std::string linesOf(const std::vector<unsigned char>& bytes)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        text += Digits[bytes[i] >> 4];
        text += Digits[bytes[i] & 15];
        if ((i + 1) % HexBytesPerLine == 0)
            text += "\r\n";
    }
    return text;
}

std::string encodeWith(const HexLineEncoder& encoder, const std::vector<unsigned char>& bytes)
{
    std::string out(bytes.size() / HexBytesPerLine * HexCharsPerLine, '\0');
    const char* end = encoder.encode(bytes.data(), bytes.size() / HexBytesPerLine, out.data());
    EXPECT_EQ(end, out.data() + out.size()) << encoder.name;
    return out;
}

} // namespace

TEST(HexLineEncoders, TheFastestComesFirstAndThePortableOneIsLast)
{
    const auto encoders = hexLineEncoders();
    ASSERT_FALSE(encoders.empty());
    EXPECT_EQ(encoders.back().name, "portable");
}

TEST(HexLineEncoders, EveryEncoderWritesTheDigitsOfEveryByteValue)
{
    // Four lines: every byte value once, in order, so each nibble meets
    // each position of a step.
    std::vector<unsigned char> bytes(256);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i);
    const std::string first = "000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F"
                              "202122232425262728292A2B2C2D2E2F303132333435363738393A3B3C3D3E3F\r\n";
    const std::string last = "C0C1C2C3C4C5C6C7C8C9CACBCCCDCECFD0D1D2D3D4D5D6D7D8D9DADBDCDDDEDF"
                             "E0E1E2E3E4E5E6E7E8E9EAEBECEDEEEFF0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF\r\n";
    for (const HexLineEncoder& encoder : hexLineEncoders()) {
        const std::string text = encodeWith(encoder, bytes);
        ASSERT_EQ(text.size(), 4 * HexCharsPerLine) << encoder.name;
        EXPECT_EQ(text.substr(0, HexCharsPerLine), first) << encoder.name;
        EXPECT_EQ(text.substr(3 * HexCharsPerLine), last) << encoder.name;
        EXPECT_EQ(text, linesOf(bytes)) << encoder.name;
    }
}

TEST(HexLineEncoders, EveryEncoderAgreesOnRandomLinesAtAnyAlignment)
{
    constexpr std::size_t Lines = 97;
    std::mt19937 random(20261210);
    std::vector<unsigned char> bytes(HexBytesPerLine + Lines * HexBytesPerLine);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(random());
    // The lines of a block start wherever a page's header left them.
    for (const std::size_t shift : {std::size_t{0}, std::size_t{1}, std::size_t{22}, std::size_t{33}}) {
        const std::vector<unsigned char> expected(bytes.begin() + static_cast<std::ptrdiff_t>(shift),
                                                  bytes.begin() +
                                                      static_cast<std::ptrdiff_t>(shift + Lines * HexBytesPerLine));
        for (const HexLineEncoder& encoder : hexLineEncoders()) {
            std::string out(Lines * HexCharsPerLine + 1, '\0');
            const char* end = encoder.encode(bytes.data() + shift, Lines, out.data() + 1); // unaligned output too
            EXPECT_EQ(end, out.data() + out.size()) << encoder.name;
            EXPECT_EQ(out.substr(1), linesOf(expected)) << encoder.name << " from byte " << shift;
        }
    }
}

TEST(HexLineEncoders, NoLinesWriteNothing)
{
    char out[1] = {'x'};
    for (const HexLineEncoder& encoder : hexLineEncoders()) {
        EXPECT_EQ(encoder.encode(nullptr, 0, out), out) << encoder.name;
        EXPECT_EQ(out[0], 'x') << encoder.name;
    }
}
