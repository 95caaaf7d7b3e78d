#include "cli/VestrelCtl.h"
#include "platform/ProgramFolder.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunVestrelCtl(args, RunningProgramFolder(), std::cout, std::cerr);
}
