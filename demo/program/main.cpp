// zorvane: the interactive demonstration of the report mail engine.

#include <filesystem>
#include <system_error>

#include "demo/program/program_modules.h"
#include "engine/zorvane/startup.h"
#include "framework/ui/program.h"

namespace {

// The pictures lie in "resources" beside the program once it is installed,
// and in the build tree where they were drawn while it is not.
std::string resourceFolder(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path beside = (error ? std::filesystem::path(argv0) : self).parent_path() / "resources";
    if (std::filesystem::is_directory(beside, error))
        return beside.string();
    return ZORVANE_RESOURCE_DIR;
}

} // namespace

int main(int argc, char** argv)
{
    zorvane::registerProgramModules(resourceFolder(argc > 0 ? argv[0] : ""));
    return fw::ui::runProgram(argc, argv, &zorvane::programMain);
}
