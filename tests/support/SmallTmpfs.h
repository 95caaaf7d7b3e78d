#pragma once
// A small tmpfs mounted over a folder for one test, to run out of disk space
// or turn read-only for real. Mounting needs root (or a user namespace);
// where it is refused, Mounted() is false and the test skips.

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

class SmallTmpfs
{
public:
    SmallTmpfs(const std::filesystem::path& folder, std::size_t bytes) : m_folder(folder)
    {
        std::filesystem::create_directories(folder);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
        m_bMounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    }
    ~SmallTmpfs()
    {
        if (m_bMounted)
            ::umount2(m_folder.c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return m_bMounted; }
    bool MakeReadOnly(bool bReadOnly = true) const
    {
        return ::mount("tmpfs", m_folder.c_str(), "tmpfs", MS_REMOUNT | (bReadOnly ? MS_RDONLY : 0),
                       nullptr) == 0;
    }
    // Takes what is left of the space, but for `leave` bytes.
    void Fill(std::size_t leave = 0) const;

private:
    std::filesystem::path m_folder;
    bool m_bMounted = false;
};

inline void SmallTmpfs::Fill(std::size_t leave) const
{
    struct statvfs fs
    {
    };
    ::statvfs(m_folder.c_str(), &fs);
    const std::size_t free = fs.f_bavail * fs.f_frsize;
    const int fd = ::open((m_folder / "filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    std::vector<char> block(4096, 'f');
    for (std::size_t written = 0; written + block.size() + leave <= free;)
    {
        const ssize_t n = ::write(fd, block.data(), block.size());
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
}
