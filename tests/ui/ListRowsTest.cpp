// Lists and combos over 10,000 rows from a row source: elements only for the
// rows on screen, reused while scrolling, and one changed row touching one
// element.

#include "tests/ui/UiTestSupport.h"
#include "ui/ComboUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <memory>

namespace
{
const char* kRowsSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="300,200">
  <VerticalLayout name="page" virtualwnd="Page">
    <Combo name="cb" height="30"/>
    <List name="lst" height="100"/>
  </VerticalLayout>
</Window>)";

constexpr int kRows = 10'000;
constexpr int kRowHeight = 30;
// 100 pixels of 30-pixel rows, one of them cut at each end.
constexpr int kRowsOnScreen = 100 / kRowHeight + 2;

std::unique_ptr<CTextRows> Rows()
{
    auto rows = std::make_unique<CTextRows>(kRowHeight);
    for (int i = 0; i < kRows; ++i)
        rows->Append(TextRow{QString("row %1").arg(i), QString()});
    return rows;
}

class ListRowsTest : public UiTest
{
protected:
    ListRowsTest() : wnd("rows.xml")
    {
        WriteRes("rows.xml", kRowsSkin);
        wnd.AddVirtualWnd("Page", &page);
        wnd.Open();
        wnd.GetWidget()->activateWindow();
        list = wnd.Find<CListUI>("lst");
        list->SetRowSource(Rows());
        combo = wnd.Find<CComboUI>("cb");
        combo->SetRowSource(Rows());
    }

    QString Shown(int row) const
    {
        CControlUI* element = list->GetItemAt(row);
        return element != nullptr ? element->GetText() : QString("(no element)");
    }
    bool ShownSelected(int row) const
    {
        auto* element = dynamic_cast<CListLabelElementUI*>(list->GetItemAt(row));
        return element != nullptr && element->IsSelected();
    }

    RecordingPage page;
    TestWnd wnd;
    CListUI* list = nullptr;
    CComboUI* combo = nullptr;
};
} // namespace

TEST_F(ListRowsTest, TheKeyboardReachesTheListAndMovesItsSelection)
{
    EXPECT_EQ(list->GetWidget()->focusPolicy(), Qt::StrongFocus);
    list->GetWidget()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list->GetWidget(), Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 0);
    ASSERT_FALSE(page.seen.empty());
    EXPECT_EQ(page.seen.back().type, "itemselect");

    // The selected row's element has the focus now and goes on from there.
    const auto focused = [&] { return list->GetWidget()->window()->focusWidget(); };
    ASSERT_NE(focused(), nullptr);
    QTest::keyClick(focused(), Qt::Key_Down);
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), 2);
    QTest::keyClick(focused(), Qt::Key_PageDown);
    EXPECT_GT(list->GetCurSel(), 2);
    QTest::keyClick(focused(), Qt::Key_End);
    EXPECT_EQ(list->GetCurSel(), kRows - 1);
    EXPECT_TRUE(ShownSelected(kRows - 1));
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_EQ(list->GetCurSel(), kRows - 1);
    QTest::keyClick(focused(), Qt::Key_Home);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(Shown(0), "row 0");
    EXPECT_LE(list->GetElementCount(), kRowsOnScreen);
}

TEST_F(ListRowsTest, OnlyTheRowsOnScreenHaveElementsAndTheSelectionSurvivesScrolling)
{
    EXPECT_EQ(list->GetCount(), kRows);
    EXPECT_LE(list->GetElementCount(), kRowsOnScreen);
    EXPECT_EQ(Shown(0), "row 0");
    EXPECT_EQ(list->GetItemAt(kRows - 1), nullptr);

    // A click selects the row the element shows.
    QTest::mouseClick(list->GetItemAt(1)->GetWidget(), Qt::LeftButton);
    EXPECT_EQ(list->GetCurSel(), 1);
    ASSERT_FALSE(page.seen.empty());
    EXPECT_EQ(page.seen.back().type, "itemselect");
    EXPECT_EQ(page.seen.back().wParam, 1u);

    // Selecting a row far down scrolls to it; the same few elements show it.
    list->SelectItem(7'500);
    EXPECT_EQ(Shown(7'500), "row 7500");
    EXPECT_TRUE(ShownSelected(7'500));
    EXPECT_EQ(list->GetItemAt(1), nullptr);
    EXPECT_EQ(page.seen.back().wParam, 7'500u);
    EXPECT_EQ(page.seen.back().lParam, 1);
    QWidget* shown = list->GetItemAt(7'500)->GetWidget();
    const QRect onScreen(shown->mapTo(list->GetWidget(), QPoint(0, 0)), shown->size());
    EXPECT_TRUE(list->GetWidget()->rect().contains(onScreen)) << "the row is in view";

    // Scrolled away and back, the selection is still that row, and only it;
    // the keyboard focus the click gave stays with the list, not with an
    // element now showing another row.
    list->EnsureVisible(0);
    EXPECT_EQ(Shown(0), "row 0");
    EXPECT_FALSE(ShownSelected(0));
    EXPECT_EQ(list->GetWidget()->window()->focusWidget(), list->GetWidget());
    list->EnsureVisible(kRows - 1);
    EXPECT_EQ(Shown(kRows - 1), "row 9999");
    list->EnsureVisible(7'500);
    EXPECT_TRUE(ShownSelected(7'500));
    EXPECT_FALSE(ShownSelected(7'501));
    EXPECT_EQ(list->GetCurSel(), 7'500);
    EXPECT_LE(list->GetElementCount(), kRowsOnScreen);
}

TEST_F(ListRowsTest, OneChangedRowTouchesOnlyItsElement)
{
    list->SelectItem(5'000);
    CControlUI* above = list->GetItemAt(4'999);
    CControlUI* selected = list->GetItemAt(5'000);
    ASSERT_NE(above, nullptr);
    ASSERT_NE(selected, nullptr);
    CTextRows* rows = list->GetTextRows();
    ASSERT_NE(rows, nullptr);

    rows->SetText(5'000, "renamed");
    EXPECT_EQ(list->GetItemAt(5'000), selected) << "the same element, filled again";
    EXPECT_EQ(Shown(5'000), "renamed");
    EXPECT_EQ(list->GetItemAt(4'999), above);
    EXPECT_EQ(Shown(4'999), "row 4999");

    // An insertion above moves the selection with its row; one below the
    // screen leaves every element as it was.
    page.seen.clear();
    rows->Insert(0, TextRow{"new first", QString()});
    EXPECT_EQ(list->GetCount(), kRows + 1);
    EXPECT_EQ(list->GetCurSel(), 5'001);
    EXPECT_EQ(list->GetItemAt(0), nullptr) << "off screen rows get no element";
    rows->Insert(9'000, TextRow{"far below", QString()});
    EXPECT_EQ(list->GetItemAt(4'999), above);
    EXPECT_EQ(Shown(4'999), "row 4998");
    EXPECT_TRUE(page.seen.empty()) << "moving the selection is not a new choice";

    // Removing the selected row leaves none selected, silently.
    rows->Remove(5'001);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(Shown(5'001), "row 5001");
    EXPECT_FALSE(ShownSelected(5'001));
    EXPECT_TRUE(page.seen.empty());
    EXPECT_LE(list->GetElementCount(), kRowsOnScreen);

    // Elements cannot be mixed in, nor rows taken out by element.
    auto item = std::make_unique<CListLabelElementUI>();
    EXPECT_FALSE(list->Add(item.get()));
    EXPECT_FALSE(list->RemoveAt(0));
}

TEST_F(ListRowsTest, TheComboShowsTheSourcesRowsAndEachChange)
{
    auto* box = static_cast<QComboBox*>(combo->GetWidget());
    EXPECT_EQ(combo->GetCount(), kRows);
    EXPECT_EQ(box->count(), kRows);
    EXPECT_EQ(combo->GetItemAt(0), nullptr) << "no element per row";

    combo->SelectItem(9'999);
    EXPECT_EQ(box->currentText(), "row 9999");
    EXPECT_EQ(combo->GetText(), "row 9999");
    combo->GetTextRows()->SetText(9'999, "renamed");
    EXPECT_EQ(box->currentText(), "renamed");
    combo->GetTextRows()->Insert(0, TextRow{"new first", QString()});
    EXPECT_EQ(combo->GetCurSel(), 10'000);
    EXPECT_EQ(box->itemText(0), "new first");
    EXPECT_EQ(box->currentText(), "renamed");
    combo->GetTextRows()->Remove(10'000);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(box->count(), kRows);

    // Choosing in the box reaches the combo as a selection.
    page.seen.clear();
    box->setCurrentIndex(42);
    box->activated(42);
    EXPECT_EQ(combo->GetCurSel(), 42);
    ASSERT_EQ(page.seen.size(), 1u);
    EXPECT_EQ(page.seen.back().type, "itemselect");
    EXPECT_EQ(page.seen.back().wParam, 42u);
}

TEST_F(ListRowsTest, TheDropDownIsMadeOnFirstOpeningWithTheBoxsFontAndRowHeight)
{
    auto* box = static_cast<QComboBox*>(combo->GetWidget());
    EXPECT_EQ(box->findChild<QAbstractItemView*>(), nullptr) << "made before anybody opened it";
    // Without the theme's sheet, which gives the drop-down a font of its own.
    const QString sheet = qApp->styleSheet();
    qApp->setStyleSheet(QString());

    QFont big = box->font();
    big.setPixelSize(21);
    box->setFont(big);
    box->showPopup();
    QAbstractItemView* view = box->view();
    ASSERT_TRUE(view->isVisible());
    EXPECT_EQ(view->font().pixelSize(), 21);
    EXPECT_EQ(view->sizeHintForRow(0), kRowHeight) << "the row model's height is honoured";
    box->hidePopup();

    // Once it exists, later font changes reach it as before.
    big.setPixelSize(17);
    box->setFont(big);
    EXPECT_EQ(view->font().pixelSize(), 17);
    qApp->setStyleSheet(sheet);
}
