#include "macros/MacroLibrary.h"
#include "tests/support/RandomRecord.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

MacroLibrary LibraryOf(std::initializer_list<std::pair<std::u16string, std::u16string>> records)
{
    MacroLibrary library;
    for (const auto& [folder, name] : records)
    {
        if (name.empty())
            AppendFolderEntry(library, folder);
        else
            AppendMacro(library, folder, name);
    }
    return library;
}

std::vector<std::u16string> Names(const MacroLibrary& library)
{
    std::vector<std::u16string> names;
    for (const auto& r : library)
        names.push_back(NameFromField(r->szFolder) + u"/" + NameFromField(r->szMacroName));
    return names;
}

} // namespace

TEST(MacroLibrary, RoundTripKeepsEveryByteAndTheOrder)
{
    TempProgramFolder program;
    std::mt19937 random(7);
    MacroLibrary library;
    for (int i = 0; i < 5; ++i)
        library.push_back(RandomRecord<MacroData>(random));
    library[1]->bLocked = 1;
    library[2]->wActionCount = 3; // the 37 actions after it must survive too

    ASSERT_TRUE(SaveMacroLibrary(library, program.DataDir()));
    std::vector<std::byte> file = program.ReadFile("Data/macro.bin");
    ASSERT_EQ(file.size(), 5u * 856u);
    EXPECT_EQ(file, FileImage(library));
    // The file is the records' memory image: wActionCount at 204, bLocked at 208.
    EXPECT_EQ(file[856 + 208], std::byte{1});
    EXPECT_EQ(file[2 * 856 + 204], std::byte{3});

    MacroLibrary loaded;
    LoadMacroLibrary(loaded, program.DataDir());
    ASSERT_EQ(loaded.size(), library.size());
    for (std::size_t i = 0; i < library.size(); ++i)
        EXPECT_EQ(std::memcmp(loaded[i].get(), library[i].get(), sizeof(MacroData)), 0) << i;
}

// Loaded records share the block the file was read into: removing some,
// adding new ones and reloading over the old library leave the others whole.
TEST(MacroLibrary, LoadedRecordsOutliveEditsAndReloads)
{
    TempProgramFolder program;
    std::mt19937 random(11);
    MacroLibrary library;
    for (int i = 0; i < 4; ++i)
        library.push_back(RandomRecord<MacroData>(random));
    ASSERT_TRUE(SaveMacroLibrary(library, program.DataDir()));

    MacroLibrary loaded;
    LoadMacroLibrary(loaded, program.DataDir());
    ASSERT_EQ(loaded.size(), 4u);
    const std::shared_ptr<MacroData> kept = loaded[2];
    loaded.erase(loaded.begin());
    AppendMacro(loaded, u"F", u"new");
    loaded[0]->bLocked = 1;
    library.erase(library.begin());
    library[0]->bLocked = 1;
    AppendMacro(library, u"F", u"new");
    EXPECT_EQ(FileImage(loaded), FileImage(library));

    LoadMacroLibrary(loaded, program.DataDir()); // the file still holds all four
    ASSERT_EQ(loaded.size(), 4u);
    EXPECT_EQ(std::memcmp(kept.get(), library[1].get(), sizeof(MacroData)), 0);
    EXPECT_EQ(std::memcmp(loaded[2].get(), kept.get(), sizeof(MacroData)), 0);
}

TEST(MacroLibrary, EmptyMissingAndPartialFiles)
{
    TempProgramFolder program;
    MacroLibrary library = LibraryOf({{u"F", u""}});

    // Saving creates the data folder; an empty library leaves an empty file.
    ASSERT_TRUE(SaveMacroLibrary(MacroLibrary{}, program.DataDir()));
    EXPECT_TRUE(program.ReadFile("Data/macro.bin").empty());
    LoadMacroLibrary(library, program.DataDir());
    EXPECT_TRUE(library.empty());

    // A missing file replaces what the library held.
    library = LibraryOf({{u"F", u""}});
    std::filesystem::remove(program.DataDir() / "macro.bin");
    LoadMacroLibrary(library, program.DataDir());
    EXPECT_TRUE(library.empty());

    // A trailing partial record is dropped, whole records are kept.
    std::mt19937 random(3);
    MacroLibrary two;
    two.push_back(RandomRecord<MacroData>(random));
    two.push_back(RandomRecord<MacroData>(random));
    std::vector<std::byte> image = FileImage(two);
    image.resize(image.size() + 855, std::byte{0x5A});
    program.WriteFile("Data/macro.bin", image.data(), image.size());
    LoadMacroLibrary(library, program.DataDir());
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(std::memcmp(library[1].get(), two[1].get(), sizeof(MacroData)), 0);

    // A macro.bin that is a directory reads as nothing.
    std::filesystem::remove(program.DataDir() / "macro.bin");
    std::filesystem::create_directory(program.DataDir() / "macro.bin");
    LoadMacroLibrary(library, program.DataDir());
    EXPECT_TRUE(library.empty());
}

TEST(MacroLibrary, NewRecordsAreZeroButTheirNamesAndFlags)
{
    MacroLibrary library;
    EXPECT_EQ(AppendFolderEntry(library, u"Games"), 0);
    EXPECT_EQ(AppendMacro(library, u"Games", u"Reload"), 1);

    MacroData folder{};
    SetNameField(folder.szFolder, u"Games");
    folder.bIsFolder = 1;
    EXPECT_EQ(std::memcmp(library[0].get(), &folder, sizeof folder), 0);

    MacroData macro{};
    SetNameField(macro.szFolder, u"Games");
    SetNameField(macro.szMacroName, u"Reload");
    macro.wLoopCount = 1;
    EXPECT_EQ(std::memcmp(library[1].get(), &macro, sizeof macro), 0);
}

TEST(MacroLibrary, LookupsIgnoreCaseAndTakeTheFirstMatch)
{
    MacroLibrary library = LibraryOf({{u"Games", u""},
                                      {u"games", u"Jump"},
                                      {u"GAMES", u"JUMP"},
                                      {u"Office", u"Copy"},
                                      {u"Loose", u"Orphan"}});

    EXPECT_TRUE(FolderNameUsed(library, u"gAMES"));
    EXPECT_TRUE(FolderNameUsed(library, u"loose")); // a macro's folder counts without an entry
    EXPECT_FALSE(FolderNameUsed(library, u"Game"));

    EXPECT_TRUE(MacroNameUsed(library, u"jump", u"Games"));
    EXPECT_TRUE(MacroNameUsed(library, u"copy", u"OFFICE"));
    EXPECT_FALSE(MacroNameUsed(library, u"Copy", u"Games"));

    EXPECT_EQ(FindMacro(library, u"GaMeS", u"jUmP"), library[1].get());
    EXPECT_EQ(FindMacro(library, u"Office", u"Copy"), library[3].get());
    EXPECT_EQ(FindMacro(library, u"Office", u"Jump"), nullptr);

    EXPECT_EQ(MakeFreeFolderName(library, u"Office"), u"Office_1");
    EXPECT_EQ(MakeFreeFolderName(library, u"Work"), u"Work");
    AppendMacro(library, u"Games", u"jump_1");
    EXPECT_EQ(MakeFreeItemName(library, u"games", u"Jump"), u"Jump_2");
    EXPECT_EQ(MakeFreeItemName(library, u"Office", u"Jump"), u"Jump");
}

TEST(MacroLibrary, NamesWithoutTerminatorCompareByTheir49Units)
{
    MacroLibrary library;
    AppendFolderEntry(library, u"F");
    std::fill(std::begin(library[0]->szFolder), std::end(library[0]->szFolder), u'x');
    EXPECT_TRUE(FolderNameUsed(library, std::u16string(49, u'X')));
    EXPECT_FALSE(FolderNameUsed(library, std::u16string(50, u'x')));
}

TEST(MacroLibrary, RemovingAFolderTakesItsEntryAndMacrosInAnyCase)
{
    MacroLibrary library = LibraryOf({{u"Games", u""},
                                      {u"games", u"Jump"},
                                      {u"Office", u""},
                                      {u"GAMES", u"Fire"},
                                      {u"Office", u"Copy"}});
    std::vector<int> removed = RemoveMacroFolder(library, u"Games");
    EXPECT_EQ(removed, (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(Names(library), (std::vector<std::u16string>{u"Office/", u"Office/Copy"}));

    EXPECT_TRUE(RemoveMacroFolder(library, u"Absent").empty());
    EXPECT_EQ(library.size(), 2u);
}
