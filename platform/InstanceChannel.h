#pragma once
// What travels over the single-instance socket, without Qt, so that
// vestrelctl can speak to the running program: a later copy's request to
// show the window ('S', answered 'K'), and a command line to carry out
// ('C'), answered with its exit code, stdout and stderr ('R').
//
// Request: 'C', u32 argument count, then per argument u32 length + bytes.
// Answer:  'R', i32 exit code, u32 length + stdout, u32 length + stderr.
// Numbers are little-endian.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's one-copy name.
inline constexpr char kInstanceName[] = "Mosue Driver Configure Vestrel";
inline constexpr char kShowRequest = 'S';
inline constexpr char kShown = 'K';
inline constexpr char kCommandRequest = 'C';
inline constexpr char kCommandAnswer = 'R';

// The socket and the lock of `name` in `folder`; the name has spaces, so a
// hash keeps the file names plain.
std::filesystem::path InstanceSocketPath(const std::filesystem::path& folder,
                                         std::string_view name);
std::filesystem::path InstanceLockPath(const std::filesystem::path& folder, std::string_view name);

struct CommandAnswer
{
    int exitCode = 1;
    std::string out;
    std::string err;
};

std::string EncodeCommandRequest(const std::vector<std::string>& args);
std::string EncodeCommandAnswer(const CommandAnswer& answer);

enum class Decoded
{
    Complete,
    Incomplete, // wait for more bytes
    Bad,        // not a frame of ours, or larger than any command line
};
Decoded DecodeCommandRequest(std::string_view bytes, std::vector<std::string>& args);
Decoded DecodeCommandAnswer(std::string_view bytes, CommandAnswer& answer);

// Sends `args` to the program listening on `socket` and waits for its
// answer; nothing when no program listens there or the connection broke
// before the whole answer came.
std::optional<CommandAnswer> SendCommandToProgram(const std::filesystem::path& socket,
                                                  const std::vector<std::string>& args);

// One exchange with the program listening on `socket`: sends `request`, then
// hands all that has come back so far to `take` until it says Complete.
// Connecting, sending and each wait for more give up after `timeoutMs`
// (never when negative). False when nobody listens, the connection broke or
// timed out first, or `take` said Bad.
bool ExchangeWithProgram(const std::filesystem::path& socket, std::string_view request,
                         int timeoutMs,
                         const std::function<Decoded(std::string_view received)>& take);
