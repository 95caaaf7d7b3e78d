// vestrelctl profiles: loads as the program starts, but only reads (what a
// first start would create is shown, not written), and lists the profiles:
// index, TAB, '*' for the current one, TAB, name. Damaged files are told on
// stderr and make the exit code 1.

#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "model/NameField.h"

#include <memory>

int RunProfiles(const CtlContext& context, std::span<const std::string> args)
{
    if (!ExpectNoArguments(context, "profiles", args))
        return 2;
    auto data = std::make_unique<StartupData>();
    const bool bLoaded = LoadForReading(context, *data);
    for (std::size_t i = 0; i < data->profiles.size(); ++i)
    {
        const ProfileData& profile = *data->profiles[i];
        context.out << i << "\t" << (&profile == data->currentProfile ? '*' : ' ') << "\t"
                    << PrintableName(NameFromField(profile.szName)) << "\n";
    }
    return bLoaded ? 0 : 1;
}
