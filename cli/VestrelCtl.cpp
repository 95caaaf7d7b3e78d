#include "cli/VestrelCtl.h"

#include "app/LanguageChoice.h"
#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "model/DataFolderLock.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <iterator>

namespace
{

// To add a command, write `int RunName(const CtlContext&, std::span<const
// std::string>)` in its own cli/NameCommand.cpp, declare it in CtlCommand.h,
// add the source to cli/CMakeLists.txt and give it one line here.
constexpr CtlCommand kCommands[] = {
    {"describe", "", &RunDescribe, false},
    {"profiles", "", &RunProfiles, false},
    {"trace", "[--profile N]", &RunTrace, false},
    {"apply", "[--profile N]", &RunApply, true},
};

void PrintUsage(std::ostream& err)
{
    err << "usage: vestrelctl [--program-dir DIR] [--driver hidraw|virtual] COMMAND\n"
           "commands:\n";
    for (const CtlCommand& command : kCommands)
        err << "  " << command.name << (*command.arguments ? " " : "") << command.arguments << "\n";
}

int UsageError(std::ostream& err, const std::string& message)
{
    err << "vestrelctl: " << message << "\n";
    PrintUsage(err);
    return 2;
}

} // namespace

bool ReportLoad(const CtlContext& context, const LoadReport& report)
{
    for (const DamagedFile& damaged : report.damaged)
        context.err << "vestrelctl: " << DescribeDamage(damaged) << "\n";
    for (const SaveResult& save : report.failedSaves)
        ReportSave(context, save);
    return report.Empty();
}

bool LoadForReading(const CtlContext& context, StartupData& data)
{
    MacroLibrary macros;
    GunLibrary guns;
    return ReportLoad(context, LoadStartupData(data, {context.programFolder, context.dataFolder},
                                               LanguageIdFromEnvironment(), macros, guns,
                                               DataAccess::ReadOnly));
}

bool ReportSave(const CtlContext& context, const SaveResult& save)
{
    if (!save)
        context.err << "vestrelctl: could not save " << save.file.string() << ": " << save.Reason()
                    << "\n";
    return static_cast<bool>(save);
}

bool ExpectNoArguments(const CtlContext& context, const char* command,
                       std::span<const std::string> args)
{
    if (args.empty())
        return true;
    context.err << "vestrelctl: " << command << " takes no arguments (got '" << args.front()
                << "')\n";
    return false;
}

int RunVestrelCtl(std::span<const std::string> args,
                  const std::filesystem::path& defaultProgramFolder, std::ostream& out,
                  std::ostream& err)
{
    std::filesystem::path programFolder = defaultProgramFolder;
    std::string driver;
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i)
    {
        const std::string& option = args[i];
        if (option != "--program-dir" && option != "--driver")
            return UsageError(err, "unknown option '" + option + "'");
        if (i + 1 == args.size())
            return UsageError(err, option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--program-dir")
            programFolder = value;
        else if (value == "hidraw" || value == "virtual")
            driver = value;
        else
            return UsageError(err, "unknown driver '" + value + "' (hidraw or virtual)");
    }
    if (i == args.size())
        return UsageError(err, "no command given");

    auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                [&](const CtlCommand& c) { return args[i] == c.name; });
    if (command == std::end(kCommands))
        return UsageError(err, "unknown command '" + args[i] + "'");
    CtlContext context{programFolder, DataFolderFor(programFolder), driver, out, err};
    DataFolderLock lock;
    // Without a lock file nobody can write there; the command's own saves
    // then fail and say why.
    if (command->bWrites &&
        lock.LockForCommand(context.dataFolder) == DataFolderLock::Outcome::ProgramRunning)
    {
        err << "vestrelctl: " << command->name << ": vestrel is running on "
            << context.dataFolder.string()
            << "; nothing was changed (use the program, or close it)\n";
        return 1;
    }
    return command->run(context, args.subspan(i + 1));
}
