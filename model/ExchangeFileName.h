#pragma once
// What an exchange file dialog (profile, macro, gun or folder) proposes: the
// item's name as the file name, and the folder the user last took a file
// from or wrote one to.

#include <filesystem>
#include <string>
#include <string_view>

// The item's name made fit for a file name, plus "." and the extension:
// '/', '\' and control characters become '_', surrounding spaces and leading
// dots (a hidden file) go. Empty when nothing of the name is left.
std::u16string SuggestedFileName(std::u16string_view itemName, std::u16string_view extension);

// The last used folder while it still is one, else home.
std::filesystem::path ExchangeStartFolder(const std::filesystem::path& lastUsed,
                                          const std::filesystem::path& home);
