#include "platform/InstanceChannel.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

// A command line is short; this only stops a stray peer from filling memory.
constexpr std::size_t kMaxFrame = 16u << 20;

// FNV-1a, 64 bits: stable across builds and needs nothing beyond the library.
std::string NameHash(std::string_view name)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void PutU32(std::string& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutText(std::string& out, std::string_view text)
{
    PutU32(out, static_cast<uint32_t>(text.size()));
    out.append(text);
}

class Reader
{
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool U32(uint32_t& value)
    {
        if (m_bytes.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i]))
                     << (8 * i);
        m_at += 4;
        return true;
    }
    // Incomplete when the bytes are not all there yet, Bad when they never will be.
    Decoded Text(std::string& text)
    {
        uint32_t size = 0;
        if (!U32(size))
            return Decoded::Incomplete;
        if (size > kMaxFrame)
            return Decoded::Bad;
        if (m_bytes.size() - m_at < size)
            return Decoded::Incomplete;
        text.assign(m_bytes.substr(m_at, size));
        m_at += size;
        return Decoded::Complete;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 1; // after the frame's letter
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::filesystem::path InstanceSocketPath(const std::filesystem::path& folder, std::string_view name)
{
    return folder / ("vestrel-" + NameHash(name) + ".sock");
}

std::filesystem::path InstanceLockPath(const std::filesystem::path& folder, std::string_view name)
{
    return folder / ("vestrel-" + NameHash(name) + ".lock");
}

std::string EncodeCommandRequest(const std::vector<std::string>& args)
{
    std::string out(1, kCommandRequest);
    PutU32(out, static_cast<uint32_t>(args.size()));
    for (const std::string& arg : args)
        PutText(out, arg);
    return out;
}

std::string EncodeCommandAnswer(const CommandAnswer& answer)
{
    std::string out(1, kCommandAnswer);
    PutU32(out, static_cast<uint32_t>(answer.exitCode));
    PutText(out, answer.out);
    PutText(out, answer.err);
    return out;
}

Decoded DecodeCommandRequest(std::string_view bytes, std::vector<std::string>& args)
{
    if (bytes.empty())
        return Decoded::Incomplete;
    if (bytes.front() != kCommandRequest || bytes.size() > kMaxFrame)
        return Decoded::Bad;
    Reader reader(bytes);
    uint32_t count = 0;
    if (!reader.U32(count))
        return Decoded::Incomplete;
    if (count > 4096)
        return Decoded::Bad;
    args.assign(count, std::string());
    for (std::string& arg : args)
        if (const Decoded step = reader.Text(arg); step != Decoded::Complete)
            return step;
    return Decoded::Complete;
}

Decoded DecodeCommandAnswer(std::string_view bytes, CommandAnswer& answer)
{
    if (bytes.empty())
        return Decoded::Incomplete;
    if (bytes.front() != kCommandAnswer)
        return Decoded::Bad;
    Reader reader(bytes);
    uint32_t code = 0;
    if (!reader.U32(code))
        return Decoded::Incomplete;
    answer.exitCode = static_cast<int32_t>(code);
    if (const Decoded step = reader.Text(answer.out); step != Decoded::Complete)
        return step;
    return reader.Text(answer.err);
}

std::optional<CommandAnswer> SendCommandToProgram(const std::filesystem::path& socket,
                                                  const std::vector<std::string>& args)
{
    // The program answers once the command is done, however long it takes.
    CommandAnswer answer;
    if (!ExchangeWithProgram(socket, EncodeCommandRequest(args), -1,
                             [&answer](std::string_view received)
                             { return DecodeCommandAnswer(received, answer); }))
        return std::nullopt;
    return answer;
}

bool ExchangeWithProgram(const std::filesystem::path& socket, std::string_view request,
                         int timeoutMs,
                         const std::function<Decoded(std::string_view received)>& take)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socket.string();
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (timeoutMs >= 0)
    {
        // Bounds connect() too while the program's backlog is full.
        const timeval limit{timeoutMs / 1000, std::max(timeoutMs % 1000, 1) * 1000};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    }
    Decoded decoded = Decoded::Incomplete;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        WriteAll(fd, request))
    {
        std::string received;
        char buffer[4096];
        while (decoded == Decoded::Incomplete)
        {
            pollfd ready{fd, POLLIN, 0};
            const int polled = ::poll(&ready, 1, timeoutMs);
            if (polled < 0 && errno == EINTR)
                continue;
            if (polled <= 0)
                break;
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            received.append(buffer, static_cast<std::size_t>(n));
            decoded = take(received);
        }
    }
    ::close(fd);
    return decoded == Decoded::Complete;
}
