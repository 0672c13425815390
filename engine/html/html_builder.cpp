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
#include "engine/html/build_outcome.h"
#include "engine/rtf/rtf_writer.h"
#include "framework/core/text.h"
#include "framework/fs/file_ops.h"
#include "framework/fs/path.h"
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
bool writeHeadLine(const std::string& text)
{
    ORAF.LINE = text;
    return ORAF.append() == 0;
}

std::string withCRLF(std::string_view text) { return std::string(text) + std::string(CRLF); }

// The lines of the HTML body file, in order, into ORAF; false when one of
// them could not be written.
bool writeBody(std::int32_t background, const std::string& fontName, std::uint8_t fontSize, std::int32_t fontColor)
{
    bool written = writeHeadLine(withCRLF(Line1)) && writeHeadLine(withCRLF(Line2)) && writeHeadLine(withCRLF(Line3)) &&
                   writeHeadLine(withCRLF(Line4));

    const std::int32_t backgroundColor = background > 0 ? background : profile().defaultBackground;
    written = written && writeHeadLine(std::string(Line5Start) + ColorToHex(backgroundColor) + std::string(Line5End) +
                                       std::string(CRLF));

    const std::int32_t textColor = fontColor > 0 ? fontColor : 0;
    if (const std::size_t lines = OBQ.count(); lines > 0) {
        written = written && writeHeadLine(std::string(Line6Face) + std::string(clip(fontName)) +
                                           std::string(Line6Size) + toText(fontSize) + std::string(Line6Color) +
                                           ColorToHex(textColor) + std::string(Line6End) + std::string(CRLF));
        for (std::size_t n = 1; written && n <= lines; ++n) {
            const OBQRecord* entry = OBQ.fetch(n);
            const std::string line = std::string(entry->LINE.clippedView()) + std::string(Line7End) + std::string(CRLF);
            written = ORAF.append(line) == 0;
        }
        written = written && writeHeadLine(withCRLF(Line8));
    }
    return written && writeHeadLine(std::string(Line9));
}

void recordFailure(BuildOutcome& outcome, BuiltFile file, std::string_view path, std::string reason)
{
    outcome.failures.push_back(BuildFailure{file, fw::fs::toNative(path).string(), std::move(reason)});
}

// The RTF document of the job and its named copies. A document that fails
// takes the work folder's named copy of the same name with it, so that an
// earlier run's document is never mailed or opened as this run's; a named
// copy that fails does the same. A copy in the RTF folder, the user's own
// folder, is only ever replaced by a complete document.
void buildRTFStage(BuildOutcome& outcome, std::uint8_t pageCount, std::uint8_t pictureScale, std::string_view rtfName,
                   std::string_view rtfFolder, std::int32_t leftMargin, std::int32_t topMargin, std::int32_t pageWidth,
                   std::int32_t pageHeight, std::uint8_t landscape, std::string_view paper)
{
    outcome.rtfStage = true;
    const std::string workFolder = BMKG.WorkFolder.clipped();
    const std::string document = workFolder + toText(BMKG.JobNumber) + ".RTF";
    const std::string namedFile = std::string(clip(rtfName)) + ".RTF";
    const std::string workCopy = workFolder + namedFile;

    // Without a work folder the names would fall into the current
    // directory, where other files live.
    if (workFolder.empty()) {
        recordFailure(outcome, BuiltFile::RTFDocument, document, "no work folder is set");
        return;
    }
    if (auto built = writeRTFDocument(document, paper, pageCount, pictureScale, leftMargin, topMargin, pageWidth,
                                      pageHeight, landscape);
        !built) {
        recordFailure(outcome, BuiltFile::RTFDocument, document, built.error().message);
        // With no pages asked for, no document was wanted: an earlier one stays.
        // A copy that is not there is no error, and one that cannot go is
        // not this run's: the record above says so to every caller.
        if (pageCount > 0)
            (void)fw::fs::removeFile(workCopy);
        return;
    }
    if (!fw::core::isBlank(rtfFolder)) {
        std::string folder(clip(rtfFolder));
        const std::size_t width = BMKG.RTFpath.width;
        if (folder.back() != '\\')
            folder += '\\';
        if (clip(rtfFolder).size() > width) {
            recordFailure(outcome, BuiltFile::RTFFolderCopy, folder + namedFile,
                          "the RTF folder is " + toText(static_cast<std::int64_t>(clip(rtfFolder).size())) +
                              " characters long, more than the " + toText(static_cast<std::int64_t>(width)) +
                              " that it holds");
        } else {
            MakeFolders(folder);
            if (auto copied = fw::fs::copyFile(document, folder + namedFile); !copied)
                recordFailure(outcome, BuiltFile::RTFFolderCopy, folder + namedFile, copied.error().message);
        }
    }
    if (auto copied = fw::fs::copyFile(document, workCopy); !copied) {
        recordFailure(outcome, BuiltFile::WorkFolderCopy, workCopy, copied.error().message);
        // As above: the record already says that this copy is not this run's.
        (void)fw::fs::removeFile(workCopy);
    }
}

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
    BuildOutcome& outcome = detail::startBuildRecord();
    const std::string_view bodyPath = clip(htmlPath);
    const auto bodyFailed = [&outcome, bodyPath]() {
        recordFailure(outcome, BuiltFile::HTMLBody, bodyPath, ORAF.lastError().message);
        return HTMLResult::NotOpened;
    };

    // A path that does not fit the body file's name is refused, never cut
    // into the name of another file.
    if (!ORAF.setName(bodyPath))
        return bodyFailed();
    if (ORAF.remove() != 0 || ORAF.create() != 0 || ORAF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return bodyFailed();
    // The body is complete only once it is closed: a line that could not be
    // written, or a close that failed, leaves the earlier body file as it
    // was, and the documents are not built for a mail without its body.
    if (!writeBody(background, fontName, fontSize, fontColor)) {
        recordFailure(outcome, BuiltFile::HTMLBody, bodyPath, ORAF.lastError().message);
        (void)ORAF.discard(); // the body was not whole: nothing of it is kept, whatever the close says
        return HTMLResult::NotOpened;
    }
    if (ORAF.close() != 0)
        return bodyFailed();

    if (buildsRTFDocument(mode) && !fw::core::isBlank(rtfName))
        buildRTFStage(outcome, pageCount, pictureScale, rtfName, rtfFolder, leftMargin, topMargin, pageWidth,
                      pageHeight, landscape, paper);
    return HTMLResult::Written;
}

} // namespace engine
