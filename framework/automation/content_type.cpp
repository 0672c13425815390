#include "framework/automation/content_type.h"

#include <gio/gio.h>

#include <memory>

namespace fw::automation {

namespace {

struct GFree {
    void operator()(gchar* p) const { g_free(p); }
};
using OwnedText = std::unique_ptr<gchar, GFree>;

bool isComposite(std::string_view type) { return type.starts_with("message/") || type.starts_with("multipart/"); }

} // namespace

std::string contentTypeOf(std::string_view fileName)
{
    const std::string name(fileName);
    if (name.empty())
        return std::string(unknownContentType);
    // A name that matches several patterns is "uncertain" but still gets the
    // database's first choice (*.doc is Word's before it is plain text's).
    gboolean uncertain = FALSE;
    const OwnedText guessed(g_content_type_guess(name.c_str(), nullptr, 0, &uncertain));
    const OwnedText mime(guessed ? g_content_type_get_mime_type(guessed.get()) : nullptr);
    if (!mime)
        return std::string(unknownContentType);
    const std::string type(mime.get());
    if (type.find('/') == std::string::npos || isComposite(type))
        return std::string(unknownContentType);
    return type;
}

} // namespace fw::automation
