// Menus from menu XML: placement, visible entries, and the chosen entry
// reaching the owner window as WM_MENUCLICK.

#include "tests/ui/UiTestSupport.h"
#include "ui/MenuElementUI.h"
#include "ui/MenuUI.h"
#include "ui/MenuWnd.h"
#include "ui/ResourceManager.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTest>

namespace
{
const char* kMenu = R"(<?xml version="1.0" encoding="UTF-8"?>
<Menu>
  <MenuElement name="configuration" textkey="configuration_text" userdata="cfg"/>
  <MenuElement name="hidden_item" text="hidden" visible="false"/>
  <MenuSeparator/>
  <MenuElement name="more" text="More">
    <MenuElement name="deep" text="Deep"/>
  </MenuElement>
  <MenuElement name="exit" textkey="exit_text"/>
</Menu>)";

class MenuTest : public UiTest
{
protected:
    MenuTest() : owner("small.xml")
    {
        WriteRes("small.xml", R"(<Window size="200,100"><VerticalLayout/></Window>)");
        WriteRes("testmenu.xml", kMenu);
        WriteLanguage("menu", {{"configuration_text", "Settings"}, {"exit_text", "Quit"}});
        CResourceManager::GetInstance()->LoadLanguage("Language/menu.xml");
        owner.Open();
    }

    QAction* ActionNamed(QMenu* menu, const QString& name)
    {
        for (QAction* a : menu->actions())
            if (a->objectName() == name)
                return a;
        return nullptr;
    }

    TestWnd owner;
};
} // namespace

TEST_F(MenuTest, ChosenEntryReachesTheOwnerWithNameUserDataAndText)
{
    CMenuWnd menu;
    menu.Init(nullptr, "testmenu.xml", POINT{120, 80}, &owner.PM());
    QMenu* qmenu = menu.GetQMenu();
    ASSERT_NE(qmenu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(qmenu));
    EXPECT_EQ(qmenu->pos(), QPoint(120, 80));

    QAction* exit = ActionNamed(qmenu, "exit");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "Quit");
    QTest::mouseClick(qmenu, Qt::LeftButton, {}, qmenu->actionGeometry(exit).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !owner.messages.empty(); }));
    EXPECT_EQ(owner.messages[0].msg, WM_MENUCLICK);
    auto* cmd = reinterpret_cast<MenuCmd*>(owner.messages[0].wParam);
    EXPECT_EQ(cmd->szName, "exit");
    EXPECT_EQ(cmd->szText, "Quit");
    CPaintManagerUI::DeletePtr(cmd);

    menu.Init(nullptr, "testmenu.xml", POINT{120, 80}, &owner.PM());
    ActionNamed(menu.GetQMenu(), "configuration")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return owner.messages.size() == 2; }));
    cmd = reinterpret_cast<MenuCmd*>(owner.messages[1].wParam);
    EXPECT_EQ(cmd->szName, "configuration");
    EXPECT_EQ(cmd->szUserData, "cfg");
    EXPECT_EQ(cmd->szText, "Settings");
    CPaintManagerUI::DeletePtr(cmd);
}

TEST_F(MenuTest, VisibleEntriesAreCountedAndFollowResize)
{
    CMenuWnd menu;
    menu.Init(nullptr, "testmenu.xml", POINT{10, 10}, &owner.PM());
    CMenuUI* items = menu.GetMenuUI();
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetCount(), 5);
    EXPECT_EQ(items->GetVisibleItemCount(), 3);
    EXPECT_EQ(ActionNamed(menu.GetQMenu(), "hidden_item"), nullptr);

    items->FindSubControl("configuration")->SetVisible(false);
    items->FindSubControl("hidden_item")->SetVisible(true);
    menu.SetBasedPoint(POINT{40, 60});
    menu.ResizeMenu();
    EXPECT_EQ(items->GetVisibleItemCount(), 3);
    EXPECT_EQ(ActionNamed(menu.GetQMenu(), "configuration"), nullptr);
    EXPECT_NE(ActionNamed(menu.GetQMenu(), "hidden_item"), nullptr);
    EXPECT_EQ(menu.GetQMenu()->pos(), QPoint(40, 60));

    // The sub-menu holds its own entries.
    QMenu* sub = nullptr;
    for (QAction* a : menu.GetQMenu()->actions())
        if (a->menu() != nullptr)
            sub = a->menu();
    ASSERT_NE(sub, nullptr);
    EXPECT_NE(ActionNamed(sub, "deep"), nullptr);
}

// The tray sits in a screen corner: a menu opened or resized there stays
// wholly on the screen.
TEST_F(MenuTest, AMenuAtTheScreenCornerStaysOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    CMenuWnd menu;
    const POINT corner{area.right() - 2, area.bottom() - 2};
    menu.Init(nullptr, "testmenu.xml", corner, &owner.PM());
    for (int pass = 0; pass < 2; ++pass)
    {
        const QRect placed = menu.GetQMenu()->geometry();
        EXPECT_TRUE(area.contains(placed)) << "pass " << pass;
        menu.ResizeMenu();
    }
}

TEST_F(MenuTest, AMissingMenuFileGivesAnEmptyMenu)
{
    CMenuWnd menu;
    menu.Init(nullptr, "nomenu.xml", POINT{10, 10}, &owner.PM());
    ASSERT_NE(menu.GetMenuUI(), nullptr);
    EXPECT_EQ(menu.GetMenuUI()->GetVisibleItemCount(), 0);
}
