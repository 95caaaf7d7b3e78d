#include "cli/ProfileChoice.h"

#include "app/StartupData.h"
#include "model/NameField.h"

#include <charconv>

std::optional<int> ParseProfileOption(const CtlContext& context, const char* command,
                                      std::span<const std::string> args)
{
    if (args.empty())
        return -1;
    if (args.size() == 2 && args[0] == "--profile")
    {
        const std::string& text = args[1];
        int index = -1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
        if (error == std::errc() && end == text.data() + text.size() && index >= 0)
            return index;
        context.err << "vestrelctl: " << command << ": '" << text
                    << "' is no profile index (see vestrelctl profiles)\n";
        return std::nullopt;
    }
    context.err << "vestrelctl: " << command << " takes only --profile N\n";
    return std::nullopt;
}

std::optional<int> FindProfile(const CtlContext& context, const char* command,
                               std::string_view choice)
{
    const ProfileList& profiles = context.data->startup.profiles;
    int index = -1;
    const auto [end, error] = std::from_chars(choice.data(), choice.data() + choice.size(), index);
    if (error == std::errc() && end == choice.data() + choice.size())
    {
        if (index >= 0 && static_cast<std::size_t>(index) < profiles.size())
            return index;
    }
    else
    {
        const std::u16string name = Utf8ToUtf16(choice);
        for (std::size_t i = 0; i < profiles.size(); ++i)
            if (NamesEqualNoCase(NameFromField(profiles[i]->szName), name))
                return static_cast<int>(i);
    }
    context.err << "vestrelctl: " << command << ": there is no profile '" << choice
                << "' (see vestrelctl profiles)\n";
    return std::nullopt;
}

int CurrentProfileIndex(const CtlContext& context)
{
    const StartupData& startup = context.data->startup;
    for (std::size_t i = 0; i < startup.profiles.size(); ++i)
        if (startup.profiles[i].get() == startup.currentProfile)
            return static_cast<int>(i);
    return 0;
}
