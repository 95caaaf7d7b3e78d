#pragma once
// The commands of vestrelctl. Each command is a function in its own source
// file; VestrelCtl.cpp lists them.

#include "model/LoadReport.h"

struct StartupData;

#include <filesystem>
#include <ostream>
#include <span>
#include <string>

struct CtlContext
{
    std::filesystem::path programFolder; // Data.ini, res/, shipped Data/
    std::filesystem::path dataFolder;    // the user's settings files
    std::string driver;                  // "hidraw", "virtual", or empty: the default
    std::ostream& out;
    std::ostream& err;
};

// Runs a command with the arguments after its name; the result is the exit code.
using CtlCommandFn = int (*)(const CtlContext& context, std::span<const std::string> args);

struct CtlCommand
{
    const char* name;
    const char* arguments; // shown in the usage text
    CtlCommandFn run;
    // Writing commands run under the data folder's lock, and not at all
    // while the program holds the folder; reading ones never write.
    bool bWrites;
};

int RunDescribe(const CtlContext& context, std::span<const std::string> args);
int RunProfiles(const CtlContext& context, std::span<const std::string> args);
int RunTrace(const CtlContext& context, std::span<const std::string> args);
int RunApply(const CtlContext& context, std::span<const std::string> args);

// Tells on stderr what loading found wrong; true when it found nothing.
bool ReportLoad(const CtlContext& context, const LoadReport& report);
// Loads as the program would start, writing nothing (on a first start the
// factory profile it would create), and tells what it found wrong; true when
// it found nothing.
bool LoadForReading(const CtlContext& context, StartupData& data);
// Tells on stderr why a save failed; true when it was written.
bool ReportSave(const CtlContext& context, const SaveResult& save);

// For a command that takes no arguments: false (and a message) when some came.
bool ExpectNoArguments(const CtlContext& context, const char* command,
                       std::span<const std::string> args);
