#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// Writes <path>.tmp, flushes it to disk and renames it over <path>, so that a
// crash leaves either the old file or the new one. False when any step failed;
// the old file is then untouched.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::byte> bytes);
// The same for a file made of several pieces (records that live apart in
// memory), written in order without joining them first.
bool WritePiecesAtomically(const std::filesystem::path& path,
                           std::span<const std::span<const std::byte>> pieces);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<std::byte>> ReadWholeFile(const std::filesystem::path& path);

// Makes sure `dir` exists as a directory (a plain file of that name is
// replaced by nothing: the caller's writes then fail quietly).
void EnsureDirectory(const std::filesystem::path& dir);

template <typename Record>
std::span<const std::byte> RecordBytes(const Record& record)
{
    return std::as_bytes(std::span<const Record, 1>(&record, 1));
}
