#include "platform/InstanceChannel.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
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
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = socket.string();
    if (path.size() >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    std::optional<CommandAnswer> result;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        WriteAll(fd, EncodeCommandRequest(args)))
    {
        // The program answers once the command is done, however long it takes.
        std::string received;
        char buffer[4096];
        for (;;)
        {
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            received.append(buffer, static_cast<std::size_t>(n));
            CommandAnswer answer;
            const Decoded decoded = DecodeCommandAnswer(received, answer);
            if (decoded == Decoded::Complete)
                result = std::move(answer);
            if (decoded != Decoded::Incomplete)
                break;
        }
    }
    ::close(fd);
    return result;
}
