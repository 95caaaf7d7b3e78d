#pragma once
// Writes JSON for the --json outputs: compact, keys in the order written,
// strings escaped. The caller keeps objects and arrays balanced.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter
{
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

private:
    void BeforeValue();
    void Quoted(std::string_view text);

    std::ostream& m_out;
    // Per open object or array: whether it has a member yet.
    std::vector<bool> m_hasMember;
    bool m_afterKey = false;
};
