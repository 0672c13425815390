// The frame's window procedure.
//
// The frame owns two pieces of state of its own: the explanation shown
// beside the mode option, and the thread number of the notice window. The
// notice is started when the frame's window opens; the first window-level
// accepted event the frame sees afterwards tells the notice to close (it may
// have closed itself meanwhile, on a click or when it lost the focus; a post
// to an ended thread is dropped). The RTF folder label and entry are shown
// only while the option stands at Silent save.

#include "demo/frame/frame.h"

#include <memory>

#include "demo/frame/frame_layout.h"
#include "demo/frame/frame_procedures.h"
#include "demo/notice/notice.h"
#include "engine/global_data.h"
#include "engine/shell/shell_open.h"
#include "framework/app/error_manager.h"
#include "framework/core/module_init.h"
#include "framework/core/text.h"
#include "framework/core/thread_values.h"
#include "framework/threads/scheduler.h"
#include "framework/ui/toolbar_manager.h"
#include "framework/ui/window.h"
#include "framework/ui/window_manager.h"

namespace zorvane {

using engine::BMKG;
using fw::ui::Event;
using fw::ui::Window;

namespace {

struct FrameLocals {
    fw::core::Text<200> explanation;
    fw::threads::ThreadNumber noticeThread = 0;
};

class FrameManager : public fw::ui::WindowManager {
public:
    FrameManager(Window& window, FrameLocals& locals) : WindowManager(window), m_locals(locals) {}

    [[nodiscard]] std::uint8_t init() override
    {
        fw::app::globalErrors().setProcedureName("Main");
        request = fw::core::threadValues().request;
        if (const std::uint8_t level = WindowManager::init())
            return level;
        setToolbar(&m_toolbar);
        BMKG.Mode = engine::modeByte(engine::MailMode::EmailPreview);
        fw::core::threadValues().request = 0;
        fw::core::threadValues().response = 0;
        window().open();
        opened = true;
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
        switch (window().event()) {
        case Event::OpenWindow:
            m_locals.noticeThread = fw::threads::start(&Popup, 0);
            break;
        case Event::Accepted:
            if (m_locals.noticeThread != 0) {
                fw::ui::postEvent(m_locals.noticeThread, Event::CloseWindow);
                m_locals.noticeThread = 0;
            }
            break;
        default:
            break;
        }
        return result;
    }

    [[nodiscard]] std::uint8_t takeAccepted() override
    {
        const int accepted = window().accepted();
        if (accepted == FrameControl::EmailReportFrom)
            engine::ShellOpen(static_cast<std::int32_t>(window().systemHandle()), std::string(MakerWebPage));
        else
            runMenuAction(accepted);

        const std::uint8_t result = WindowManager::takeAccepted();

        if (accepted == FrameControl::ModeOption) {
            window().hide(FrameControl::RTFpathLabel);
            window().hide(FrameControl::RTFpathEntry);
            if (const auto text = modeExplanation(BMKG.Mode))
                m_locals.explanation = *text;
            if (engine::isMode(BMKG.Mode, engine::MailMode::SilentSave)) {
                window().show(FrameControl::RTFpathLabel);
                window().show(FrameControl::RTFpathEntry);
            }
            window().redraw();
        }
        return result;
    }

private:
    static void runMenuAction(int accepted)
    {
        for (const MenuAction& action : menuActions()) {
            if (action.item != accepted || !action.procedure)
                continue;
            // A copy: the procedure runs while the frame waits, and nothing
            // it does may pull the table from under it.
            const std::function<void()> procedure = action.procedure;
            if (action.runOn == RunOn::NewThread)
                fw::threads::start(procedure, action.stackSize);
            else
                procedure();
            return;
        }
    }

    FrameLocals& m_locals;
    fw::ui::ToolbarManager m_toolbar;
};

} // namespace

void Main()
{
    FrameLocals locals;
    locals.explanation = *modeExplanation(engine::modeByte(engine::MailMode::EmailPreview));
    locals.noticeThread = 0;

    auto created = Window::create(FrameLabel, FrameModuleKey,
                                  {fw::core::Binding::of(BMKG.Mode), fw::core::Binding::of(BMKG.Mode),
                                   fw::core::Binding::of(BMKG.RTFpath), fw::core::Binding::of(locals.explanation)});
    if (!created) {
        fw::core::threadValues().response = fw::ui::Response::Cancelled;
        return;
    }
    std::unique_ptr<Window> window = std::move(*created);
    {
        FrameManager manager(*window, locals);
        fw::core::threadValues().response = manager.run();
    }
    window->close();
}

void registerFrameModule()
{
    fw::core::registerModuleInitialiser(fw::core::ProgramModulePriority, [](fw::core::ModuleStep step) {
        if (step == fw::core::ModuleStep::Start)
            fw::ui::registerLayout(frameLayout());
    });
}

} // namespace zorvane
