// vestrelctl profiles: loads as the program starts, but only reads (what a
// first start would create is shown, not written), and lists the profiles:
// index, TAB, '*' for the current one, TAB, name. Damaged files are told on
// stderr and make the exit code 1.

#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "model/NameField.h"

int RunProfiles(const CtlContext& context, std::span<const std::string> args)
{
    if (!ExpectNoArguments(context, "profiles", args))
        return kExitUsage;
    const StartupData* data = &context.data->startup;
    for (std::size_t i = 0; i < data->profiles.size(); ++i)
    {
        const ProfileData& profile = *data->profiles[i];
        context.out << i << "\t" << (&profile == data->currentProfile ? '*' : ' ') << "\t"
                    << PrintableName(NameFromField(profile.szName)) << "\n";
    }
    return kExitDone;
}
