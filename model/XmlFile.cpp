#include "model/XmlFile.h"

#include "model/AtomicFile.h"

bool LoadXmlFile(pugi::xml_document& doc, const std::filesystem::path& file)
{
    const auto bytes = ReadWholeFile(file, kMaxXmlFileBytes);
    return bytes && doc.load_buffer(bytes->data(), bytes->size());
}
