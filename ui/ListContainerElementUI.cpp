#include "ui/ListContainerElementUI.h"

#include "ui/IListOwnerUI.h"

#include <QMouseEvent>

CListContainerElementUI::CListContainerElementUI() : CContainerUI(Orientation::Horizontal) {}

QString CListContainerElementUI::GetClass() const
{
    return QStringLiteral("ListContainerElement");
}

void CListContainerElementUI::Select(bool bSelect)
{
    m_bSelected = bSelect;
    Invalidate();
}

bool CListContainerElementUI::OnWidgetEvent(QEvent* event)
{
    if (SelectItemOnPress(event, IsEnabled(), m_pOwner, m_iIndex) ||
        SelectItemOnKey(event, m_pOwner))
        return true; // this item may be gone now
    return CContainerUI::OnWidgetEvent(event);
}

void CListContainerElementUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    CContainerUI::PaintBkColor(painter, rc);
    if (const DWORD state = ItemStateBkColor(m_pOwner, m_bSelected, m_bHot); state != 0)
        FillRound(painter, rc, state);
}
