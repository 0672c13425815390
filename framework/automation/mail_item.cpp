#include "framework/automation/mail_item.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "framework/automation/draft_opener.h"
#include "framework/automation/drafts_folder.h"
#include "framework/fs/path.h"

namespace fw::automation {

namespace {

std::optional<std::string> textArgument(const Member& member, std::size_t index)
{
    if (index >= member.arguments.size())
        return std::nullopt;
    if (const auto* s = std::get_if<std::string>(&member.arguments[index]))
        return *s;
    return std::nullopt;
}

// The last component of a system path, either separator counting.
std::string fileNameOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

core::Expected<std::string> readAttachment(const std::string& systemPath)
{
    const std::filesystem::path native = fw::fs::resolve(systemPath);
    const std::string shown = native.string() == systemPath ? systemPath : systemPath + " (" + native.string() + ")";
    // The mail goes on without an attachment it cannot read; the reason
    // says so, for the person who expected the file in it.
    std::error_code ec;
    if (!std::filesystem::exists(native, ec))
        return core::fail("mail item", "the attachment file " + shown + " does not exist, so the mail goes without it");
    if (!std::filesystem::is_regular_file(native, ec))
        return core::fail("mail item", "the attachment " + shown + " is not a file, so the mail goes without it");
    std::ifstream in(native, std::ios::binary);
    std::string bytes;
    if (in)
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in || in.bad())
        return core::fail("mail item", "the attachment file " + shown + " cannot be read, so the mail goes without it");
    return bytes;
}

} // namespace

// One recipient as Recipients.Add returned it.
class MailRecipient final : public AutomationObject {
public:
    explicit MailRecipient(std::string text) : m_text(std::move(text)) {}
    const std::string& text() const { return m_text; }
    std::int64_t type() const { return m_type; }

protected:
    [[nodiscard]] core::Expected<Result> getMember(const Member& member) override
    {
        if (!member.arguments.empty())
            return wrongArguments(member, "no arguments");
        if (sameMemberName(member.name, "Type"))
            return Result{Value(m_type), nullptr};
        if (sameMemberName(member.name, "Name"))
            return Result{Value(m_text), nullptr};
        return unknownMember(member);
    }
    [[nodiscard]] core::Expected<void> setMember(const Member& member, const Value& value) override
    {
        if (!sameMemberName(member.name, "Type"))
            return unknownMember(member);
        if (!member.arguments.empty())
            return wrongArguments(member, "no arguments");
        const auto type = valueInteger(value);
        if (!type || *type < 1 || *type > 3)
            return core::fail(std::string(objectName()),
                              "type " + describeValue(value) + " is not 1 (To), 2 (Cc) or 3 (Bcc)");
        m_type = *type;
        return {};
    }
    std::string_view objectName() const override { return "recipient"; }

private:
    std::string m_text;
    std::int64_t m_type = 1;
};

// The collections keep only a weak link to their item: the item owns them.
class MailAttachments final : public AutomationObject {
public:
    explicit MailAttachments(std::weak_ptr<MailItem> item) : m_item(std::move(item)) {}

protected:
    [[nodiscard]] core::Expected<Result> getMember(const Member& member) override
    {
        if (!sameMemberName(member.name, "Add"))
            return unknownMember(member);
        const auto path = textArgument(member, 0);
        const std::size_t n = member.arguments.size();
        const bool typeOk = n < 2 || valueInteger(member.arguments[1]) == 1;
        const bool positionOk = n < 3 || valueInteger(member.arguments[2]).has_value();
        const auto shown = n < 4 ? std::optional<std::string>(std::string()) : textArgument(member, 3);
        if (!path || n > 4 || !typeOk || !positionOk || !shown)
            return wrongArguments(member, "a file path, then optionally the type 1 (a copy of the file), "
                                          "a position and a display name");
        const auto item = m_item.lock();
        if (!item)
            return core::fail(std::string(objectName()), "the mail item no longer exists");
        // The position places an attachment inside a rich-text body; an HTML
        // draft lists attachments in the order they were added instead.
        auto bytes = readAttachment(*path);
        if (!bytes)
            return std::unexpected(bytes.error());
        item->m_attachmentList.push_back(
            DraftAttachment{shown->empty() ? fileNameOf(*path) : *shown, std::move(*bytes)});
        return Result{};
    }
    std::string_view objectName() const override { return "attachments"; }

private:
    std::weak_ptr<MailItem> m_item;
};

class MailRecipients final : public AutomationObject {
public:
    explicit MailRecipients(std::weak_ptr<MailItem> item) : m_item(std::move(item)) {}

protected:
    [[nodiscard]] core::Expected<Result> getMember(const Member& member) override
    {
        if (!sameMemberName(member.name, "Add"))
            return unknownMember(member);
        const auto text = textArgument(member, 0);
        if (!text || member.arguments.size() != 1)
            return wrongArguments(member, "one quoted text, the recipient");
        const auto item = m_item.lock();
        if (!item)
            return core::fail(std::string(objectName()), "the mail item no longer exists");
        if (auto ok = checkRecipient(*text); !ok)
            return std::unexpected(ok.error());
        auto recipient = std::make_shared<MailRecipient>(*text);
        item->m_recipientList.push_back(recipient);
        return Result{Value{}, recipient};
    }
    std::string_view objectName() const override { return "recipients"; }

private:
    std::weak_ptr<MailItem> m_item;
};

MailItem::MailItem() = default;
MailItem::~MailItem() = default;

MailDraft MailItem::draft() const
{
    MailDraft d;
    for (const auto& r : m_recipientList)
        (r->type() == 2 ? d.cc : r->type() == 3 ? d.bcc : d.to).push_back(r->text());
    d.subject = m_subject;
    d.htmlBody = m_htmlBody;
    d.importance = m_importance;
    d.attachments = m_attachmentList;
    return d;
}

core::Expected<Result> MailItem::getMember(const Member& member)
{
    if (!member.arguments.empty())
        return wrongArguments(member, "no arguments");
    const auto self = std::static_pointer_cast<MailItem>(shared_from_this());
    if (sameMemberName(member.name, "Attachments")) {
        if (!m_attachments)
            m_attachments = std::make_shared<MailAttachments>(self);
        return Result{Value{}, m_attachments};
    }
    if (sameMemberName(member.name, "Recipients")) {
        if (!m_recipients)
            m_recipients = std::make_shared<MailRecipients>(self);
        return Result{Value{}, m_recipients};
    }
    if (sameMemberName(member.name, "Subject"))
        return Result{Value(m_subject), nullptr};
    if (sameMemberName(member.name, "HTMLBody"))
        return Result{Value(m_htmlBody), nullptr};
    if (sameMemberName(member.name, "Importance"))
        return Result{Value(std::int64_t(m_importance)), nullptr};
    if (sameMemberName(member.name, "Display")) {
        auto shortfalls = display();
        if (!shortfalls)
            return std::unexpected(shortfalls.error());
        return Result{Value{}, nullptr, std::move(*shortfalls)};
    }
    return unknownMember(member);
}

core::Expected<void> MailItem::setMember(const Member& member, const Value& value)
{
    if (!member.arguments.empty())
        return wrongArguments(member, "no arguments");
    if (sameMemberName(member.name, "Subject")) {
        m_subject = valueText(value);
        return {};
    }
    if (sameMemberName(member.name, "HTMLBody")) {
        m_htmlBody = valueText(value);
        return {};
    }
    if (sameMemberName(member.name, "Importance")) {
        const auto n = valueInteger(value);
        if (!n || *n < 0 || *n > 2)
            return core::fail(std::string(objectName()),
                              "importance " + describeValue(value) + " is not 0 (low), 1 (normal) or 2 (high)");
        m_importance = static_cast<Importance>(*n);
        return {};
    }
    return unknownMember(member);
}

core::Expected<std::vector<core::Error>> MailItem::display()
{
    const MailDraft mail = draft();
    auto message = composeDraft(mail);
    if (!message)
        return std::unexpected(message.error());
    auto path = saveDraft(*message);
    if (!path)
        return std::unexpected(path.error());
    return openDraft(*path, mail);
}

} // namespace fw::automation
