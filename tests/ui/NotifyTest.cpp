// Notifications: from code and from real input on the Qt widgets, with their
// senders and values, routed to the page of their virtual window.

#include "tests/ui/UiTestSupport.h"
#include "ui/CheckBoxUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"
#include "ui/SliderUI.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

namespace
{
const char* kPageSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="520,460">
  <VerticalLayout name="root">
    <HorizontalLayout height="30">
      <Button name="own_btn" width="80" text="own"/>
    </HorizontalLayout>
    <VerticalLayout name="page" virtualwnd="Page" inset="5,5,5,5" childpadding="4">
      <HorizontalLayout height="30" childpadding="4">
        <Button name="b1" width="60" text="b1"/>
        <Option name="o1" group="g" width="50" selected="true" text="o1"/>
        <Option name="o2" group="g" width="50" text="o2"/>
        <Option name="t1" width="50" text="t1"/>
        <CheckBox name="c1" width="80" text="c1"/>
      </HorizontalLayout>
      <HorizontalLayout height="30" childpadding="4">
        <Edit name="e1" width="100"/>
        <Edit name="e2" width="100"/>
        <Combo name="cb" width="120">
          <ListLabelElement text="zero" height="25"/>
          <ListLabelElement text="one" height="25"/>
          <ListLabelElement text="two" height="25"/>
        </Combo>
      </HorizontalLayout>
      <Slider name="s1" height="30" width="300" min="0" max="100" value="50"/>
      <ColorPalette name="pal" height="150" width="200"/>
      <List name="lst" height="100"/>
    </VerticalLayout>
  </VerticalLayout>
</Window>)";

class NotifyTest : public UiTest
{
protected:
    NotifyTest() : wnd("page.xml")
    {
        WriteRes("page.xml", kPageSkin);
        wnd.AddVirtualWnd("Page", &page);
        wnd.Open();
        wnd.GetWidget()->activateWindow();
        for (int i = 0; i < 3; ++i)
        {
            auto* item = new CListLabelElementUI;
            item->SetText(QString("item%1").arg(i));
            item->SetFixedHeight(30);
            wnd.Find<CListUI>("lst")->Add(item);
        }
    }

    QWidget* W(const QString& name) { return wnd.PM().FindControl(name)->GetWidget(); }
    const SeenNotify& Last() { return page.seen.back(); }

    RecordingPage page;
    TestWnd wnd;
};

QPoint SliderHandleCenter(QSlider* slider)
{
    QStyleOptionSlider opt;
    opt.initFrom(slider);
    opt.minimum = slider->minimum();
    opt.maximum = slider->maximum();
    opt.sliderPosition = slider->sliderPosition();
    opt.sliderValue = slider->value();
    opt.orientation = slider->orientation();
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, slider)
        .center();
}
} // namespace

TEST_F(NotifyTest, SelectingFromCodeNotifiesBeforeTheCallReturns)
{
    auto* o1 = wnd.Find<COptionUI>("o1");
    auto* o2 = wnd.Find<COptionUI>("o2");
    o2->Selected(true);
    ASSERT_EQ(page.seen.size(), 1u);
    EXPECT_EQ(Last().type, "selectchanged");
    EXPECT_EQ(Last().sender, "o2");
    EXPECT_EQ(Last().wParam, 1u);
    EXPECT_FALSE(o1->IsSelected()) << "one option of a group at a time";
    o2->Selected(true);
    o1->Selected(true, false);
    EXPECT_EQ(page.seen.size(), 1u) << "no change, or asked not to notify: nothing";
    EXPECT_TRUE(o1->IsSelected());

    auto* t1 = wnd.Find<COptionUI>("t1");
    t1->Selected(true);
    t1->Selected(false);
    ASSERT_EQ(page.TypesFrom("t1").size(), 2u);
    EXPECT_EQ(Last().wParam, 0u) << "an option without group reports both ways";

    auto* combo = wnd.Find<CComboUI>("cb");
    page.seen.clear();
    combo->SelectItem(2);
    ASSERT_EQ(page.seen.size(), 1u);
    EXPECT_EQ(Last().type, "itemselect");
    EXPECT_EQ(Last().sender, "cb");
    EXPECT_EQ(Last().wParam, 2u);
    EXPECT_EQ(Last().lParam, -1);
    combo->SelectItem(2);
    combo->SelectItem(0, false, false);
    EXPECT_EQ(page.seen.size(), 1u);
    EXPECT_EQ(combo->GetCurSel(), 0);
    EXPECT_EQ(static_cast<QComboBox*>(W("cb"))->currentIndex(), 0);

    auto* list = wnd.Find<CListUI>("lst");
    list->SelectItem(1);
    ASSERT_EQ(page.seen.size(), 2u);
    EXPECT_EQ(Last().sender, "lst");
    EXPECT_EQ(Last().wParam, 1u);
    EXPECT_EQ(Last().lParam, -1);
    EXPECT_FALSE(list->SelectItem(9));
    EXPECT_EQ(list->GetCurSel(), -1);

    // Setting states and values from code is silent.
    page.seen.clear();
    wnd.Find<CCheckBoxUI>("c1")->SetCheck(true);
    wnd.Find<CSliderUI>("s1")->SetValue(70);
    wnd.Find<CEditUI>("e1")->SetText("typed by code");
    wnd.Find<CColorPaletteUI>("pal")->SetSelectColor(0xFF00FF00);
    EXPECT_TRUE(page.seen.empty());
    EXPECT_TRUE(wnd.ownMap.seen.empty()) << "the page's controls never reach the window's map";
    EXPECT_EQ(wnd.Find<CSliderUI>("s1")->GetValue(), 70);
    EXPECT_EQ(static_cast<QSlider*>(W("s1"))->value(), 70);
}

TEST_F(NotifyTest, ClicksOnButtonsOptionsAndCheckBoxes)
{
    QTest::mouseClick(W("b1"), Qt::LeftButton);
    EXPECT_EQ(page.TypesFrom("b1"), std::vector<QString>{"click"});

    QTest::mouseClick(W("o2"), Qt::LeftButton);
    EXPECT_EQ(page.TypesFrom("o2"), (std::vector<QString>{"click", "selectchanged"}));
    EXPECT_TRUE(wnd.Find<COptionUI>("o2")->IsSelected());
    EXPECT_TRUE(page.TypesFrom("o1").empty());

    QTest::mouseClick(W("c1"), Qt::LeftButton);
    EXPECT_EQ(page.TypesFrom("c1"), (std::vector<QString>{"click", "checkclick"}));
    EXPECT_EQ(Last().wParam, 1u);
    EXPECT_TRUE(wnd.Find<CCheckBoxUI>("c1")->GetCheck());
    QTest::mouseClick(W("c1"), Qt::LeftButton);
    EXPECT_EQ(Last().wParam, 0u);

    // Released outside the button: no click.
    page.seen.clear();
    QTest::mousePress(W("b1"), Qt::LeftButton);
    QTest::mouseRelease(W("b1"), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(page.seen.empty());

    QTest::keyClick(W("b1"), Qt::Key_Space);
    EXPECT_EQ(page.TypesFrom("b1"), std::vector<QString>{"click"});

    QTest::mouseClick(W("own_btn"), Qt::LeftButton);
    EXPECT_EQ(wnd.ownMap.TypesFrom("own_btn"), std::vector<QString>{"click"});
    EXPECT_TRUE(page.TypesFrom("own_btn").empty());
}

TEST_F(NotifyTest, PointerAndFocusNotifications)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(W("b1"), &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(W("b1"), &leave);
    EXPECT_EQ(page.TypesFrom("b1"), (std::vector<QString>{"mouseenter", "mouseleave"}));

    ASSERT_TRUE(QTest::qWaitForWindowActive(wnd.GetWidget()));
    QTest::mouseClick(W("e1"), Qt::LeftButton);
    QTest::mouseClick(W("e2"), Qt::LeftButton);
    EXPECT_EQ(page.TypesFrom("e1"), (std::vector<QString>{"setfocus", "killfocus"}));
    QTest::keyClicks(W("e2"), "ab");
    EXPECT_EQ(page.TypesFrom("e2"),
              (std::vector<QString>{"setfocus", "textchanged", "textchanged"}));
    EXPECT_EQ(wnd.Find<CEditUI>("e2")->GetText(), "ab");

    // A click on a button takes the focus from the edit first.
    page.seen.clear();
    QTest::mouseClick(W("b1"), Qt::LeftButton);
    ASSERT_GE(page.seen.size(), 2u);
    EXPECT_EQ(page.seen[0].type, "killfocus");
    EXPECT_EQ(page.seen[0].sender, "e2");
    EXPECT_EQ(Last().type, "click");
}

TEST_F(NotifyTest, DraggingASliderReportsMovesThenTheSettledValue)
{
    auto* slider = static_cast<QSlider*>(W("s1"));
    const QPoint handle = SliderHandleCenter(slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, handle);
    QTest::mouseMove(slider, handle + QPoint(60, 0));
    QTest::mouseMove(slider, handle + QPoint(120, 0));
    EXPECT_FALSE(page.TypesFrom("s1").empty());
    for (const QString& t : page.TypesFrom("s1"))
        EXPECT_EQ(t, "movevaluechanged") << "nothing settles while the thumb is held";
    const WPARAM moved = Last().wParam;
    EXPECT_GT(moved, 50u);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, handle + QPoint(120, 0));
    EXPECT_EQ(Last().type, "valuechanged");
    EXPECT_EQ(Last().wParam, moved);
    EXPECT_EQ(wnd.Find<CSliderUI>("s1")->GetValue(), static_cast<int>(moved));

    // A click on the track jumps there and settles on release.
    page.seen.clear();
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(4, slider->height() / 2));
    EXPECT_EQ(Last().type, "valuechanged");
    EXPECT_EQ(wnd.Find<CSliderUI>("s1")->GetValue(), 0);

    page.seen.clear();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(page.TypesFrom("s1"), std::vector<QString>{"valuechanged"});
    EXPECT_EQ(Last().wParam, 1u);
}

TEST_F(NotifyTest, DraggingThePaletteReportsColoursAndTheRelease)
{
    QWidget* pal = W("pal");
    auto* palette = wnd.Find<CColorPaletteUI>("pal");
    palette->SetSelectColor(0xFF808080);
    // Field: saturation left to right, brightness top to bottom; hue bar below.
    QTest::mousePress(pal, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(pal, QPoint(100, 50));
    QTest::mouseMove(pal, QPoint(500, -40)); // beyond the corner: full saturation and brightness
    for (const QString& t : page.TypesFrom("pal"))
        EXPECT_EQ(t, "colorchanged");
    EXPECT_GE(page.TypesFrom("pal").size(), 2u);
    QTest::mouseRelease(pal, Qt::LeftButton, {}, QPoint(500, -40));
    EXPECT_EQ(Last().type, "colorchangedbuttonup");
    EXPECT_EQ(Last().wParam, 0xFFFF0000u) << "hue 0 at full saturation and brightness";
    EXPECT_EQ(palette->GetSelectColor(), 0xFFFF0000u);

    // The hue bar: half way along is cyan.
    page.seen.clear();
    const int barY = pal->height() - 11; // the middle of the hue bar
    QTest::mousePress(pal, Qt::LeftButton, {}, QPoint(pal->width() / 2, barY));
    QTest::mouseRelease(pal, Qt::LeftButton, {}, QPoint(pal->width() / 2, barY));
    EXPECT_EQ(page.TypesFrom("pal"),
              (std::vector<QString>{"colorchanged", "colorchangedbuttonup"}));
    const QColor cyan = QColor::fromRgba(palette->GetSelectColor());
    EXPECT_EQ(cyan.red(), 0);
    EXPECT_GT(cyan.green(), 240);
    EXPECT_GT(cyan.blue(), 240);
}

TEST_F(NotifyTest, ChoosingComboAndListItemsByHand)
{
    QWidget* box = W("cb");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(page.TypesFrom("cb").size(), 1u);
    EXPECT_EQ(Last().type, "itemselect");
    EXPECT_EQ(Last().wParam, 0u);
    EXPECT_EQ(wnd.Find<CComboUI>("cb")->GetCurSel(), 0);

    auto* list = wnd.Find<CListUI>("lst");
    QTest::mouseClick(list->GetItemAt(2)->GetWidget(), Qt::LeftButton);
    EXPECT_EQ(Last().type, "itemselect");
    EXPECT_EQ(Last().sender, "lst");
    EXPECT_EQ(Last().wParam, 2u);
    EXPECT_EQ(list->GetCurSel(), 2);
    QTest::mouseClick(list->GetItemAt(2)->GetWidget(), Qt::LeftButton);
    EXPECT_EQ(page.TypesFrom("lst").size(), 1u) << "the same item again changes nothing";
}

TEST_F(NotifyTest, ControlTimersTickToTheControlsPageUntilKilled)
{
    CControlUI* b1 = wnd.PM().FindControl("b1");
    auto ticks = [&] { return page.TypesFrom("b1").size(); };
    ASSERT_TRUE(wnd.PM().SetTimer(b1, 1000, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks() >= 2; }));
    EXPECT_EQ(Last().type, "timer");
    EXPECT_EQ(Last().wParam, 1000u);
    EXPECT_TRUE(wnd.PM().KillTimer(b1, 1000));
    EXPECT_FALSE(wnd.PM().KillTimer(b1, 1000));
    const size_t after = ticks();
    QTest::qWait(30);
    EXPECT_EQ(ticks(), after);

    // A timer of a control that goes away goes with it.
    auto* list = wnd.Find<CListUI>("lst");
    wnd.PM().SetTimer(list->GetItemAt(0), 3, 5);
    list->RemoveAll();
    page.seen.clear();
    QTest::qWait(30);
    EXPECT_TRUE(page.seen.empty());
}

namespace
{
class NamedPage : public RecordingPage
{
public:
    int ok = 0;
    int any = 0;
    void OnOk(TNotifyUI&) { ++ok; }
    void OnAny(TNotifyUI&) { ++any; }
    DUI_DECLARE_MESSAGE_MAP()
};

DUI_BEGIN_MESSAGE_MAP(NamedPage, RecordingPage)
DUI_ON_MSGTYPE_CTRNAME(DUI_MSGTYPE_CLICK, "ok_btn", OnOk)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnAny)
DUI_END_MESSAGE_MAP()
} // namespace

TEST(NotifyPumpTest, MapsMatchByTypeAndNameAndRouteVirtualWindows)
{
    CControlUI ok;
    ok.SetName("ok_btn");
    CControlUI other;
    other.SetName("other");
    NamedPage host;
    RecordingPage routed;
    ASSERT_TRUE(host.AddVirtualWnd("P", &routed));
    EXPECT_FALSE(host.AddVirtualWnd("P", &routed));

    TNotifyUI msg;
    msg.sType = "click";
    msg.pSender = &ok;
    host.NotifyPump(msg);
    msg.pSender = &other;
    host.NotifyPump(msg);
    EXPECT_EQ(host.ok, 1);
    EXPECT_EQ(host.any, 1);
    msg.sType = "timer";
    host.NotifyPump(msg);
    EXPECT_EQ(host.seen.size(), 1u) << "the base class's map is searched after the own one";

    msg.sVirtualWnd = "P";
    host.NotifyPump(msg);
    EXPECT_EQ(routed.seen.size(), 1u);
    EXPECT_EQ(host.seen.size(), 1u);
    ASSERT_TRUE(host.RemoveVirtualWnd("P"));
    host.NotifyPump(msg);
    EXPECT_EQ(routed.seen.size(), 1u);
    EXPECT_EQ(host.seen.size(), 2u) << "an unknown page leaves it to the window itself";
}
