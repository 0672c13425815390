#pragma once
// A small file system of its own for a test: a tmpfs of a few kilobytes
// mounted on a folder, so that a write runs into a full disk for real.
// Mounting needs root (or CAP_SYS_ADMIN); where the test cannot mount,
// mounted() is false and why() says so, for the test to skip with.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace test_support {

class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& folder, std::size_t kilobytes) : m_folder(folder)
    {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0777";
        if (::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
            m_mounted = true;
        else
            m_why = "cannot mount a small tmpfs on " + folder.string() + " (" + std::strerror(errno) +
                    "): run the test as root to see a full disk";
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }

    // Takes all the room there is with a file "filler" in the folder, then
    // gives `leaveFree` bytes of it back.
    bool fill(std::size_t leaveFree) const
    {
        const std::string path = (m_folder / "filler").string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        const std::string block(4096, 'f');
        while (::write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size())) {
        }
        const off_t size = ::lseek(fd, 0, SEEK_END);
        const bool ok = size >= static_cast<off_t>(leaveFree) &&
                        ::ftruncate(fd, size - static_cast<off_t>(leaveFree)) == 0;
        ::close(fd);
        return ok;
    }
    const std::string& why() const { return m_why; }

private:
    std::filesystem::path m_folder;
    bool m_mounted = false;
    std::string m_why;
};

} // namespace test_support
