#pragma once
// Running a helper program directly, without a shell: the arguments reach it
// exactly as given, whatever characters they hold.

#include <functional>
#include <string>
#include <vector>

// argv[0] is looked up on PATH. Its output is discarded.
using CommandRunner = std::function<int(const std::vector<std::string>& argv)>;

// The program's exit status, or -1 when it could not be started or did not
// exit normally.
int RunCommand(const std::vector<std::string>& argv);
