// Skins build into the right controls, with their attributes, layout,
// included parts and items built from their own files.

#include "tests/ui/Screenshot.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/ComboUI.h"
#include "ui/DialogBuilder.h"
#include "ui/EditUI.h"
#include "ui/ListContainerElementUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"
#include "ui/ResourceManager.h"
#include "ui/SkinControls.h"
#include "ui/SliderUI.h"
#include "ui/TabLayoutUI.h"
#include "ui/SkinValue.h"
#include "ui/Theme.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <vector>

namespace
{
const char* kKindsSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="600,400" caption="0,0,0,30">
  <VerticalLayout name="root" inset="10,10,10,10" childpadding="5" style="window">
    <HorizontalLayout name="row" height="40" childpadding="10">
      <Label name="label" text="plain" width="100"/>
      <Label name="keyed" textkey="hello_text"/>
      <Button name="btn" text="Go" width="80" style="btn_primary"/>
    </HorizontalLayout>
    <HorizontalLayout height="30">
      <Option name="opt1" group="g" selected="true" width="60" text="A"/>
      <Option name="opt2" group="g" width="60" text="B"/>
      <CheckBox name="chk" width="100" text="check"/>
      <Edit name="edit" width="120" text="abc"/>
      <Combo name="combo" width="120">
        <ListLabelElement text="zero" height="25"/>
        <ListLabelElement text="one" height="25"/>
      </Combo>
    </HorizontalLayout>
    <HorizontalLayout height="60" childpadding="8">
      <Slider name="slider" min="10" max="50" value="20" width="200"/>
      <Progress name="progress" min="0" max="10" value="5" width="100" height="8"/>
      <ColorPalette name="palette" width="150"/>
    </HorizontalLayout>
    <TabLayout name="tab" selectedid="1" height="60">
      <Control name="page0"/>
      <Include source="sub.xml" virtualwnd="SubPage"/>
    </TabLayout>
    <List name="list" height="100"/>
    <Control name="hidden" visible="false" height="10"/>
    <Mystery name="unknown"/>
    <Control name="overlay" style="overlay" pos="0,0,600,400"/>
  </VerticalLayout>
</Window>)";

const char* kSubSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window>
  <HorizontalLayout name="sub_root">
    <Button name="sub_btn" text="sub" width="50"/>
  </HorizontalLayout>
</Window>)";

const char* kItemSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window>
  <ListContainerElement height="30">
    <Label name="key" width="40"/>
    <Label name="action"/>
    <Label name="delay" width="50"/>
  </ListContainerElement>
</Window>)";

class SkinTest : public UiTest
{
protected:
    SkinTest()
    {
        WriteRes("kinds.xml", kKindsSkin);
        WriteRes("sub.xml", kSubSkin);
        WriteRes("item.xml", kItemSkin);
        WriteLanguage("one", {{"hello_text", "Hello"}});
        CResourceManager::GetInstance()->LoadLanguage("Language/one.xml");
    }
};

QRect Geometry(CControlUI* c)
{
    return c->GetWidget()->geometry();
}
} // namespace

TEST_F(SkinTest, EveryKindIsBuiltUnderItsNameWithItsAttributes)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    EXPECT_TRUE(wnd.rootAtInit) << "InitWindow must run after the skin is built";

    EXPECT_NE(wnd.Find<CLabelUI>("label"), nullptr);
    EXPECT_NE(wnd.Find<CButtonUI>("btn"), nullptr);
    EXPECT_NE(wnd.Find<CCheckBoxUI>("chk"), nullptr);
    EXPECT_NE(wnd.Find<CEditUI>("edit"), nullptr);
    EXPECT_NE(wnd.Find<CComboUI>("combo"), nullptr);
    EXPECT_NE(wnd.Find<CListUI>("list"), nullptr);
    EXPECT_NE(wnd.Find<CColorPaletteUI>("palette"), nullptr);
    EXPECT_NE(wnd.Find<CTabLayoutUI>("tab"), nullptr);
    EXPECT_EQ(wnd.PM().FindControl("unknown"), nullptr);
    EXPECT_EQ(wnd.PM().FindControl("no_such_control"), nullptr);

    EXPECT_EQ(wnd.Find<CLabelUI>("label")->GetText(), "plain");
    EXPECT_EQ(wnd.Find<CLabelUI>("keyed")->GetText(), "Hello");
    EXPECT_EQ(wnd.Find<CLabelUI>("keyed")->GetRawText(), "hello_text");
    EXPECT_EQ(wnd.Find<CEditUI>("edit")->GetText(), "abc");
    EXPECT_TRUE(wnd.Find<COptionUI>("opt1")->IsSelected());
    EXPECT_FALSE(wnd.Find<COptionUI>("opt2")->IsSelected());
    EXPECT_EQ(wnd.Find<CComboUI>("combo")->GetCount(), 2);
    EXPECT_EQ(wnd.Find<CComboUI>("combo")->GetCurSel(), -1);
    auto* slider = wnd.Find<CSliderUI>("slider");
    EXPECT_EQ(slider->GetMinValue(), 10);
    EXPECT_EQ(slider->GetMaxValue(), 50);
    EXPECT_EQ(slider->GetValue(), 20);
    EXPECT_EQ(wnd.Find<CProgressUI>("progress")->GetValue(), 5);
    EXPECT_FALSE(wnd.PM().FindControl("hidden")->IsVisible());

    DWORD accent = 0;
    ASSERT_TRUE(Theme::Instance().FindColor(u"accent", accent));
    EXPECT_EQ(wnd.Find<CButtonUI>("btn")->GetBkColor(), accent) << "style from the theme";
    DWORD panelAlt = 0;
    ASSERT_TRUE(Theme::Instance().FindColor(u"panel_alt", panelAlt));
    EXPECT_EQ(wnd.Find<CComboUI>("combo")->GetBkColor(), 0u);
    EXPECT_EQ(wnd.PM().FindControl("sub_btn")->GetBkColor(), panelAlt)
        << "defaults of the kind from the theme";

    EXPECT_EQ(wnd.GetWidget()->size(), QSize(600, 400));
    const RECT caption = wnd.PM().GetCaptionRect();
    EXPECT_EQ(caption.bottom, 30);
}

TEST_F(SkinTest, LayoutsGiveFixedSizesAndShareTheRest)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    EXPECT_EQ(Geometry(wnd.PM().FindControl("row")), QRect(10, 10, 580, 40));
    EXPECT_EQ(Geometry(wnd.PM().FindControl("label")), QRect(0, 0, 100, 40));
    // 580 - 100 - 80 - 2 x 10 of child padding are left for the keyed label.
    EXPECT_EQ(Geometry(wnd.PM().FindControl("keyed")), QRect(110, 0, 380, 40));
    EXPECT_EQ(Geometry(wnd.PM().FindControl("btn")), QRect(500, 0, 80, 40));
    // A fixed height in a row is centred only when asked; here it starts at the top.
    EXPECT_EQ(Geometry(wnd.PM().FindControl("progress")), QRect(208, 0, 100, 8));
    EXPECT_EQ(Geometry(wnd.PM().FindControl("overlay")), QRect(0, 0, 600, 400));
    EXPECT_FALSE(wnd.PM().FindControl("overlay")->IsVisible());

    // Hiding a child gives its room to the others.
    wnd.PM().FindControl("label")->SetVisible(false);
    EXPECT_EQ(Geometry(wnd.PM().FindControl("keyed")), QRect(0, 0, 490, 40));
    wnd.PM().FindControl("btn")->SetFixedWidth(100);
    EXPECT_EQ(Geometry(wnd.PM().FindControl("keyed")), QRect(0, 0, 470, 40));
    SaveScreenshot(wnd, "skin_kinds");
}

// The widgets are made after InitWindow, so what it sets is what they show
// first, and the shown tree fills the window.
TEST_F(SkinTest, WidgetsAreMadeAfterInitWindowWithWhatItSet)
{
    TestWnd wnd("kinds.xml");
    QWidget* early = nullptr;
    wnd.atInit = [&early](TestWnd& w)
    {
        w.Find<CEditUI>("edit")->SetText(QStringLiteral("set at init"));
        w.Find<CComboUI>("combo")->SelectItem(1, false, false);
        w.PM().FindControl("label")->SetVisible(false);
        // Asked for before the tree has widgets: its hosts are made on the way.
        early = w.Find<CControlUI>("sub_btn")->GetWidget();
    };
    ASSERT_NE(wnd.Open(), nullptr);
    EXPECT_FALSE(wnd.rootWidgetAtInit);
    EXPECT_EQ(wnd.Find<CControlUI>("sub_btn")->GetWidget(), early);
    EXPECT_EQ(wnd.GetWidget()->findChildren<QWidget*>("sub_btn").size(), 1)
        << "a control's widget is made once, however it is first asked for";
    EXPECT_EQ(wnd.GetWidget()->findChildren<QWidget*>("sub_root").size(), 1);
    CControlUI* root = wnd.PM().GetRoot();
    ASSERT_TRUE(root->HasWidget());
    EXPECT_EQ(root->GetWidget()->geometry(), wnd.GetWidget()->rect());
    auto* edit = qobject_cast<QLineEdit*>(wnd.Find<CEditUI>("edit")->GetWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "set at init");
    auto* combo = qobject_cast<QComboBox*>(wnd.Find<CComboUI>("combo")->GetWidget());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_FALSE(wnd.PM().FindControl("label")->GetWidget()->isVisible());
    EXPECT_EQ(Geometry(wnd.PM().FindControl("keyed")), QRect(0, 0, 490, 40));
}

// Skin values are read in place; spaces, short and long lists, hex and
// theme colours keep their meaning.
TEST_F(SkinTest, ValuesReadAsWrittenWithSpacesShortListsHexAndThemeColours)
{
    const RECT rect = ParseSkinRect(QStringLiteral(" 1, 2 ,3 ,4,9"));
    EXPECT_EQ((std::vector<int>{rect.left, rect.top, rect.right, rect.bottom}),
              (std::vector<int>{1, 2, 3, 4}));
    const RECT shortRect = ParseSkinRect(QStringLiteral("5,,7"));
    EXPECT_EQ((std::vector<int>{shortRect.left, shortRect.top, shortRect.right, shortRect.bottom}),
              (std::vector<int>{5, 0, 7, 0}));
    const SIZE size = ParseSkinSize(QStringLiteral("600, 400"));
    EXPECT_EQ(size.cx, 600);
    EXPECT_EQ(size.cy, 400);
    EXPECT_EQ(ParseSkinSize(QStringLiteral("12")).cy, 0);

    EXPECT_EQ(ParseSkinInt(QStringLiteral(" 0x1F ")), 31);
    EXPECT_EQ(ParseSkinInt(QStringLiteral("-12")), -12);
    EXPECT_EQ(ParseSkinInt(QStringLiteral("12px")), 0);
    EXPECT_TRUE(ParseSkinBool(QStringLiteral(" TRUE")));
    EXPECT_TRUE(ParseSkinBool(QStringLiteral("1")));
    EXPECT_FALSE(ParseSkinBool(QStringLiteral("yes")));

    DWORD argb = 0;
    ASSERT_TRUE(ParseSkinColor(QStringLiteral(" #102030 "), argb));
    EXPECT_EQ(argb, 0xFF102030u);
    ASSERT_TRUE(ParseSkinColor(QStringLiteral("0X80102030"), argb));
    EXPECT_EQ(argb, 0x80102030u);
    DWORD accent = 0;
    ASSERT_TRUE(Theme::Instance().FindColor(u"accent", accent));
    ASSERT_TRUE(ParseSkinColor(QStringLiteral("@accent"), argb));
    EXPECT_EQ(argb, accent);
    argb = 7;
    EXPECT_FALSE(ParseSkinColor(QStringLiteral("@accen"), argb));
    EXPECT_FALSE(ParseSkinColor(QStringLiteral("#12345"), argb));
    EXPECT_FALSE(ParseSkinColor(QStringLiteral("102030"), argb));
    EXPECT_EQ(argb, 7u) << "a colour that does not parse leaves the old one";
}

TEST_F(SkinTest, IncludedSkinIsPartOfTheTreeAndOfItsVirtualWindow)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    CControlUI* subButton = wnd.PM().FindControl("sub_btn");
    ASSERT_NE(subButton, nullptr);
    EXPECT_EQ(subButton->GetVirtualWnd(), "SubPage");
    EXPECT_EQ(wnd.PM().FindControl("label")->GetVirtualWnd(), "");

    auto* tab = wnd.Find<CTabLayoutUI>("tab");
    EXPECT_EQ(tab->GetCurSel(), 1);
    EXPECT_FALSE(wnd.PM().FindControl("page0")->IsVisible());
    EXPECT_TRUE(wnd.PM().FindControl("sub_root")->IsVisible());
    EXPECT_TRUE(tab->SelectItem(0));
    EXPECT_TRUE(wnd.PM().FindControl("page0")->IsVisible());
    EXPECT_FALSE(wnd.PM().FindControl("sub_root")->IsVisible());
    EXPECT_FALSE(tab->SelectItem(2));
    EXPECT_EQ(tab->GetCurSel(), 0);
}

TEST_F(SkinTest, IncludesOfNoFileOrOfAFolderAddNothing)
{
    WriteRes("parts/sub.xml", kSubSkin);
    WriteRes("holes.xml", R"(<Window size="100,100">
  <VerticalLayout name="root">
    <Include virtualwnd="NoSource"/>
    <Include source="parts"/>
    <Include source="parts/sub.xml"/>
  </VerticalLayout>
</Window>)");
    TestWnd wnd("holes.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    auto* root = wnd.Find<CContainerUI>("root");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetCount(), 1);
    EXPECT_NE(wnd.PM().FindControl("sub_btn"), nullptr);
}

namespace
{
// A window skin whose elements nest `depth` deep, <Window> included.
std::string NestedSkin(int depth)
{
    std::string text = "<Window size=\"100,100\">";
    for (int i = 1; i < depth; ++i)
        text += i + 1 == depth ? "<VerticalLayout name=\"deepest\">" : "<VerticalLayout>";
    for (int i = 1; i < depth; ++i)
        text += "</VerticalLayout>";
    return text + "</Window>";
}
} // namespace

TEST_F(SkinTest, NestingBeyondSixtyFourIsRefusedAndSaid)
{
    WriteRes("deep64.xml", NestedSkin(64));
    WriteRes("deep100.xml", NestedSkin(100));
    TestWnd fits("deep64.xml");
    ASSERT_NE(fits.Open(), nullptr);
    EXPECT_NE(fits.PM().FindControl("deepest"), nullptr);

    testing::internal::CaptureStderr();
    TestWnd deep("deep100.xml");
    ASSERT_NE(deep.Open(), nullptr); // the window itself needs no control
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(deep.rootAtInit);
    EXPECT_NE(err.find("vestrel: skin res/deep100.xml: elements nest deeper than 64"),
              std::string::npos)
        << err;
}

TEST_F(SkinTest, ItemsBuiltFromTheirOwnFileKeepTheirPartsApart)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    auto* list = wnd.Find<CListUI>("list");
    CDialogBuilder builder;
    for (int i = 0; i < 3; ++i)
    {
        CControlUI* built = i == 0 ? builder.Create("item.xml", QString(), nullptr, &wnd.PM())
                                   : builder.Create(nullptr, &wnd.PM());
        auto* item = dynamic_cast<CListContainerElementUI*>(built);
        ASSERT_NE(item, nullptr);
        item->FindSubControl("key")->SetText(QString("k%1").arg(i));
        item->FindSubControl("key")->SetBkImage("res='skins/mouse.png' dest='2,2,28,28'");
        ASSERT_TRUE(list->Add(item));
    }
    ASSERT_EQ(list->GetCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        auto* item = dynamic_cast<CContainerUI*>(list->GetItemAt(i));
        EXPECT_EQ(item->FindSubControl("key")->GetText(), QString("k%1").arg(i));
        EXPECT_NE(item->FindSubControl("action"), nullptr);
        EXPECT_EQ(Geometry(item).top(), i * 30);
        EXPECT_EQ(Geometry(item).height(), 30);
    }
    EXPECT_EQ(builder.Create("missing.xml"), nullptr);
    SaveScreenshot(wnd, "skin_items");
}

TEST_F(SkinTest, ListAndComboItemsAreAddedRemovedAndRenumbered)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    auto* list = wnd.Find<CListUI>("list");
    for (int i = 0; i < 20; ++i)
    {
        auto* item = new CListLabelElementUI;
        item->SetText(QString::number(i));
        item->SetFixedHeight(30);
        list->Add(item);
    }
    const auto button = std::make_unique<CButtonUI>(); // a refused control stays the caller's
    EXPECT_FALSE(list->Add(button.get())) << "only list items";
    list->SelectItem(5);
    list->RemoveAt(2);
    EXPECT_EQ(list->GetCurSel(), 4);
    EXPECT_EQ(dynamic_cast<CListLabelElementUI*>(list->GetItemAt(4))->GetIndex(), 4);
    list->RemoveAt(4);
    EXPECT_EQ(list->GetCurSel(), -1) << "removing the selection leaves none";

    // Scrolling: the last item becomes visible in the 100-pixel list.
    list->EnsureVisible(list->GetCount() - 1);
    QWidget* last = list->GetItemAt(list->GetCount() - 1)->GetWidget();
    const QRect shown = last->geometry().translated(last->parentWidget()->pos());
    EXPECT_GE(shown.top(), 0);
    EXPECT_LE(shown.bottom(), list->GetWidget()->height());

    auto* combo = wnd.Find<CComboUI>("combo");
    combo->SelectItem(1);
    auto* extra = new CListLabelElementUI;
    extra->SetText("first");
    combo->AddAt(extra, 0);
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetText(), "one");
    combo->RemoveAt(2);
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->SetText("");
    EXPECT_EQ(combo->GetText(), "");
}

TEST_F(SkinTest, LookUpsByNameFollowTheTreeAsItChanges)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    SkinControls needed;
    // The first look-up after a change walks the tree, the next ones use the
    // index made then: each name is asked for both ways.
    auto find = [&](const char* name)
    {
        CControlUI* walked = wnd.PM().FindControl(name);
        EXPECT_EQ(wnd.PM().FindControl(name), walked) << name;
        return walked;
    };
    // A name used twice gives the first in the tree.
    auto* row = wnd.Find<CContainerUI>("row");
    auto* twin = new CLabelUI;
    twin->SetName("btn");
    row->Add(twin);
    EXPECT_NE(find("btn"), twin);
    EXPECT_EQ(needed.Need<CButtonUI>(wnd.PM(), "btn"), find("btn"));

    // Removed, renamed and added controls are seen at the next look-up.
    const std::unique_ptr<CControlUI> taken(wnd.PM().FindControl("btn"));
    row->Remove(taken.get(), true);
    EXPECT_EQ(find("btn"), twin);
    twin->SetName("renamed");
    EXPECT_EQ(find("btn"), nullptr);
    EXPECT_EQ(needed.Need(wnd.PM(), "renamed"), twin);
    auto* later = new CButtonUI;
    later->SetName("later");
    wnd.Find<CContainerUI>("sub_root")->Add(later);
    EXPECT_EQ(find("later"), later);
    EXPECT_EQ(needed.Need<CButtonUI>(wnd.PM(), "later"), later);
    EXPECT_EQ(find(""), wnd.PM().GetRoot()->FindControl("")) << "unnamed controls as the walk finds them";

    EXPECT_TRUE(needed.AllFound());
    EXPECT_EQ(needed.Need<CButtonUI>(wnd.PM(), "label"), nullptr) << "a label is no button";
    EXPECT_FALSE(needed.AllFound());
}

TEST_F(SkinTest, TheStyleSheetStylesTheNativeWidgetsAndSkipsThePaintedOnes)
{
    TestWnd wnd("kinds.xml");
    ASSERT_NE(wnd.Open(), nullptr);
    QCoreApplication::processEvents();

    auto* edit = wnd.Find<CEditUI>("edit")->GetWidget()->findChild<QLineEdit*>();
    if (edit == nullptr)
        edit = qobject_cast<QLineEdit*>(wnd.Find<CEditUI>("edit")->GetWidget());
    ASSERT_NE(edit, nullptr);
    DWORD text = 0;
    ASSERT_TRUE(Theme::Instance().FindColor(u"text", text));
    EXPECT_TRUE(edit->testAttribute(Qt::WA_StyleSheet));
    EXPECT_EQ(edit->palette().color(QPalette::Text).rgb() & 0xFFFFFF, text & 0xFFFFFF)
        << "the theme's sheet reaches a native widget inside painted containers";

    // Painted controls draw all of themselves: the style sheet has nothing to do there.
    for (const char* name : {"root", "row", "label", "btn", "opt1", "palette"})
    {
        QWidget* painted = wnd.PM().FindControl(name)->GetWidget();
        EXPECT_TRUE(painted->testAttribute(Qt::WA_WState_Polished)) << name;
        EXPECT_FALSE(painted->testAttribute(Qt::WA_StyleSheet)) << name;
    }
}
