#pragma once
// What trace and apply share: the `--profile N` option.

#include "cli/CtlCommand.h"

#include <optional>

// The 0-based index given with --profile (as `profiles` prints it), or -1
// when none was given: the current profile. Nothing, after a message, when
// the arguments are not understood.
std::optional<int> ParseProfileOption(const CtlContext& context, const char* command,
                                      std::span<const std::string> args);
