// SendEmail, step by step:
//
//   create the "Send email" window (not shown yet)
//   read the body file through ORAF into the body buffer   -- gives up with 1
//   open the window, create "Outlook.Application" on its OLE control
//   CreateItem(0), the RTF attachment, the OAQ attachments,
//   To, CC (type 2), BCC (type 3), Subject, HTMLBody, Importance, Display
//   in-place deactivation, close and destroy the window
//
// The window is created before the body is read and opened only after it,
// so a body file that cannot be opened leaves nothing on the screen and
// never reaches the mail program. No automation result is tested: the
// automation layer reports a failed call itself and the mail goes on.
//
// Every member text is plain concatenation of the reference, the member and
// its arguments, with no blank added and nothing escaped; the automation
// layer's parser keeps data from reaching another member.

#include "engine/mail/send_email.h"

#include <memory>
#include <string_view>
#include <vector>

#include "engine/global_data.h"
#include "engine/mail/send_email_window.h"
#include "framework/automation/ole_control.h"
#include "framework/core/text.h"
#include "framework/fs/work_file.h"
#include "framework/ui/window.h"

namespace engine {

namespace {

using fw::automation::OleControl;
using fw::automation::Value;
using fw::core::clip;
using fw::core::isBlank;

constexpr std::string_view MailApplication = "Outlook.Application";
constexpr std::size_t BodySlack = 100;

// Recipient types of copies and blind copies.
constexpr std::int64_t CopyRecipient = 2;
constexpr std::int64_t BlindCopyRecipient = 3;

// Importance values of the mail item.
constexpr std::int64_t LowImportance = 0;
constexpr std::int64_t NormalImportance = 1;
constexpr std::int64_t HighImportance = 2;

// A reference lives in a NUL-terminated field of 20 bytes.
std::string referenceField(const fw::core::Expected<std::string>& result)
{
    return result ? result->substr(0, 19) : std::string();
}

// Every line of the open body file with its trailing blanks removed, joined
// with nothing between them, within `capacity` characters. A read error
// ends the reading like the end of the file does.
std::string readBody(std::size_t capacity)
{
    std::string body;
    (void)ORAF.setToStart(); // a file just opened is at its start: there is nothing to flush or fail
    while (ORAF.next() == 0) {
        body.resize(clip(body).size());
        const std::string_view line = ORAF.LINE.clippedView();
        body.append(line.substr(0, capacity - body.size()));
    }
    return body;
}

// The pieces of a recipient list. A list without a comma is one recipient,
// exactly as passed; otherwise the text between commas, blanks kept and
// empty pieces included, the last piece ending at the last non-blank.
std::vector<std::string> splitRecipients(std::string_view list)
{
    if (isBlank(list))
        return {};
    if (list.find(',') == std::string_view::npos)
        return {std::string(list)};
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t comma = list.find(','); comma != std::string_view::npos; comma = list.find(',', from)) {
        pieces.emplace_back(list.substr(from, comma - from));
        from = comma + 1;
    }
    const std::string_view rest = clip(list);
    pieces.emplace_back(from < rest.size() ? rest.substr(from) : std::string_view());
    return pieces;
}

// The part of `file` after its last backslash, where the last character
// itself never counts as that backslash; the whole name when there is none.
std::string shownName(std::string_view file)
{
    if (file.size() >= 2) {
        const std::size_t slash = file.find_last_of('\\', file.size() - 2);
        if (slash != std::string_view::npos)
            return std::string(file.substr(slash + 1));
    }
    return std::string(file);
}

std::string rtfAttachmentPath(std::string_view rtfName, std::string_view rtfFolder)
{
    const std::string name(clip(rtfName));
    if (isBlank(rtfFolder))
        return BMKG.WorkFolder.clipped() + name;
    const std::string folder(clip(rtfFolder));
    if (folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

std::int64_t importanceValue(std::string_view importance)
{
    if (clip(importance) == "High")
        return HighImportance;
    if (clip(importance) == "Low")
        return LowImportance;
    return NormalImportance;
}

std::string quoted(std::string_view text) { return std::string("\"").append(text).append("\""); }

// SendEmail never looks at the result of a member text, as the system's
// callers never do: the control reports every failed text itself
// (ole_control.h), and the mail goes on with its next text.
void addAttachment(OleControl& control, const std::string& item, std::string_view path, std::string_view shown)
{
    (void)control.call(item + ".Attachments.Add(" + quoted(path) + ",1,1," + quoted(shown) + ")");
}

std::string addRecipientText(const std::string& item, std::string_view piece)
{
    return item + ".Recipients.Add(" + quoted(piece) + ")";
}

void addCopies(OleControl& control, const std::string& item, std::string_view list, std::int64_t type)
{
    for (const std::string& piece : splitRecipients(list)) {
        const std::string reference = referenceField(control.get(addRecipientText(item, piece)));
        (void)control.set(reference + ".type", Value(type));
    }
}

} // namespace

std::uint8_t SendEmail(std::string to, std::string cc, std::string bcc, std::string subject, std::string htmlBodyFile,
                       std::string bodyFile, std::string rtfName, std::string rtfFolder, std::string importance,
                       std::uint8_t mode, std::uint8_t formatNumber)
{
    // The layout is stored on first use, under the key of the program that
    // runs now; the program sets its profile before any mail can start.
    const char* moduleKey = profile().sendEmailModuleKey;
    if (!fw::ui::findLayout(SendEmailWindowLabel, moduleKey))
        registerSendEmailWindow();
    // Without its window the mail still goes out: the object lives in the
    // OLE control below, and the window only gives it a place on screen.
    auto created = fw::ui::Window::create(SendEmailWindowLabel, moduleKey);
    std::unique_ptr<fw::ui::Window> window = created ? std::move(*created) : nullptr;

    // A path that does not fit the work file's name is not cut into the name
    // of another file, whose body would then be mailed.
    if (!ORAF.setName(isBlank(bodyFile) ? htmlBodyFile : bodyFile) ||
        ORAF.open(fw::fs::OpenMode::ReadWriteDenyWrite) != 0)
        return SendEmailResult::BodyNotOpened; // the window is destroyed unopened
    const std::int64_t size = ORAF.bytes().value_or(0);
    const std::size_t capacity = static_cast<std::size_t>(size > 0 ? size : 0) + BodySlack;
    const std::string body = readBody(capacity);
    (void)ORAF.close(); // a file that was only read loses nothing at its close

    if (window)
        window->open();
    OleControl control;
    // Unlooked-at as every member text below (see addAttachment).
    (void)control.setCreate(MailApplication);
    const std::string item = referenceField(control.get("CreateItem(0)"));

    if (attachesRTFDocument(mode) && formatNumber != NoRTFDocument && !isBlank(rtfName))
        addAttachment(control, item, rtfAttachmentPath(rtfName, rtfFolder) + ".RTF",
                      std::string(clip(rtfName)) + ".rtf");

    const std::size_t attachments = OAQ.count();
    for (std::size_t i = 1; i <= attachments; ++i) {
        const OAQRecord* entry = OAQ.fetch(i);
        const std::string_view file = entry->FILENAME.clippedView();
        addAttachment(control, item, file, shownName(file));
    }

    for (const std::string& piece : splitRecipients(to))
        (void)control.call(addRecipientText(item, piece));
    addCopies(control, item, cc, CopyRecipient);
    addCopies(control, item, bcc, BlindCopyRecipient);

    (void)control.set(item + ".Subject", Value(std::string(clip(subject))));
    (void)control.set(item + ".HTMLBody", Value(std::string(clip(body))));
    (void)control.set(item + ".Importance", Value(importanceValue(importance)));
    (void)control.call(item + ".Display");
    control.setInPlaceDeactivate(Value(std::int64_t{1}));
    if (window)
        window->close();
    return SendEmailResult::Displayed;
}

} // namespace engine
