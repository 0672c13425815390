#include "demo/sample_data/sample_files.h"

#include <array>
#include <fstream>
#include <string_view>

namespace zorvane {

namespace {

struct SampleFile {
    std::string_view name;
    std::string_view bytes;
};

// The ".doc" files are short RTF documents, which every word processor
// opens; the two program files are only named like programs and say so.
constexpr std::array<SampleFile, 8> kFiles{{
    {"Licence.doc", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 "
                    "{\\b Licence}\\par "
                    "This sample licence comes with the report mail demonstration. "
                    "You may copy it, mail it and print it as often as you like.\\par }\r\n"},
    {"Script.doc", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 "
                   "{\\b Script}\\par "
                   "1. Choose a report from the menu.\\par "
                   "2. Pick the mail mode.\\par "
                   "3. Watch the mail item appear with the report attached.\\par }\r\n"},
    {"Note.doc", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 "
                 "{\\b Note}\\par "
                 "The teachers list attached to this mail was printed a moment ago.\\par }\r\n"},
    {"Agenda.doc", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 "
                   "{\\b Agenda}\\par "
                   "Timetable review, room bookings, any other business.\\par }\r\n"},
    {"Minutes.doc", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs22 "
                    "{\\b Minutes}\\par "
                    "Present: the whole staff. The new class schedule was agreed.\\par }\r\n"},
    {"Scandskw.exe", "Stand-in for a program file of the report mail demonstration.\r\n"
                     "It is attached to a mail to show that any file can travel with one; it does not run.\r\n"},
    {"Winhelp.exe", "Stand-in for a help program of the report mail demonstration.\r\n"
                    "It is attached to a mail to show that any file can travel with one; it does not run.\r\n"},
    {"body_of_email.htm",
     "<HTML>\r\n<HEAD>\r\n<TITLE>Report mail demonstration</TITLE>\r\n</HEAD>\r\n"
     "<BODY BGCOLOR=#FFFFFF>\r\n"
     "<P><FONT face=Arial size=3>Hello,</FONT></P>\r\n"
     "<P><FONT face=Arial size=3>This body was written beforehand and read from the file "
     "body_of_email.htm.</FONT></P>\r\n"
     "<P><FONT face=Arial size=3 color=#0000FF>The attached document was printed for you.</FONT></P>\r\n"
     "<P><FONT face=Arial size=2>Regards,<BR>The demonstration team</FONT></P>\r\n"
     "</BODY>\r\n</HTML>\r\n"},
}};

} // namespace

std::string writeSampleFiles()
{
    for (const SampleFile& f : kFiles) {
        std::ofstream out{std::string(f.name), std::ios::binary | std::ios::trunc};
        out << f.bytes;
        out.close();
        if (!out)
            return "cannot write " + std::string(f.name);
    }
    return {};
}

} // namespace zorvane
