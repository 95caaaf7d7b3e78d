// The three shipped language files must stay interchangeable: any key the
// program, a skin or a menu asks for has to resolve in every language.

#include "app/LanguageFile.h"
#include "model/NameField.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace
{

const char* const kFiles[] = {"EN.xml", "CN.xml", "TW.xml"};

// Keys whose empty value is intended (no vendor web site is shipped).
const std::set<std::string> kMayBeEmpty = {"website_text"};

// Language names are written in their own language in every file.
const std::set<std::string> kLanguageNames = {"lang_cn_text", "lang_tw_text", "lang_en_text"};

struct RawLanguageFile
{
    bool parsed = false;
    std::map<std::string, std::string> texts;
    std::vector<std::string> duplicates;
    std::vector<std::string> strayNodes;
};

// Reads a file without the reader's first-definition-wins rule, so that
// duplicates and misspelt elements show up.
RawLanguageFile ReadRaw(const char* name)
{
    RawLanguageFile file;
    pugi::xml_document doc;
    std::filesystem::path path = SourceDir() / "res" / "Language" / name;
    if (!doc.load_file(path.string().c_str()))
        return file;
    pugi::xml_node root = doc.child("Language");
    file.parsed = static_cast<bool>(root);
    for (pugi::xml_node node : root.children())
    {
        std::string key = node.attribute("key").value();
        if (std::string(node.name()) != "Text" || key.empty() || !node.attribute("value"))
        {
            file.strayNodes.push_back(std::string(node.name()) + " " + key);
            continue;
        }
        if (!file.texts.emplace(key, node.attribute("value").value()).second)
            file.duplicates.push_back(key);
    }
    return file;
}

std::vector<std::string> DesignKeys()
{
    std::vector<std::string> keys = {
        // Main window, profiles and messages.
        "mouse_name_text", "profile_text", "website_text", "warning_title_text",
        "reset_profile_text", "delete_profile_text", "no_connect_device_text", "update_fw_text",
        "one_left_click_text", "delete_macro_text", "delete_macro_dir_text", "delete_gun_text",
        "delete_gun_dir_text", "no_name_text", "same_macro_text", "same_macro_dir_text",
        // Button function labels and shortcut parts.
        "click_text", "menu_text", "scroll_text", "forward_text", "backward_text", "scroll_up_text",
        "scroll_down_text", "double_click_text", "three_click_text", "send_gun_text", "juji_text",
        "mode_switch_text", "light_mode_switch_text", "button_off_text", "set_macro_text",
        "set_gun_text", "dpi_cycle_text", "dpi_up_text", "dpi_down_text", "report_cycle_text",
        "report_up_text", "report_down_text", "media_player_text", "play_pause_text",
        "media_stop_text", "pre_track_text", "next_track_text", "volume_up_text",
        "volume_down_text", "mute_text", "browser_home_text", "browser_favorites_text",
        "browser_forward_text", "browser_backward_text", "browser_stop_text",
        "browser_refresh_text", "browser_search_text", "email_text", "calculator_text",
        "my_computer_text", "cut_text", "copy_text", "paste_text", "open_text", "save_text",
        "find_text", "redo_text", "select_all_text", "new_text", "print_text", "swap_windows_text",
        "close_windows_text", "show_desktop_text", "lock_pc_text", "run_command_text", "ctrl_text",
        "shift_text", "alt_text", "win_text",
        // Menu items without a catalogue label, captioned as item name + "_text".
        "default_text", "shortcut_text", "select_macro_text", "select_gun_text",
        "import_profile_text", "export_profile_text", "configuration_text", "exit_text",
        // Macro page, recording and the name dialogs.
        "key_down_action", "key_up_action", "mouse_move_text", "start_recording_text",
        "stop_recording_text", "add_macro_dir_text", "input_macro_dir_text", "add_macro_text",
        "input_macro_text", "rename_macro_dir_text", "rename_macro_text", "add_gun_dir_text",
        "input_gun_dir_text", "add_gun_text", "input_gun_text", "rename_gun_dir_text",
        "rename_gun_text", "import_macro_dir_text", "export_macro_dir_text",
        "export_pw_macro_dir_text", "import_macro_text", "export_macro_text",
        "export_pw_macro_text", "import_gun_dir_text", "export_gun_dir_text",
        "export_pw_gun_dir_text", "import_gun_text", "export_gun_text", "export_pw_gun_text",
        // The macro page's word on what recording sees.
        "record_scope_desktop_text", "record_scope_window_text",
        // Key names.
        "key_Enter", "key_Esc", "key_BackSpace", "key_Tab", "key_Space", "key_-", "key_=", "key_[",
        "key_]", "key_Xiexian", "key_;", "key_'", "key_`", "key_,", "key_.", "key_/", "key_Caplk",
        "key_Print Scr", "key_Scroll Lock", "key_Pause", "key_Insert", "key_Home", "key_Page Up",
        "key_Delete", "key_End", "key_Page Down", "key_Right", "key_Left", "key_Down", "key_Up",
        "key_Num Lock", "key_Num_/", "key_Num_*", "key_Num_-", "key_Num_+", "key_Num_Enter",
        "key_Num_.", "key_App", "key_LCtrl", "key_LShift", "key_LAlt", "key_LWin", "key_RCtrl",
        "key_RShift", "key_RAlt", "key_RWin", "L_Button", "R_Button", "M_Button", "Backward_Button",
        "Forward_Button", "Scroll_Up", "Scroll_Down"};
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back(std::string("key_") + c);
    for (char c = '0'; c <= '9'; ++c)
    {
        keys.push_back(std::string("key_") + c);
        keys.push_back(std::string("key_Num_") + c);
    }
    for (int n = 1; n <= 12; ++n)
        keys.push_back("key_F" + std::to_string(n));
    return keys;
}

// Every key a skin or menu names for a text or a tooltip.
std::set<std::string> SkinKeys()
{
    std::set<std::string> keys;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() / "res"))
    {
        if (entry.path().extension() != ".xml")
            continue;
        pugi::xml_document doc;
        if (!doc.load_file(entry.path().string().c_str()))
        {
            ADD_FAILURE() << entry.path();
            continue;
        }
        for (const pugi::xpath_node& found : doc.select_nodes("//*[@textkey or @tooltipkey]"))
            for (const char* attribute : {"textkey", "tooltipkey"})
                if (const pugi::xml_attribute key = found.node().attribute(attribute))
                    keys.insert(key.value());
    }
    return keys;
}

bool IsCjk(char16_t c)
{
    return c >= 0x4E00 && c <= 0x9FFF;
}

// Characters whose Simplified and Traditional forms differ, as pairs.
const std::u16string kSimplified =
    u"删设键个关开录枪选无为称认确轮导长时动颜级数应滚单双击标启显复载频钮灯线";
const std::u16string kTraditional =
    u"刪設鍵個關開錄槍選無為稱認確輪導長時動顏級數應滾單雙擊標啟顯複載頻鈕燈線";

} // namespace

TEST(LanguageKeys, FilesAreWellFormedWithoutDuplicatesOrEmptyTexts)
{
    for (const char* name : kFiles)
    {
        RawLanguageFile raw = ReadRaw(name);
        ASSERT_TRUE(raw.parsed) << name;
        EXPECT_TRUE(raw.duplicates.empty())
            << name << ": " << ::testing::PrintToString(raw.duplicates);
        EXPECT_TRUE(raw.strayNodes.empty())
            << name << ": " << ::testing::PrintToString(raw.strayNodes);
        for (const auto& [key, value] : raw.texts)
            EXPECT_TRUE(kMayBeEmpty.count(key) || !value.empty()) << name << ": " << key;

        // The program's reader must see the same table.
        LanguageFile lang;
        ASSERT_TRUE(lang.Load(SourceDir() / "res" / "Language" / name)) << name;
        EXPECT_EQ(lang.Size(), raw.texts.size()) << name;
        for (const auto& [key, value] : raw.texts)
            EXPECT_EQ(lang.GetText(key), Utf8ToUtf16(value)) << name << ": " << key;
    }
}

TEST(LanguageKeys, AllFilesHoldTheSameKeys)
{
    RawLanguageFile en = ReadRaw("EN.xml");
    ASSERT_TRUE(en.parsed);
    for (const char* name : {"CN.xml", "TW.xml"})
    {
        RawLanguageFile other = ReadRaw(name);
        ASSERT_TRUE(other.parsed) << name;
        std::vector<std::string> onlyInEn, onlyInOther;
        for (const auto& entry : en.texts)
            if (!other.texts.count(entry.first))
                onlyInEn.push_back(entry.first);
        for (const auto& entry : other.texts)
            if (!en.texts.count(entry.first))
                onlyInOther.push_back(entry.first);
        EXPECT_TRUE(onlyInEn.empty())
            << "missing in " << name << ": " << ::testing::PrintToString(onlyInEn);
        EXPECT_TRUE(onlyInOther.empty()) << "missing in EN.xml, present in " << name << ": "
                                         << ::testing::PrintToString(onlyInOther);
    }
}

TEST(LanguageKeys, EveryKeyTheProgramNamesIsPresent)
{
    std::vector<std::string> keys = DesignKeys();
    for (const char* name : kFiles)
    {
        LanguageFile lang;
        ASSERT_TRUE(lang.Load(SourceDir() / "res" / "Language" / name)) << name;
        for (const std::string& key : keys)
            EXPECT_TRUE(lang.HasKey(key)) << name << " lacks " << key;
    }
}

TEST(LanguageKeys, EachFileIsWrittenInItsOwnScript)
{
    // The dialog messages are whole sentences: a Chinese file that still holds
    // English there, or a Traditional file copied from the Simplified one,
    // shows up here.
    const char* messages[] = {
        "reset_profile_text",    "delete_profile_text", "no_connect_device_text",
        "update_fw_text",        "one_left_click_text", "delete_macro_text",
        "delete_macro_dir_text", "delete_gun_text",     "delete_gun_dir_text",
        "no_name_text",          "same_macro_text",     "same_macro_dir_text",
        "gun_file_invalid_text"};
    std::map<std::string, std::map<std::string, std::u16string>> files;
    for (const char* name : kFiles)
        for (const auto& [key, value] : ReadRaw(name).texts)
            if (!kLanguageNames.count(key))
                files[name][key] = Utf8ToUtf16(value);

    for (const char* key : messages)
    {
        for (const char* name : {"CN.xml", "TW.xml"})
        {
            const std::u16string& text = files[name][key];
            EXPECT_TRUE(std::any_of(text.begin(), text.end(), IsCjk)) << name << ": " << key;
        }
        EXPECT_NE(files["CN.xml"][key], files["TW.xml"][key]) << key;
    }
    for (const auto& [key, text] : files["EN.xml"])
        EXPECT_FALSE(std::any_of(text.begin(), text.end(), IsCjk)) << "EN.xml: " << key;
    for (const auto& [key, text] : files["CN.xml"])
        EXPECT_EQ(text.find_first_of(kTraditional), std::u16string::npos) << "CN.xml: " << key;
    for (const auto& [key, text] : files["TW.xml"])
        EXPECT_EQ(text.find_first_of(kSimplified), std::u16string::npos) << "TW.xml: " << key;
}

TEST(LanguageKeys, EveryKeyTheSkinsNameIsPresent)
{
    const std::set<std::string> keys = SkinKeys();
    EXPECT_TRUE(keys.count("close_text")); // tooltips are found too
    for (const char* name : kFiles)
    {
        LanguageFile lang;
        ASSERT_TRUE(lang.Load(SourceDir() / "res" / "Language" / name)) << name;
        for (const std::string& key : keys)
            EXPECT_TRUE(lang.HasKey(key)) << name << " lacks " << key;
    }
}

TEST(LanguageKeys, TextsNameThisDesktopNotWindows)
{
    // The Windows key is Super here, and the pointer settings are the desktop's.
    const std::regex windows("(^|[^A-Za-z])Win(dows)?([^A-Za-z]|$)");
    for (const char* name : kFiles)
        for (const auto& [key, value] : ReadRaw(name).texts)
            EXPECT_FALSE(std::regex_search(value, windows))
                << name << ": " << key << " = " << value;
}
