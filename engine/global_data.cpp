#include "engine/global_data.h"

#include "framework/core/thread_values.h"

namespace engine {

// The load values are the initialisers of the declarations (global_data.h):
// mail mode 0, the page geometry 8000 by 12440 with margins 197, the document
// name "Report", every text blank and both queues empty.
MailGlobals BMKG;
fw::core::Queue<OAQRecord> OAQ;
fw::core::Queue<OBQRecord> OBQ;
fw::fs::TextLineFile ORAF;
fw::fs::ByteFile OROF;
fw::fs::ByteFile ORIF;

namespace {
ProgramProfile currentProfile = ZorvaneProfile;
} // namespace

const ProgramProfile& profile() { return currentProfile; }

void setProfile(const ProgramProfile& profile) { currentProfile = profile; }

void initialiseGlobalData(fw::core::ModuleStep step)
{
    if (step == fw::core::ModuleStep::Start) {
        BMKG.RTFpath.clear();
        BMKG.WorkFolder.clear();
        ORAF.name.clear();
        OROF.name.clear();
        ORIF.name.clear();
        ORAF.LINE.clear();
        OROF.LINE.clear();
        ORIF.LINE.clear();
        // The per-thread values of the thread that starts the program; every
        // later thread begins with its own zeroed copy.
        fw::core::threadValues() = fw::core::ThreadValues{};
        return;
    }
    OAQ.free();
    OBQ.free();
}

} // namespace engine
