#include "ui/ListUI.h"

#include "ui/IListItemUI.h"
#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

namespace
{
// The height taken for a list not laid out or shown yet, so that its first
// rows exist.
constexpr int kUnlaidHeight = 600;

// The control has the focus of its window, active or not.
bool HoldsFocus(CControlUI* control)
{
    if (!control->HasWidget())
        return false;
    const QWidget* w = control->GetWidget();
    return w->window()->focusWidget() == w;
}
} // namespace

CListUI::CListUI() : CContainerUI(Orientation::Vertical)
{
    m_bVScroll = true;
}

CListUI::~CListUI()
{
    QObject::disconnect(m_scrolled);
}

QString CListUI::GetClass() const
{
    return QStringLiteral("List");
}

IListItemUI* CListUI::AsItem(CControlUI* pControl)
{
    return dynamic_cast<IListItemUI*>(pControl);
}

void CListUI::Renumber(int from)
{
    for (int i = from; i < GetCount(); ++i)
        AsItem(GetItemAt(i))->SetIndex(i);
}

bool CListUI::Add(CControlUI* pControl)
{
    return AddAt(pControl, GetCount());
}

bool CListUI::AddAt(CControlUI* pControl, int iIndex)
{
    IListItemUI* item = AsItem(pControl);
    if (item == nullptr || m_pSource != nullptr || !CContainerUI::AddAt(pControl, iIndex))
        return false;
    item->SetOwner(this);
    Renumber(iIndex);
    if (m_iCurSel >= iIndex)
        ++m_iCurSel;
    return true;
}

bool CListUI::RemoveAt(int iIndex, bool bDoNotDestroy)
{
    if (m_pSource != nullptr || iIndex < 0 || iIndex >= GetCount())
        return false;
    if (bDoNotDestroy)
        AsItem(GetItemAt(iIndex))->SetOwner(nullptr);
    if (!CContainerUI::RemoveAt(iIndex, bDoNotDestroy))
        return false;
    if (iIndex == m_iCurSel)
        m_iCurSel = -1;
    else if (iIndex < m_iCurSel)
        --m_iCurSel;
    Renumber(iIndex);
    return true;
}

void CListUI::RemoveAll()
{
    m_iCurSel = -1;
    m_pSource.reset();
    m_aElementRow.clear();
    CContainerUI::RemoveAll();
}

void CListUI::SetRowSource(std::unique_ptr<CListRowSource> pSource)
{
    RemoveAll();
    m_pSource = std::move(pSource);
    if (m_pSource != nullptr)
        m_pSource->SetView(this);
    LayoutRows();
}

CTextRows* CListUI::GetTextRows() const
{
    return dynamic_cast<CTextRows*>(m_pSource.get());
}

CTextRows& CListUI::UseTextRows(int iRowHeight)
{
    if (GetTextRows() == nullptr)
        SetRowSource(std::make_unique<CTextRows>(iRowHeight));
    return *GetTextRows();
}

int CListUI::GetCount() const
{
    return m_pSource != nullptr ? m_pSource->GetRowCount() : CContainerUI::GetCount();
}

CControlUI* CListUI::GetItemAt(int iIndex) const
{
    if (m_pSource == nullptr)
        return CContainerUI::GetItemAt(iIndex);
    if (iIndex < 0)
        return nullptr;
    const auto it = std::find(m_aElementRow.begin(), m_aElementRow.end(), iIndex);
    if (it == m_aElementRow.end())
        return nullptr;
    return CContainerUI::GetItemAt(static_cast<int>(it - m_aElementRow.begin()));
}

// --- rows of a source ---------------------------------------------------------

int CListUI::RowPitch() const
{
    return std::max(1, m_pSource->GetRowHeight() + m_iChildPadding);
}

void CListUI::InitWidget(QWidget* widget)
{
    CContainerUI::InitWidget(widget);
    // Tab reaches the list; the arrows then move its selection.
    widget->setFocusPolicy(Qt::StrongFocus);
    if (QScrollArea* scroll = ScrollArea())
        m_scrolled = QObject::connect(scroll->verticalScrollBar(), &QScrollBar::valueChanged,
                                      widget,
                                      [this]
                                      {
                                          if (m_pSource != nullptr)
                                              LayoutRows();
                                      });
}

bool CListUI::OnWidgetEvent(QEvent* event)
{
    if (SelectItemOnKey(event, this))
        return true; // selecting may have rebuilt the page
    return CContainerUI::OnWidgetEvent(event);
}

bool CListUI::SelectByKey(int key)
{
    const int count = GetCount();
    const QScrollArea* scroll = ScrollArea();
    int page = 1;
    if (scroll != nullptr && scroll->widget() != nullptr && count > 0)
    {
        const int pitch = m_pSource != nullptr
                              ? RowPitch()
                              : std::max(1, scroll->widget()->height() / count);
        page = std::max(1, scroll->viewport()->height() / pitch - 1);
    }
    int target = m_iCurSel;
    switch (key)
    {
    case Qt::Key_Up:
        target = m_iCurSel < 0 ? 0 : m_iCurSel - 1;
        break;
    case Qt::Key_Down:
        target = m_iCurSel + 1;
        break;
    case Qt::Key_PageUp:
        target = std::max(0, m_iCurSel) - page;
        break;
    case Qt::Key_PageDown:
        target = std::max(0, m_iCurSel) + page;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = count - 1;
        break;
    default:
        return false;
    }
    if (count > 0)
        SelectItem(std::clamp(target, 0, count - 1), true);
    return true;
}

void CListUI::Relayout()
{
    if (m_pSource == nullptr)
        CContainerUI::Relayout();
    else
        LayoutRows();
}

void CListUI::OnRowsInserted(int iRow, int iCount)
{
    if (m_iCurSel >= iRow)
        m_iCurSel += iCount;
    LayoutRows(iRow);
}

void CListUI::OnRowsRemoved(int iRow, int iCount)
{
    if (m_iCurSel >= iRow + iCount)
        m_iCurSel -= iCount;
    else if (m_iCurSel >= iRow)
        m_iCurSel = -1;
    LayoutRows(iRow);
}

void CListUI::OnRowChanged(int iRow)
{
    LayoutRows(iRow, iRow + 1);
}

void CListUI::FillElement(std::size_t slot, int iRow)
{
    CControlUI* element = CContainerUI::GetItemAt(static_cast<int>(slot));
    // The keyboard focus belongs to the row, not to the element that showed it.
    if (m_aElementRow[slot] != iRow && HoldsFocus(element))
        m_bFocusLeftRow = true;
    m_pSource->FillRowElement(iRow, element);
    IListItemUI* item = AsItem(element);
    item->SetIndex(iRow);
    item->Select(iRow == m_iCurSel);
    m_aElementRow[slot] = iRow;
}

void CListUI::LayoutRows(int iDirtyFrom, int iDirtyTo)
{
    if (m_pSource == nullptr || m_bLayingOutRows)
        return;
    m_bLayingOutRows = true; // adding and hiding elements must not come back here
    const int count = m_pSource->GetRowCount();
    const int pitch = RowPitch();
    QWidget* outer = ExistingWidget();
    QScrollArea* scroll = ScrollArea();
    QWidget* content = ScrollContent();
    int top = 0;
    int height = GetFixedHeight() > 0 ? GetFixedHeight() : kUnlaidHeight;
    int width = 0;
    if (outer != nullptr)
    {
        const QRect view = outer->rect().adjusted(m_rcInset.left, m_rcInset.top,
                                                  -m_rcInset.right, -m_rcInset.bottom);
        // A list on a page not shown yet has no height of its own yet.
        if (outer->isVisible() || view.height() > height)
            height = view.height();
        width = view.width();
        if (scroll != nullptr)
        {
            scroll->setGeometry(view);
            const int needed = count * pitch;
            if (needed > view.height())
                width -= scroll->verticalScrollBar()->sizeHint().width();
            content->resize(width, std::max(needed, view.height()));
            top = scroll->verticalScrollBar()->value();
        }
    }
    const int first = std::min(count, top / pitch);
    const int last = std::min(count, (top + height) / pitch + 1);

    // Elements of rows that left the screen become spare; the others stay put.
    std::vector<int> slotOfRow(static_cast<std::size_t>(last - first), -1);
    for (std::size_t slot = 0; slot < m_aElementRow.size(); ++slot)
    {
        const int row = m_aElementRow[slot];
        if (row >= first && row < last)
            slotOfRow[static_cast<std::size_t>(row - first)] = static_cast<int>(slot);
        else
            m_aElementRow[slot] = -1;
    }
    std::size_t spare = 0;
    for (int row = first; row < last; ++row)
    {
        int slot = slotOfRow[static_cast<std::size_t>(row - first)];
        if (slot < 0)
        {
            while (spare < m_aElementRow.size() && m_aElementRow[spare] >= 0)
                ++spare;
            if (spare == m_aElementRow.size())
            {
                CControlUI* element = m_pSource->CreateRowElement();
                AsItem(element)->SetOwner(this);
                m_aElementRow.push_back(-1);
                CContainerUI::AddAt(element, CContainerUI::GetCount());
            }
            slot = static_cast<int>(spare);
            FillElement(spare, row);
        }
        else if (row >= iDirtyFrom && row < iDirtyTo)
            FillElement(static_cast<std::size_t>(slot), row);
        CControlUI* element = CContainerUI::GetItemAt(slot);
        element->SetVisible(true);
        if (element->HasWidget() && content != nullptr)
            element->GetWidget()->setGeometry(0, row * pitch, width, m_pSource->GetRowHeight());
    }
    for (std::size_t slot = 0; slot < m_aElementRow.size(); ++slot)
    {
        CControlUI* element = CContainerUI::GetItemAt(static_cast<int>(slot));
        if (m_aElementRow[slot] >= 0)
            continue;
        if (HoldsFocus(element))
            m_bFocusLeftRow = true;
        element->SetVisible(false);
    }
    if (m_bFocusLeftRow && outer != nullptr)
    {
        // The selected row keeps it when it is on screen, the list otherwise.
        m_bFocusLeftRow = false;
        if (CControlUI* selected = GetItemAt(m_iCurSel))
            selected->SetFocus();
        else
            outer->setFocus(Qt::OtherFocusReason);
    }
    m_bLayingOutRows = false;
}

bool CListUI::SelectItem(int iIndex, bool bTakeFocus, bool bTriggerEvent)
{
    if (iIndex == m_iCurSel)
        return true;
    const int iOldSel = m_iCurSel;
    if (IListItemUI* old = AsItem(GetItemAt(m_iCurSel)))
        old->Select(false);
    if (iIndex < 0 || iIndex >= GetCount())
    {
        m_iCurSel = -1;
        return false;
    }
    m_iCurSel = iIndex;
    // Scrolling first: the row may get its element only now.
    EnsureVisible(iIndex);
    if (CControlUI* control = GetItemAt(iIndex))
    {
        AsItem(control)->Select(true);
        if (bTakeFocus)
            control->SetFocus();
    }
    if (bTriggerEvent)
        SendNotify(DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(m_iCurSel), iOldSel);
    return true;
}

void CListUI::EnsureVisible(int iIndex)
{
    if (m_pSource == nullptr)
    {
        ScrollToChild(GetItemAt(iIndex));
        return;
    }
    QScrollArea* scroll = ScrollArea();
    if (scroll == nullptr || iIndex < 0 || iIndex >= GetCount())
        return;
    LayoutRows(); // the scroll range follows the row count
    QScrollBar* bar = scroll->verticalScrollBar();
    const int top = iIndex * RowPitch();
    const int bottom = top + m_pSource->GetRowHeight();
    const int view = scroll->viewport()->height();
    if (top < bar->value())
        bar->setValue(top);
    else if (bottom > bar->value() + view)
        bar->setValue(bottom - view);
}

void CListUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"itemfont"))
        m_ListInfo.sFont = value;
    else if (IsAttribute(name, u"itemtextcolor") && ParseSkinColor(value, color))
        m_ListInfo.dwTextColor = color;
    else if (IsAttribute(name, u"itemhotbkcolor") && ParseSkinColor(value, color))
        m_ListInfo.dwHotBkColor = color;
    else if (IsAttribute(name, u"itemselectedbkcolor") && ParseSkinColor(value, color))
        m_ListInfo.dwSelectedBkColor = color;
    else if (IsAttribute(name, u"itemselectedtextcolor") && ParseSkinColor(value, color))
        m_ListInfo.dwSelectedTextColor = color;
    else if (IsAttribute(name, u"itemtextpadding"))
        m_ListInfo.rcTextPadding = ParseSkinRect(value);
    else if (IsAttribute(name, u"itemalign"))
    {
        m_ListInfo.uTextStyle = Qt::AlignVCenter | (value == "center"  ? Qt::AlignHCenter
                                                    : value == "right" ? Qt::AlignRight
                                                                       : Qt::AlignLeft);
    }
    else
        CContainerUI::SetAttribute(name, value);
}
