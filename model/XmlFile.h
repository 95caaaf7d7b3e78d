#pragma once
// XML files the program reads (language files, skins, the theme), read
// bounded like every other file: regular files only, never blocking, and no
// larger than any such file can sensibly be.

#include <cstddef>
#include <filesystem>

#include <pugixml.hpp>

// The shipped files are tens of kilobytes.
inline constexpr std::size_t kMaxXmlFileBytes = 4u << 20;

// False when the file is missing, not a regular file, larger than the cap or
// no well-formed XML.
bool LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& file);
