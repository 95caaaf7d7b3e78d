#pragma once
// How commands name a profile: its index as `profiles` prints it, or its name
// (compared without regard to case).

#include "cli/CtlCommand.h"

#include <optional>
#include <string_view>

// The 0-based index given with --profile (as `profiles` prints it), or -1
// when none was given: the current profile. Nothing, after a message, when
// the arguments are not understood.
std::optional<int> ParseProfileOption(const CtlContext& context, const char* command,
                                      std::span<const std::string> args);

// The index of the profile `choice` names in the command's data; nothing,
// after a message, when there is none.
std::optional<int> FindProfile(const CtlContext& context, const char* command,
                               std::string_view choice);
// The index of the current profile of the command's data.
int CurrentProfileIndex(const CtlContext& context);
