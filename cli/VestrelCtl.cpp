#include "cli/VestrelCtl.h"

#include "app/DeviceDescription.h"
#include "app/LanguageChoice.h"
#include "app/LanguageFile.h"
#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "control/ProfileKeys.h"
#include "model/DataFolderLock.h"
#include "model/NameField.h"
#include "platform/InstanceChannel.h"
#include "platform/ProgramFolder.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#ifndef VESTREL_VERSION
#define VESTREL_VERSION "unknown"
#endif

namespace
{

// To add a command, write `int RunName(const CtlContext&, std::span<const
// std::string>)` in the source file of its group, declare it in
// CtlCommand.h and give it one line here.
constexpr CtlCommand kCommands[] = {
    {"help", "[COMMAND]", "this text, or what a command does", nullptr, CtlAccess::Own},
    {"describe", "", "the device description, as key=value lines", &RunDescribe, CtlAccess::Own},
    {"status", "[--json]", "whether the mouse is there, and its firmware version", &RunStatus,
     CtlAccess::Mouse},
    {"profiles", "", "the profiles: index, TAB, * for the current one, TAB, name", &RunProfiles,
     CtlAccess::Reads},
    {"show", "[--profile N|NAME] [--json]", "every setting of a profile", &RunShow,
     CtlAccess::Reads},
    {"select", "N|NAME", "makes a profile the current one", &RunSelect, CtlAccess::Writes},
    {"add", "[NAME]", "adds a profile with the factory settings and selects it", &RunAdd,
     CtlAccess::Writes},
    {"delete", "N|NAME", "deletes a profile (never the last one)", &RunDelete, CtlAccess::Writes},
    {"rename", "N|NAME NEW", "renames a profile", &RunRename, CtlAccess::Writes},
    {"reset", "[N|NAME]", "gives a profile the factory settings, its name included", &RunReset,
     CtlAccess::Writes},
    {"set", "[--profile N|NAME] [--apply] KEY=VALUE...",
     "changes settings of a profile and saves them; --apply then applies it", &RunSet,
     CtlAccess::Writes},
    {"export-profile", "N|NAME FILE", "writes a profile to a .pbin file", &RunExportProfile,
     CtlAccess::Reads},
    {"import-profile", "FILE", "adds the profile of a .pbin file", &RunImportProfile,
     CtlAccess::Writes},
    {"macros", "[--json]", "the macro library: FOLDER/ or FOLDER/NAME, TAB locked", &RunMacros,
     CtlAccess::Reads},
    {"guns", "[--json]", "the gun library: FOLDER/ or FOLDER/NAME, TAB locked", &RunGuns,
     CtlAccess::Reads},
    {"import", "FILE [--folder F]",
     "adds a .mbin, .mbins, .gbin or .gbins file to its library (--folder: into folder F)",
     &RunImport, CtlAccess::Writes},
    {"export",
     "macro|gun FOLDER/NAME FILE [--locked] | macro-folder|gun-folder FOLDER FILE "
     "[--locked]",
     "writes a macro, gun or folder to its exchange file", &RunExport, CtlAccess::Reads},
    {"trace", "[--profile N]", "the driver calls of an apply, against the virtual mouse", &RunTrace,
     CtlAccess::Own},
    {"apply", "[--profile N]", "applies a profile to the mouse, as the Apply button does",
     &RunApply, CtlAccess::Writes},
};

const CtlCommand* FindCommand(std::string_view name)
{
    auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                [&](const CtlCommand& c) { return name == c.name; });
    return command == std::end(kCommands) ? nullptr : command;
}

void PrintUsage(std::ostream& stream)
{
    stream << "usage: vestrelctl [--program-dir DIR] [--driver hidraw|virtual] COMMAND [ARGS]\n"
              "       vestrelctl --help | --version\n"
              "commands:\n";
    for (const CtlCommand& command : kCommands)
        stream << "  " << command.name << (*command.arguments ? " " : "") << command.arguments
               << "\n      " << command.summary << "\n";
    stream << "exit codes: 0 done, 1 failed or refused, 2 usage error\n";
}

int UsageError(std::ostream& err, const std::string& message)
{
    err << "vestrelctl: " << message << "\n"
        << "Try 'vestrelctl --help'.\n";
    return kExitUsage;
}

int RunHelp(std::ostream& out, std::ostream& err, std::span<const std::string> args)
{
    if (args.empty())
    {
        PrintUsage(out);
        return kExitDone;
    }
    const CtlCommand* command = args.size() == 1 ? FindCommand(args[0]) : nullptr;
    if (command == nullptr)
        return UsageError(err, "help takes one command name (got '" + args[0] + "')");
    out << "usage: vestrelctl " << command->name << (*command->arguments ? " " : "")
        << command->arguments << "\n  " << command->summary << "\n";
    if (command->run == &RunSet)
    {
        out << "keys:\n" << ProfileKeyHelp() << "button functions:\n ";
        for (const std::string& name : ButtonFunctionNames())
            out << " " << name;
        out << "\n";
    }
    return kExitDone;
}

// The running program holds the folder: it carries the command out and its
// answer is ours. Nothing when it does not answer.
std::optional<int> ForwardToProgram(std::span<const std::string> args,
                                    const std::filesystem::path& programFolder, std::ostream& out,
                                    std::ostream& err)
{
    // The program folder as the program must resolve it: absolute.
    std::vector<std::string> line = {"--program-dir",
                                     std::filesystem::absolute(programFolder).string()};
    line.insert(line.end(), args.begin(), args.end());
    const std::filesystem::path runtime = PrivateRuntimeFolder();
    const std::optional<CommandAnswer> answer =
        runtime.empty() ? std::nullopt
                        : SendCommandToProgram(InstanceSocketPath(runtime, kInstanceName), line);
    if (!answer)
        return std::nullopt;
    out << answer->out;
    err << answer->err;
    return answer->exitCode;
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
        context.err << "vestrelctl: "
                    << UserText(context, "ctl_save_failed_text", "%1 could not be saved: %2",
                                {save.file.string(),
                                 UserText(context, save.ReasonTextKey(), save.Reason())})
                    << "\n";
    return static_cast<bool>(save);
}

bool SaveProfilesOf(const CtlContext& context)
{
    return ReportSave(context, SaveProfiles(context.dataFolder, context.data->startup.profiles));
}

bool SaveAppStateOf(const CtlContext& context)
{
    return ReportSave(context, SaveAppState(context.dataFolder, context.data->startup.appState));
}

void NoteChanged(const CtlContext& context, unsigned changes)
{
    if (context.host != nullptr)
        context.host->DataChanged(changes);
}

std::string UserText(const CtlContext& context, std::string_view key, std::string_view fallback,
                     std::initializer_list<std::string> args)
{
    std::u16string text;
    if (context.data != nullptr)
        text = context.data->startup.language.GetText(key);
    else
    {
        // Reading Data.bin for its language writes nothing.
        LoadReport report;
        const AppState state = LoadAppState(context.dataFolder, report, DataAccess::ReadOnly);
        LanguageFile language;
        language.Load(
            context.programFolder / "res" /
            LanguageFileName(ChooseLanguageIndex(state.iLanguage, LanguageIdFromEnvironment())));
        text = language.GetText(key);
    }
    std::string filled = text.empty() ? std::string(fallback) : Utf16ToUtf8(text);
    int number = 1;
    for (const std::string& arg : args)
    {
        const std::string mark = "%" + std::to_string(number++);
        if (const std::size_t at = filled.find(mark); at != std::string::npos)
            filled.replace(at, mark.size(), arg);
    }
    return filled;
}

int Complain(const CtlContext& context, const char* command, const std::string& message, int code)
{
    context.err << "vestrelctl: " << command << ": " << message << "\n";
    return code;
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
                  std::ostream& err, CtlProgram* program)
{
    std::filesystem::path programFolder = defaultProgramFolder;
    std::string driver;
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i)
    {
        const std::string& option = args[i];
        if (option == "--help" || option == "-h")
            return RunHelp(out, err, {});
        if (option == "--version")
        {
            const DeviceDescription description = ReadDeviceDescription(programFolder);
            out << "vestrelctl " << VESTREL_VERSION
                << "\nfirmware expected: " << description.m_iVer_H << "." << description.m_iVer_L
                << "\n";
            return kExitDone;
        }
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

    const CtlCommand* command = FindCommand(args[i]);
    if (command == nullptr)
        return UsageError(err, "unknown command '" + args[i] + "'");
    const std::span<const std::string> commandArgs = args.subspan(i + 1);
    if (command->run == nullptr)
        return RunHelp(out, err, commandArgs);
    CtlContext context{programFolder, DataFolderFor(programFolder), driver, out, err};
    if (command->access == CtlAccess::Own)
        return command->run(context, commandArgs);

    if (program != nullptr)
    {
        if (std::filesystem::weakly_canonical(context.dataFolder) !=
            std::filesystem::weakly_canonical(program->dataFolder))
            return Complain(context, command->name,
                            "vestrel works on " + program->dataFolder.string() + ", not on " +
                                context.dataFolder.string(),
                            kExitFailed);
        context.data = &program->data;
        context.host = &program->host;
        return command->run(context, commandArgs);
    }

    // A reading command on a folder never written has nobody to wait for,
    // and must not create it.
    DataFolderLock lock;
    const bool bLock = command->access == CtlAccess::Writes ||
                       std::filesystem::exists(context.dataFolder / DataFolderLock::kFileName);
    // Without a lock file nobody can write there; the command's own saves
    // then fail and say why.
    if (bLock && lock.LockForCommand(context.dataFolder) == DataFolderLock::Outcome::ProgramRunning)
    {
        if (const std::optional<int> code =
                ForwardToProgram(args.subspan(i), programFolder, out, err))
            return *code;
        // Reading its files does the program no harm; writing them would
        // lose what it holds in memory, and opening the mouse beside it
        // would mix our reports into its own.
        if (command->access != CtlAccess::Reads)
        {
            err << "vestrelctl: " << command->name << ": vestrel is running on "
                << context.dataFolder.string() << " but does not answer"
                << (command->access == CtlAccess::Writes ? "; nothing was changed" : "") << "\n";
            return kExitFailed;
        }
    }
    // These load what they need themselves.
    if (command->access == CtlAccess::Mouse || command->run == &RunApply)
        return command->run(context, commandArgs);

    auto startup = std::make_unique<StartupData>();
    MacroLibrary macros;
    GunLibrary guns;
    const bool bLoaded = ReportLoad(
        context, LoadStartupData(*startup, {context.programFolder, context.dataFolder},
                                 LanguageIdFromEnvironment(), macros, guns,
                                 command->access == CtlAccess::Writes ? DataAccess::ReadWrite
                                                                      : DataAccess::ReadOnly));
    CtlData data{*startup, macros, guns};
    context.data = &data;
    const int code = command->run(context, commandArgs);
    // What was damaged is told, and a reading command says so in its code.
    return code == kExitDone && !bLoaded && command->access == CtlAccess::Reads ? kExitFailed
                                                                                : code;
}
