#include "ui/ListLabelElementUI.h"

#include "ui/IListOwnerUI.h"
#include "ui/Theme.h"

#include <QMouseEvent>
#include <QPainter>

QString CListLabelElementUI::GetClass() const
{
    return QStringLiteral("ListLabelElement");
}

void CListLabelElementUI::Select(bool bSelect)
{
    m_bSelected = bSelect;
    Invalidate();
}

void CListLabelElementUI::SetText(const QString& text)
{
    CLabelUI::SetText(text);
    if (m_pOwner != nullptr)
        m_pOwner->OnItemTextChanged(this);
}

void CListLabelElementUI::ReloadText()
{
    CLabelUI::ReloadText();
    if (m_pOwner != nullptr)
        m_pOwner->OnItemTextChanged(this);
}

bool CListLabelElementUI::OnWidgetEvent(QEvent* event)
{
    if (SelectItemOnPress(event, IsEnabled(), m_pOwner, m_iIndex) ||
        SelectItemOnKey(event, m_pOwner))
        return true; // this item may be gone now
    return CLabelUI::OnWidgetEvent(event);
}

void CListLabelElementUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    CLabelUI::PaintBkColor(painter, rc);
    if (const DWORD state = ItemStateBkColor(m_pOwner, m_bSelected, m_bHot); state != 0)
        FillRound(painter, rc, state);
}

QRect CListLabelElementUI::TextRect(const QRect& rc) const
{
    if (m_pOwner == nullptr)
        return CLabelUI::TextRect(rc);
    const RECT& pad = m_pOwner->GetListInfo().rcTextPadding;
    return rc.adjusted(pad.left, pad.top, -pad.right, -pad.bottom);
}

QFont CListLabelElementUI::TextFont() const
{
    if (m_pOwner == nullptr)
        return CLabelUI::TextFont();
    return Theme::Instance().Font(m_sFont.isEmpty() ? m_pOwner->GetListInfo().sFont : m_sFont);
}

void CListLabelElementUI::PaintText(QPainter& painter, const QRect& rc)
{
    if (m_pOwner == nullptr)
    {
        CLabelUI::PaintText(painter, rc);
        return;
    }
    const QString text = GetText();
    if (text.isEmpty())
        return;
    const TListInfoUI& info = m_pOwner->GetListInfo();
    DWORD color = m_dwTextColor != 0 ? m_dwTextColor : info.dwTextColor;
    if (m_bSelected && info.dwSelectedTextColor != 0)
        color = info.dwSelectedTextColor;
    if (color == 0)
        color = Theme::Instance().Color(QStringLiteral("text")).rgba();
    painter.setFont(TextFont());
    painter.setPen(QColor::fromRgba(color));
    const QRect r = TextRect(rc);
    painter.drawText(r, info.uTextStyle, FittedText(text, painter.font(), r.width()));
}
