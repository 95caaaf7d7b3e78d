#include "model/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <atomic>
#include <cstdio>
#include <io.h>
#include <process.h>
#else
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>
#endif

namespace fs = std::filesystem;

std::string_view SaveResult::ReasonTextKey() const
{
    switch (error)
    {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "error_disk_full_text";
    case EACCES:
    case EPERM:
        return "error_no_permission_text";
    case EROFS:
        return "error_read_only_text";
    default:
        return {};
    }
}

std::string SaveResult::Reason() const
{
    return error == 0 ? std::string() : std::generic_category().message(error);
}

SaveResult WriteFileAtomically(const fs::path& path, std::span<const std::byte> bytes)
{
    return WritePiecesAtomically(path, std::span<const std::span<const std::byte>>(&bytes, 1));
}

std::optional<std::vector<std::byte>> ReadWholeFile(const fs::path& path, std::size_t maxBytes)
{
    FileRead read = ReadFileBounded(path, maxBytes);
    if (read.status != FileRead::Status::Read)
        return std::nullopt;
    return read.bytes.ToVector();
}

void FileBytes::Resize(std::size_t size)
{
    if (size > m_capacity)
    {
        // new std::byte[] leaves the bytes as they are: the read fills them.
        // Growing in steps keeps a read in pieces linear.
        const std::size_t capacity = std::max(size, m_capacity * 2);
        std::shared_ptr<std::byte[]> grown(new std::byte[capacity]);
        if (m_size > 0)
            std::memcpy(grown.get(), m_storage.get(), m_size);
        m_storage = std::move(grown);
        m_capacity = capacity;
    }
    m_size = size;
}

void RemoveStaleTemporaries(const fs::path& file)
{
    const std::string stale = file.filename().string() + ".tmp";
    std::error_code ec;
    for (fs::directory_iterator it(file.parent_path(), ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        const bool bOurs =
            name == stale || (name.size() == stale.size() + 7 && name.starts_with(stale + "-"));
        std::error_code removeError;
        if (bOurs && it->symlink_status(removeError).type() == fs::file_type::regular)
            fs::remove(it->path(), removeError);
    }
}

namespace
{

FileRead Damaged(DamageKind kind, int error = 0)
{
    FileRead read;
    read.status = FileRead::Status::Damaged;
    read.damage = kind;
    read.error = error;
    return read;
}

// The file a save replaces: the final target of a symlink, so the link stays,
// but only a regular file (or none yet); a link to anything else is replaced
// itself rather than written through.
fs::path SaveTarget(const fs::path& path)
{
    std::error_code ec;
    fs::path target = path;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops)
    {
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            return path;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_regular_file(status) || status.type() == fs::file_type::not_found)
        return target;
    return path;
}

} // namespace

#ifndef _WIN32

namespace
{

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now, for callers that need close's own result.
    int Close() { return ::close(std::exchange(m_fd, -1)); }

private:
    int m_fd;
};

int WriteAll(int fd, std::span<const std::byte> bytes)
{
    while (!bytes.empty())
    {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return 0;
}

// The pieces in order, as many to a call as the system takes: a library is
// ten thousand records of under a kilobyte.
int WritePieces(int fd, std::span<const std::span<const std::byte>> pieces)
{
    std::vector<iovec> batch;
    while (!pieces.empty())
    {
        batch.clear();
        for (std::span<const std::byte> piece :
             pieces.first(std::min<std::size_t>(pieces.size(), IOV_MAX)))
            batch.push_back({const_cast<std::byte*>(piece.data()), piece.size()});
        const ssize_t n = ::writev(fd, batch.data(), static_cast<int>(batch.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        auto written = static_cast<std::size_t>(n);
        const std::size_t before = pieces.size();
        while (!pieces.empty() && written >= pieces.front().size())
        {
            written -= pieces.front().size();
            pieces = pieces.subspan(1);
        }
        if (written > 0) // a short write ended inside this piece
        {
            if (const int error = WriteAll(fd, pieces.front().subspan(written)))
                return error;
            pieces = pieces.subspan(1);
        }
        else if (pieces.size() == before)
            return EIO;
    }
    return 0;
}

// The replacement takes over the old file's owner and mode; ownership can
// only be kept where the user may give it (root), and is left otherwise.
void TakeOverAttributes(int fd, const struct stat& old)
{
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
        (void)::fchown(fd, old.st_uid, old.st_gid);
    (void)::fchmod(fd, old.st_mode & 07777);
}

// A rename is durable only once its folder is on disk.
void SyncFolder(const fs::path& folder)
{
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

SaveResult WritePiecesAtomically(const fs::path& path,
                                 std::span<const std::span<const std::byte>> pieces)
{
    const fs::path target = SaveTarget(path);
    std::string temporary = target.string() + ".tmp-XXXXXX";
    // mkostemp makes a new name of our own (mode 0600) every time, so neither
    // another writer nor a stale temporary of someone else is in the way.
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        return {path, errno};
    int error = WritePieces(fd.Get(), pieces);
    struct stat old;
    if (error == 0 && ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        TakeOverAttributes(fd.Get(), old);
    if (error == 0 && ::fsync(fd.Get()) != 0)
        error = errno;
    if (fd.Close() != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
    {
        ::unlink(temporary.c_str());
        return {path, error};
    }
    SyncFolder(target.parent_path());
    return {path, 0};
}

FileRead ReadFileBounded(const fs::path& path, std::size_t maxBytes)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Get() < 0)
    {
        // Nothing there (or no folder to hold it): the file is simply missing.
        if (errno == ENOENT || errno == ENOTDIR)
            return {};
        return Damaged(DamageKind::Unreadable, errno);
    }
    struct stat st;
    if (::fstat(fd.Get(), &st) != 0)
        return Damaged(DamageKind::Unreadable, errno);
    if (!S_ISREG(st.st_mode))
        return Damaged(DamageKind::NotRegularFile);
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return Damaged(DamageKind::TooLarge);
    // One byte more than the cap shows a file that grew past it meanwhile.
    FileRead read;
    read.status = FileRead::Status::Read;
    read.bytes.Resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    while (got < read.bytes.size())
    {
        const ssize_t n = ::read(fd.Get(), read.bytes.data() + got, read.bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Damaged(DamageKind::Unreadable, errno);
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
        if (got > maxBytes)
            return Damaged(DamageKind::TooLarge);
        if (got == read.bytes.size())
            read.bytes.Resize(std::min(read.bytes.size() * 2, maxBytes + 1));
    }
    read.bytes.Resize(got);
    return read;
}

int EnsureDirectory(const fs::path& dir)
{
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        return 0;
    if (dir.has_parent_path() && dir.parent_path() != dir)
        if (const int error = EnsureDirectory(dir.parent_path()))
            return error;
    if (::mkdir(dir.c_str(), 0700) == 0)
        return 0;
    // Another process may have made it a moment ago: only a non-folder is an error.
    if (errno == EEXIST)
        return fs::is_directory(dir, ec) ? 0 : ENOTDIR;
    return errno;
}

#else

// Windows has no modes, owners or FIFOs to mind; a unique temporary and a
// size check are what it needs.
SaveResult WritePiecesAtomically(const fs::path& path,
                                 std::span<const std::span<const std::byte>> pieces)
{
    static std::atomic<unsigned> counter{0};
    const fs::path target = SaveTarget(path);
    fs::path temporary = target;
    temporary += ".tmp-" + std::to_string(_getpid()) + "-" + std::to_string(++counter);
    std::FILE* f = std::fopen(temporary.string().c_str(), "wb");
    if (!f)
        return {path, errno};
    int error = 0;
    for (std::span<const std::byte> bytes : pieces)
        if (error == 0 && !bytes.empty() &&
            std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            error = errno != 0 ? errno : EIO;
    if (std::fflush(f) != 0 && error == 0)
        error = errno;
    if (_commit(_fileno(f)) != 0 && error == 0)
        error = errno;
    if (std::fclose(f) != 0 && error == 0)
        error = errno;
    std::error_code ec;
    if (error == 0)
    {
        fs::rename(temporary, target, ec);
        error = ec.value();
    }
    if (error != 0)
        fs::remove(temporary, ec);
    return {path, error};
}

FileRead ReadFileBounded(const fs::path& path, std::size_t maxBytes)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return {};
    if (!fs::is_regular_file(status))
        return Damaged(DamageKind::NotRegularFile);
    if (fs::file_size(path, ec) > maxBytes)
        return Damaged(DamageKind::TooLarge);
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        return Damaged(DamageKind::Unreadable, errno);
    FileRead read;
    read.status = FileRead::Status::Read;
    std::byte chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && read.bytes.size() <= maxBytes)
    {
        const std::size_t at = read.bytes.size();
        read.bytes.Resize(at + n);
        std::memcpy(read.bytes.data() + at, chunk, n);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return Damaged(DamageKind::Unreadable, EIO);
    if (read.bytes.size() > maxBytes)
        return Damaged(DamageKind::TooLarge);
    return read;
}

int EnsureDirectory(const fs::path& dir)
{
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        return 0;
    fs::create_directories(dir, ec);
    return ec.value();
}

#endif
