#include "demo/bulk_mail/bulk_mail.h"

#include <string>

#include "demo/dictionary/dictionary.h"
#include "demo/dictionary/records.h"
#include "demo/reports/report_procedures.h"
#include "engine/global_data.h"
#include "engine/zorvane/zorvane_globals.h"
#include "framework/ui/window.h"

namespace zorvane {

void BulkEmail(std::uint8_t teachers, std::uint8_t)
{
    fw::app::FileManager* customers = Access_CUSTOMER;
    if (customers == nullptr)
        return; // no dictionary: nothing to read from
    // A file that cannot be opened has been reported by its manager; reading
    // it anyway would only add a second message about the same fault.
    if (customers->open() != 0)
        return;
    if (customers->file().setRecordOrder()) {
        std::uint8_t count = 0;
        while (customers->next() == 0) {
            if (++count > BulkEmailCustomers)
                break;
            recipients = CUS.EMAIL.view();
            subject = "ATTN: " + CUS.NAME.str();
            engine::BMKG.Mode = engine::modeByte(engine::MailMode::SilentEmail);
            // The frame is this thread's window: its mode option shows the
            // new mode while the reports run.
            if (fw::ui::Window* frame = fw::ui::currentWindow())
                frame->redraw();
            if (teachers != 0)
                TarvenTeachers();
            else
                TarvenClasses();
        }
    }
    customers->close();
}

} // namespace zorvane
