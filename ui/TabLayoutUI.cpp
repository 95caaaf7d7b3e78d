#include "ui/TabLayoutUI.h"

#include "ui/SkinValue.h"

#include <QWidget>

QString CTabLayoutUI::GetClass() const
{
    return QStringLiteral("TabLayout");
}

bool CTabLayoutUI::SelectItem(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return false;
    m_iCurSel = iIndex;
    for (int i = 0; i < GetCount(); ++i)
        GetItemAt(i)->SetVisible(i == iIndex);
    if (HasWidget())
        GetItemAt(iIndex)->GetWidget();
    Relayout();
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl)
{
    return SelectItem(GetItemIndex(pControl));
}

void CTabLayoutUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"selectedid"))
    {
        m_iInitSel = ParseSkinInt(value);
        m_bInitDone = SelectItem(m_iInitSel);
    }
    else
        CContainerUI::SetAttribute(name, value);
}

void CTabLayoutUI::InitWidget(QWidget* widget)
{
    CControlUI::InitWidget(widget);
    // Floats (an overlay) may show over any page, so they are made at once.
    for (int i = 0; i < GetCount(); ++i)
        if (CControlUI* item = GetItemAt(i); i == m_iCurSel || item->IsFloat())
            item->GetWidget();
    Relayout();
}

void CTabLayoutUI::OnItemAdded(int iIndex)
{
    if (m_iCurSel >= 0 && iIndex <= m_iCurSel)
        ++m_iCurSel;
    // The first page is shown until the one named by "selectedid" arrives.
    if (m_iCurSel < 0 || (!m_bInitDone && iIndex == m_iInitSel))
        m_iCurSel = iIndex;
    if (iIndex == m_iInitSel)
        m_bInitDone = true;
    for (int i = 0; i < GetCount(); ++i)
        GetItemAt(i)->SetVisible(i == m_iCurSel);
}

void CTabLayoutUI::OnItemRemoved(int iIndex)
{
    if (iIndex < m_iCurSel)
        --m_iCurSel;
    else if (iIndex == m_iCurSel)
    {
        m_iCurSel = -1;
        SelectItem(iIndex < GetCount() ? iIndex : GetCount() - 1);
    }
}

void CTabLayoutUI::Relayout()
{
    QWidget* outer = ExistingWidget();
    if (outer == nullptr)
        return;
    const QRect rc =
        outer->rect().adjusted(m_rcInset.left, m_rcInset.top, -m_rcInset.right, -m_rcInset.bottom);
    for (int i = 0; i < GetCount(); ++i)
    {
        CControlUI* item = GetItemAt(i);
        if (!item->HasWidget())
            continue;
        if (item->IsFloat())
        {
            const RECT f = item->GetFloatPos();
            item->GetWidget()->setGeometry(f.left, f.top, f.right - f.left, f.bottom - f.top);
            continue;
        }
        const RECT p = item->GetPadding();
        item->GetWidget()->setGeometry(rc.adjusted(p.left, p.top, -p.right, -p.bottom));
    }
}
