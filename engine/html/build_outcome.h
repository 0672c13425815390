#pragma once
// What the last build of MakeHTMLFileBMKSW came to, file by file.
//
// The builder's result byte says only whether the HTML body file was
// written: it is 0 also when the RTF document or a named copy was not made,
// because that is what the system's callers act on. A caller that must know
// more reads this record of the last build: vextrel, whose exit status and
// messages say which file was not made, and the mail hook, which must not
// mail or open an earlier run's document in place of this run's. Every call
// of the builder starts the record afresh; nothing else writes it.

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

enum class BuiltFile : std::uint8_t {
    HTMLBody,       // the HTML body file
    RTFDocument,    // the job's RTF document in the work folder
    RTFFolderCopy,  // the named copy in the RTF folder
    WorkFolderCopy, // the named copy in the work folder
};

struct BuildFailure {
    BuiltFile file;
    std::string path;   // the file's path as the builder formed it, in the system's own form of it
    std::string reason; // why, in words

    // One sentence naming the file, for instance
    // the HTML body file "out/kr12.html" could not be written: <reason>
    std::string text() const;
};

struct BuildOutcome {
    bool rtfStage = false; // the mode and the document name asked for the RTF document
    std::vector<BuildFailure> failures;

    bool complete() const { return failures.empty(); }
    bool failed(BuiltFile file) const;
    // The named copy in the work folder is this build's document.
    bool documentMade() const
    {
        return rtfStage && !failed(BuiltFile::RTFDocument) && !failed(BuiltFile::WorkFolderCopy);
    }
};

const BuildOutcome& lastBuild();

namespace detail {
// The builder's own access: the record it starts and fills.
BuildOutcome& startBuildRecord();
} // namespace detail

} // namespace engine
