#include "framework/automation/draft_attachments.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>

#include "framework/automation/mail_charset.h"

namespace fw::automation {

namespace {

std::unexpected<core::Error> failErrno(const std::string& what, const std::filesystem::path& path)
{
    return core::fail("mail drafts", what + " " + path.string() + ": " + std::strerror(errno));
}

core::Expected<void> makeFolder(const std::filesystem::path& folder)
{
    if (mkdir(folder.c_str(), 0700) == 0)
        return {};
    if (errno != EEXIST)
        return failErrno("cannot create the folder", folder);
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return core::fail("mail drafts",
                          "cannot create the folder " + folder.string() + ": a file of that name is in the way");
    return {};
}

// The name a file of the attachment gets: the name it is shown by, as UTF-8,
// with nothing in it that would name another folder.
std::string fileNameFor(const DraftAttachment& attachment)
{
    std::string name = headerText(attachment.displayName);
    for (char& c : name)
        if (c == '/')
            c = '_';
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos || name == "." || name == "..")
        return "attachment";
    return name;
}

core::Expected<void> writeFile(const std::filesystem::path& file, std::string_view bytes)
{
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return failErrno("cannot write the attachment", file);
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const auto error = failErrno("cannot write the attachment", file);
            close(fd);
            return error;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (close(fd) != 0)
        return failErrno("cannot write the attachment", file);
    return {};
}

} // namespace

core::Expected<std::vector<std::filesystem::path>>
    saveAttachmentsBeside(const std::filesystem::path& draft, const std::vector<DraftAttachment>& attachments)
{
    std::vector<std::filesystem::path> files;
    if (attachments.empty())
        return files;
    std::filesystem::path folder = draft;
    folder.replace_extension();
    if (auto made = makeFolder(folder); !made)
        return std::unexpected(made.error());

    std::set<std::string> taken;
    for (const DraftAttachment& attachment : attachments) {
        const std::string name = fileNameFor(attachment);
        std::filesystem::path place = folder;
        for (int n = 2; !taken.insert(place.string() + "/" + name).second; ++n)
            place = folder / std::to_string(n);
        if (place != folder)
            if (auto made = makeFolder(place); !made)
                return std::unexpected(made.error());
        const std::filesystem::path file = place / name;
        if (auto written = writeFile(file, attachment.bytes); !written)
            return std::unexpected(written.error());
        files.push_back(file);
    }
    return files;
}

} // namespace fw::automation
