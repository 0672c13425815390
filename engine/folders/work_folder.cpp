#include "engine/folders/work_folder.h"

#include <string>

#include "engine/global_data.h"
#include "framework/core/text.h"
#include "framework/fs/path.h"

namespace engine {

fw::core::Expected<void> settleWorkFolder()
{
    std::string folder = BMKG.WorkFolder.clipped();
    if (folder.empty())
        folder = fw::fs::currentDirectory() + "\\KR\\";
    else if (folder.back() != '\\')
        folder += '\\';
    if (folder.size() > BMKG.WorkFolder.width) {
        BMKG.WorkFolder.clear();
        const std::string why = folder + " is " + fw::core::toText(static_cast<std::int64_t>(folder.size())) +
                                " characters long, more than the " +
                                fw::core::toText(static_cast<std::int64_t>(BMKG.WorkFolder.width)) +
                                " that the work folder holds";
        return fw::core::fail("Work folder", why);
    }
    BMKG.WorkFolder = folder;
    return {};
}

} // namespace engine
