#include "framework/automation/mailto_link.h"

#include <glib.h>

#include "framework/automation/mail_charset.h"

namespace fw::automation {

namespace {

bool isKept(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '@';
}

std::string percentEncoded(std::string_view text)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (isKept(u)) {
            out += c;
        } else {
            out += '%';
            out += hex[u >> 4];
            out += hex[u & 0xF];
        }
    }
    return out;
}

std::string recipientList(const std::vector<std::string>& texts)
{
    std::string list;
    for (const std::string& text : texts) {
        const std::string trimmed = trimmedRecipient(text);
        if (trimmed.empty())
            continue;
        if (!list.empty())
            list += ", ";
        list += trimmed;
    }
    return list;
}

std::string fileUri(const std::filesystem::path& file)
{
    gchar* uri = g_filename_to_uri(file.c_str(), nullptr, nullptr);
    std::string text = uri ? uri : "file://" + file.string();
    g_free(uri);
    return text;
}

// The body encoded whole characters at a time, within `room` characters.
std::string encodedBody(std::string_view body, std::size_t room, bool& cut)
{
    std::string out;
    std::size_t i = 0;
    while (i < body.size()) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(body[i]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::string piece = percentEncoded(body.substr(i, length));
        if (out.size() + piece.size() > room) {
            cut = true;
            break;
        }
        out += piece;
        i += length;
    }
    return out;
}

} // namespace

MailtoLink mailtoLink(const MailDraft& draft, const std::string& bodyText,
                      const std::vector<std::filesystem::path>& attachmentFiles)
{
    std::string head = "mailto:" + percentEncoded(recipientList(draft.to));
    std::string tail;
    const auto add = [&tail](std::string_view name, std::string_view value) {
        tail += tail.empty() ? '?' : '&';
        tail += name;
        tail += '=';
        tail += percentEncoded(value);
    };
    if (const std::string cc = recipientList(draft.cc); !cc.empty())
        add("cc", cc);
    if (const std::string bcc = recipientList(draft.bcc); !bcc.empty())
        add("bcc", bcc);
    if (const std::string subject = headerText(draft.subject); !subject.empty())
        add("subject", subject);
    std::string rest;
    for (const std::filesystem::path& file : attachmentFiles)
        rest += "&attach=" + percentEncoded(fileUri(file));
    switch (draft.importance) {
    case Importance::High:
        rest += "&Importance=high&X-Priority=1";
        break;
    case Importance::Low:
        rest += "&Importance=low&X-Priority=5";
        break;
    case Importance::Normal:
        break;
    }

    MailtoLink result;
    const std::string_view body = bodyText;
    if (!body.empty()) {
        const std::string opening = tail.empty() ? "?body=" : "&body=";
        const std::size_t used = head.size() + tail.size() + opening.size() + rest.size();
        const std::size_t room = used < maxLinkLength ? maxLinkLength - used : 0;
        tail += opening + encodedBody(body, room, result.bodyCut);
    }
    // The attachments and headers follow the body; without a body or any
    // other value before them, the first of them opens the query.
    if (tail.empty() && !rest.empty())
        rest.front() = '?';
    result.link = head + tail + rest;
    return result;
}

} // namespace fw::automation
