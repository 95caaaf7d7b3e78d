// vestrelctl select, add, delete, rename, reset, set, export-profile and
// import-profile: the profile bar's and the pages' changes, with their rules,
// saved at once.

#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "cli/ProfileChoice.h"
#include "control/ProfileKeys.h"
#include "model/NameField.h"
#include "model/ProfileExchange.h"
#include "model/SettingsFiles.h"

#include <memory>
#include <vector>

namespace
{

StartupData& Startup(const CtlContext& context)
{
    return context.data->startup;
}

void MakeCurrent(const CtlContext& context, int index)
{
    StartupData& startup = Startup(context);
    startup.appState.iCurrentProfile = index;
    startup.currentProfile = startup.profiles[static_cast<std::size_t>(index)].get();
}

std::string ShownName(const ProfileData& profile)
{
    return PrintableName(NameFromField(profile.szName));
}

// A name as the name field takes it: control characters replaced, at most
// the record's 49 characters.
std::u16string FittedName(std::string_view text)
{
    std::u16string name = CleanName(Utf8ToUtf16(text));
    if (name.size() > kNameMaxChars)
        name.resize(kNameMaxChars);
    return name;
}

// Saves the list and, when `bCurrentChanged`, Data.bin; the program shows it.
int SaveProfileChange(const CtlContext& context, bool bCurrentChanged)
{
    const bool bSaved = SaveProfilesOf(context) && (!bCurrentChanged || SaveAppStateOf(context));
    NoteChanged(context, CtlHost::kProfilesChanged);
    return bSaved ? kExitDone : kExitFailed;
}

} // namespace

int RunSelect(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() != 1)
        return Complain(context, "select", "takes one profile, N or NAME", kExitUsage);
    const std::optional<int> index = FindProfile(context, "select", args[0]);
    if (!index)
        return kExitFailed;
    MakeCurrent(context, *index);
    const bool bSaved = SaveAppStateOf(context);
    NoteChanged(context, CtlHost::kProfilesChanged);
    if (bSaved)
        context.out << "selected profile " << *index << ": "
                    << ShownName(*Startup(context).currentProfile) << "\n";
    return bSaved ? kExitDone : kExitFailed;
}

int RunAdd(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() > 1)
        return Complain(context, "add", "takes at most a name", kExitUsage);
    StartupData& startup = Startup(context);
    std::u16string name;
    if (args.empty())
        name = MakeFreeProfileName(startup.profiles,
                                   startup.language.GetText("profile_text") +
                                       Utf8ToUtf16(std::to_string(startup.profiles.size() + 1)));
    else if (ProfileNameExists(startup.profiles, name = FittedName(args[0])))
        return Complain(context, "add", "a profile named '" + args[0] + "' exists already",
                        kExitFailed);
    auto profile = std::make_unique<ProfileData>(startup.defaultProfile);
    SetNameField(profile->szName, name);
    startup.profiles.push_back(std::move(profile));
    MakeCurrent(context, static_cast<int>(startup.profiles.size()) - 1);
    const int code = SaveProfileChange(context, true);
    if (code == kExitDone)
        context.out << "added profile " << startup.profiles.size() - 1 << ": "
                    << PrintableName(name) << "\n";
    return code;
}

int RunDelete(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() != 1)
        return Complain(context, "delete", "takes one profile, N or NAME", kExitUsage);
    StartupData& startup = Startup(context);
    const std::optional<int> index = FindProfile(context, "delete", args[0]);
    if (!index)
        return kExitFailed;
    if (startup.profiles.size() < 2)
        return Complain(context, "delete", "the last profile cannot be deleted", kExitFailed);
    const int current = CurrentProfileIndex(context);
    const std::string name = ShownName(*startup.profiles[*index]);
    startup.profiles.erase(startup.profiles.begin() + *index);
    // As the list does: the entry after the deleted current one, or the one
    // before when it was the last; another current profile stays current.
    const int last = static_cast<int>(startup.profiles.size()) - 1;
    MakeCurrent(context,
                current == *index ? std::min(*index, last) : current - (current > *index ? 1 : 0));
    const int code = SaveProfileChange(context, true);
    if (code == kExitDone)
        context.out << "deleted profile " << *index << ": " << name << "\n";
    return code;
}

int RunRename(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() != 2)
        return Complain(context, "rename", "takes a profile (N or NAME) and the new name",
                        kExitUsage);
    StartupData& startup = Startup(context);
    const std::optional<int> index = FindProfile(context, "rename", args[0]);
    if (!index)
        return kExitFailed;
    ProfileData& profile = *startup.profiles[*index];
    const std::u16string name = FittedName(args[1]);
    if (NamesEqualNoCase(name, NameFromField(profile.szName)))
        return kExitDone; // the same name; nothing to do
    if (ProfileNameExists(startup.profiles, name))
        return Complain(context, "rename", "a profile named '" + args[1] + "' exists already",
                        kExitFailed);
    SetNameField(profile.szName, name);
    return SaveProfileChange(context, false);
}

int RunReset(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() > 1)
        return Complain(context, "reset", "takes at most one profile, N or NAME", kExitUsage);
    StartupData& startup = Startup(context);
    const std::optional<int> index =
        args.empty() ? CurrentProfileIndex(context) : FindProfile(context, "reset", args[0]);
    if (!index)
        return kExitFailed;
    *startup.profiles[*index] = startup.defaultProfile;
    return SaveProfileChange(context, false);
}

int RunSet(const CtlContext& context, std::span<const std::string> args)
{
    StartupData& startup = Startup(context);
    std::optional<int> index = CurrentProfileIndex(context);
    bool bApply = false;
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i)
    {
        if (args[i] == "--apply")
            bApply = true;
        else if (args[i] == "--profile" && i + 1 < args.size())
            index = FindProfile(context, "set", args[++i]);
        else
            return Complain(context, "set", "unknown option '" + args[i] + "'", kExitUsage);
        if (!index)
            return kExitFailed;
    }
    if (i == args.size())
        return Complain(context, "set", "needs KEY=VALUE (see vestrelctl help set)", kExitUsage);

    // Every change on a copy first: one bad key and nothing is written.
    ProfileData& target = *startup.profiles[*index];
    auto changed = std::make_unique<ProfileData>(target);
    const ProfileKeyContext keys{startup.description, startup.defaultProfile, context.data->macros,
                                 context.data->guns};
    for (; i < args.size(); ++i)
    {
        const std::size_t equals = args[i].find('=');
        if (equals == std::string::npos)
            return Complain(context, "set", "'" + args[i] + "' is no KEY=VALUE", kExitUsage);
        const KeyChange change =
            SetProfileKey(*changed, keys, std::string_view(args[i]).substr(0, equals),
                          std::string_view(args[i]).substr(equals + 1));
        if (change.status != KeyChange::Status::Done)
            return Complain(context, "set",
                            UserText(context, "ctl_nothing_changed_text", "%1; nothing was changed",
                                     {UserText(context, change.textKey, change.message)}),
                            change.status == KeyChange::Status::Refused ? kExitFailed : kExitUsage);
    }
    target = *changed;
    const int code = SaveProfileChange(context, false);
    if (code != kExitDone || !bApply)
        return code;
    if (context.host != nullptr)
    {
        MakeCurrent(context, *index);
        return context.host->Apply(context);
    }
    const std::string profile = std::to_string(*index);
    const std::string applyArgs[] = {"--profile", profile};
    return RunApply(context, applyArgs);
}

int RunExportProfile(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() != 2)
        return Complain(context, "export-profile", "takes a profile (N or NAME) and a file",
                        kExitUsage);
    const std::optional<int> index = FindProfile(context, "export-profile", args[0]);
    if (!index)
        return kExitFailed;
    return ReportSave(context, WriteProfileFile(args[1], *Startup(context).profiles[*index]))
               ? kExitDone
               : kExitFailed;
}

int RunImportProfile(const CtlContext& context, std::span<const std::string> args)
{
    if (args.size() != 1)
        return Complain(context, "import-profile", "takes a .pbin file", kExitUsage);
    StartupData& startup = Startup(context);
    auto profile = std::make_unique<ProfileData>();
    if (!ReadProfileFile(args[0], *profile))
        return Complain(context, "import-profile", args[0] + " is no profile file", kExitFailed);
    SetNameField(profile->szName,
                 MakeFreeProfileName(startup.profiles, NameFromField(profile->szName)));
    const std::string name = ShownName(*profile);
    startup.profiles.push_back(std::move(profile));
    MakeCurrent(context, static_cast<int>(startup.profiles.size()) - 1);
    const int code = SaveProfileChange(context, true);
    if (code == kExitDone)
        context.out << "imported profile " << startup.profiles.size() - 1 << ": " << name << "\n";
    return code;
}
