// The keyboard reaches every control in the order of the layout and shows
// where it is; Enter takes a field as leaving it does; the wheel leaves an
// unfocused box alone; a text that cannot fit is cut and told whole in its
// tooltip; number fields of the pages hold their widest value.

#include "tests/ui/UiTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/ContainerUI.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ResourceManager.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="420,200">
  <VerticalLayout name="page" virtualwnd="Page" inset="5,5,5,5" childpadding="4">
    <HorizontalLayout height="30" childpadding="4">
      <Edit name="name_edit" width="100" entercommits="true"/>
      <Button name="hidden_btn" width="40" text="h" visible="false"/>
      <Button name="b1" width="60" text="b1"/>
    </HorizontalLayout>
    <HorizontalLayout height="30" childpadding="4">
      <Combo name="cb" width="120">
        <ListLabelElement text="zero" height="25"/>
        <ListLabelElement text="one" height="25"/>
      </Combo>
      <Label name="short" width="200" text="Left"/>
      <Label name="long" width="40" text="Left Button and more"/>
    </HorizontalLayout>
    <Slider name="s1" height="30" width="300" min="0" max="100" value="50"/>
  </VerticalLayout>
</Window>)";

class KeyboardTest : public UiTest
{
protected:
    KeyboardTest() : wnd("keys.xml")
    {
        WriteRes("keys.xml", kSkin);
        wnd.AddVirtualWnd("Page", &page);
        wnd.Open();
        wnd.GetWidget()->activateWindow();
    }
    QWidget* W(const QString& name) { return wnd.PM().FindControl(name)->GetWidget(); }

    RecordingPage page;
    TestWnd wnd;
};

void Wheel(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &wheel);
}
} // namespace

TEST_F(KeyboardTest, TabFollowsTheLayoutSkipsHiddenControlsAndMarksTheFocus)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(wnd.GetWidget()));
    // Made last but laid out first: Qt alone would put it at the end of the chain.
    auto* late = new CButtonUI;
    late->SetName("late_btn");
    late->SetFixedWidth(40);
    wnd.Find<CContainerUI>("page")->AddAt(late, 0);
    W("late_btn")->show();
    W("name_edit")->setFocus(Qt::MouseFocusReason);
    const QString forward[] = {"b1", "cb", "s1", "late_btn", "name_edit"};
    for (const QString& name : forward)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), W(name)) << name.toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), W("late_btn"));

    // A control reached by the keyboard shows the mark; a click does not ask for it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), W("b1"));
    EXPECT_TRUE(wnd.PM().FindControl("b1")->HasFocusMark());
    W("cb")->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(wnd.PM().FindControl("b1")->HasFocusMark());
}

TEST_F(KeyboardTest, EnterTakesTheFieldAsLeavingItDoes)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(wnd.GetWidget()));
    W("name_edit")->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(W("name_edit"), "x");
    QTest::keyClick(W("name_edit"), Qt::Key_Return);
    std::vector<QString> seen = page.TypesFrom("name_edit");
    std::erase_if(seen, [](const QString& type) { return type.startsWith("mouse"); });
    EXPECT_EQ(seen, (std::vector<QString>{"setfocus", "textchanged", "return", "killfocus"}));
    EXPECT_FALSE(W("name_edit")->hasFocus());
}

TEST_F(KeyboardTest, TheWheelChoosesInABoxOnlyWhileItHasTheFocus)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(wnd.GetWidget()));
    auto* combo = wnd.Find<CComboUI>("cb");
    W("b1")->setFocus();
    Wheel(W("cb"));
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(page.TypesFrom("cb").empty());
    W("cb")->setFocus();
    Wheel(W("cb"));
    EXPECT_EQ(combo->GetCurSel(), 0);
}

TEST_F(KeyboardTest, TextTooWideIsCutAndToldWholeInTheTooltip)
{
    auto* cut = wnd.Find<CLabelUI>("long");
    EXPECT_TRUE(cut->IsTextElided());
    EXPECT_FALSE(wnd.Find<CLabelUI>("short")->IsTextElided());
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), W("long")->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(W("long"), &help);
    EXPECT_EQ(QToolTip::text(), "Left Button and more");
    QToolTip::hideText();

    auto* combo = wnd.Find<CComboUI>("cb");
    combo->SelectItem(0);
    EXPECT_FALSE(combo->IsTextElided());
    combo->GetItemAt(0)->SetText("CS2 macros of the whole team, sorted");
    EXPECT_TRUE(combo->IsTextElided());
}

namespace
{
// The room a line edit gives its text, after the theme's borders and padding.
int TextRoom(QLineEdit* e)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->rect();
    opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
    const QRect contents = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e);
    const QMargins margins = e->textMargins();
    // QLineEdit keeps two pixels free on either side.
    return contents.width() - margins.left() - margins.right() - 4;
}

class NumberFieldsTest : public UiTest
{
};
} // namespace

TEST_F(NumberFieldsTest, EveryNumberFieldHoldsItsWidestValueWithItsSign)
{
    struct Field
    {
        const char* page;
        const char* edit;
        const char* widest;
    };
    const Field fields[] = {
        {"gun.xml", "edit_zidan_x_1", "-127"},       {"gun.xml", "edit_zidan_y_30", "-127"},
        {"gun.xml", "edit_zidan_delay_1", "1270"},   {"macro.xml", "edit_default_delay", "65535"},
        {"macro.xml", "edit_macro_delay", "65535"},  {"macro.xml", "edit_loop_time", "255"},
        {"performance.xml", "mouse_dpi_value_1", "32000"}, {"light.xml", "r_edit", "255"},
    };
    CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
    for (const Field& f : fields)
    {
        SCOPED_TRACE(std::string(f.page) + " " + f.edit);
        // A skin is read once per name: each page gets its own.
        const std::string skin = std::string("fit_") + f.edit + ".xml";
        WriteRes(skin, std::string(R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,420"><VerticalLayout style="window"><Include source=")") +
                                f.page + R"(" height="420"/></VerticalLayout></Window>)");
        TestWnd wnd(QString::fromStdString(skin));
        wnd.Open();
        CControlUI* control = wnd.PM().FindControl(f.edit);
        ASSERT_NE(control, nullptr);
        auto* e = qobject_cast<QLineEdit*>(control->GetWidget());
        ASSERT_NE(e, nullptr);
        // Macro fields show only for some actions; make sure they are laid out.
        for (CControlUI* c = control; c != nullptr; c = c->GetParent())
            c->SetVisible(true);
        QCoreApplication::processEvents();
        EXPECT_GE(TextRoom(e), e->fontMetrics().horizontalAdvance(QString::fromLatin1(f.widest)))
            << "width " << e->width();
        wnd.Close();
    }
}

TEST_F(NumberFieldsTest, AFolderNameAndAMouseButtonFitTheMacroPagesBoxes)
{
    // The box keeps room for its arrow once, so a plain name is not cut; the
    // key box beside its label has room for "Right Button".
    for (const char* language : {"CN", "EN"})
    {
        SCOPED_TRACE(language);
        CResourceManager::GetInstance()->LoadLanguage(QStringLiteral("Language/%1.xml").arg(language));
        // A skin is read once per name: each language gets its own.
        const std::string skin = std::string("fit_combos_") + language + ".xml";
        WriteRes(skin, R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,420"><VerticalLayout style="window"><Include source="macro.xml" height="420"/></VerticalLayout></Window>)");
        TestWnd wnd(QString::fromStdString(skin));
        wnd.Open();
        auto* folders = wnd.Find<CComboUI>("macro_combo");
        auto* buttons = wnd.Find<CComboUI>("macro_mouse_action_combo");
        ASSERT_NE(folders, nullptr);
        ASSERT_NE(buttons, nullptr);
        auto* folder = new CListLabelElementUI;
        folder->SetText("Shooters");
        folders->Add(folder);
        folders->SelectItem(0);
        for (CControlUI* c = buttons; c != nullptr; c = c->GetParent())
            c->SetVisible(true);
        // As for a mouse-button action: the box instead of the key field.
        wnd.PM().FindControl("edit_macro_action")->SetVisible(false);
        buttons->SelectItem(1);
        QCoreApplication::processEvents();
        EXPECT_FALSE(folders->IsTextElided()) << folders->GetWidget()->width();
        EXPECT_FALSE(buttons->IsTextElided()) << buttons->GetText().toStdString();
        wnd.Close();
    }
}
