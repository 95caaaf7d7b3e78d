#include "platform/CommandRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

extern char** environ;

namespace
{

std::string ReadAll(int fd)
{
    std::string text;
    if (lseek(fd, 0, SEEK_SET) != 0)
        return text;
    char buffer[4096];
    for (;;)
    {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            return text;
    }
}

} // namespace

CommandResult RunCommand(const std::vector<std::string>& argv)
{
    CommandResult result;
    if (argv.empty())
        return result;
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // A file, not a pipe: a daemon the program starts may keep its stdout
    // open for good, and waiting for the end of a pipe would never return.
    const int out = memfd_create("command-output", MFD_CLOEXEC);
    if (out < 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
    {
        close(out);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
        {
            close(out);
            return result;
        }
    result.output = ReadAll(out);
    close(out);
    // posix_spawnp may report a missing program only through the child.
    if (WIFEXITED(status) && WEXITSTATUS(status) != 127)
        result.status = WEXITSTATUS(status);
    return result;
}

bool IsProgramInstalled(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
    return false;
}
