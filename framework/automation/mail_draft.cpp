#include "framework/automation/mail_draft.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

#include "framework/automation/content_type.h"
#include "framework/automation/header_folding.h"
#include "framework/automation/mail_charset.h"

namespace fw::automation {

namespace {

void initialiseGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

struct GObjectUnref {
    void operator()(gpointer p) const
    {
        if (p)
            g_object_unref(p);
    }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

// An address longer than this cannot be delivered (RFC 5321 allows a path
// of 256 characters with its angle brackets), and it is the one part of a
// header that cannot be folded: a line holds it whole.
constexpr std::size_t maxAddressLength = 254;

// The longest address of the list, the members of groups included.
std::size_t longestAddress(InternetAddressList* list)
{
    std::size_t longest = 0;
    for (int i = 0; i < internet_address_list_length(list); ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_MAILBOX(address)) {
            const char* addr = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
            longest = std::max(longest, addr ? std::strlen(addr) : 0);
        } else if (INTERNET_ADDRESS_IS_GROUP(address)) {
            longest = std::max(longest,
                               longestAddress(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(address))));
        }
    }
    return longest;
}

// A recipient text in a message: its first characters, so that a text of
// thousands of characters still makes a readable line.
std::string shownRecipient(const std::string& trimmed)
{
    constexpr std::size_t shown = 60;
    return trimmed.size() <= shown ? trimmed : trimmed.substr(0, shown) + "...";
}

// The addresses of one trimmed, non-empty recipient text; `layer` names who
// refuses a text that is none.
core::Expected<GPtr<InternetAddressList>> parseRecipient(const std::string& trimmed, const char* layer)
{
    GPtr<InternetAddressList> list(internet_address_list_parse(nullptr, trimmed.c_str()));
    if (!list || internet_address_list_length(list.get()) == 0)
        return core::fail(layer, "recipient \"" + shownRecipient(trimmed) + "\" is not a mail address");
    if (const std::size_t longest = longestAddress(list.get()); longest > maxAddressLength)
        return core::fail(layer, "recipient \"" + shownRecipient(trimmed) + "\" holds an address of " +
                                     std::to_string(longest) + " characters; a mail address has at most " +
                                     std::to_string(maxAddressLength));
    return list;
}

core::Expected<void> addRecipients(GMimeMessage* message, GMimeAddressType type, const std::vector<std::string>& texts)
{
    InternetAddressList* target = g_mime_message_get_addresses(message, type);
    for (const std::string& text : texts) {
        const std::string trimmed = trimmedRecipient(text);
        if (trimmed.empty())
            continue;
        auto parsed = parseRecipient(trimmed, "mail draft");
        if (!parsed)
            return std::unexpected(parsed.error());
        internet_address_list_append(target, parsed->get());
    }
    return {};
}

// GMime leaves the first encoded word of a long subject on the line of
// "Subject:"; the value is folded again so that line, too, keeps to the
// recommended length.
void refoldUnstructured(GMimeObject* object, const char* name)
{
    GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
    const char* raw = header ? g_mime_header_get_raw_value(header) : nullptr;
    if (!raw)
        return;
    g_mime_header_set_raw_value(header, foldUnstructured(name, raw).c_str());
}

GPtr<GMimeDataWrapper> contentOf(const std::string& bytes)
{
    GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size()));
    return GPtr<GMimeDataWrapper>(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
}

GPtr<GMimePart> htmlPart(const std::string& html)
{
    GPtr<GMimePart> part(g_mime_part_new_with_type("text", "html"));
    const std::string charset(charsetOf(html));
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part.get()), "charset", charset.c_str());
    g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
    g_mime_part_set_content(part.get(), contentOf(html).get());
    return part;
}

GPtr<GMimePart> attachmentPart(const DraftAttachment& attachment)
{
    std::string name = headerText(attachment.displayName);
    if (name.find_first_not_of(' ') == std::string::npos)
        name = "attachment";
    const std::string type = contentTypeOf(name);
    const std::size_t slash = type.find('/');
    GPtr<GMimePart> part(g_mime_part_new_with_type(type.substr(0, slash).c_str(), type.substr(slash + 1).c_str()));
    g_mime_part_set_filename(part.get(), name.c_str());
    g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_BASE64);
    g_mime_part_set_content(part.get(), contentOf(attachment.bytes).get());
    return part;
}

} // namespace

// Blanks around a recipient text go; so do tabs, which headerText() has
// already turned into blanks along with every other control character.
std::string trimmedRecipient(std::string_view text)
{
    std::string s = headerText(text);
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

core::Expected<void> checkRecipient(std::string_view text)
{
    initialiseGMime();
    const std::string trimmed = trimmedRecipient(text);
    if (trimmed.empty())
        return {};
    auto parsed = parseRecipient(trimmed, "mail item");
    if (!parsed)
        return std::unexpected(parsed.error());
    return {};
}

core::Expected<std::string> composeDraft(const MailDraft& draft)
{
    initialiseGMime();
    GPtr<GMimeMessage> message(g_mime_message_new(FALSE));
    GMimeObject* object = GMIME_OBJECT(message.get());

    g_mime_object_set_header(object, "X-Unsent", "1", nullptr);
    if (auto ok = addRecipients(message.get(), GMIME_ADDRESS_TYPE_TO, draft.to); !ok)
        return std::unexpected(ok.error());
    if (auto ok = addRecipients(message.get(), GMIME_ADDRESS_TYPE_CC, draft.cc); !ok)
        return std::unexpected(ok.error());
    if (auto ok = addRecipients(message.get(), GMIME_ADDRESS_TYPE_BCC, draft.bcc); !ok)
        return std::unexpected(ok.error());
    const std::string subject = headerText(draft.subject);
    if (!subject.empty()) {
        g_mime_message_set_subject(message.get(), subject.c_str(), nullptr);
        refoldUnstructured(object, "Subject");
    }
    switch (draft.importance) {
    case Importance::High:
        g_mime_object_set_header(object, "Importance", "high", nullptr);
        g_mime_object_set_header(object, "X-Priority", "1", nullptr);
        break;
    case Importance::Low:
        g_mime_object_set_header(object, "Importance", "low", nullptr);
        g_mime_object_set_header(object, "X-Priority", "5", nullptr);
        break;
    case Importance::Normal:
        break;
    }
    g_mime_object_set_header(object, "MIME-Version", "1.0", nullptr);

    // Always multipart, also without attachments: a boundary closes the
    // HTML part, so a reader gets its bytes back exactly, without the line
    // break that would end a message of one part.
    GPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    g_mime_multipart_add(mixed.get(), GMIME_OBJECT(htmlPart(draft.htmlBody).get()));
    for (const DraftAttachment& attachment : draft.attachments)
        g_mime_multipart_add(mixed.get(), GMIME_OBJECT(attachmentPart(attachment).get()));
    g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));

    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    GPtr<GMimeStream> out(g_mime_stream_mem_new());
    const ssize_t written = g_mime_object_write_to_stream(object, options, out.get());
    g_mime_format_options_free(options);
    if (written < 0)
        return core::fail("mail draft", "the message could not be composed");
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.get()));
    return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

} // namespace fw::automation
