// Macro exchange files: what is written, what is refused on reading, and the
// names and folders an import gets.

#include "macros/MacroExchange.h"
#include "model/RecordExchange.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

namespace
{
namespace fs = std::filesystem;

MacroData Macro(const char16_t* folder, const char16_t* name, uint32_t locked = 0)
{
    MacroData macro{};
    SetNameField(macro.szFolder, folder);
    SetNameField(macro.szMacroName, name);
    macro.wLoopCount = 3;
    macro.wActionCount = 2;
    macro.aAction[0].byCode = 4;
    macro.aAction[0].byKind = 1;
    macro.aAction[1].byCode = 4;
    macro.aAction[1].byKind = 2;
    macro.bLocked = locked;
    return macro;
}

std::vector<std::byte> Bytes(const MacroData& record)
{
    const auto span = RecordBytes(record);
    return {span.begin(), span.end()};
}

std::u16string Folder(const MacroLibrary& library, int index)
{
    return NameFromField(library[index]->szFolder);
}
std::u16string Name(const MacroLibrary& library, int index)
{
    return NameFromField(library[index]->szMacroName);
}
} // namespace

TEST(MacroExchange, LockedExportLocksTheFileOnly)
{
    TempProgramFolder dir;
    MacroLibrary library;
    AppendFolderEntry(library, u"f");
    library.push_back(std::make_unique<MacroData>(Macro(u"F", u"m")));
    AppendFolderEntry(library, u"other");
    library.push_back(std::make_unique<MacroData>(Macro(u"other", u"x")));

    ASSERT_TRUE(WriteMacroFile(dir.Path() / "m.mbin", *library[1], true));
    EXPECT_EQ(library[1]->bLocked, 0u);
    MacroData read{};
    ASSERT_TRUE(ReadMacroFile(dir.Path() / "m.mbin", read));
    MacroData expected = *library[1];
    expected.bLocked = 1;
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof(MacroData)), 0);

    ASSERT_TRUE(WriteMacroFolderFile(dir.Path() / "f.mbins", library, u"f", false));
    const auto bytes = dir.ReadFile("f.mbins");
    ASSERT_EQ(bytes.size(), 2 * sizeof(MacroData));
    std::vector<MacroData> records;
    ASSERT_TRUE(ReadMacroFolderFile(dir.Path() / "f.mbins", records));
    EXPECT_EQ(records[0].bIsFolder, 1u);
    EXPECT_EQ(NameFromField(records[1].szMacroName), u"m");
    EXPECT_EQ(records[1].bLocked, 0u);
}

TEST(MacroExchange, RefusesFilesThatAreNotWholeRecords)
{
    MacroData macro{};
    auto one = Bytes(Macro(u"f", u"m"));
    EXPECT_TRUE(ParseMacroFile(one, macro));
    EXPECT_FALSE(ParseMacroFile(std::span(one).first(855), macro));
    auto two = one;
    two.insert(two.end(), one.begin(), one.end());
    EXPECT_FALSE(ParseMacroFile(two, macro));
    EXPECT_FALSE(ParseMacroFile({}, macro));
    // A folder entry is no macro.
    MacroData folder{};
    folder.bIsFolder = 1;
    EXPECT_FALSE(ParseMacroFile(Bytes(folder), macro));

    std::vector<MacroData> records;
    EXPECT_TRUE(ParseMacroFolderFile(two, records));
    EXPECT_EQ(records.size(), 2u);
    two.pop_back();
    EXPECT_FALSE(ParseMacroFolderFile(two, records));
    EXPECT_FALSE(ParseMacroFolderFile({}, records));
    EXPECT_EQ(records.size(), 2u); // untouched by a refused file
}

TEST(MacroExchange, NamesWithoutTerminatorAreCutToFortyNine)
{
    MacroData raw = Macro(u"f", u"m");
    std::fill(std::begin(raw.szMacroName), std::end(raw.szMacroName), u'z');
    MacroData macro{};
    ASSERT_TRUE(ParseMacroFile(Bytes(raw), macro));
    EXPECT_EQ(NameFromField(macro.szMacroName), std::u16string(49, u'z'));
    EXPECT_EQ(macro.szMacroName[49], 0);
}

TEST(MacroExchange, ImportIntoAFolderNumbersTheFileName)
{
    MacroLibrary library;
    AppendFolderEntry(library, u"f");
    AppendMacro(library, u"f", u"m");
    const MacroData file = Macro(u"elsewhere", u"ignored", 1);
    const int first = ImportMacroIntoFolder(library, file, u"F", u"M");
    const int second = ImportMacroIntoFolder(library, file, u"f", u"m");
    EXPECT_EQ(Name(library, first), u"M_1");
    EXPECT_EQ(Folder(library, first), u"F");
    EXPECT_EQ(Name(library, second), u"m_2");
    EXPECT_EQ(library[second]->bLocked, 1u);
    EXPECT_EQ(library[second]->wLoopCount, 3);

    // A long name keeps its suffix within 49 characters.
    const std::u16string longName(49, u'a');
    ImportMacroIntoFolder(library, file, u"f", longName);
    const int cut = ImportMacroIntoFolder(library, file, u"f", longName);
    EXPECT_EQ(Name(library, cut), std::u16string(47, u'a') + u"_1");
}

TEST(MacroExchange, ImportWithoutFolderMakesTheFilesFolder)
{
    MacroLibrary library;
    AppendFolderEntry(library, u"Games");
    const int index = ImportMacroWithFolder(library, Macro(u"games", u"jump"));
    ASSERT_EQ(library.size(), 3u);
    EXPECT_EQ(library[1]->bIsFolder, 1u);
    EXPECT_EQ(Folder(library, 1), u"games_1");
    EXPECT_EQ(Folder(library, index), u"games_1");
    EXPECT_EQ(Name(library, index), u"jump");
}

TEST(MacroExchange, FolderImportKeepsOneEntry)
{
    MacroLibrary library;
    AppendFolderEntry(library, u"g");
    MacroData entry{};
    entry.bIsFolder = 1;
    SetNameField(entry.szFolder, u"whatever");
    const std::u16string named =
        ImportMacroFolder(library, {entry, Macro(u"x", u"a"), entry}, u"g");
    EXPECT_EQ(named, u"g_1");
    ASSERT_EQ(library.size(), 3u);
    EXPECT_EQ(library[1]->bIsFolder, 1u);
    EXPECT_EQ(Folder(library, 2), u"g_1");

    // A file without an entry still leaves a folder that survives a restart.
    ImportMacroFolder(library, {Macro(u"x", u"b")}, u"h");
    ASSERT_EQ(library.size(), 5u);
    EXPECT_EQ(library[4]->bIsFolder, 1u);
    EXPECT_EQ(Folder(library, 4), u"h");
}

TEST(MacroExchange, ImportsAreBoundedAndNeverBlock)
{
    TempProgramFolder dir;
    // A million records in a sparse file: refused unread.
    const fs::path huge = dir.Path() / "huge.mbins";
    dir.WriteFile("huge.mbins", "", 0);
    fs::resize_file(huge, std::uintmax_t{1000000} * sizeof(MacroData));
    std::vector<MacroData> records;
    EXPECT_FALSE(ReadMacroFolderFile(huge, records));
    EXPECT_TRUE(records.empty());

    ASSERT_EQ(::mkfifo((dir.Path() / "pipe.mbins").c_str(), 0600), 0);
    EXPECT_FALSE(ReadMacroFolderFile(dir.Path() / "pipe.mbins", records));
    MacroData macro{};
    EXPECT_FALSE(ReadMacroFile(dir.Path() / "pipe.mbins", macro));
    fs::create_symlink("/dev/zero", dir.Path() / "zero.mbin");
    EXPECT_FALSE(ReadMacroFile(dir.Path() / "zero.mbin", macro));

    // What the library would not read back is not let in.
    MacroLibrary library(kMaxLibraryRecords - 1);
    EXPECT_TRUE(LibraryHasRoomFor(library, 1));
    EXPECT_FALSE(LibraryHasRoomFor(library, 2));
    EXPECT_TRUE(LibraryHasRoomFor(MacroLibrary{}, kMaxLibraryRecords));
}
