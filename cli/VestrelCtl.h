#pragma once
// vestrelctl's command line: [--program-dir DIR] [--driver hidraw|virtual] COMMAND

#include "cli/CtlCommand.h"

#include <filesystem>
#include <ostream>
#include <span>
#include <string>

// The running program, carrying out a command line that came over its
// single-instance channel, on its own data.
struct CtlProgram
{
    CtlData data;
    CtlHost& host;
    std::filesystem::path dataFolder; // the folder the program holds
};

// `args` without the program name. The program folder defaults to
// `defaultProgramFolder` (the executable's); the data folder follows the
// program's rule (DataFolderFor), so both see the same files. Without
// `program`, commands on the settings go to the running program when it holds
// the data folder, and are carried out here under the folder's lock when not.
int RunVestrelCtl(std::span<const std::string> args,
                  const std::filesystem::path& defaultProgramFolder, std::ostream& out,
                  std::ostream& err, CtlProgram* program = nullptr);
