// vestrelctl's commands on the settings, carried out under the data folder's
// lock: `set` keys against the profile and what the mouse receives, every
// rule's refusal with nothing written, the --json schemas, and the exchange
// files' round trips.

#include "cli/VestrelCtl.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/ProfileData.h"
#include "model/RecordLibrary.h"
#include "model/SettingsFiles.h"
#include "tests/support/CtlRun.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace
{

using Result = CtlResult;

// Every command here talks to the virtual mouse.
Result RunVirtual(const TempProgramFolder& dir, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--driver", "virtual"});
    return RunCtl(dir, args);
}

std::unique_ptr<ProfileData> StoredProfile(const TempProgramFolder& dir, std::size_t index)
{
    const auto bytes = dir.ReadFile("Data/profile.bin");
    auto profile = std::make_unique<ProfileData>();
    if (bytes.size() < (index + 1) * sizeof(ProfileData))
        return nullptr;
    std::memcpy(profile.get(), bytes.data() + index * sizeof(ProfileData), sizeof(ProfileData));
    return profile;
}

// Folder "F" with macros M1..M11 and guns G1..G4.
void WriteLibraries(const TempProgramFolder& dir)
{
    MacroLibrary macros;
    AppendFolderEntry(macros, u"F");
    for (int i = 1; i <= 11; ++i)
        AppendMacro(macros, u"F", u"M" + std::u16string(1, u'0' + i % 10) + (i > 9 ? u"x" : u""));
    ASSERT_TRUE(SaveMacroLibrary(macros, dir.DataDir()));
    GunLibrary guns;
    AppendFolderEntry(guns, u"F");
    for (int i = 1; i <= 4; ++i)
        AppendGun(guns, u"F", u"G" + std::u16string(1, u'0' + i));
    ASSERT_TRUE(SaveGunLibrary(guns, dir.DataDir()));
}

// A tiny JSON reader for the schema checks: the type tree of a document.
struct Json
{
    char type = 0; // o(bject) a(rray) s(tring) n(umber) b(ool)
    std::string text;
    std::map<std::string, Json> members;
    std::vector<Json> elements;
};

class JsonReader
{
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}
    bool Read(Json& value) { return Value(value) && (Blank(), m_at == m_text.size()); }

private:
    void Blank()
    {
        while (m_at < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
    }
    bool Take(char c)
    {
        Blank();
        if (m_at < m_text.size() && m_text[m_at] == c)
            return ++m_at, true;
        return false;
    }
    bool String(std::string& out)
    {
        if (!Take('"'))
            return false;
        while (m_at < m_text.size() && m_text[m_at] != '"')
        {
            if (m_text[m_at] == '\\')
                ++m_at;
            out += m_text[m_at++];
        }
        return Take('"');
    }
    bool Value(Json& value)
    {
        Blank();
        if (m_at >= m_text.size())
            return false;
        const char c = m_text[m_at];
        if (c == '{')
        {
            value.type = 'o';
            ++m_at;
            if (Take('}'))
                return true;
            do
            {
                std::string key;
                if (!String(key) || !Take(':') || !Value(value.members[key]))
                    return false;
            } while (Take(','));
            return Take('}');
        }
        if (c == '[')
        {
            value.type = 'a';
            ++m_at;
            if (Take(']'))
                return true;
            do
                if (!Value(value.elements.emplace_back()))
                    return false;
            while (Take(','));
            return Take(']');
        }
        if (c == '"')
            return value.type = 's', String(value.text);
        for (const char* word : {"true", "false"})
            if (m_text.substr(m_at).starts_with(word))
                return m_at += std::strlen(word), value.type = 'b', true;
        const std::size_t start = m_at;
        while (m_at < m_text.size() &&
               (std::isdigit(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == '-'))
            ++m_at;
        return value.type = 'n', m_at > start;
    }
    std::string_view m_text;
    std::size_t m_at = 0;
};

// The schema is a document whose leaves name types ("string", "number",
// "bool"), whose arrays hold the schema of every element, and whose keys
// starting with '?' may be missing. No other key may appear.
void ExpectSchema(const Json& value, const Json& schema, const std::string& where)
{
    if (schema.type == 's')
    {
        EXPECT_EQ(value.type, schema.text[0]) << where << " should be a " << schema.text;
        return;
    }
    ASSERT_EQ(value.type, schema.type) << where;
    if (schema.type == 'a')
        for (std::size_t i = 0; i < value.elements.size(); ++i)
            ExpectSchema(value.elements[i], schema.elements.at(0),
                         where + "[" + std::to_string(i) + "]");
    for (const auto& [key, member] : schema.members)
    {
        const bool optional = key.starts_with('?');
        const std::string name = optional ? key.substr(1) : key;
        const auto found = value.members.find(name);
        if (found != value.members.end())
            ExpectSchema(found->second, member, where + "." + name);
        else
            EXPECT_TRUE(optional) << where << "." << name << " is missing";
    }
    for (const auto& [key, member] : value.members)
        EXPECT_TRUE(schema.members.count(key) || schema.members.count("?" + key))
            << where << "." << key << " is not in the schema";
}

void ExpectJsonSchema(const std::string& document, const char* schemaText)
{
    Json value, schema;
    ASSERT_TRUE(JsonReader(document).Read(value)) << document;
    ASSERT_TRUE(JsonReader(schemaText).Read(schema)) << schemaText;
    ExpectSchema(value, schema, "$");
}

} // namespace

TEST(CtlSet, KeysChangeTheirFieldsAndWhatTheMouseReceives)
{
    TempProgramFolder dir;
    WriteLibraries(dir);
    struct Row
    {
        std::string assignment;
        std::function<bool(const ProfileData&)> stored;
        std::string mouseShows; // a line part of the virtual mouse after the apply
    };
    const Row rows[] = {
        {"rate=1000", [](const ProfileData& p) { return p.iReportRate == 3; }, "1000 Hz"},
        {"dpi.2=1200", [](const ProfileData& p) { return p.aiDpi[1] == 12; }, "=12 (1200)"},
        {"dpi.2=1249", [](const ProfileData& p) { return p.aiDpi[1] == 12; }, "=12 (1200)"},
        {"dpi.1.colour=#123456",
         [](const ProfileData& p) { return p.aDpiColor[0].r == 0x12 && p.aDpiColor[0].b == 0x56; },
         "#123456"},
        {"dpi.levels=3", [](const ProfileData& p) { return p.byMaxDpi == 3; }, "of 3"},
        {"light.mode=breathing", [](const ProfileData& p) { return p.iLightMode == 2; },
         "light: mode 2"},
        {"response=8", [](const ProfileData& p) { return p.byKeyResponse == 8; },
         "key response 8 ms"},
        {"buttonset=game", [](const ProfileData& p) { return p.iButtonMode == 1; },
         "button set: game"},
        {"button.office.3=mode-switch",
         [](const ProfileData& p)
         { return p.aButton[2].byFunction == 26 && p.aButton[18].byFunction == 26; },
         "button 3:"},
        {"button.office.5=shortcut:Ctrl+Shift+F5",
         [](const ProfileData& p)
         {
             return p.aButton[4].byFunction == 21 && p.aButton[4].byShortcutMods == 3 &&
                    p.aButton[4].byShortcutKey == 0x3E;
         },
         "button 5:"},
        {"button.office.6=macro:F/M2",
         [](const ProfileData& p)
         { return p.aButton[5].byFunction == 22 && p.aButton[5].iMacroIndex == 2; },
         "button 6:"},
        {"button.game.7=gun:f/g3",
         [](const ProfileData& p)
         { return p.aButton[22].byFunction == 121 && p.aButton[22].iGunIndex == 3; },
         "button 23:"},
        {"pointer.precision=on", [](const ProfileData& p) { return p.bEnhancePointer == 1; },
         "applied profile 0"},
    };
    for (const Row& row : rows)
    {
        const Result r = RunVirtual(dir, {"set", "--apply", row.assignment});
        EXPECT_EQ(r.code, 0) << row.assignment << ": " << r.err;
        const auto stored = StoredProfile(dir, 0);
        ASSERT_NE(stored, nullptr);
        EXPECT_TRUE(row.stored(*stored)) << row.assignment;
        EXPECT_NE(r.out.find(row.mouseShows), std::string::npos) << row.assignment << "\n" << r.out;
    }
    // What `show` prints goes back into `set` unchanged.
    const Result shown = RunVirtual(dir, {"show"});
    EXPECT_NE(shown.out.find("button.office.6=macro:F/M2\n"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("button.office.5=shortcut:Ctrl+Shift+F5\n"), std::string::npos);
    EXPECT_NE(shown.out.find("dpi.2=1200\n"), std::string::npos);
}

TEST(CtlSet, EveryRuleRefusesAndNothingIsWritten)
{
    TempProgramFolder dir;
    WriteLibraries(dir);
    // A second profile, a copy of the first (the factory one).
    const std::string copy = (dir.Path() / "copy.pbin").string();
    ASSERT_EQ(RunVirtual(dir, {"export-profile", "0", copy}).code, 0);
    ASSERT_EQ(RunVirtual(dir, {"import-profile", copy}).code, 0);
    // Nine macro buttons and two guns: one more of each is still allowed.
    std::vector<std::string> bound = {"set", "--profile", "Profile1_1"};
    for (int n = 6; n <= 14; ++n)
        bound.push_back("button.office." + std::to_string(n) + "=macro:F/M1");
    bound.push_back("button.game.6=gun:F/G1");
    bound.push_back("button.game.7=gun:F/G2");
    const Result bind = RunVirtual(dir, bound);
    ASSERT_EQ(bind.code, 0) << bind.err;

    struct Refusal
    {
        std::vector<std::string> args;
        int code;
        std::string says;
    };
    const Refusal refusals[] = {
        {{"set", "button.office.1=forward"}, 1, "keep the left-click function"},
        {{"set", "button.game.8=gun:F/G3", "button.game.9=gun:F/G4"}, 1, "most 3 buttons"},
        {{"set", "button.game.8=macro:F/M3", "button.game.9=macro:F/M4"}, 1, "most 10 buttons"},
        {{"set", "button.game.9=macro:F/nothing"}, 1, "no macro"},
        {{"set", "dpi.1=99999"}, 1, "DPI lies in"},
        {{"set", "pointer.speed=12"}, 1, "1..11"},
        {{"set", "light.brightness=256"}, 1, "0..255"},
        {{"set", "liftoff=8"}, 1, "0..7"},
        {{"set", "dpi.current=9"}, 1, "1..8"},
        {{"set", "rate=fast"}, 2, "rate is"},
        {{"set", "nokey=1"}, 2, "unknown key"},
        {{"set", "button.office.17=forward"}, 2, "unknown key"},
        {{"set", "button.office.2=sideways"}, 2, "no button function"},
        {{"set", "button.office.2=shortcut:Ctrl"}, 2, "needs a key"},
        {{"set", "rate"}, 2, "KEY=VALUE"},
        {{"set", "--profile", "nobody", "rate=125"}, 1, "no profile"},
        {{"rename", "0", "PROFILE1_1"}, 1, "exists already"},
        {{"add", "profile1_1"}, 1, "exists already"},
        {{"select", "7"}, 1, "no profile"},
        {{"import", "missing.mbin"}, 1, "is no macro file"},
        {{"import", "missing.txt"}, 2, ".mbin"},
    };
    const auto profiles = dir.ReadFile("Data/profile.bin");
    const auto state = dir.ReadFile("Data/Data.bin");
    const auto macros = dir.ReadFile("Data/macro.bin");
    for (const Refusal& refusal : refusals)
    {
        const Result r = RunVirtual(dir, refusal.args);
        EXPECT_EQ(r.code, refusal.code) << refusal.args[1] << ": " << r.err;
        EXPECT_NE(r.err.find(refusal.says), std::string::npos) << r.err;
        EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profiles) << refusal.args[1];
        EXPECT_EQ(dir.ReadFile("Data/Data.bin"), state) << refusal.args[1];
        EXPECT_EQ(dir.ReadFile("Data/macro.bin"), macros) << refusal.args[1];
    }
    // In the language chosen in the window (Data.bin: 0 is Simplified Chinese).
    const AppState chinese{0, 0};
    ASSERT_TRUE(SaveAppState(dir.DataDir(), chinese));
    const Result refused = RunVirtual(dir, {"set", "button.office.1=forward"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err, "vestrelctl: set: 至少需要保留一个左键功能。；未做任何更改\n");
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profiles);
    ASSERT_TRUE(SaveAppState(dir.DataDir(), {0, 2}));

    // The last profile stays.
    ASSERT_EQ(RunVirtual(dir, {"delete", "Profile1_1"}).code, 0);
    const Result last = RunVirtual(dir, {"delete", "0"});
    EXPECT_EQ(last.code, 1);
    EXPECT_NE(last.err.find("last profile"), std::string::npos);
}

TEST(CtlHelp, HelpVersionAndUsageErrors)
{
    TempProgramFolder dir;
    const Result help = RunVirtual(dir, {"--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* command : {"show", "set", "select", "import", "export", "macros", "guns"})
        EXPECT_NE(help.out.find(std::string("\n  ") + command), std::string::npos) << command;
    const Result set = RunVirtual(dir, {"help", "set"});
    EXPECT_EQ(set.code, 0);
    EXPECT_NE(set.out.find("left-click"), std::string::npos);
    EXPECT_NE(set.out.find("dpi.N.colour"), std::string::npos);
    EXPECT_EQ(RunVirtual(dir, {"--version"}).code, 0);
    EXPECT_EQ(RunVirtual(dir, {"frobnicate"}).code, 2);
    EXPECT_EQ(RunVirtual(dir, {"help", "frobnicate"}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.DataDir())) << "help must write nothing";
}

TEST(CtlJson, ShowMacrosAndGunsFollowTheirSchemas)
{
    TempProgramFolder dir;
    WriteLibraries(dir);
    ASSERT_EQ(RunVirtual(dir, {"set", "button.office.6=macro:F/M1", "button.office.5=shortcut:Alt+A",
                           "button.game.7=gun:F/G1"})
                  .code,
              0);
    const Result show = RunVirtual(dir, {"show", "--json"});
    ASSERT_EQ(show.code, 0) << show.err;
    ExpectJsonSchema(show.out,
                     R"({"index":"number","name":"string","current":"bool","rate":"number",
            "dpi":{"levels":"number","current":"number",
                   "steps":[{"level":"number","step":"number","dpi":"string","colour":"string"}]},
            "liftoff":{"distance":"number","enabled":"bool"},"response":"number",
            "light":{"mode":"string","brightness":"number","speed":"number","length":"number",
                     "colour":"string","colourmode":"string",
                     "cycle":[{"colour":"string","on":"bool"}]},
            "pointer":{"speed":"number","scroll":"number","doubleclick":"number",
                       "precision":"bool","onepage":"bool"},
            "buttonset":"string",
            "buttons":{"office":[{"button":"number","function":"string","?shortcut":"string",
                                  "?macro":"string","?gun":"string"}],
                       "game":[{"button":"number","function":"string","?shortcut":"string",
                                "?macro":"string","?gun":"string"}]}})");
    EXPECT_NE(show.out.find(R"("function":"shortcut","shortcut":"Alt+A")"), std::string::npos);
    EXPECT_NE(show.out.find(R"("macro":"F/M1")"), std::string::npos);
    // RunCtl picks the virtual mouse, which reports the description's firmware.
    const Result status = RunVirtual(dir, {"status", "--json"});
    ASSERT_EQ(status.code, 0) << status.err;
    ExpectJsonSchema(status.out, R"({"mouse":"string","firmware":"string","expected":"string"})");
    EXPECT_NE(status.out.find(R"("mouse":"present")"), std::string::npos);
    const char* library =
        R"({"folders":[{"name":"string","locked":"bool","items":[{"name":"string","locked":"bool"}]}]})";
    for (const char* command : {"macros", "guns"})
    {
        const Result r = RunVirtual(dir, {command, "--json"});
        ASSERT_EQ(r.code, 0) << r.err;
        ExpectJsonSchema(r.out, library);
        EXPECT_NE(r.out.find(R"("name":"F")"), std::string::npos) << r.out;
    }
}

TEST(CtlExchange, EveryFileKindRoundTrips)
{
    TempProgramFolder dir;
    WriteLibraries(dir);
    const std::string out = (dir.Path() / "out").string();
    std::filesystem::create_directory(out);

    ASSERT_EQ(RunVirtual(dir, {"set", "dpi.3=2500", "light.mode=wave"}).code, 0);
    ASSERT_EQ(RunVirtual(dir, {"export-profile", "0", out + "/p.pbin"}).code, 0);
    const Result imported = RunVirtual(dir, {"import-profile", out + "/p.pbin"});
    ASSERT_EQ(imported.code, 0) << imported.err;
    auto original = StoredProfile(dir, 0);
    auto copy = StoredProfile(dir, 1);
    ASSERT_NE(copy, nullptr);
    // The same record but for the name, made free.
    EXPECT_EQ(std::u16string(copy->szName), std::u16string(original->szName) + u"_1");
    std::memcpy(copy->szName, original->szName, sizeof copy->szName);
    EXPECT_EQ(std::memcmp(copy.get(), original.get(), sizeof(ProfileData)), 0);

    const struct
    {
        std::vector<std::string> exportArgs;
        std::vector<std::string> importArgs;
        const char* list;
        std::string arrives;
    } kinds[] = {
        {{"export", "macro", "F/M2", out + "/m.mbin"},
         {"import", out + "/m.mbin", "--folder", "F"},
         "macros",
         "F/m\n"},
        {{"export", "macro-folder", "F", out + "/mf.mbins", "--locked"},
         {"import", out + "/mf.mbins"},
         "macros",
         "mf/M2\tlocked\n"},
        {{"export", "gun", "F/G2", out + "/g.gbin"},
         {"import", out + "/g.gbin"},
         "guns",
         "F_1/G2\n"},
        {{"export", "gun-folder", "F", out + "/gf.gbins"},
         {"import", out + "/gf.gbins"},
         "guns",
         "gf/G4\n"},
    };
    for (const auto& kind : kinds)
    {
        const Result exported = RunVirtual(dir, kind.exportArgs);
        ASSERT_EQ(exported.code, 0) << kind.exportArgs[1] << ": " << exported.err;
        const Result read = RunVirtual(dir, kind.importArgs);
        ASSERT_EQ(read.code, 0) << kind.importArgs[1] << ": " << read.err;
        const Result listed = RunVirtual(dir, {kind.list});
        EXPECT_NE(listed.out.find(kind.arrives), std::string::npos) << kind.exportArgs[1] << "\n"
                                                                    << listed.out;
    }
}
