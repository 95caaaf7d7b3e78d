#include "cli/VestrelCtl.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace
{

// The folder of the running executable; resources and Data.ini sit beside it.
std::filesystem::path ProgramFolder()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec) : exe.parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunVestrelCtl(args, ProgramFolder(), std::cout, std::cerr);
}
