#include "framework/process/text_step.h"

#include <algorithm>

namespace fw::process {

namespace {

bool isUpper(unsigned char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(unsigned char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

} // namespace

void TextStep::init(int characters, int significant)
{
    // Without letters or digits there would be nothing to count.
    if ((characters & (StepCharacters::Letters | StepCharacters::Digits)) == 0)
        characters = StepCharacters::Letters | StepCharacters::Digits;
    m_characters = characters;
    m_significant = significant < 1 ? 3 : std::min(significant, MaximumSignificant);
    m_limited = false;
}

int TextStep::base() const
{
    int chosen = 0;
    if (m_characters & StepCharacters::Digits)
        chosen += 10;
    if (m_characters & StepCharacters::Letters)
        chosen += (m_characters & StepCharacters::CaseSensitive) ? 52 : 26;
    return chosen + 1; // rank 0 is everything below the first chosen character
}

// The number of chosen characters that sort at or before `c`. Keys that
// ignore case compare letters as lower case, so a folded character is
// ranked; keys that do not compare plain bytes.
int TextStep::rankOf(unsigned char c) const
{
    const bool caseSensitive = (m_characters & StepCharacters::CaseSensitive) != 0;
    if (!caseSensitive && isUpper(c))
        c = static_cast<unsigned char>(c - 'A' + 'a');

    int rank = 0;
    if (m_characters & StepCharacters::Digits) {
        if (c > '9')
            rank += 10;
        else if (isDigit(c))
            rank += c - '0' + 1;
    }
    if (m_characters & StepCharacters::Letters) {
        if (caseSensitive) {
            if (c > 'Z')
                rank += 26;
            else if (isUpper(c))
                rank += c - 'A' + 1;
        }
        if (c > 'z')
            rank += 26;
        else if (isLower(c))
            rank += c - 'a' + 1;
    }
    return rank;
}

std::uint64_t TextStep::numberOf(std::string_view value) const
{
    const std::uint64_t b = static_cast<std::uint64_t>(base());
    std::uint64_t number = 0;
    for (int i = 0; i < m_significant; ++i) {
        const int rank = i < static_cast<int>(value.size()) ? rankOf(static_cast<unsigned char>(value[i])) : 0;
        number = number * b + static_cast<std::uint64_t>(rank);
    }
    return number;
}

void TextStep::setLimits(std::string_view first, std::string_view last)
{
    m_first = numberOf(first);
    m_last = numberOf(last);
    m_limited = true;
}

std::uint8_t TextStep::percentile(std::string_view value) const
{
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool reversed = false;
    if (m_limited) {
        reversed = m_first > m_last;
        low = std::min(m_first, m_last);
        high = std::max(m_first, m_last);
    } else {
        std::uint64_t top = 1;
        for (int i = 0; i < m_significant; ++i)
            top *= static_cast<std::uint64_t>(base());
        high = top - 1;
    }
    if (high == low)
        return 0; // every record has the same leading characters: nothing to tell
    const std::uint64_t number = std::clamp(numberOf(value), low, high);
    const std::uint64_t done = reversed ? high - number : number - low;
    return static_cast<std::uint8_t>(done * 100 / (high - low));
}

} // namespace fw::process
