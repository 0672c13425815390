#include "engine/mail/mail_run.h"

namespace engine {

namespace {
// Only one framework thread runs at a time, so these need no lock of their
// own: the check and the claim below happen without a switch between them.
fw::threads::ThreadNumber runningThread = 0;
int depth = 0;
} // namespace

MailRun::MailRun()
{
    const fw::threads::ThreadNumber self = fw::threads::currentThread();
    if (runningThread != self)
        fw::threads::waitUntil([] { return runningThread == 0; });
    runningThread = self;
    ++depth;
}

MailRun::~MailRun()
{
    if (--depth == 0)
        runningThread = 0;
}

fw::threads::ThreadNumber MailRun::holder() { return runningThread; }

} // namespace engine
