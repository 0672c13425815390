// The HTML body file. Every head line carries a CR LF of its own and the
// text-line file ends each line with another, so lines 1 to 8 end in
// CR LF CR LF and the closing line in a single CR LF:
//
//   1  <!DOCTYPE ...>                      always
//   2  <HTML><HEAD>                        always
//   3  <META content=... Content-Type>     always
//   4  <META ... GENERATOR></HEAD>         always
//   5  <BODY bgColor=#RRGGBB><DIV>         always
//   6  <FONT face="..." size=N color=#RRGGBB>   only with body lines
//   7  one line per body line, then <br>        only with body lines
//   8  </FONT>                                  only with body lines
//   9  </DIV></BODY></HTML>                always
//
// Body lines and the font name are written as they are: a body line may hold
// tags of its own. A head line longer than the record (256) is cut there; a
// body line is always written whole with its "<br>", because a cut would
// leave a broken tag in the mail.

#include "engine/html/html_builder.h"

#include <string_view>

#include "engine/folders/make_folders.h"
#include "engine/global_data.h"
#include "engine/rtf/rtf_writer.h"
#include "framework/core/text.h"
#include "framework/fs/file_ops.h"
#include "framework/fs/work_file.h"

namespace engine {

namespace {

using fw::core::clip;
using fw::core::toText;

constexpr std::string_view CRLF = "\r\n";

constexpr std::string_view Line1 = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">)";
constexpr std::string_view Line2 = R"(<HTML><HEAD>)";
constexpr std::string_view Line3 = R"(<META content="text/html; charset=iso-8859-1" http-equiv=Content-Type>)";
constexpr std::string_view Line4 = R"(<META content="MSHTML 5.00.2614.3500" name=GENERATOR></HEAD>)";
constexpr std::string_view Line5Start = R"(<BODY bgColor=#)";
constexpr std::string_view Line5End = R"(><DIV>)";
constexpr std::string_view Line6Face = R"(<FONT face=")";
constexpr std::string_view Line6Size = R"(" size=)";
constexpr std::string_view Line6Color = R"( color=#)";
constexpr std::string_view Line6End = R"(>)";
constexpr std::string_view Line7End = R"(<br>)";
constexpr std::string_view Line8 = R"(</FONT>)";
constexpr std::string_view Line9 = R"(</DIV></BODY></HTML>)";

// A head line goes through the record, which cuts it at its width.
void writeHeadLine(const std::string& text)
{
    ORAF.LINE = text;
    ORAF.append();
}

std::string withCRLF(std::string_view text) { return std::string(text) + std::string(CRLF); }

} // namespace

std::string ColorToHex(std::int32_t color)
{
    constexpr char digits[] = "0123456789ABCDEF";
    const auto value = static_cast<std::uint32_t>(color) & 0xFFFFFFu;
    // The long holds blue, green, red from the top; HTML wants red first.
    const std::uint8_t bytes[3] = {static_cast<std::uint8_t>(value & 0xFF),          // red
                                   static_cast<std::uint8_t>((value >> 8) & 0xFF),   // green
                                   static_cast<std::uint8_t>((value >> 16) & 0xFF)}; // blue
    std::string hex;
    for (std::uint8_t b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}

std::uint8_t MakeHTMLFileBMKSW(std::string htmlPath, std::uint8_t pageCount, std::int32_t background,
                               std::uint8_t pictureScale, std::string rtfName, std::string rtfFolder,
                               std::string fontName, std::uint8_t fontSize, std::int32_t fontColor,
                               std::int32_t leftMargin, std::int32_t topMargin, std::int32_t pageWidth,
                               std::int32_t pageHeight, std::uint8_t mode, std::uint8_t landscape, std::string paper)
{
    ORAF.name = clip(htmlPath);
    ORAF.remove();
    ORAF.create();
    if (ORAF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return HTMLResult::NotOpened;

    writeHeadLine(withCRLF(Line1));
    writeHeadLine(withCRLF(Line2));
    writeHeadLine(withCRLF(Line3));
    writeHeadLine(withCRLF(Line4));

    const std::int32_t backgroundColor = background > 0 ? background : profile().defaultBackground;
    writeHeadLine(std::string(Line5Start) + ColorToHex(backgroundColor) + std::string(Line5End) + std::string(CRLF));

    const std::int32_t textColor = fontColor > 0 ? fontColor : 0;
    if (const std::size_t lines = OBQ.count(); lines > 0) {
        writeHeadLine(std::string(Line6Face) + std::string(clip(fontName)) + std::string(Line6Size) + toText(fontSize) +
                      std::string(Line6Color) + ColorToHex(textColor) + std::string(Line6End) + std::string(CRLF));
        for (std::size_t n = 1; n <= lines; ++n) {
            const OBQRecord* entry = OBQ.fetch(n);
            ORAF.append(std::string(entry->LINE.clippedView()) + std::string(Line7End) + std::string(CRLF));
        }
        writeHeadLine(withCRLF(Line8));
    }
    writeHeadLine(std::string(Line9));

    const bool rtfStage = mode >= 1 && mode <= 4 && !fw::core::isBlank(rtfName);
    if (rtfStage) {
        const std::string workFolder = BMKG.WorkFolder.clipped();
        const std::string document = workFolder + toText(BMKG.JobNumber) + ".RTF";
        const std::string namedFile = std::string(clip(rtfName)) + ".RTF";
        if (MakeRTFFile(document, paper, pageCount, pictureScale, leftMargin, topMargin, pageWidth, pageHeight,
                        landscape) == RTFResult::Complete) {
            if (!fw::core::isBlank(rtfFolder)) {
                std::string folder(clip(rtfFolder));
                if (folder.back() != '\\')
                    folder += '\\';
                MakeFolders(folder);
                (void)fw::fs::copyFile(document, folder + namedFile);
            }
            (void)fw::fs::copyFile(document, workFolder + namedFile);
        }
    }

    ORAF.close();
    return HTMLResult::Written;
}

} // namespace engine
