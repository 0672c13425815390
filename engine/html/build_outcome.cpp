#include "engine/html/build_outcome.h"

#include <algorithm>

namespace engine {

namespace {

BuildOutcome& record()
{
    static BuildOutcome outcome;
    return outcome;
}

} // namespace

std::string BuildFailure::text() const
{
    const std::string quoted = "\"" + path + "\"";
    switch (file) {
    case BuiltFile::HTMLBody:
        return "the HTML body file " + quoted + " could not be written: " + reason;
    case BuiltFile::RTFDocument:
        return "the RTF document " + quoted + " was not built: " + reason;
    case BuiltFile::RTFFolderCopy:
        return "the named copy " + quoted + " in the RTF folder was not made: " + reason;
    case BuiltFile::WorkFolderCopy:
        return "the named copy " + quoted + " was not made: " + reason;
    }
    return reason;
}

bool BuildOutcome::failed(BuiltFile file) const
{
    return std::ranges::any_of(failures, [file](const BuildFailure& f) { return f.file == file; });
}

const BuildOutcome& lastBuild() { return record(); }

namespace detail {

BuildOutcome& startBuildRecord()
{
    record() = BuildOutcome{};
    return record();
}

} // namespace detail

} // namespace engine
