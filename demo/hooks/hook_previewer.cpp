#include "demo/hooks/hook_previewer.h"

#include <string>
#include <vector>

#include "demo/hooks/mail_hook.h"
#include "engine/global_data.h"

namespace zorvane {

HookPreviewer::HookPreviewer(const MailSettings& settings) : m_settings(settings) {}

std::uint8_t HookPreviewer::display(const fw::report::PageQueue& pages)
{
    if (engine::isMode(engine::BMKG.Mode, engine::MailMode::Print))
        return Previewer::display(pages);
    std::vector<std::string> files;
    for (const fw::report::PageEntry& entry : pageQueue())
        files.push_back(entry.PRINTPREVIEWIMAGE.clipped());
    return runMailHook(m_settings, files);
}

} // namespace zorvane
