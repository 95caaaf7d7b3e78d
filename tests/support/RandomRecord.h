#pragma once
// Records whose every byte is set, for round trips that must keep reserved
// fields, lock flags and data beyond the used counts.

#include <cstddef>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

template <typename Record> std::unique_ptr<Record> RandomRecord(std::mt19937& random)
{
    auto record = std::make_unique<Record>();
    unsigned char bytes[sizeof(Record)];
    for (auto& b : bytes)
        b = static_cast<unsigned char>(random());
    std::memcpy(record.get(), bytes, sizeof bytes);
    return record;
}

// The file image of a list of records: their bytes back to back.
template <typename Library> std::vector<std::byte> FileImage(const Library& library)
{
    std::vector<std::byte> image;
    for (const auto& record : library)
    {
        auto first = reinterpret_cast<const std::byte*>(record.get());
        image.insert(image.end(), first, first + sizeof(*record));
    }
    return image;
}
