#include "ui/ListUI.h"

#include "ui/IListItemUI.h"
#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QWidget>

CListUI::CListUI() : CContainerUI(Orientation::Vertical)
{
    m_bVScroll = true;
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
    if (item == nullptr || !CContainerUI::AddAt(pControl, iIndex))
        return false;
    item->SetOwner(this);
    Renumber(iIndex);
    if (m_iCurSel >= iIndex)
        ++m_iCurSel;
    return true;
}

bool CListUI::RemoveAt(int iIndex, bool bDoNotDestroy)
{
    if (iIndex < 0 || iIndex >= GetCount())
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
    CContainerUI::RemoveAll();
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
    CControlUI* control = GetItemAt(iIndex);
    AsItem(control)->Select(true);
    EnsureVisible(iIndex);
    if (bTakeFocus)
        control->SetFocus();
    if (bTriggerEvent)
        SendNotify(DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(m_iCurSel), iOldSel);
    return true;
}

void CListUI::EnsureVisible(int iIndex)
{
    ScrollToChild(GetItemAt(iIndex));
}

void CListUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    const bool isColor = ParseSkinColor(value, color);
    if (name == "itemfont")
        m_ListInfo.sFont = value;
    else if (name == "itemtextcolor" && isColor)
        m_ListInfo.dwTextColor = color;
    else if (name == "itemhotbkcolor" && isColor)
        m_ListInfo.dwHotBkColor = color;
    else if (name == "itemselectedbkcolor" && isColor)
        m_ListInfo.dwSelectedBkColor = color;
    else if (name == "itemselectedtextcolor" && isColor)
        m_ListInfo.dwSelectedTextColor = color;
    else if (name == "itemtextpadding")
        m_ListInfo.rcTextPadding = ParseSkinRect(value);
    else if (name == "itemalign")
    {
        m_ListInfo.uTextStyle = Qt::AlignVCenter | (value == "center"  ? Qt::AlignHCenter
                                                    : value == "right" ? Qt::AlignRight
                                                                       : Qt::AlignLeft);
    }
    else
        CContainerUI::SetAttribute(name, value);
}
