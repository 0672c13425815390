#include "demo/hooks/mail_steps.h"

#include "engine/folders/make_folders.h"
#include "engine/folders/work_folder.h"
#include "engine/global_data.h"
#include "engine/html/build_outcome.h"
#include "engine/html/html_builder.h"
#include "engine/mail/send_email.h"
#include "framework/core/clock.h"
#include "framework/core/text.h"
#include "framework/fs/directory.h"
#include "framework/fs/path.h"
#include "framework/ui/message_box.h"

namespace zorvane {

using engine::BMKG;
using fw::core::Text;
using fw::core::toText;

namespace {

constexpr std::int32_t LowestJob = 11;
constexpr std::int32_t HighestJob = 99;
constexpr std::uint8_t Portrait = 0;

void appendAttachment(std::string_view path)
{
    engine::OAQRecord record;
    record.FILENAME = path;
    engine::OAQ.append(record);
}

} // namespace

void fillAttachmentQueue(std::string_view attachmentName)
{
    engine::OAQ.free();
    const std::string directory = fw::fs::currentDirectory();
    Text<500> specification{directory + std::string(attachmentName)};
    const std::size_t last = specification.clippedView().size();
    for (std::size_t i = 1; i <= last; ++i)
        if (specification.at(i) == '/')
            specification.at(i) = '\\';
    if (last > 0 && specification.at(last) == '\\')
        specification.at(last) = ' ';

    const std::string_view spec = specification.clippedView();
    if (spec.find_first_of("*?") == std::string_view::npos) {
        appendAttachment(directory + std::string(attachmentName));
        return;
    }
    // The folder ends at the last backslash, as far as a bounded search
    // finds it: a deeper path is split at its hundredth backslash.
    std::size_t split = 0;
    for (int search = 0; search < MaxFolderSearches; ++search) {
        const std::size_t hit = fw::core::instring("\\", specification.view(), 1, split + 1);
        if (hit == 0)
            break;
        split = hit;
    }
    if (split == 0)
        return;
    const std::string folder(specification.view().substr(0, split));
    for (const fw::fs::DirectoryEntry& entry : fw::fs::listFolder(spec, 0))
        appendAttachment(folder + entry.NAME.clipped());
}

bool prepareMailRun(std::string_view attachmentName)
{
    if (auto settled = engine::settleWorkFolder(); !settled) {
        fw::ui::message(settled.error().message, "Work folder", fw::ui::Icon::Hand);
        return false;
    }
    BMKG.PageWidth = MailPageWidth;
    BMKG.PageHeight = MailPageHeight;
    engine::MakeFolders(BMKG.WorkFolder.str());
    fillAttachmentQueue(attachmentName);
    return true;
}

void fillBodyLines(const MailSettings& settings)
{
    engine::OBQ.free();
    for (const SettingText& line : settings.bodyLines) {
        engine::OBQRecord record;
        record.LINE = bodyLineText(line);
        engine::OBQ.append(record);
    }
}

void drawJobNumber() { BMKG.JobNumber = fw::core::toByte(fw::core::randomInRange(LowestJob, HighestJob)); }

std::string htmlBodyPath() { return BMKG.WorkFolder.clipped() + "kr" + toText(BMKG.JobNumber) + ".html"; }

std::uint8_t buildDocuments(const MailSettings& settings, const std::string& htmlPath, std::uint8_t pageCount)
{
    return engine::MakeHTMLFileBMKSW(htmlPath, pageCount, settings.background, pictureScaleValue(settings.pictureScale),
                                     BMKG.RTFName.str(), BMKG.RTFpath.str(), std::string(settings.fontName),
                                     settings.fontSize, settings.fontColor, BMKG.LeftMargin, BMKG.TopMargin,
                                     BMKG.PageWidth, BMKG.PageHeight, BMKG.Mode, Portrait, std::string(MailPaper));
}

void tellUnmadeDocuments(ExpectedDocuments expected)
{
    std::string text;
    for (const engine::BuildFailure& failure : engine::lastBuild().failures) {
        if (expected == ExpectedDocuments::All || failure.file == engine::BuiltFile::HTMLBody)
            text.append("|").append(failure.text());
    }
    if (!text.empty())
        fw::ui::message(std::string(UnmadeDocumentsHeading) + text, UnmadeDocumentsCaption, fw::ui::Icon::Exclamation);
}

void mailDocuments(const MailSettings& settings, const std::string& htmlPath, std::uint8_t built)
{
    // The body file under this run's name is an earlier run's when this
    // run's could not be written.
    if (built != engine::HTMLResult::Written && fw::core::isBlank(settings.bodyFile))
        return;
    const engine::BuildOutcome& outcome = engine::lastBuild();
    const std::uint8_t formatNumber = outcome.documentMade() && outcome.complete() ? settings.formatNumber
                                                                                   : engine::NoRTFDocument;
    // SendEmail's result is not looked at, as the system's callers never do:
    // a body file it cannot open leaves no mail, and the run ends the same way.
    (void)engine::SendEmail(passedText(settings.to), passedText(settings.cc), passedText(settings.bcc),
                            passedText(settings.subject), htmlPath, std::string(settings.bodyFile), BMKG.RTFName.str(),
                            BMKG.RTFpath.str(), std::string(settings.importance), BMKG.Mode, formatNumber);
}

} // namespace zorvane
