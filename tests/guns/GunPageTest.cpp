// The gun page on a window built from its own skin, driven through the
// notifications its controls raise.

#include "guns/GunPage.h"
#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/StartupData.h"
#include "guns/GunExchange.h"
#include "guns/GunLibrary.h"
#include "guns/RecoilPlotUI.h"
#include "tests/support/LibraryPageTest.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/ResourceManager.h"

#include <QDir>
#include <cstring>

namespace
{
namespace fs = std::filesystem;

const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="gun.xml" virtualwnd="GunPage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

// Library positions of the fixture.
constexpr int kAk = 1, kM4 = 2, kLocked = 3, kSniper = 4, kMp5 = 6;

class GunPageTest : public LibraryPageTest
{
protected:
    GunPageTest() : LibraryPageTest("gun_test.xml", kSkin)
    {
        g_vecGun.clear();
        AppendFolderEntry(g_vecGun, u"Rifles");
        const int ak = AppendGun(g_vecGun, u"Rifles", u"AK");
        g_vecGun[ak]->byBulletCount = 25;
        for (int i = 0; i < kGunMaxBullets; ++i)
            g_vecGun[ak]->aBullet[i] = GunBullet{i - 10, i, 0, static_cast<uint16_t>(20 + i)};
        AppendGun(g_vecGun, u"Rifles", u"M4");
        const int locked = AppendGun(g_vecGun, u"Rifles", u"Sealed");
        g_vecGun[locked]->bLocked = 1;
        AppendGun(g_vecGun, u"rifles", u"Sniper"); // the same folder in other letters
        AppendFolderEntry(g_vecGun, u"SMG");
        AppendGun(g_vecGun, u"SMG", u"MP5");
        // The current profile binds slot 3 to M4 and slot 5 to MP5.
        g_vecProfile.clear();
        g_vecProfile.push_back(SampleProfile());
        for (ButtonData& slot : g_vecProfile[0]->aButton)
            slot.iGunIndex = -1;
        g_vecProfile[0]->aButton[3].iGunIndex = kM4;
        g_vecProfile[0]->aButton[3].byFunction = 121; // a gun binding
        g_vecProfile[0]->aButton[5].iGunIndex = kMp5;
        g_vecProfile[0]->aButton[5].byFunction = 121;
        g_pCurProfile = g_vecProfile[0].get();

        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        main.AddVirtualWnd("GunPage", &page);
        page.Init();
        page.RefreshGunPage();
    }
    ~GunPageTest() override { g_vecGun.clear(); }

    template <typename T = CControlUI> T* Find(const QString& name) { return main.Find<T>(name); }
    // A numbered control of row n.
    template <typename T = CControlUI> T* RowControl(const char* format, int n)
    {
        return Find<T>(QString::asprintf(format, n));
    }
    void Notify(CControlUI* control, const char* type)
    {
        ASSERT_NE(control, nullptr);
        main.PM().SendNotify(control, type);
    }
    void Click(const QString& name) { Notify(Find(name), DUI_MSGTYPE_CLICK); }
    void Step(const char* format, int n) { Notify(RowControl(format, n), DUI_MSGTYPE_CLICK); }
    void SelectGun(int item) { Find<CListUI>("gun_list")->SelectItem(item); }
    void SelectFolder(int item) { Find<CComboUI>("gun_combo")->SelectItem(item); }
    CEditUI* Edit(const char* format, int n) { return RowControl<CEditUI>(format, n); }
    void Type(const char* format, int n, const QString& text)
    {
        Edit(format, n)->SetText(text);
        Notify(Edit(format, n), DUI_MSGTYPE_TEXTCHANGED);
    }
    void TypeAndLeave(const char* format, int n, const QString& text)
    {
        Edit(format, n)->SetText(text);
        Notify(Edit(format, n), DUI_MSGTYPE_KILLFOCUS);
    }
    QString Shown(const char* format, int n) { return Edit(format, n)->GetText(); }
    bool RowVisible(int n) { return RowControl("ver_zidan_num_%d", n)->IsVisible(); }
    GunLibrary Stored() const
    {
        GunLibrary stored;
        LoadGunLibrary(stored, Flushed());
        return stored;
    }
    bool Saved() const { return fs::exists(Flushed() / kGunFileName); }
    std::vector<std::u16string> ListedGuns()
    {
        std::vector<std::u16string> names;
        auto* list = Find<CListUI>("gun_list");
        for (int i = 0; i < list->GetCount(); ++i)
            names.push_back(list->GetItemAt(i)->GetText().toStdU16String());
        return names;
    }
    void AnswerNameDialog(const QString& name)
    {
        WhenDialogOpens(
            [name](QWidget* dialog)
            {
                TypeInto(dialog, "edit_name", name);
                Press(dialog, "ok_btn");
            });
    }

    CGunPage page{saves};
};
} // namespace

TEST_F(GunPageTest, ListsFoldersAndLoadsAGunWithoutSavingIt)
{
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCount(), 2);
    EXPECT_EQ(ListedGuns(), (std::vector<std::u16string>{u"AK", u"M4", u"Sealed", u"Sniper"}));
    EXPECT_FALSE(RowVisible(1)); // nothing chosen yet
    EXPECT_TRUE(Find<CListUI>("gun_list")->GetItemAt(2)->GetBkImage().contains("lock.png"));

    SelectGun(0);
    EXPECT_TRUE(RowVisible(25));
    EXPECT_FALSE(RowVisible(26));
    EXPECT_EQ(Find<CComboUI>("zidan_combo")->GetCurSel(), 24);
    EXPECT_EQ(Shown("edit_zidan_x_%d", 3), "-8");
    EXPECT_EQ(Shown("edit_zidan_y_%d", 3), "2");
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 30), "49");
    EXPECT_EQ(Find<CEditUI>("edit_gun_name")->GetText(), "AK");
    EXPECT_FALSE(Saved());
    EXPECT_EQ(RefreshMessages(), 0);
}

TEST_F(GunPageTest, TypedValuesAreFilteredWhileTypingAndClampedWhenLeft)
{
    SelectGun(0);
    Type("edit_zidan_x_%d", 1, "200");
    EXPECT_EQ(Shown("edit_zidan_x_%d", 1), "127");
    Type("edit_zidan_y_%d", 1, "-4a5");
    EXPECT_EQ(Shown("edit_zidan_y_%d", 1), "-45");
    Type("edit_zidan_y_%d", 2, "-999");
    EXPECT_EQ(Shown("edit_zidan_y_%d", 2), "-127");
    Type("edit_zidan_delay_%d", 1, "5"); // delays are left alone while typing
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 1), "5");
    EXPECT_FALSE(Saved()); // typing stores nothing
    EXPECT_EQ(g_vecGun[kAk]->aBullet[0].iX, -10);

    TypeAndLeave("edit_zidan_x_%d", 1, "200");
    EXPECT_EQ(Shown("edit_zidan_x_%d", 1), "127");
    TypeAndLeave("edit_zidan_y_%d", 1, "-128");
    EXPECT_EQ(Shown("edit_zidan_y_%d", 1), "-127");
    TypeAndLeave("edit_zidan_delay_%d", 1, "5");
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 1), "10");
    TypeAndLeave("edit_zidan_delay_%d", 2, "5000");
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 2), "1270");
    TypeAndLeave("edit_zidan_x_%d", 2, "-");
    EXPECT_EQ(Shown("edit_zidan_x_%d", 2), "0");
    const GunLibrary stored = Stored();
    const GunData& ak = *stored[kAk];
    EXPECT_EQ(ak.aBullet[0].iX, 127);
    EXPECT_EQ(ak.aBullet[0].iY, -127);
    EXPECT_EQ(ak.aBullet[0].wDelay, 10);
    EXPECT_EQ(ak.aBullet[1].wDelay, 1270);
    EXPECT_EQ(ak.aBullet[1].iX, 0);
    EXPECT_EQ(ak.aBullet[1].iY, 1);
}

TEST_F(GunPageTest, StepButtonsMoveByOneWithinTheRangesXCrossed)
{
    SelectGun(0);
    Step("zidan_x_down_btn_%d", 2); // -9 -> -8: "down" adds
    EXPECT_EQ(Shown("edit_zidan_x_%d", 2), "-8");
    Step("zidan_x_up_btn_%d", 2);
    Step("zidan_x_up_btn_%d", 2);
    EXPECT_EQ(Shown("edit_zidan_x_%d", 2), "-10");
    Step("zidan_y_up_btn_%d", 2);
    EXPECT_EQ(Stored()[kAk]->aBullet[1].iY, 2);
    Step("zidan_y_down_btn_%d", 2);
    Step("zidan_y_down_btn_%d", 2);
    EXPECT_EQ(Stored()[kAk]->aBullet[1].iY, 0);
    EXPECT_EQ(Stored()[kAk]->aBullet[1].iX, -10);

    // The step starts from what the edit shows; text that is no number is 0.
    Edit("edit_zidan_y_%d", 3)->SetText("zz");
    Step("zidan_y_up_btn_%d", 3);
    EXPECT_EQ(Shown("edit_zidan_y_%d", 3), "1");
    Edit("edit_zidan_x_%d", 3)->SetText("127");
    Step("zidan_x_down_btn_%d", 3);
    EXPECT_EQ(Shown("edit_zidan_x_%d", 3), "127");
    Edit("edit_zidan_y_%d", 4)->SetText("-127");
    Step("zidan_y_down_btn_%d", 4);
    EXPECT_EQ(Shown("edit_zidan_y_%d", 4), "-127");
    Edit("edit_zidan_delay_%d", 4)->SetText("1270");
    Step("zidan_delay_up_btn_%d", 4);
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 4), "1270");
    // Below 10 ms the mouse would get no pause at all.
    Edit("edit_zidan_delay_%d", 5)->SetText("10");
    Step("zidan_delay_down_btn_%d", 5);
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 5), "10");
    Step("zidan_delay_up_btn_%d", 5);
    const GunLibrary stored = Stored();
    const GunData& ak = *stored[kAk];
    EXPECT_EQ(ak.aBullet[2].iY, 1);
    EXPECT_EQ(ak.aBullet[2].iX, 127);
    EXPECT_EQ(ak.aBullet[3].iY, -127);
    EXPECT_EQ(ak.aBullet[3].wDelay, 1270);
    EXPECT_EQ(ak.aBullet[4].wDelay, 11);
}

TEST_F(GunPageTest, BulletCountKeepsTheBulletsBeyondIt)
{
    SelectGun(0);
    Find<CComboUI>("zidan_combo")->SelectItem(4);
    EXPECT_TRUE(RowVisible(5));
    EXPECT_FALSE(RowVisible(6));
    GunLibrary stored = Stored();
    EXPECT_EQ(stored[kAk]->byBulletCount, 5);
    for (int i = 5; i < kGunMaxBullets; ++i)
        EXPECT_EQ(stored[kAk]->aBullet[i].iX, i - 10) << i;
    EXPECT_EQ(page.GetPlot()->GetPath().points.size(), 6u);

    // Back to 30: the hidden bullets come back as they were.
    Find<CComboUI>("zidan_combo")->SelectItem(29);
    EXPECT_EQ(Stored()[kAk]->byBulletCount, 30);
    EXPECT_EQ(Shown("edit_zidan_x_%d", 30), "19");
}

TEST_F(GunPageTest, LockedGunsShowNothingAndKeepTheirBullets)
{
    g_vecGun[kLocked]->aBullet[0] = GunBullet{5, 6, 0, 70};
    const GunData before = *g_vecGun[kLocked];
    SelectGun(2);
    EXPECT_FALSE(RowVisible(1));
    EXPECT_EQ(Find<CEditUI>("edit_gun_name")->GetText(), "");
    EXPECT_EQ(Find<CComboUI>("zidan_combo")->GetCurSel(), -1);
    EXPECT_EQ(Shown("edit_zidan_x_%d", 1), "0");
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 1), "10");
    EXPECT_TRUE(page.GetPlot()->IsEmpty());

    Step("zidan_x_down_btn_%d", 1);
    TypeAndLeave("edit_zidan_y_%d", 1, "50");
    Find<CComboUI>("zidan_combo")->SelectItem(3);
    EXPECT_FALSE(RowVisible(1));
    EXPECT_EQ(std::memcmp(g_vecGun[kLocked].get(), &before, sizeof(GunData)), 0);
    EXPECT_FALSE(Saved());

    // A new name is kept even though the bullets are not touched.
    AnswerNameDialog("Vault");
    page.RenameGun();
    const GunLibrary stored = Stored();
    EXPECT_EQ(NameFromField(stored[kLocked]->szGunName), u"Vault");
    EXPECT_EQ(stored[kLocked]->aBullet[0].iX, 5);
    EXPECT_EQ(ListedGuns()[2], u"Vault");
}

TEST_F(GunPageTest, SavedChangesReachBoundSlotsAndTheButtonPage)
{
    SelectGun(1); // M4, bound to slot 3
    Step("zidan_y_up_btn_%d", 1);
    const ButtonData& slot = g_vecProfile[0]->aButton[3];
    EXPECT_EQ(slot.aBullet[0].iY, 1);
    EXPECT_EQ(slot.wEventCount, 30);
    EXPECT_EQ(NameFromField(slot.szAssignedName), u"M4");
    EXPECT_EQ(RefreshMessages(), 1);

    SelectGun(0); // AK is bound nowhere
    Step("zidan_y_up_btn_%d", 1);
    EXPECT_EQ(RefreshMessages(), 1);

    // Renaming through the name field: the slot shows the new name.
    SelectGun(1);
    Find<CEditUI>("edit_gun_name")->SetText("typed");
    AnswerNameDialog("M16");
    Notify(Find("edit_gun_name"), DUI_MSGTYPE_KILLFOCUS);
    EXPECT_EQ(NameFromField(g_vecProfile[0]->aButton[3].szAssignedName), u"M16");
    EXPECT_EQ(Find<CEditUI>("edit_gun_name")->GetText(), "M16");
    EXPECT_EQ(RefreshMessages(), 2);
}

TEST_F(GunPageTest, DeletingAGunSelectsItsNeighbourAndReleasesItsSlots)
{
    SelectGun(1);
    answer = 0;
    Click("btn_delete_gun");
    EXPECT_EQ(asked, std::vector<QString>{"delete_gun_named_text"});
    EXPECT_EQ(shown.back(), "Delete the gun \"M4\"?\nIt is bound to 1 button in 1 profile, "
                            "which then goes back to its default function.");
    EXPECT_EQ(g_vecGun.size(), 7u);

    answer = 1;
    Click("btn_delete_gun"); // M4, bound to slot 3
    EXPECT_EQ(Stored().size(), 6u);
    EXPECT_EQ(g_vecProfile[0]->aButton[3].byFunction, kDefaultSlotFunction[3]);
    EXPECT_EQ(RefreshMessages(), 1);
    // The gun now at the same place is chosen and shown.
    EXPECT_EQ(ListedGuns(), (std::vector<std::u16string>{u"AK", u"Sealed", u"Sniper"}));
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCurSel(), 1);
    EXPECT_FALSE(RowVisible(1)); // "Sealed" is locked

    SelectGun(2);
    Click("btn_delete_gun"); // the last one: its predecessor follows
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCurSel(), 1);
    // Later positions moved down with the removals: MP5 is now at 4.
    SelectFolder(1);
    SelectGun(0);
    Step("zidan_x_down_btn_%d", 1);
    EXPECT_EQ(Stored()[4]->aBullet[0].iX, 1);

    Click("btn_delete_gun"); // the only gun of SMG
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCount(), 0);
    EXPECT_FALSE(RowVisible(1));
    EXPECT_EQ(Find<CComboUI>("zidan_combo")->GetText(), "");
    EXPECT_EQ(Find<CEditUI>("edit_gun_name")->GetText(), "");
    Step("zidan_x_down_btn_%d", 1); // no gun to change
    EXPECT_EQ(Stored().size(), 4u);
    Click("btn_delete_gun"); // nothing selected: no question
    EXPECT_EQ(asked.size(), 4u);
}

TEST_F(GunPageTest, FolderRenameTakesEveryLetterCaseAndRemovalMovesOn)
{
    AnswerNameDialog("Long guns");
    page.RenameGunFolder();
    GunLibrary stored = Stored();
    for (int i : {0, kAk, kM4, kLocked, kSniper})
        EXPECT_EQ(NameFromField(stored[i]->szFolder), u"Long guns") << i;
    EXPECT_EQ(NameFromField(stored[5]->szFolder), u"SMG");
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetText(), "Long guns");
    EXPECT_EQ(ListedGuns().size(), 4u);

    Click("btn_delete_gun_floder");
    EXPECT_EQ(asked.back(), "delete_gun_dir_named_text");
    stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(NameFromField(stored[1]->szGunName), u"MP5");
    // The folder now at the same place is shown; M4's slot is released.
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCurSel(), 0);
    EXPECT_EQ(ListedGuns(), std::vector<std::u16string>{u"MP5"});
    EXPECT_EQ(g_vecProfile[0]->aButton[3].byFunction, kDefaultSlotFunction[3]);
    EXPECT_GE(RefreshMessages(), 1);

    Click("btn_delete_gun_floder");
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCount(), 0);
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCount(), 0);
    Click("btn_add_gun"); // no folder: nothing to add to
    EXPECT_TRUE(g_vecGun.empty());
}

TEST_F(GunPageTest, AddsFoldersAndGuns)
{
    AnswerNameDialog("Pistols");
    Click("btn_add_gun_floder");
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCurSel(), 2);
    EXPECT_TRUE(ListedGuns().empty());
    AnswerNameDialog("Glock");
    Click("btn_add_gun");
    const GunLibrary stored = Stored();
    ASSERT_EQ(stored.size(), 9u);
    EXPECT_EQ(stored[7]->bIsFolder, 1u);
    EXPECT_EQ(NameFromField(stored[8]->szFolder), u"Pistols");
    EXPECT_EQ(stored[8]->byBulletCount, 30);
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCurSel(), 0);
    EXPECT_TRUE(RowVisible(30));
    EXPECT_EQ(Shown("edit_zidan_delay_%d", 30), "10");
}

TEST_F(GunPageTest, ExportsAndImportsWithTheFileNames)
{
    const fs::path gunFile = m_folder.Path() / "AK.gbin";
    SelectGun(0);
    desktop.answers = {gunFile};
    page.ExportGun(true);
    ASSERT_EQ(desktop.requests.size(), 1u);
    EXPECT_EQ(desktop.requests[0].filterName, "Gun Data");
    EXPECT_EQ(desktop.requests[0].patterns, "*.gbin;*.GBIN");
    EXPECT_EQ(desktop.requests[0].defaultSuffix, "gbin");
    EXPECT_EQ(desktop.requests[0].startFolder, QDir::homePath().toStdString());
    EXPECT_EQ(desktop.requests[0].fileName, "AK.gbin");
    EXPECT_EQ(fs::file_size(gunFile), 576u);
    EXPECT_EQ(g_vecGun[kAk]->bLocked, 0u);
    EXPECT_TRUE(RowVisible(1)); // still editable here

    SelectFolder(1);
    desktop.answers = {gunFile, gunFile, gunFile};
    page.ImportGun();
    page.ImportGun();
    page.ImportGun();
    EXPECT_EQ(ListedGuns(), (std::vector<std::u16string>{u"MP5", u"AK", u"AK_1", u"AK_2"}));
    EXPECT_TRUE(Find<CListUI>("gun_list")->GetItemAt(3)->GetBkImage().contains("lock.png"));
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCurSel(), 3);
    EXPECT_FALSE(RowVisible(1)); // locked: the bullets stay hidden
    EXPECT_EQ(Stored().size(), 10u);

    const fs::path folderFile = m_folder.Path() / "Rifles.gbins";
    SelectFolder(0);
    desktop.answers = {folderFile, folderFile};
    page.ExportGunFolder(false);
    EXPECT_EQ(desktop.requests.back().patterns, "*.gbins;*.GBINS");
    EXPECT_EQ(desktop.requests.back().fileName, "Rifles.gbins");
    EXPECT_EQ(desktop.requests.back().startFolder, m_folder.Path());
    EXPECT_EQ(fs::file_size(folderFile), 5u * 576u);
    page.ImportGunFolder();
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCount(), 3);
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetText(), "Rifles_1");
    EXPECT_EQ(ListedGuns(), (std::vector<std::u16string>{u"AK", u"M4", u"Sealed", u"Sniper"}));
    EXPECT_EQ(Stored().size(), 15u);

    desktop.answers = {std::nullopt};
    page.ImportGun(); // cancelled
    EXPECT_EQ(g_vecGun.size(), 15u);
}

TEST_F(GunPageTest, ImportWithoutFoldersMakesTheGunsOwnFolder)
{
    const fs::path gunFile = m_folder.Path() / "file name.gbin";
    ASSERT_TRUE(WriteGunFile(gunFile, *g_vecGun[kSniper], false));
    g_vecGun.clear();
    page.RefreshGunPage();
    page.ExportGun(false); // nothing to export: no dialog
    page.ExportGunFolder(false);
    EXPECT_TRUE(desktop.requests.empty());

    desktop.answers = {gunFile};
    page.ImportGun();
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetText(), "rifles");
    EXPECT_EQ(ListedGuns(), std::vector<std::u16string>{u"Sniper"});
    EXPECT_EQ(Find<CListUI>("gun_list")->GetCurSel(), 0);
    EXPECT_TRUE(RowVisible(30));
    EXPECT_EQ(Stored().size(), 2u);
}

TEST_F(GunPageTest, RefusesDamagedImportFiles)
{
    const char shortFile[300] = {};
    m_folder.WriteFile("short.gbin", shortFile, sizeof(shortFile));
    GunData entry{};
    entry.bIsFolder = 1;
    m_folder.WriteFile("folder.gbin", &entry, sizeof(entry));
    m_folder.WriteFile("partial.gbins", shortFile, sizeof(shortFile));
    desktop.answers = {m_folder.Path() / "short.gbin", m_folder.Path() / "folder.gbin",
                       m_folder.Path() / "partial.gbins"};
    page.ImportGun();
    page.ImportGun();
    page.ImportGunFolder();
    EXPECT_EQ(asked, std::vector<QString>(3, "gun_file_invalid_text"));
    EXPECT_EQ(g_vecGun.size(), 7u);
    EXPECT_EQ(Find<CComboUI>("gun_combo")->GetCount(), 2);
    EXPECT_FALSE(Saved());
}

TEST_F(GunPageTest, ThePictureFollowsTheEditsAndTheRowInHand)
{
    SelectGun(0);
    const CRecoilPlotUI* plot = page.GetPlot();
    ASSERT_NE(plot, nullptr);
    ASSERT_EQ(plot->GetPath().points.size(), 26u);
    EXPECT_EQ(plot->GetPath().points[2].x, -10 + -9);
    EXPECT_EQ(plot->GetHighlight(), -1);

    Notify(Edit("edit_zidan_y_%d", 3), DUI_MSGTYPE_SETFOCUS);
    EXPECT_EQ(plot->GetHighlight(), 2);
    // Typing shows the value at once; the library waits for the edit to be left.
    Type("edit_zidan_x_%d", 1, "50");
    EXPECT_EQ(plot->GetPath().points[1].x, 50);
    EXPECT_EQ(plot->GetHighlight(), 0);
    EXPECT_EQ(g_vecGun[kAk]->aBullet[0].iX, -10);
    Step("zidan_y_up_btn_%d", 4);
    EXPECT_EQ(plot->GetHighlight(), 3);
    EXPECT_EQ(plot->GetPath().points[4].y, 0 + 1 + 2 + 4);

    SelectGun(2); // locked
    EXPECT_TRUE(plot->IsEmpty());
    SelectFolder(1);
    EXPECT_TRUE(plot->IsEmpty());
}
