#pragma once
// One page being drawn, in report terms: texts in a font and colour, lines
// and boxes in a colour. The canvas turns them into metafile records and
// keeps the device state a reader keeps: the selected font, pen and brush
// and the text colour. A record is written only when the state must change,
// and an object is deleted as soon as its successor is selected, so a page
// never holds more than one font, one pen and one brush.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/report/report_layout.h"
#include "framework/report/wmf_writer.h"

namespace fw::report {

// A font with everything inherited filled in.
struct PageFont {
    std::string name;
    int size = 10;      // points
    int style = Normal; // weight plus Italic
    int charSet = 0;

    // The logical font in thousandths of an inch: the character height of
    // `size` points (a point is 1/72 inch), negative as a character height.
    WmfLogFont logFont() const;
    // A line of text, for clipping a control that gives no height.
    int lineHeight() const;

    friend bool operator==(const PageFont&, const PageFont&) = default;
};

class PageCanvas {
public:
    // Lines and box borders are drawn this wide: a hairline of a hundredth
    // of an inch, which every zoom of a preview and every printer shows.
    static constexpr int LineWidth = 10;
    // The colour of the paper, and of the two pixels that mark the page's
    // extent in its top left and bottom right corners.
    static constexpr Color PaperWhite = 0x00FFFFFF;

    // A page of width by height thousandths of an inch, origin top left.
    PageCanvas(int width, int height);

    // Text with its top left corner at (x, y), transparent background; with
    // a clip rectangle it is cut to it.
    void drawText(int x, int y, std::string_view text, const PageFont& font, Color color,
                  std::optional<WmfRect> clip = std::nullopt);
    void drawLine(int x1, int y1, int x2, int y2, Color color);
    // A frame of the given size; the inside is not filled.
    void drawBox(int x, int y, int width, int height, Color border);

    // Deletes the objects still selected and answers the page's file bytes.
    std::vector<std::uint8_t> finish();

private:
    void markExtent(int width, int height);
    void usePen(Color color);
    void useNullBrush();

    WmfWriter m_writer;
    std::optional<PageFont> m_font;
    std::optional<Color> m_textColor;
    std::optional<Color> m_penColor;
    std::uint16_t m_fontObject = 0;
    std::uint16_t m_penObject = 0;
    std::uint16_t m_brushObject = 0;
    bool m_hasBrush = false;
};

} // namespace fw::report
