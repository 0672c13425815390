#pragma once
// Keeping whole mail runs apart.
//
// A mail run (settle the work folder, copy the pages, build the documents,
// mail, clean up) works on process-wide globals: the work folder, the job
// number, the page geometry, the queues OAQ and OBQ and the work files.
// Framework threads switch only where one waits, but a run can wait (a
// preview, a mail program, a shell call that pumps events), and a second
// run that started meanwhile would overwrite the first one's globals and
// mix their files. So every run holds a MailRun for its whole length: a
// second one, on another framework thread, waits (a framework wait, so the
// first can go on) until the first has ended. The same thread may nest
// runs; they count as one.
//
//     {
//         engine::MailRun run;   // waits here while another thread's run goes on
//         ... the whole run ...
//     }

#include "framework/threads/scheduler.h"

namespace engine {

class MailRun {
public:
    MailRun();
    ~MailRun();
    MailRun(const MailRun&) = delete;
    MailRun& operator=(const MailRun&) = delete;

    // The thread whose run goes on now; 0 when none does.
    static fw::threads::ThreadNumber holder();
};

} // namespace engine
