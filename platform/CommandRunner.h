#pragma once
// Running a helper program directly, without a shell: the arguments reach it
// exactly as given, whatever characters they hold.

#include <functional>
#include <string>
#include <vector>

struct CommandResult
{
    // The program's exit status, or -1 when it could not be started or did
    // not exit normally.
    int status = -1;
    std::string output; // what it wrote to stdout; stderr is discarded
};

// argv[0] is looked up on PATH.
using CommandRunner = std::function<CommandResult(const std::vector<std::string>& argv)>;

CommandResult RunCommand(const std::vector<std::string>& argv);

// Whether a program of that name is on PATH and may be run.
bool IsProgramInstalled(const std::string& name);
