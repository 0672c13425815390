#include "demo/hooks/mail_hook.h"

#include <algorithm>

#include "demo/hooks/mail_steps.h"
#include "engine/global_data.h"
#include "engine/html/build_outcome.h"
#include "engine/html/html_builder.h"
#include "engine/mail/mail_run.h"
#include "engine/shell/shell_open.h"
#include "framework/core/text.h"
#include "framework/fs/file_ops.h"
#include "framework/fs/path.h"
#include "framework/ui/cursor.h"
#include "framework/ui/window.h"

namespace zorvane {

using engine::BMKG;
using fw::core::toText;

namespace {

// The named RTF copy in the work folder (the builder writes it as ".RTF";
// the desktop finds it under either case).
std::string namedDocument() { return BMKG.WorkFolder.clipped() + BMKG.RTFName.clipped() + ".rtf"; }

} // namespace

std::uint8_t runMailHook(const MailSettings& settings, const std::vector<std::string>& pageFiles)
{
    const engine::MailRun run;
    if (!prepareMailRun(settings.attachmentName))
        return 0;
    fillBodyLines(settings);

    fw::ui::setWaitCursor();
    drawJobNumber();
    const std::string workFolder = BMKG.WorkFolder.clipped();
    const std::string job = toText(BMKG.JobNumber);
    // A page copy that fails is not checked here: the RTF writer then fails
    // on that page, and the build's record says so.
    for (std::size_t page = 1; page <= pageFiles.size(); ++page)
        (void)fw::fs::copyFile(pageFiles[page - 1],
                               workFolder + job + toText(static_cast<std::int64_t>(page)) + ".wmf");

    const std::string htmlPath = htmlBodyPath();
    const auto pageCount = static_cast<std::uint8_t>(std::min(pageFiles.size(), MaxEmbeddedPages));
    const std::uint8_t built = buildDocuments(settings, htmlPath, pageCount);
    tellUnmadeDocuments(ExpectedDocuments::All);

    // Mode Save opens this run's named copy; when it was not made, the name
    // holds no document or an earlier run's, and nothing is opened.
    const engine::BuildOutcome& outcome = engine::lastBuild();
    const bool documentMissing = outcome.rtfStage && !outcome.documentMade();
    if (built == engine::HTMLResult::Written && engine::isMode(BMKG.Mode, engine::MailMode::Save) && !documentMissing)
        engine::ShellOpen(static_cast<std::int32_t>(fw::ui::currentWindowHandle()), namedDocument());
    if (engine::handsMailToSendEmail(BMKG.Mode))
        mailDocuments(settings, htmlPath, built);

    // The job's unnamed document goes in every mode; one that was never made
    // is no error.
    (void)fw::fs::removeFile(workFolder + job + ".RTF");
    fw::ui::resetCursor();
    return 0;
}

} // namespace zorvane
