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

#include "framework/core/queue.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"

namespace engine {

using fw::core::Text;

// Settings of a mail run. Named BMKG after the program's global prefix.
struct MailGlobals {
    std::uint8_t Mode = 0;        // BMKG:Mode: 0 Print, 1 Email Preview, 2 Silent email, 3 Save, 4 Silent save
    Text<200> RTFpath;            // BMKG:RTFpath: folder of a further RTF copy; blank means none
    Text<256> WorkFolder;         // blank means the current directory followed by "\KR\"
    std::uint8_t JobNumber = 0;   // names the run's page copies, HTML body file and RTF document
    std::int32_t PageWidth = 8000;  // thousandths of an inch
    std::int32_t PageHeight = 12440;
    std::int32_t LeftMargin = 197;
    std::int32_t TopMargin = 197;
    Text<50> RTFName{"Report"};   // name of the named RTF copy and of the RTF attachment
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
    const char* program;               // "zorvane" or "vextrel"
    std::int32_t defaultBackground;    // HTML body background when the caller gives 0 or less
    const char* sendEmailModuleKey;    // module key of the "Send email" window
};
inline constexpr ProgramProfile ZorvaneProfile{"zorvane", 0x00FF00, "zorvane$zorvane"};
inline constexpr ProgramProfile VextrelProfile{"vextrel", 0xFFFFFF, "vextrel$vextrel"};

// The running program's profile; each program sets it before its main
// procedure runs (zorvane's by default).
const ProgramProfile& profile();
void setProfile(const ProgramProfile& profile);

// The engine's part of a program's data initialiser: flag 0 blanks the RTF
// folder, the work folder and the three work files' names and records; any
// other flag releases the two queues.
void initialiseGlobalData(int flag);

} // namespace engine
