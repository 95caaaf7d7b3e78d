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
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && IsEnabled() &&
        m_pOwner != nullptr)
    {
        m_pOwner->SelectItem(m_iIndex, true); // may remove this item; nothing may follow
        return true;
    }
    return CContainerUI::OnWidgetEvent(event);
}

void CListContainerElementUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    CContainerUI::PaintBkColor(painter, rc);
    if (m_pOwner == nullptr)
        return;
    const TListInfoUI& info = m_pOwner->GetListInfo();
    if (m_bSelected)
        FillRound(painter, rc, info.dwSelectedBkColor);
    else if (m_bHot)
        FillRound(painter, rc, info.dwHotBkColor);
}
