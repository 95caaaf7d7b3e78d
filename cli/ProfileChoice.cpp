#include "cli/ProfileChoice.h"

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
