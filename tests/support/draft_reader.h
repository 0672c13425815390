#pragma once
// Takes a written draft apart with GMime's own parser, as a mail program
// would read it.

#include <gmime/gmime.h>

#include <map>
#include <string>
#include <vector>

namespace test_support {

struct ReadAttachment {
    std::string name;
    std::string contentType;
    std::string encoding;
    std::string bytes;
};

// A draft as a mail program would see it.
struct ReadDraft {
    bool parsed = false;
    std::string headerBlock;                    // raw, up to the first empty line
    std::vector<std::string> headerNames;       // top-level headers in order
    std::map<std::string, std::string> headers; // decoded values
    std::string to, cc, bcc, subject;
    std::string bodyType; // "text/html"
    std::string bodyCharset;
    std::string bodyEncoding; // "quoted-printable"
    std::string body;         // decoded bytes
    std::vector<ReadAttachment> attachments;
};

inline std::string decodedContent(GMimePart* part)
{
    GMimeStream* out = g_mime_stream_mem_new();
    g_mime_data_wrapper_write_to_stream(g_mime_part_get_content(part), out);
    GByteArray* a = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out));
    std::string s(reinterpret_cast<const char*>(a->data), a->len);
    g_object_unref(out);
    return s;
}

inline std::string addresses(GMimeMessage* m, GMimeAddressType type)
{
    char* s = internet_address_list_to_string(g_mime_message_get_addresses(m, type), nullptr, FALSE);
    std::string r = s ? s : "";
    g_free(s);
    return r;
}

inline std::string orEmpty(const char* s) { return s ? s : ""; }

inline ReadDraft readDraft(const std::string& bytes)
{
    g_mime_init();
    ReadDraft d;
    const std::size_t end = bytes.find("\r\n\r\n");
    d.headerBlock = bytes.substr(0, end == std::string::npos ? bytes.size() : end + 2);
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(bytes.data(), bytes.size());
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    g_object_unref(parser);
    g_object_unref(stream);
    if (!message)
        return d;
    d.parsed = true;
    GMimeHeaderList* list = g_mime_object_get_header_list(GMIME_OBJECT(message));
    for (int i = 0; i < g_mime_header_list_get_count(list); ++i) {
        GMimeHeader* h = g_mime_header_list_get_header_at(list, i);
        d.headerNames.push_back(g_mime_header_get_name(h));
        d.headers[g_mime_header_get_name(h)] = orEmpty(g_mime_header_get_value(h));
    }
    d.to = addresses(message, GMIME_ADDRESS_TYPE_TO);
    d.cc = addresses(message, GMIME_ADDRESS_TYPE_CC);
    d.bcc = addresses(message, GMIME_ADDRESS_TYPE_BCC);
    d.subject = orEmpty(g_mime_message_get_subject(message));

    auto readBody = [&](GMimeObject* o) {
        GMimeContentType* ct = g_mime_object_get_content_type(o);
        d.bodyType = orEmpty(g_mime_content_type_get_media_type(ct)) + "/" +
                     orEmpty(g_mime_content_type_get_media_subtype(ct));
        d.bodyCharset = orEmpty(g_mime_content_type_get_parameter(ct, "charset"));
        d.bodyEncoding = orEmpty(g_mime_content_encoding_to_string(g_mime_part_get_content_encoding(GMIME_PART(o))));
        d.body = decodedContent(GMIME_PART(o));
    };
    GMimeObject* top = g_mime_message_get_mime_part(message);
    if (GMIME_IS_MULTIPART(top)) {
        GMimeMultipart* mp = GMIME_MULTIPART(top);
        for (int i = 0; i < g_mime_multipart_get_count(mp); ++i) {
            GMimeObject* o = g_mime_multipart_get_part(mp, i);
            if (i == 0) {
                readBody(o);
                continue;
            }
            GMimeContentType* ct = g_mime_object_get_content_type(o);
            GMimePart* p = GMIME_PART(o);
            // clang-format off
            d.attachments.push_back(ReadAttachment{
                orEmpty(g_mime_part_get_filename(p)),
                orEmpty(g_mime_content_type_get_media_type(ct)) + "/" + orEmpty(g_mime_content_type_get_media_subtype(ct)),
                orEmpty(g_mime_content_encoding_to_string(g_mime_part_get_content_encoding(p))), decodedContent(p)});
            // clang-format on
        }
    } else if (top) {
        readBody(top);
    }
    g_object_unref(message);
    return d;
}

} // namespace test_support
