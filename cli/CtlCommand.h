#pragma once
// The commands of vestrelctl. Each command is a function in a source file of
// its group; VestrelCtl.cpp lists them. The same commands run inside the
// program when it holds the data folder: then `data` is the program's own
// and `host` refreshes its pages.

#include "device/MouseAccess.h"
#include "device/TransferProtocol.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/LoadReport.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

struct StartupData;

// The settings a command works on.
struct CtlData
{
    StartupData& startup;
    MacroLibrary& macros;
    GunLibrary& guns;
};

struct CtlContext;

// What `status` tells of the mouse.
struct MouseStatus
{
    MouseAccess access = MouseAccess::Absent;
    std::optional<FirmwareVersion> firmware; // when it answered
};

// The running program, when it carries a command out.
class CtlHost
{
public:
    enum Change : unsigned
    {
        kProfilesChanged = 1, // the list, the current one, or its settings
        kMacrosChanged = 2,
        kGunsChanged = 4,
    };
    virtual ~CtlHost() = default;
    // Shows what a command changed; the command has saved it already.
    virtual void DataChanged(unsigned changes) = 0;
    // The program's apply of the current profile; the exit code.
    virtual int Apply(const CtlContext& context) = 0;
    // The mouse as the program's link holds it, so that nobody else opens it.
    virtual MouseStatus Mouse() = 0;
};

struct CtlContext
{
    std::filesystem::path programFolder; // Data.ini, res/, shipped Data/
    std::filesystem::path dataFolder;    // the user's settings files
    std::string driver;                  // "hidraw", "virtual", or empty: the default
    std::ostream& out;
    std::ostream& err;
    CtlData* data = nullptr; // loaded for commands that work on settings
    CtlHost* host = nullptr; // the running program, or nobody
};

// Runs a command with the arguments after its name; the result is the exit code.
using CtlCommandFn = int (*)(const CtlContext& context, std::span<const std::string> args);

enum class CtlAccess
{
    Own,    // touches no settings file, or loads them itself as the program starts
    Reads,  // reads the settings, loaded for it
    Writes, // changes them, under the data folder's lock
    Mouse,  // reaches the mouse: through the running program, or loads what it needs itself
};

struct CtlCommand
{
    const char* name;
    const char* arguments; // shown in the usage text
    const char* summary;   // one line of help
    CtlCommandFn run;
    CtlAccess access;
};

int RunDescribe(const CtlContext& context, std::span<const std::string> args);
int RunProfiles(const CtlContext& context, std::span<const std::string> args);
int RunTrace(const CtlContext& context, std::span<const std::string> args);
int RunApply(const CtlContext& context, std::span<const std::string> args);
int RunShow(const CtlContext& context, std::span<const std::string> args);
int RunSelect(const CtlContext& context, std::span<const std::string> args);
int RunAdd(const CtlContext& context, std::span<const std::string> args);
int RunDelete(const CtlContext& context, std::span<const std::string> args);
int RunRename(const CtlContext& context, std::span<const std::string> args);
int RunReset(const CtlContext& context, std::span<const std::string> args);
int RunSet(const CtlContext& context, std::span<const std::string> args);
int RunExportProfile(const CtlContext& context, std::span<const std::string> args);
int RunImportProfile(const CtlContext& context, std::span<const std::string> args);
int RunStatus(const CtlContext& context, std::span<const std::string> args);
int RunMacros(const CtlContext& context, std::span<const std::string> args);
int RunGuns(const CtlContext& context, std::span<const std::string> args);
int RunImport(const CtlContext& context, std::span<const std::string> args);
int RunExport(const CtlContext& context, std::span<const std::string> args);

// Exit codes.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Tells on stderr what loading found wrong; true when it found nothing.
bool ReportLoad(const CtlContext& context, const LoadReport& report);
// Loads as the program would start, writing nothing (on a first start the
// factory profile it would create), and tells what it found wrong; true when
// it found nothing.
bool LoadForReading(const CtlContext& context, StartupData& data);
// Tells on stderr why a save failed; true when it was written.
bool ReportSave(const CtlContext& context, const SaveResult& save);
// profile.bin and Data.bin from the command's data, told when they fail.
bool SaveProfilesOf(const CtlContext& context);
bool SaveAppStateOf(const CtlContext& context);
// Tells the running program, if any, what changed.
void NoteChanged(const CtlContext& context, unsigned changes);
// A text of the language files, in the language the user chose in the
// window (Data.bin) or else the system's; `fallback` where there is none.
// %1, %2, ... are filled from `args`.
std::string UserText(const CtlContext& context, std::string_view key, std::string_view fallback,
                     std::initializer_list<std::string> args = {});

// "vestrelctl: COMMAND: message" on stderr; returns `code`.
int Complain(const CtlContext& context, const char* command, const std::string& message, int code);

// For a command that takes no arguments: false (and a message) when some came.
bool ExpectNoArguments(const CtlContext& context, const char* command,
                       std::span<const std::string> args);
