#include "framework/app/file_opener.h"

#include "framework/app/message_presenter.h"
#include "framework/core/error_codes.h"
#include "framework/core/text.h"
#include "framework/data/error_text.h"

namespace fw::app {

namespace Code = fw::core::ErrorCode;

fw::core::Expected<void> openDataFile(fw::data::DataFile& file, std::string_view displayName, CreateWhenMissing create,
                                      fw::data::Access access)
{
    auto opened = file.open(access);
    if (!opened && opened.error().code == Code::FileNotFound && create == CreateWhenMissing::Yes) {
        opened = file.create();
        if (opened)
            opened = file.open(access);
    }
    if (!opened && opened.error().code == Code::FileLocked) {
        file.sendCommand("Recover=" + fw::core::toText(kStockLockRecover));
        opened = file.open(access);
    }
    if (!opened && opened.error().code == Code::KeyNeedsRebuild) {
        const unsigned answer = presentMessage(
            MessageRequest{"The keys of the " + std::string(displayName) + " file are damaged.|Rebuild them now?",
                           "Key Needs Rebuilding", fw::ui::Icon::Question, fw::ui::Button::Yes | fw::ui::Button::No,
                           fw::ui::Button::Yes});
        if (answer == fw::ui::Button::Yes) {
            opened = file.rebuildKeys();
            if (opened)
                opened = file.open(access);
        }
    }
    if (opened)
        return {};
    presentMessage(MessageRequest{"Error: (" + fw::data::errorText(opened.error().code) + ") attempting to open the " +
                                      std::string(displayName) + " file.|" + opened.error().text(),
                                  "File Access Error", fw::ui::Icon::Hand, fw::ui::Button::Ok, fw::ui::Button::Ok});
    halt("Disk Error");
    return opened;
}

} // namespace fw::app
