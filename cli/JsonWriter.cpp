#include "cli/JsonWriter.h"

#include <cstdio>

void JsonWriter::BeforeValue()
{
    if (m_afterKey)
    {
        m_afterKey = false;
        return;
    }
    if (!m_hasMember.empty())
    {
        if (m_hasMember.back())
            m_out << ',';
        m_hasMember.back() = true;
    }
}

void JsonWriter::Quoted(std::string_view text)
{
    m_out << '"';
    for (const char c : text)
    {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            m_out << '\\' << c;
        else if (u < 0x20)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            m_out << escaped;
        }
        else
            m_out << c;
    }
    m_out << '"';
}

JsonWriter& JsonWriter::BeginObject()
{
    BeforeValue();
    m_out << '{';
    m_hasMember.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    m_out << '}';
    m_hasMember.pop_back();
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    BeforeValue();
    m_out << '[';
    m_hasMember.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    m_out << ']';
    m_hasMember.pop_back();
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    Quoted(key);
    m_out << ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view text)
{
    BeforeValue();
    Quoted(text);
    return *this;
}

JsonWriter& JsonWriter::Number(int64_t value)
{
    BeforeValue();
    m_out << value;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    m_out << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    m_out << "null";
    return *this;
}
