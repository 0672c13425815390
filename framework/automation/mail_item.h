#pragma once
// A mail item of the framework's mail application.
//
// Members, in the way an automation server offers them:
//
//   Attachments.Add(path [, 1 [, position [, display name]]])
//       reads the file now (as a mail program copies it into the item) and
//       attaches it under the display name, or under its own name when none
//       is given. The path is a system path (backslashes, any case). A file
//       that is missing, a folder or unreadable makes the call fail, naming
//       it; the mail goes without it, keeping what was attached before and
//       taking what comes after.
//   Recipients.Add(text)
//       adds one recipient and returns it; its Type is 1 (To) until set to
//       2 (Cc) or 3 (Bcc). Blanks around the text do not count, and a blank
//       text is taken but left out of the draft. A text that reads as no
//       address at all makes the call fail.
//   Subject, HTMLBody               texts, read and set
//   Importance                      0 low, 1 normal (the start), 2 high
//   Display
//       writes the item as a draft (mail_draft.h) into the drafts folder
//       (drafts_folder.h) and shows it in the user's mail program
//       (draft_opener.h). The call fails, naming the draft, when the mail
//       program did not show it; what the program does not get of it is
//       reported as well. The item is never sent.

#include <memory>
#include <vector>

#include "framework/automation/automation_object.h"
#include "framework/automation/mail_draft.h"

namespace fw::automation {

class MailRecipient;
class MailAttachments;
class MailRecipients;

class MailItem final : public AutomationObject {
public:
    MailItem();
    ~MailItem() override;

    // The draft as it stands now (recipients by type, in the order added).
    MailDraft draft() const;

protected:
    [[nodiscard]] core::Expected<Result> getMember(const Member& member) override;
    [[nodiscard]] core::Expected<void> setMember(const Member& member, const Value& value) override;
    std::string_view objectName() const override { return "mail item"; }

private:
    friend class MailAttachments;
    friend class MailRecipients;

    // Writes and shows the draft; gives what the mail program does not get.
    [[nodiscard]] core::Expected<std::vector<core::Error>> display();

    std::shared_ptr<MailAttachments> m_attachments;
    std::shared_ptr<MailRecipients> m_recipients;
    std::vector<std::shared_ptr<MailRecipient>> m_recipientList;
    std::vector<DraftAttachment> m_attachmentList;
    std::string m_subject;
    std::string m_htmlBody;
    Importance m_importance = Importance::Normal;
};

} // namespace fw::automation
