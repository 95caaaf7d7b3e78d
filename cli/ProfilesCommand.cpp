// vestrelctl profiles: loads as the program starts (creating what a first start
// lacks) and lists the profiles: index, TAB, '*' for the current one, TAB, name.

#include "app/LanguageChoice.h"
#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "model/NameField.h"

#include <memory>

int RunProfiles(const CtlContext& context, std::span<const std::string> args)
{
    if (!ExpectNoArguments(context, "profiles", args))
        return 2;
    auto data = std::make_unique<StartupData>();
    MacroLibrary macros;
    GunLibrary guns;
    LoadStartupData(*data, {context.programFolder, context.dataFolder}, LanguageIdFromEnvironment(),
                    macros, guns);
    for (std::size_t i = 0; i < data->profiles.size(); ++i)
    {
        const ProfileData& profile = *data->profiles[i];
        context.out << i << "\t" << (&profile == data->currentProfile ? '*' : ' ') << "\t"
                    << Utf16ToUtf8(NameFromField(profile.szName)) << "\n";
    }
    return 0;
}
