// Texts given as language keys follow a language reload; plain texts do not.

#include "tests/ui/UiTestSupport.h"
#include "ui/ComboUI.h"
#include "ui/ResourceManager.h"

#include <QComboBox>

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="300,200">
  <VerticalLayout>
    <Label name="keyed" textkey="greeting_text" height="30"/>
    <Label name="plain" text="greeting_text" height="30"/>
    <Button name="btn" textkey="ok_text" height="30"/>
    <Button name="sign" text="+" tooltipkey="left_text" height="30"/>
    <Combo name="combo" height="30">
      <ListLabelElement textkey="left_text" height="25"/>
      <ListLabelElement text="fixed" height="25"/>
    </Combo>
  </VerticalLayout>
</Window>)";

class LanguageTest : public UiTest
{
protected:
    LanguageTest()
    {
        WriteRes("lang.xml", kSkin);
        WriteLanguage("first",
                      {{"greeting_text", "Hello"}, {"ok_text", "OK"}, {"left_text", "Left"}});
        WriteLanguage(
            "second",
            {{"greeting_text", "Bonjour"}, {"ok_text", "Valider"}, {"left_text", "Gauche"}});
    }
    CResourceManager* rm = CResourceManager::GetInstance();
};
} // namespace

TEST_F(LanguageTest, ReloadRetranslatesKeyTextsOnly)
{
    ASSERT_TRUE(rm->LoadLanguage("Language/first.xml"));
    TestWnd wnd("lang.xml");
    wnd.Open();
    auto* combo = wnd.Find<CComboUI>("combo");
    auto* box = static_cast<QComboBox*>(combo->GetWidget());
    EXPECT_EQ(wnd.PM().FindControl("keyed")->GetText(), "Hello");
    EXPECT_EQ(wnd.PM().FindControl("plain")->GetText(), "greeting_text");
    EXPECT_EQ(box->itemText(0), "Left");
    QWidget* sign = wnd.PM().FindControl("sign")->GetWidget();
    EXPECT_EQ(sign->toolTip(), "Left");

    ASSERT_TRUE(rm->LoadLanguage("Language/second.xml"));
    EXPECT_EQ(rm->GetText("greeting_text"), "Bonjour");
    rm->ReloadText();
    EXPECT_EQ(wnd.PM().FindControl("keyed")->GetText(), "Bonjour");
    EXPECT_EQ(wnd.PM().FindControl("btn")->GetText(), "Valider");
    EXPECT_EQ(wnd.PM().FindControl("plain")->GetText(), "greeting_text");
    EXPECT_EQ(box->itemText(0), "Gauche");
    EXPECT_EQ(box->itemText(1), "fixed");
    EXPECT_EQ(sign->toolTip(), "Gauche");

    // A key text given from code is a key too.
    wnd.PM().FindControl("keyed")->SetText("ok_text");
    EXPECT_EQ(wnd.PM().FindControl("keyed")->GetText(), "Valider");
}

TEST_F(LanguageTest, UnknownKeysAndMissingFilesReadAsEmpty)
{
    ASSERT_TRUE(rm->LoadLanguage("Language/first.xml"));
    EXPECT_EQ(rm->GetText("no_such_key"), "");
    EXPECT_FALSE(rm->LoadLanguage("Language/none.xml"));
    EXPECT_EQ(rm->GetText("greeting_text"), "");
    EXPECT_TRUE(rm->LoadResource("lang.xml"));
    EXPECT_FALSE(rm->LoadResource("absent.xml"));
}
