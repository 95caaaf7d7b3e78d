// ".mbin" and ".mbins" files as an import reads them: whatever the bytes, a
// file is taken whole or refused, and what enters the library stays sound.
#include "macros/MacroExchange.h"

#include "fuzz/LibraryFuzz.h"

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const auto bytes = std::as_bytes(std::span(data, size));
    MacroLibrary library;
    AppendFolderEntry(library, u"f");
    AppendMacro(library, u"f", u"m");

    MacroData macro{};
    if (ParseMacroFile(bytes, macro))
    {
        if (size != sizeof(MacroData) || macro.bIsFolder != 0)
            __builtin_trap();
        const int into = ImportMacroIntoFolder(library, macro, u"f", u"m");
        const int with = ImportMacroWithFolder(library, macro);
        for (int index : {into, with})
            if (library[index]->szMacroName[kNameMaxChars] != 0 ||
                library[index]->szFolder[kNameMaxChars] != 0)
                __builtin_trap();
        if (FindMacro(library, u"f", u"m_1") == nullptr)
            __builtin_trap();
    }

    std::vector<MacroData> records;
    if (ParseMacroFolderFile(bytes, records))
    {
        if (records.size() * sizeof(MacroData) != size)
            __builtin_trap();
        const std::size_t before = library.size();
        const std::size_t count = records.size();
        const std::u16string folder = ImportMacroFolder(library, records, u"f");
        CheckImportedFolder(library, before, count, folder);
    }
    return 0;
}
