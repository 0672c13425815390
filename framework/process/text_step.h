#pragma once
// The progress step object for text keys: how far a run that reads a file in
// the order of a text key has got, judged from the value of the key field of
// the record just read.
//
// The key's leading characters are read as the digits of a number whose
// alphabet the first option chooses, so that a value further on in the key's
// order is a larger number. The position of that number between the key
// values of the first and the last record of the run is the percentage. The
// estimate needs no record count and holds for views that skip records.
//
// The two options (init(5, 3) in the reports of the demonstration):
//
//   characters   which characters count, as bits: Letters (1), CaseSensitive
//                (2), Digits (4). 5 is letters and digits with upper and
//                lower case as one letter, the way keys that ignore case
//                sort. A character outside the chosen ones counts as the
//                nearest chosen character below it in that sort order, so
//                blanks and punctuation never make the estimate go back.
//   significant  how many leading characters of the key count (1 to 8). 3
//                tells 26 x 26 x 26 steps of letters apart, far finer than a
//                percentage, while staying cheap and not stumbling over long
//                common endings.

#include <cstdint>
#include <string_view>

namespace fw::process {

namespace StepCharacters {
inline constexpr int Letters = 1;
inline constexpr int CaseSensitive = 2;
inline constexpr int Digits = 4;
} // namespace StepCharacters

class TextStep {
public:
    static constexpr int MaximumSignificant = 8;

    // Neither option set means letters and digits over three characters.
    void init(int characters, int significant);
    int characters() const { return m_characters; }
    int significant() const { return m_significant; }

    // The key values at the two ends of the run (the process finds them when
    // the view opens). Without limits the whole alphabet is the range. A
    // first value beyond the last (a descending key) turns the scale round.
    void setLimits(std::string_view first, std::string_view last);
    void clearLimits() { m_limited = false; }

    // 0 to 100 for a key value.
    std::uint8_t percentile(std::string_view value) const;

    // The value as a number of the alphabet (exposed for tests of its order).
    std::uint64_t numberOf(std::string_view value) const;

private:
    int rankOf(unsigned char c) const;
    int base() const;

    int m_characters = StepCharacters::Letters | StepCharacters::Digits;
    int m_significant = 3;
    bool m_limited = false;
    std::uint64_t m_first = 0;
    std::uint64_t m_last = 0;
};

} // namespace fw::process
