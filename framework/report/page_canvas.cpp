#include "framework/report/page_canvas.h"

#include <cstdlib>

namespace fw::report {

WmfLogFont PageFont::logFont() const
{
    WmfLogFont f;
    f.height = -((size * 1000 + 36) / 72);
    f.weight = style & ~Italic & 0x0FFF;
    f.italic = (style & Italic) != 0;
    f.charSet = static_cast<std::uint8_t>(charSet);
    f.faceName = name;
    return f;
}

int PageFont::lineHeight() const
{
    // A character height plus generous room for leading and descenders: a
    // clip rectangle must never cut the text it is meant to keep.
    return std::abs(logFont().height) * 3 / 2;
}

PageCanvas::PageCanvas(int width, int height) : m_writer({0, 0, width, height}, 1000)
{
    m_writer.setWindowOrg(0, 0);
    m_writer.setWindowExt(width, height);
    m_writer.setBkMode(WmfWriter::Transparent);
    m_writer.setTextAlign(WmfWriter::AlignLeftTop);
    markExtent(width, height);
}

void PageCanvas::markExtent(int width, int height)
{
    // Readers built on libwmf (wmf2svg, AbiWord, ImageMagick) fit what a
    // picture draws to the picture, whatever its header says: a page whose
    // drawing stops short of its edges comes out zoomed onto its content.
    // A pixel at the page's first and at its last point makes the drawing
    // span the whole page. A pixel takes its colour from its own record, so
    // no pen or brush is created or selected and every other record of the
    // page stays as it was; white is the paper's colour, so neither shows on
    // screen, on a printed sheet or in an RTF document.
    m_writer.setPixel(0, 0, PaperWhite);
    m_writer.setPixel(width - 1, height - 1, PaperWhite);
}

void PageCanvas::drawText(int x, int y, std::string_view text, const PageFont& font, Color color,
                          std::optional<WmfRect> clip)
{
    if (m_font != font) {
        const std::uint16_t previous = m_fontObject;
        m_fontObject = m_writer.createFontIndirect(font.logFont());
        m_writer.selectObject(m_fontObject);
        if (m_font)
            m_writer.deleteObject(previous);
        m_font = font;
    }
    if (m_textColor != color) {
        m_writer.setTextColor(color);
        m_textColor = color;
    }
    if (clip)
        m_writer.extTextOut(x, y, text, clip);
    else
        m_writer.textOut(x, y, text);
}

void PageCanvas::usePen(Color color)
{
    if (m_penColor == color)
        return;
    const std::uint16_t previous = m_penObject;
    m_penObject = m_writer.createPenIndirect(WmfWriter::PenSolid, LineWidth, color);
    m_writer.selectObject(m_penObject);
    if (m_penColor)
        m_writer.deleteObject(previous);
    m_penColor = color;
}

void PageCanvas::useNullBrush()
{
    if (m_hasBrush)
        return;
    m_brushObject = m_writer.createBrushIndirect(WmfWriter::BrushNull, 0);
    m_writer.selectObject(m_brushObject);
    m_hasBrush = true;
}

void PageCanvas::drawLine(int x1, int y1, int x2, int y2, Color color)
{
    usePen(color);
    m_writer.moveTo(x1, y1);
    m_writer.lineTo(x2, y2);
}

void PageCanvas::drawBox(int x, int y, int width, int height, Color border)
{
    usePen(border);
    useNullBrush();
    m_writer.rectangle(x, y, x + width, y + height);
}

std::vector<std::uint8_t> PageCanvas::finish()
{
    if (m_font)
        m_writer.deleteObject(m_fontObject);
    if (m_penColor)
        m_writer.deleteObject(m_penObject);
    if (m_hasBrush)
        m_writer.deleteObject(m_brushObject);
    m_font.reset();
    m_penColor.reset();
    m_hasBrush = false;
    return m_writer.file();
}

} // namespace fw::report
