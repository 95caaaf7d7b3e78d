#pragma once
// Runs vestrelctl in-process on a test program folder and keeps what it said.

#include "cli/VestrelCtl.h"
#include "tests/support/TempProgramFolder.h"

#include <sstream>
#include <string>
#include <vector>

struct CtlResult
{
    int code;
    std::string out;
    std::string err;
};

inline CtlResult RunCtl(const TempProgramFolder& dir, const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = RunVestrelCtl(args, dir.Path(), out, err);
    return {code, out.str(), err.str()};
}
