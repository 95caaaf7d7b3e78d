#include "ui/OptionUI.h"

#include "ui/PaintManagerUI.h"
#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

COptionUI::~COptionUI()
{
    if (m_pManager != nullptr && !m_sGroupName.isEmpty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

QString COptionUI::GetClass() const
{
    return QStringLiteral("Option");
}

void COptionUI::SetGroup(const QString& group)
{
    if (m_pManager != nullptr && !m_sGroupName.isEmpty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = group;
    if (m_pManager != nullptr && !m_sGroupName.isEmpty())
        m_pManager->AddOptionGroup(m_sGroupName, this);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent)
{
    if (m_pManager != nullptr && m_pManager != pManager && !m_sGroupName.isEmpty())
        m_pManager->RemoveOptionGroup(m_sGroupName, this);
    const bool joins = pManager != nullptr && pManager != m_pManager;
    CButtonUI::SetManager(pManager, pParent);
    if (joins && !m_sGroupName.isEmpty())
    {
        m_pManager->AddOptionGroup(m_sGroupName, this);
        // A skin may mark several as selected; the last one added wins.
        if (m_bSelected)
        {
            m_bSelected = false;
            Selected(true, false);
        }
    }
}

void COptionUI::Selected(bool bSelected, bool bTriggerEvent)
{
    if (m_bSelected == bSelected)
        return;
    m_bSelected = bSelected;
    if (bSelected && m_pManager != nullptr && !m_sGroupName.isEmpty())
    {
        for (COptionUI* other : m_pManager->GetOptionGroup(m_sGroupName))
            if (other != this && other->m_bSelected)
            {
                other->m_bSelected = false;
                other->Invalidate();
            }
    }
    Invalidate();
    // Grouped options report only the one that became selected.
    if (bTriggerEvent && (bSelected || m_sGroupName.isEmpty()))
        SendNotify(DUI_MSGTYPE_SELECTCHANGED, bSelected ? 1 : 0);
}

void COptionUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"group"))
        SetGroup(value);
    else if (IsAttribute(name, u"selected"))
        Selected(ParseSkinBool(value), false);
    else if (IsAttribute(name, u"selectedimage"))
        m_sSelectedImage = value;
    else if (IsAttribute(name, u"selectedhotimage"))
        m_sSelectedHotImage = value;
    else if (IsAttribute(name, u"selectedforeimage"))
        m_sSelectedForeImage = value;
    else if (IsAttribute(name, u"selectedbkcolor") && ParseSkinColor(value, color))
        m_dwSelectedBkColor = color;
    else if (IsAttribute(name, u"selectedtextcolor") && ParseSkinColor(value, color))
        m_dwSelectedTextColor = color;
    else if (IsAttribute(name, u"selectedbordercolor") && ParseSkinColor(value, color))
        m_dwSelectedBorderColor = color;
    else
        CButtonUI::SetAttribute(name, value);
}

void COptionUI::Activate()
{
    CButtonUI::Activate();
    if (!m_sGroupName.isEmpty())
        Selected(true);
    else
        Selected(!m_bSelected);
}

void COptionUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    if (m_bSelected && m_dwSelectedBkColor != 0)
        FillRound(painter, rc, m_dwSelectedBkColor);
    else
        CButtonUI::PaintBkColor(painter, rc);
}

void COptionUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    if (!m_bSelected)
    {
        CButtonUI::PaintStatusImage(painter, rc);
        return;
    }
    if (!(m_bHot && DrawImage(painter, rc, m_sSelectedHotImage)) &&
        !DrawImage(painter, rc, m_sSelectedImage))
        DrawImage(painter, rc, m_sNormalImage);
    if (!DrawImage(painter, rc, m_sSelectedForeImage))
        DrawImage(painter, rc, m_sForeImage);
}

void COptionUI::PaintBorder(QPainter& painter, const QRect& rc)
{
    if (!m_bSelected || m_dwSelectedBorderColor == 0)
    {
        CButtonUI::PaintBorder(painter, rc);
        return;
    }
    const DWORD normal = m_dwBorderColor;
    m_dwBorderColor = m_dwSelectedBorderColor;
    CLabelUI::PaintBorder(painter, rc);
    m_dwBorderColor = normal;
}

DWORD COptionUI::GetStateTextColor() const
{
    if (m_bSelected && m_dwSelectedTextColor != 0)
        return m_dwSelectedTextColor;
    return CButtonUI::GetStateTextColor();
}
