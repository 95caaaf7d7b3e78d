#include "model/DataFolderLock.h"

#include "model/AtomicFile.h"

#ifndef _WIN32

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr off_t kWriterByte = 0;
constexpr off_t kProgramByte = 1;

struct flock ByteLock(off_t byte, short type)
{
    struct flock lock
    {
    };
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    return lock;
}

// 0 when taken, otherwise the errno (EAGAIN: someone holds it).
int TakeByte(int fd, off_t byte, bool bWait)
{
    struct flock lock = ByteLock(byte, F_WRLCK);
    while (::fcntl(fd, bWait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) != 0)
    {
        if (errno != EINTR)
            return errno == EACCES ? EAGAIN : errno;
    }
    return 0;
}

bool ByteHeld(int fd, off_t byte)
{
    struct flock lock = ByteLock(byte, F_WRLCK);
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

} // namespace

DataFolderLock::~DataFolderLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool DataFolderLock::Open(const std::filesystem::path& dataFolder)
{
    m_error = EnsureDirectory(dataFolder);
    if (m_error != 0)
        return false;
    m_fd =
        ::open((dataFolder / kFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    m_error = m_fd < 0 ? errno : 0;
    return m_fd >= 0;
}

DataFolderLock::Outcome DataFolderLock::LockForProgram(const std::filesystem::path& dataFolder)
{
    if (!Open(dataFolder))
        return Outcome::Unavailable;
    // The mark comes first: a command that finds the writer lock taken then
    // knows whether to wait or to give way.
    if (const int error = TakeByte(m_fd, kProgramByte, false))
    {
        m_error = error;
        return error == EAGAIN ? Outcome::ProgramRunning : Outcome::Unavailable;
    }
    // A command holds the writer lock only while it runs.
    if ((m_error = TakeByte(m_fd, kWriterByte, true)) != 0)
        return Outcome::Unavailable;
    return Outcome::Locked;
}

DataFolderLock::Outcome DataFolderLock::LockForCommand(const std::filesystem::path& dataFolder)
{
    if (!Open(dataFolder))
        return Outcome::Unavailable;
    for (;;)
    {
        const int error = TakeByte(m_fd, kWriterByte, false);
        if (error == 0)
            return Outcome::Locked;
        if (error != EAGAIN)
        {
            m_error = error;
            return Outcome::Unavailable;
        }
        if (ByteHeld(m_fd, kProgramByte))
            return Outcome::ProgramRunning;
        // Another command writes; it is done soon.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

#else

// The Windows build is a compile check only; it runs one writer by hand.
DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::Open(const std::filesystem::path& dataFolder)
{
    m_error = EnsureDirectory(dataFolder);
    return m_error == 0;
}

DataFolderLock::Outcome DataFolderLock::LockForProgram(const std::filesystem::path& dataFolder)
{
    return Open(dataFolder) ? Outcome::Locked : Outcome::Unavailable;
}

DataFolderLock::Outcome DataFolderLock::LockForCommand(const std::filesystem::path& dataFolder)
{
    return Open(dataFolder) ? Outcome::Locked : Outcome::Unavailable;
}

#endif
