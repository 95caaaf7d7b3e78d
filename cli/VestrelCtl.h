#pragma once
// vestrelctl's command line: [--program-dir DIR] [--driver hidraw|virtual] COMMAND

#include <filesystem>
#include <ostream>
#include <span>
#include <string>

// `args` without the program name. The program folder defaults to
// `defaultProgramFolder` (the executable's); the data folder follows the
// program's rule (DataFolderFor), so both see the same files.
int RunVestrelCtl(std::span<const std::string> args,
                  const std::filesystem::path& defaultProgramFolder, std::ostream& out,
                  std::ostream& err);
