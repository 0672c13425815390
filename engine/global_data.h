#pragma once
// The engine's global data: one block per program that every procedure
// shares. The settings of a mail run, the two queues through which callers
// hand body lines and extra attachments to the engine, and the three work
// files through which it writes and reads whole files.
//
// These are plain globals: procedures read and write them directly. Only one
// framework thread runs at a time and threads switch only while one waits, so
// no lock guards them; a whole mail run is kept from interleaving with another
// by the caller (see the mail hook).

#include <cstdint>
#include <utility>

#include "framework/core/module_init.h"
#include "framework/core/queue.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"

namespace engine {

using fw::core::Text;

// The mail mode, BMKG:Mode: what a run does with its pages. The mode is a
// byte that the frame's option, vextrel's command line and the bulk mail
// set, and no value is refused: a byte above SilentSave mails as
// EmailPreview does. So the global stays that byte, as the engine's entry
// points take it, and whatever acts on the mode asks the predicates below,
// each rule written once.
enum class MailMode : std::uint8_t {
    Print = 0,        // the report is previewed and printed; the engine is not called
    EmailPreview = 1, // the documents are built and the mail item is displayed
    SilentEmail = 2,  // the same; the bulk mail and vextrel's goods report run in it
    Save = 3,         // the documents are built and the named RTF document is opened
    SilentSave = 4,   // the documents are built; nothing is opened or mailed
};

constexpr std::uint8_t modeByte(MailMode mode) { return std::to_underlying(mode); }

constexpr bool isMode(std::uint8_t mode, MailMode which) { return mode == modeByte(which); }

// Modes 1 to 4: MakeHTMLFileBMKSW builds the RTF document and its copies.
constexpr bool buildsRTFDocument(std::uint8_t mode)
{
    return mode >= modeByte(MailMode::EmailPreview) && mode <= modeByte(MailMode::SilentSave);
}

// Modes 1, 2 and every value above 4: the mail is handed to SendEmail.
constexpr bool handsMailToSendEmail(std::uint8_t mode)
{
    return !isMode(mode, MailMode::Print) && !isMode(mode, MailMode::Save) && !isMode(mode, MailMode::SilentSave);
}

// Modes 1 and 2: SendEmail attaches the RTF document to the mail.
constexpr bool attachesRTFDocument(std::uint8_t mode)
{
    return isMode(mode, MailMode::EmailPreview) || isMode(mode, MailMode::SilentEmail);
}

// Settings of a mail run. Named BMKG after the program's global prefix.
struct MailGlobals {
    std::uint8_t Mode = modeByte(MailMode::Print); // BMKG:Mode, a MailMode as a byte
    Text<200> RTFpath;                             // BMKG:RTFpath: folder of a further RTF copy; blank means none
    Text<256> WorkFolder;                          // blank means the current directory followed by "\KR\"
    std::uint8_t JobNumber = 0;                    // names the run's page copies, HTML body file and RTF document
    std::int32_t PageWidth = 8000;                 // thousandths of an inch
    std::int32_t PageHeight = 12440;
    std::int32_t LeftMargin = 197;
    std::int32_t TopMargin = 197;
    Text<50> RTFName{"Report"}; // name of the named RTF copy and of the RTF attachment
};
extern MailGlobals BMKG;

struct OAQRecord {
    Text<255> FILENAME; // a full file path
};
struct OBQRecord {
    Text<255> LINE;
};
extern fw::core::Queue<OAQRecord> OAQ; // extra attachments, read by SendEmail
extern fw::core::Queue<OBQRecord> OBQ; // HTML body lines, read by MakeHTMLFileBMKSW

extern fw::fs::TextLineFile ORAF; // the HTML body, written and read back
extern fw::fs::ByteFile OROF;     // the RTF document being written
extern fw::fs::ByteFile ORIF;     // a page file being read

// What differs between the two programs that link the engine.
struct ProgramProfile {
    const char* program;            // "zorvane" or "vextrel"
    std::int32_t defaultBackground; // HTML body background when the caller gives 0 or less
    const char* sendEmailModuleKey; // module key of the "Send email" window
};
inline constexpr ProgramProfile ZorvaneProfile{"zorvane", 0x00FF00, "zorvane$zorvane"};
inline constexpr ProgramProfile VextrelProfile{"vextrel", 0xFFFFFF, "vextrel$vextrel"};

// The running program's profile; each program sets it before its main
// procedure runs (zorvane's by default).
const ProgramProfile& profile();
void setProfile(const ProgramProfile& profile);

// The engine's part of a program's data initialiser: its start blanks the
// RTF folder, the work folder and the three work files' names and records;
// its end releases the two queues.
void initialiseGlobalData(fw::core::ModuleStep step);

} // namespace engine
