// vestrelctl macros, guns, import and export: the macro and gun libraries,
// listed, and their exchange files (.mbin, .mbins, .gbin, .gbins) read and
// written as the pages' import and export do, with their renaming rules.

#include "cli/CtlCommand.h"
#include "cli/JsonWriter.h"
#include "guns/GunExchange.h"
#include "macros/MacroExchange.h"
#include "model/NameField.h"
#include "model/RecordExchange.h"
#include "model/RecordLibrary.h"

#include <algorithm>

namespace
{

// The two libraries, as the commands see them.
struct MacroKind : MacroExchangeTraits
{
    static constexpr const char* kItem = "macro";
    static constexpr unsigned kChange = CtlHost::kMacrosChanged;
    static MacroLibrary& Library(const CtlContext& c) { return c.data->macros; }
};

struct GunKind : GunExchangeTraits
{
    static constexpr const char* kItem = "gun";
    static constexpr unsigned kChange = CtlHost::kGunsChanged;
    static GunLibrary& Library(const CtlContext& c) { return c.data->guns; }
};

std::string Shown(const char16_t (&field)[kNameFieldUnits])
{
    return PrintableName(NameFromField(field));
}

template <typename Kind>
int ListLibrary(const CtlContext& context, const char* command, std::span<const std::string> args)
{
    const bool bJson = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !bJson)
        return Complain(context, command, "takes only --json", kExitUsage);
    const auto& library = Kind::Library(context);
    if (!bJson)
    {
        // FOLDER/ for a folder, FOLDER/NAME for an item; TAB, "locked" when locked.
        for (const auto& record : library)
            context.out << Shown(record->szFolder)
                        << (record->bIsFolder ? "/" : "/" + Shown(ItemNameField(*record)))
                        << (record->bLocked ? "\tlocked" : "") << "\n";
        return kExitDone;
    }
    // {"folders": [{"name": "F", "locked": false, "items": [{"name": "N", "locked": false}]}]}
    JsonWriter json(context.out);
    json.BeginObject().Key("folders").BeginArray();
    for (const auto& folder : library)
    {
        if (!folder->bIsFolder)
            continue;
        json.BeginObject();
        json.Key("name").String(Shown(folder->szFolder));
        json.Key("locked").Bool(folder->bLocked != 0);
        json.Key("items").BeginArray();
        for (const auto& item : library)
            if (!item->bIsFolder && InFolder(*item, NameFromField(folder->szFolder)))
            {
                json.BeginObject();
                json.Key("name").String(Shown(ItemNameField(*item)));
                json.Key("locked").Bool(item->bLocked != 0);
                json.EndObject();
            }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    context.out << "\n";
    return kExitDone;
}

template <typename Kind> int SaveLibraryChange(const CtlContext& context)
{
    const bool bSaved = ReportSave(context, Kind::Save(Kind::Library(context), context.dataFolder));
    NoteChanged(context, Kind::kChange);
    return bSaved ? kExitDone : kExitFailed;
}

template <typename Kind>
int ImportItem(const CtlContext& context, const std::filesystem::path& file,
               const std::string* folder)
{
    typename Kind::Record record{};
    if (!Kind::ReadItem(file, record))
        return Complain(context, "import", file.string() + " is no " + Kind::kItem + " file",
                        kExitFailed);
    auto& library = Kind::Library(context);
    // The item and perhaps a new folder entry.
    if (!LibraryHasRoomFor(library, 2))
        return Complain(context, "import", "the library is full", kExitFailed);
    int index = -1;
    if (folder != nullptr)
    {
        const std::u16string name = Utf8ToUtf16(*folder);
        if (!FolderNameUsed(library, name))
            return Complain(context, "import", "there is no folder '" + *folder + "'", kExitFailed);
        index = Kind::ImportIntoFolder(library, record, name, file.stem().u16string());
    }
    else
        index = Kind::ImportWithFolder(library, record);
    const int code = SaveLibraryChange<Kind>(context);
    if (code == kExitDone)
        context.out << "imported " << Kind::kItem << " " << Shown(library[index]->szFolder) << "/"
                    << Shown(ItemNameField(*library[index])) << "\n";
    return code;
}

template <typename Kind>
int ImportFolder(const CtlContext& context, const std::filesystem::path& file)
{
    std::vector<typename Kind::Record> records;
    if (!Kind::ReadFolder(file, records))
        return Complain(context, "import", file.string() + " is no " + Kind::kItem + " folder file",
                        kExitFailed);
    if (!LibraryHasRoomFor(Kind::Library(context), records.size() + 1))
        return Complain(context, "import", "the library is full", kExitFailed);
    const std::u16string folder =
        Kind::ImportFolder(Kind::Library(context), std::move(records), file.stem().u16string());
    const int code = SaveLibraryChange<Kind>(context);
    if (code == kExitDone)
        context.out << "imported " << Kind::kItem << " folder " << PrintableName(folder) << "\n";
    return code;
}

// "FOLDER/NAME" into its parts.
bool SplitItem(const std::string& text, std::u16string& folder, std::u16string& name)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == text.size())
        return false;
    folder = Utf8ToUtf16(text.substr(0, slash));
    name = Utf8ToUtf16(text.substr(slash + 1));
    return true;
}

template <typename Kind>
int Export(const CtlContext& context, bool bFolder, const std::string& what,
           const std::filesystem::path& file, bool bLocked)
{
    const auto& library = Kind::Library(context);
    if (bFolder)
    {
        const std::u16string folder = Utf8ToUtf16(what);
        if (!FolderNameUsed(library, folder))
            return Complain(context, "export",
                            "there is no " + std::string(Kind::kItem) + " folder '" + what + "'",
                            kExitFailed);
        return ReportSave(context, Kind::WriteFolder(file, library, folder, bLocked)) ? kExitDone
                                                                                      : kExitFailed;
    }
    std::u16string folder, name;
    if (!SplitItem(what, folder, name))
        return Complain(context, "export",
                        "name the " + std::string(Kind::kItem) + " as FOLDER/NAME", kExitUsage);
    const int index = FindItemIndex(library, folder, name);
    if (index < 0 || library[index]->bIsFolder)
        return Complain(context, "export",
                        "there is no " + std::string(Kind::kItem) + " '" + what + "'", kExitFailed);
    return ReportSave(context, Kind::WriteItem(file, *library[index], bLocked)) ? kExitDone
                                                                                : kExitFailed;
}

} // namespace

int RunMacros(const CtlContext& context, std::span<const std::string> args)
{
    return ListLibrary<MacroKind>(context, "macros", args);
}

int RunGuns(const CtlContext& context, std::span<const std::string> args)
{
    return ListLibrary<GunKind>(context, "guns", args);
}

int RunImport(const CtlContext& context, std::span<const std::string> args)
{
    const bool bFolderOption = args.size() == 3 && args[1] == "--folder";
    if (args.size() != 1 && !bFolderOption)
        return Complain(context, "import", "takes FILE [--folder F]", kExitUsage);
    const std::filesystem::path file = args[0];
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string* folder = bFolderOption ? &args[2] : nullptr;
    if (folder != nullptr && (extension == ".mbins" || extension == ".gbins"))
        return Complain(context, "import", "--folder is for a single macro or gun", kExitUsage);
    if (extension == ".mbin")
        return ImportItem<MacroKind>(context, file, folder);
    if (extension == ".gbin")
        return ImportItem<GunKind>(context, file, folder);
    if (extension == ".mbins")
        return ImportFolder<MacroKind>(context, file);
    if (extension == ".gbins")
        return ImportFolder<GunKind>(context, file);
    return Complain(context, "import",
                    "takes a .mbin, .mbins, .gbin or .gbins file (for a "
                    "profile: import-profile)",
                    kExitUsage);
}

int RunExport(const CtlContext& context, std::span<const std::string> args)
{
    const bool bLocked = args.size() == 4 && args[3] == "--locked";
    if (args.size() != 3 && !bLocked)
        return Complain(context, "export",
                        "takes macro|gun|macro-folder|gun-folder NAME FILE [--locked]", kExitUsage);
    const std::string& kind = args[0];
    if (kind == "macro" || kind == "macro-folder")
        return Export<MacroKind>(context, kind == "macro-folder", args[1], args[2], bLocked);
    if (kind == "gun" || kind == "gun-folder")
        return Export<GunKind>(context, kind == "gun-folder", args[1], args[2], bLocked);
    return Complain(context, "export", "exports a macro, gun, macro-folder or gun-folder",
                    kExitUsage);
}
