// The faces that stand in for the Windows fonts, on the real Qt backend
// (offscreen): once the window system has started, a font that names a
// Windows face is drawn with the first of its substitutes that is installed,
// and every substitute the table relies on is installed by install-deps.sh.

#include "framework/ui/font_substitutes.h"

#include <fstream>
#include <iterator>
#include <string>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include "framework/ui/qt/application.h"

namespace fw::ui {
// Names a row in failure messages instead of dumping its bytes.
void PrintTo(const FontSubstitute& row, std::ostream* os) { *os << row.face; }
} // namespace fw::ui

namespace {

using fw::ui::FontSubstitute;
using fw::ui::FontSubstitutes;

QString toQString(std::string_view text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

// The family a font is drawn with, without the foundry that Qt adds in
// brackets when two foundries make a family of the same name.
std::string drawnFamily(const QFont& font)
{
    return QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0).toStdString();
}

bool installed(std::string_view family) { return !family.empty() && QFontDatabase::hasFamily(toQString(family)); }

class FontSubstitution : public ::testing::TestWithParam<FontSubstitute> {
protected:
    void SetUp() override { fw::ui::startWindowSystem(); }
};

TEST_P(FontSubstitution, DrawsTheFirstInstalledSubstituteForAMissingFace)
{
    const FontSubstitute& row = GetParam();
    std::string expected;
    if (installed(row.face)) {
        expected = std::string(row.face); // the Windows face itself is here: it is drawn as it is
    } else {
        for (std::string_view substitute : row.substitutes)
            if (installed(substitute)) {
                expected = std::string(substitute);
                break;
            }
    }
    ASSERT_FALSE(expected.empty()) << "no substitute for " << row.face << " is installed: install " << row.package;

    QFont font(toQString(row.face));
    EXPECT_EQ(drawnFamily(font), expected);
    // Weight and slant are asked of the substitute as they would be of the face.
    font.setBold(true);
    font.setItalic(true);
    EXPECT_EQ(drawnFamily(font), expected);
}

// Names each row after its face, without its blanks.
std::string rowName(const ::testing::TestParamInfo<FontSubstitute>& info)
{
    std::string name(info.param.face);
    std::erase(name, ' ');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Table, FontSubstitution, ::testing::ValuesIn(FontSubstitutes), rowName);

// What the substitution is for: a metric-compatible face sets a text exactly
// as wide as the face it stands in for. Bold Arial has the advance widths of
// Helvetica Bold, which are published: "Amberfield Books" is 8.557 em
// (A 722, m 889, b 611, e 556, r 389, f 333, i 278, l 278, d 611, space 278,
// B 722, o 611, k 556, s 556 thousandths of an em). A face that is not
// metric-compatible (DejaVu Sans 9.9 em, Noto Sans 8.8 em) misses by far.
TEST(FontSubstitution, BoldArialTextKeepsArialsWidth)
{
    fw::ui::startWindowSystem();
    constexpr int pixels = 1000;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(true);
    EXPECT_NEAR(QFontMetricsF(font).horizontalAdvance(QStringLiteral("Amberfield Books")), 8.557 * pixels,
                0.01 * pixels);
}

// Every package the table relies on is in the list install-deps.sh installs.
TEST(FontSubstitution, EveryPackageIsInstalledByInstallDeps)
{
    std::ifstream in(REPORTMAIL_SOURCE_DIR "/scripts/install-deps.sh");
    ASSERT_TRUE(in.is_open());
    const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (const FontSubstitute& row : FontSubstitutes) {
        const std::string package(row.package);
        EXPECT_TRUE(script.find(" " + package + " ") != std::string::npos ||
                    script.find(" " + package + "\n") != std::string::npos)
            << row.face << ": " << package;
    }
}

} // namespace
