#include "demo/notice/notice.h"

#include <memory>

#include "demo/notice/notice_layout.h"
#include "framework/app/error_manager.h"
#include "framework/core/module_init.h"
#include "framework/core/thread_values.h"
#include "framework/ui/toolbar_manager.h"
#include "framework/ui/window.h"
#include "framework/ui/window_manager.h"

namespace zorvane {

using fw::ui::Event;
using fw::ui::Window;
namespace KeyCode = fw::ui::KeyCode;

namespace {

// The alert slots the notice uses for the mouse actions that close it.
struct Alert {
    int slot;
    int keyCode;
};
constexpr Alert closingAlerts[] = {
    {255, KeyCode::MouseLeft},
    {254, KeyCode::MouseLeftDouble},
    {253, KeyCode::MouseRight},
};

class NoticeManager : public fw::ui::WindowManager {
public:
    explicit NoticeManager(Window& window) : WindowManager(window) {}

    [[nodiscard]] std::uint8_t init() override
    {
        fw::app::globalErrors().setProcedureName("Popup");
        request = fw::core::threadValues().request;
        if (const std::uint8_t level = WindowManager::init())
            return level;
        setToolbar(&m_toolbar);
        fw::core::threadValues().request = 0;
        fw::core::threadValues().response = 0;
        window().open();
        opened = true;
        window().setTimer(0);
        for (const Alert& alert : closingAlerts)
            window().setAlertKey(alert.slot, alert.keyCode);
        setAlerts();
        return 0;
    }

    [[nodiscard]] std::uint8_t kill() override
    {
        if (const std::uint8_t level = WindowManager::kill())
            return level;
        fw::app::globalErrors().restoreProcedureName();
        return 0;
    }

    [[nodiscard]] std::uint8_t takeWindowEvent() override
    {
        const std::uint8_t result = WindowManager::takeWindowEvent();
        if (closes(window().event(), window().keyCode()))
            window().post(Event::CloseWindow);
        return result;
    }

private:
    static bool closes(Event event, int keyCode)
    {
        if (event == Event::FocusLost)
            return true;
        if (event != Event::AlertKey)
            return false;
        for (const Alert& alert : closingAlerts)
            if (alert.keyCode == keyCode)
                return true;
        return false;
    }

    fw::ui::ToolbarManager m_toolbar;
};

} // namespace

void Popup()
{
    auto created = Window::create(NoticeLabel, NoticeModuleKey);
    if (!created) {
        fw::core::threadValues().response = fw::ui::Response::Cancelled;
        return;
    }
    std::unique_ptr<Window> window = std::move(*created);
    {
        NoticeManager manager(*window);
        fw::core::threadValues().response = manager.run();
    }
    window->close();
}

void registerNoticeModule()
{
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            fw::ui::registerLayout(noticeLayout());
    });
}

} // namespace zorvane
