// The RTF document: a fixed template, written as it stands, with the creation
// stamp, paper text, margins, picture size, picture scale and picture tag put
// in. The template is what a word processor of the day saved for one page
// holding a picture; readers accept it unchanged, so not one byte of it is
// "tidied". Lines end in CR LF only where a constant says so.
//
// Layout of a document:
//   header        H1 to H14, written once; H14 opens the paragraph group that
//                 holds the pictures and ends without a line break
//   per page      G1 G2 G3 (the same for every page), the page's hexadecimal
//                 lines, G5; each G5 closes the previous group and opens the
//                 next one, so the braces balance for any page count
//   trailer       a blank, CR LF, "\par }}" and nothing after it
//
// Sizes: page width and height arrive in thousandths of an inch and become
// hundredths of a millimetre (x 2.54) for \picw and \pich; the goals are
// twips taken from those truncated values (x 0.5669). The margins get the
// same x 2.54 and nothing more: \margl500 for a margin of 197, which is what
// this document has always carried. Every product is exact and then
// truncated toward zero, so the arithmetic is integer arithmetic.

#include "engine/rtf/rtf_writer.h"

#include <string_view>

#include "engine/global_data.h"
#include "framework/core/clock.h"
#include "framework/core/text.h"
#include "framework/fs/case_lookup.h"
#include "framework/fs/work_file.h"

namespace engine {

namespace {

using fw::core::toText;

constexpr const char* Layer = "RTF writer";
constexpr std::string_view CRLF = "\r\n";

// clang-format off
// Header lines H1 to H7: fixed.
constexpr std::string_view H1 = R"({\rtf1\ansi\ansicpg1252\uc1\deff0\stshfdbch0\stshfloch0\stshfhich0\stshfbi0\deflang3081\deflangfe3081{\fonttbl{\f0\froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;}{\f36\froman\fcharset238\fprq2 Times New Roman CE;})";
constexpr std::string_view H2 = R"({\f37\froman\fcharset204\fprq2 Times New Roman Cyr;}{\f39\froman\fcharset161\fprq2 Times New Roman Greek;}{\f40\froman\fcharset162\fprq2 Times New Roman Tur;}{\f41\froman\fcharset177\fprq2 Times New Roman (Hebrew);})";
constexpr std::string_view H3 = R"({\f42\froman\fcharset178\fprq2 Times New Roman (Arabic);}{\f43\froman\fcharset186\fprq2 Times New Roman Baltic;}}{\colortbl;\red0\green0\blue0;\red0\green0\blue255;\red0\green255\blue255;\red0\green255\blue0;\red255\green0\blue255;\red255\green0\blue0;)";
constexpr std::string_view H4 = R"(\red255\green255\blue0;\red255\green255\blue255;\red0\green0\blue128;\red0\green128\blue128;\red0\green128\blue0;\red128\green0\blue128;\red128\green0\blue0;\red128\green128\blue0;\red128\green128\blue128;\red192\green192\blue192;}{\stylesheet{)";
constexpr std::string_view H5 = R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs24\lang3081\langfe3081\cgrid\langnp3081\langfenp3081 \snext0 Normal;}{\*\cs10 \additive \ssemihidden Default Paragraph Font;}{\*)";
constexpr std::string_view H6 = R"(\ts11\tsrowd\trftsWidthB3\trpaddl108\trpaddr108\trpaddfl3\trpaddft3\trpaddfb3\trpaddfr3\trcbpat1\trcfpat1\tscellwidthfts0\tsvertalt\tsbrdrt\tsbrdrl\tsbrdrb\tsbrdrr\tsbrdrdgl\tsbrdrdgr\tsbrdrh\tsbrdrv )"; // ends with a blank
constexpr std::string_view H7 = R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs20\lang1024\langfe1024\cgrid\langnp1024\langfenp1024 \snext11 \ssemihidden Normal Table;}}{\*\rsidtbl \rsid13835495}{\*\generator Microsoft Word 10.0.2627;}{\info{\title   })"; // three blanks in the title

// H8: the rest of the information group, around the creation and revision
// stamps (the same values twice). Author, company and counts are fixed.
constexpr std::string_view H8Start = R"({\author Tavrimond K.}{\operator Tavrimond K.}{\creatim)";
constexpr std::string_view H8Revision = R"(}{\revtim)";
constexpr std::string_view H8End = R"(}{\version1}{\edmins4}{\nofpages2}{\nofwords0}{\nofchars2}{\*\company Korrin}{\nofcharsws2}{\vern16437}})";

// H9: paper text, margins, document formatting.
constexpr std::string_view H9Margl = R"(\margl)";
constexpr std::string_view H9Margt = R"(\margt)";
constexpr std::string_view H9End = R"(\widowctrl\ftnbj\aenddoc\noxlattoyen\expshrtn\noultrlspc\dntblnsbdb\nospaceforul\formshade\horzdoc\dgmargin\dghspace180\dgvspace180\dghorigin1800\dgvorigin1440\dghshow1\dgvshow1)";

// H10: more document formatting, then the section text of the orientation.
constexpr std::string_view H10 = R"(\jexpand\viewkind1\viewscale100\pgbrdrhead\pgbrdrfoot\splytwnine\ftnlytwnine\htmautsp\nolnhtadjtbl\useltbaln\alntblind\lytcalctblwd\lyttblrtgr\lnbrkrule\nobrkwrptbl\snaptogridincell\allowfieldendsel\)";
constexpr std::string_view SectionPortrait = R"(wrppunct\asianbrkrule\rsidroot13835495 \fet0\sectd )"; // ends with a blank
constexpr std::string_view SectionLandscape = R"(wrppunct\asianbrkrule\rsidroot13835495 \fet0\sectd \lndscpsxn)";

// H11 to H13: section formatting and the list levels.
constexpr std::string_view H11 = R"(\linex0\headery708\footery708\colsx708\endnhere\sectlinegrid360\sectdefaultcl\sftnbj {\*\pnseclvl1\pnucrm\pnstart1\pnindent720\pnhang {\pntxta .}}{\*\pnseclvl2\pnucltr\pnstart1\pnindent720\pnhang {\pntxta .}}{\*\pnseclvl3\pndec\pnstart1\pnindent720\pnhang)";
constexpr std::string_view H12 = R"({\pntxta .}}{\*\pnseclvl4\pnlcltr\pnstart1\pnindent720\pnhang {\pntxta )}}{\*\pnseclvl5\pndec\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl6\pnlcltr\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl7)";
constexpr std::string_view H13 = R"(\pnlcrm\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl8\pnlcltr\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}{\*\pnseclvl9\pnlcrm\pnstart1\pnindent720\pnhang {\pntxtb (}{\pntxta )}}\pard\plain )"; // ends with a blank

// H14: the paragraph that holds the pictures; no line break, the first
// picture group follows directly.
constexpr std::string_view H14 = R"(\ql \li0\ri0\widctlpar\aspalpha\aspnum\faauto\adjustright\rin0\lin0\itap0 \fs24\lang3081\langfe3081\cgrid\langnp3081\langfenp3081 {\insrsid13835495)";

// Picture group of one page.
constexpr std::string_view G1 = R"( {\pict{\*\picprop\shplid1026{\sp{\sn shapeType}{\sv 75}}{\sp{\sn fFlipH}{\sv 0}})"; // begins with a blank
constexpr std::string_view G2Start = R"({\sp{\sn fFlipV}{\sv 0}}{\sp{\sn pibFlags}{\sv 2}}{\sp{\sn fLine}{\sv 0}}{\sp{\sn fLayoutInCell}{\sv 1}}}\picscalex)";
constexpr std::string_view G2ScaleY = R"(\picscaley)";
constexpr std::string_view G2End = R"(\piccropl0\piccropr0\piccropt0\piccropb0)";
constexpr std::string_view G3Picw = R"(\picw)";
constexpr std::string_view G3Pich = R"(\pich)";
constexpr std::string_view G3Picwgoal = R"(\picwgoal)";
constexpr std::string_view G3Pichgoal = R"(\pichgoal)";
constexpr std::string_view G3Bliptag = R"(\wmetafile8\bliptag)";
constexpr std::string_view G3Blipuid = R"(\blipupi-58{\*\blipuid b09f3721717b6ae0a7a87d)"; // followed by the ten digits of the tag
constexpr std::string_view G3End = R"(})";
constexpr std::string_view G5 = R"(}}{\insrsid13835495)"; // no line break
// clang-format on

// Trailer: a blank, CR LF, and the closing of the paragraph and document.
constexpr std::string_view Trailer = " \r\n\\par }}";

// The picture tag: ten digits that fit a signed 32-bit value.
constexpr std::int32_t TagLow = 1111111111;
constexpr std::int32_t TagHigh = 1410065407;

struct PaperText {
    std::string_view name;
    std::string_view portrait;
    std::string_view landscape;
};
constexpr PaperText Papers[] = {
    {"A4", R"(\psz9\paperw11909\paperh16834)", R"(\psz9\paperw16834\paperh11909)"},
    {"A5", R"(\psz11\paperw8395\paperh11909)", R"(\psz11\paperw11909\paperh8395)"},
    {"Letter", R"(\psz1\paperw12270\paperh15880)", R"(\psz1\paperw15880\paperh12270)"},
};

std::string_view paperText(std::string_view paperName, bool landscape)
{
    const PaperText* chosen = &Papers[0]; // any other name is A4
    for (const PaperText& paper : Papers) {
        if (fw::core::sameText(paperName, paper.name))
            chosen = &paper;
    }
    return landscape ? chosen->landscape : chosen->portrait;
}

// The creation stamp. The time of day comes as hhmm; a leading zero of the
// hour or the minute is dropped, so 09:05 is hour 9 and minute 5, and 00:00
// is 0 and 0.
struct Stamp {
    std::string year, month, day, hour, minute;
};

std::string withoutLeadingZero(std::string_view twoDigits)
{
    std::string s(twoDigits);
    if (s[0] == '0')
        s[0] = ' ';
    return std::string(fw::core::clip(fw::core::trimLeft(s)));
}

// The clock is read once: the date and the time of day are parts of one
// instant. Read one after the other, a run across midnight would stamp the
// time of one day with the date of the next (and on 31 December the year of
// one with the month and day of the other).
Stamp readClock()
{
    const fw::core::LocalDateTime now = fw::core::localNow();
    const std::string hhmm = fw::core::timeHhmm(now);
    Stamp stamp;
    stamp.hour = withoutLeadingZero(std::string_view(hhmm).substr(0, 2));
    stamp.minute = withoutLeadingZero(std::string_view(hhmm).substr(2, 2));
    stamp.year = toText(now.year);
    stamp.month = toText(now.month);
    stamp.day = toText(now.day);
    return stamp;
}

std::string stampGroup(const Stamp& s)
{
    return std::string(R"(\yr)") + s.year + R"(\mo)" + s.month + R"(\dy)" + s.day + R"(\hr)" + s.hour + R"(\min)" +
           s.minute;
}

// Values derived once per document, each product truncated toward zero.
struct Geometry {
    std::int64_t PW, PH, ML, MT, GW, GH, PHL;
};

Geometry geometry(std::int32_t leftMargin, std::int32_t topMargin, std::int32_t pageWidth, std::int32_t pageHeight)
{
    Geometry g{};
    g.PW = std::int64_t{pageWidth} * 254 / 100;
    g.PH = std::int64_t{pageHeight} * 254 / 100;
    g.ML = std::int64_t{leftMargin} * 254 / 100;
    g.MT = std::int64_t{topMargin} * 254 / 100;
    g.GW = g.PW * 5669 / 10000;
    g.GH = g.PH * 5669 / 10000;
    g.PHL = g.PW * 10664 / 10000;
    return g;
}

std::string header(const Stamp& stamp, const Geometry& g, std::string_view paper, bool landscape)
{
    std::string h;
    h.reserve(3400);
    // clang-format off
    h += H1; h += CRLF;
    h += H2; h += CRLF;
    h += H3; h += CRLF;
    h += H4; h += CRLF;
    h += H5; h += CRLF;
    h += H6; h += CRLF;
    h += H7; h += CRLF;
    h += H8Start; h += stampGroup(stamp); h += H8Revision; h += stampGroup(stamp); h += H8End; h += CRLF;
    h += paper; h += H9Margl; h += toText(g.ML); h += H9Margt; h += toText(g.MT); h += H9End; h += CRLF;
    h += H10; h += landscape ? SectionLandscape : SectionPortrait; h += CRLF;
    h += H11; h += CRLF;
    h += H12; h += CRLF;
    h += H13; h += CRLF;
    // clang-format on
    h += H14;
    return h;
}

// G1 to G3, the same for every page of the document.
std::string pictureStart(const Geometry& g, std::string_view scale, std::string_view tag, bool landscape)
{
    const std::int64_t picw = landscape ? g.PH : g.PW;
    const std::int64_t pich = landscape ? g.PHL : g.PH;
    const std::int64_t picwgoal = landscape ? g.GH : g.GW;
    const std::int64_t pichgoal = landscape ? g.GW : g.GH;
    std::string p;
    // clang-format off
    p += G1; p += CRLF;
    p += G2Start; p += scale; p += G2ScaleY; p += scale; p += G2End; p += CRLF;
    p += G3Picw; p += toText(picw); p += G3Pich; p += toText(pich);
    p += G3Picwgoal; p += toText(picwgoal); p += G3Pichgoal; p += toText(pichgoal);
    p += G3Bliptag; p += tag; p += G3Blipuid; p += tag; p += G3End; p += CRLF;
    // clang-format on
    return p;
}

bool put(std::string_view bytes) { return OROF.write(std::span<const char>(bytes.data(), bytes.size())).has_value(); }

std::string pageFileName(std::size_t page)
{
    return BMKG.WorkFolder.clipped() + toText(BMKG.JobNumber) + toText(static_cast<std::int64_t>(page)) + ".WMF";
}

} // namespace

std::uint8_t MakeRTFFile(std::string outputPath, std::string paperName, std::uint8_t pageCount,
                         std::uint8_t pictureScale, std::int32_t leftMargin, std::int32_t topMargin,
                         std::int32_t pageWidth, std::int32_t pageHeight, std::uint8_t landscape)
{
    const auto written = writeRTFDocument(std::string(fw::core::clip(outputPath)), paperName, pageCount, pictureScale,
                                          leftMargin, topMargin, pageWidth, pageHeight, landscape);
    return written ? RTFResult::Complete : static_cast<std::uint8_t>(written.error().code);
}

fw::core::Expected<void> writeRTFDocument(const std::string& outputPath, std::string_view paperName,
                                          std::uint8_t pageCount, std::uint8_t pictureScale, std::int32_t leftMargin,
                                          std::int32_t topMargin, std::int32_t pageWidth, std::int32_t pageHeight,
                                          std::uint8_t landscape)
{
    const bool isLandscape = landscape != 0;
    const Stamp stamp = readClock();
    const Geometry g = geometry(leftMargin, topMargin, pageWidth, pageHeight);
    const std::string head = header(stamp, g, paperText(paperName, isLandscape), isLandscape);
    const std::string tag = toText(fw::core::randomInRange(TagLow, TagHigh));
    const std::string scale = pictureScale == 0 ? std::string("100") : toText(pictureScale);
    const std::string picture = pictureStart(g, scale, tag, isLandscape);

    const auto failure = [](std::uint8_t result, std::string reason) {
        return fw::core::fail(Layer, std::move(reason), result);
    };
    if (pageCount == 0)
        return failure(RTFResult::NotWritten, "the page count is 0");

    // A path that does not fit the document's name is refused, never cut
    // into the name of another file.
    if (!OROF.setName(outputPath))
        return failure(RTFResult::NotWritten, OROF.lastError().message);
    if (OROF.remove() != 0 || OROF.create() != 0 || OROF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return failure(RTFResult::NotWritten, OROF.lastError().message);

    // A document that is not whole (a page missing, a full disk) is
    // discarded: the caller would otherwise copy a broken file under the
    // report's name, and the earlier document would be lost for it.
    const auto abandon = [&failure](std::uint8_t result, std::string reason) {
        (void)OROF.discard(); // the document was not whole: nothing of it is kept, whatever the close says
        return failure(result, std::move(reason));
    };
    if (!put(head))
        return abandon(RTFResult::NotWritten, OROF.lastError().message);
    // The pages were all written before the build and none is added or
    // removed during it, so their folder is listed once for the case-blind
    // look-ups of their names ("12N.WMF" finds "12N.wmf"), not once a page.
    const fw::fs::FolderSnapshot pageFolders;
    for (std::size_t page = 1; page <= pageCount; ++page) {
        const std::string pageName = pageFileName(page);
        const std::string which = "page " + toText(page) + " of " + toText(pageCount);
        if (pageName.size() > ORIF.name.width)
            return abandon(RTFResult::PageFailed, which + ": the name of its file is " + toText(pageName.size()) +
                                                      " characters long, more than the " + toText(ORIF.name.width) +
                                                      " that a file name holds");
        if (!put(picture))
            return abandon(RTFResult::NotWritten, OROF.lastError().message);
        const std::uint8_t appended = AppendWMFHex(pageName);
        if (appended == 2)
            return abandon(RTFResult::NotWritten, OROF.lastError().message);
        if (appended != 0)
            return abandon(RTFResult::PageFailed, which + ": " + ORIF.lastError().message);
        if (!put(G5))
            return abandon(RTFResult::NotWritten, OROF.lastError().message);
    }
    if (!put(Trailer))
        return abandon(RTFResult::NotWritten, OROF.lastError().message);
    if (OROF.close() != 0)
        return failure(RTFResult::NotWritten, OROF.lastError().message);
    return {};
}

} // namespace engine
