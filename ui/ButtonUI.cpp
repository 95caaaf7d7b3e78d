#include "ui/ButtonUI.h"

#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

CButtonUI::CButtonUI()
{
    m_uTextStyle = Qt::AlignHCenter | Qt::AlignVCenter;
}

QString CButtonUI::GetClass() const
{
    return QStringLiteral("Button");
}

void CButtonUI::SetNormalImage(const QString& image)
{
    m_sNormalImage = image;
    Invalidate();
}

void CButtonUI::SetHotImage(const QString& image)
{
    m_sHotImage = image;
    Invalidate();
}

void CButtonUI::SetPushedImage(const QString& image)
{
    m_sPushedImage = image;
    Invalidate();
}

void CButtonUI::SetForeImage(const QString& image)
{
    m_sForeImage = image;
    Invalidate();
}

void CButtonUI::SetHotBkColor(DWORD argb)
{
    m_dwHotBkColor = argb;
    Invalidate();
}

void CButtonUI::SetPushedBkColor(DWORD argb)
{
    m_dwPushedBkColor = argb;
    Invalidate();
}

void CButtonUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"normalimage"))
        SetNormalImage(value);
    else if (IsAttribute(name, u"hotimage"))
        SetHotImage(value);
    else if (IsAttribute(name, u"pushedimage"))
        SetPushedImage(value);
    else if (IsAttribute(name, u"disabledimage"))
        m_sDisabledImage = value;
    else if (IsAttribute(name, u"foreimage"))
        SetForeImage(value);
    else if (IsAttribute(name, u"hotforeimage"))
        m_sHotForeImage = value;
    else if (IsAttribute(name, u"hotbkcolor") && ParseSkinColor(value, color))
        SetHotBkColor(color);
    else if (IsAttribute(name, u"pushedbkcolor") && ParseSkinColor(value, color))
        SetPushedBkColor(color);
    else if (IsAttribute(name, u"hottextcolor") && ParseSkinColor(value, color))
        m_dwHotTextColor = color;
    else if (IsAttribute(name, u"pushedtextcolor") && ParseSkinColor(value, color))
        m_dwPushedTextColor = color;
    else if (IsAttribute(name, u"hotbordercolor") && ParseSkinColor(value, color))
        m_dwHotBorderColor = color;
    else
        CLabelUI::SetAttribute(name, value);
}

QWidget* CButtonUI::CreateWidget(QWidget* parent)
{
    QWidget* w = CLabelUI::CreateWidget(parent);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setCursor(Qt::PointingHandCursor);
    return w;
}

bool CButtonUI::OnWidgetEvent(QEvent* event)
{
    switch (event->type())
    {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        if (QWidget* w = ExistingWidget(); w != nullptr && w->focusPolicy() != Qt::NoFocus)
            w->setFocus(Qt::MouseFocusReason);
        m_bPushed = true;
        Invalidate();
        return true;
    case QEvent::MouseButtonRelease:
    {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton || !m_bPushed)
            return false;
        m_bPushed = false;
        Invalidate();
        const QWidget* w = ExistingWidget();
        if (w != nullptr && w->rect().contains(me->position().toPoint()) && IsEnabled())
            Activate(); // may delete this control; nothing may follow
        return true;
    }
    case QEvent::KeyPress:
    {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        Activate();
        return true;
    }
    case QEvent::Leave:
        m_bPushed = false;
        break;
    default:
        break;
    }
    return CLabelUI::OnWidgetEvent(event);
}

void CButtonUI::Activate()
{
    SendNotify(DUI_MSGTYPE_CLICK);
}

void CButtonUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    DWORD color = m_dwBkColor;
    if (m_bPushed && m_dwPushedBkColor != 0)
        color = m_dwPushedBkColor;
    else if ((m_bHot || m_bPushed) && m_dwHotBkColor != 0)
        color = m_dwHotBkColor;
    FillRound(painter, rc, color);
}

void CButtonUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    bool drawn = !IsEnabled() && DrawImage(painter, rc, m_sDisabledImage);
    if (!drawn && m_bPushed)
        drawn = DrawImage(painter, rc, m_sPushedImage);
    if (!drawn && m_bHot)
        drawn = DrawImage(painter, rc, m_sHotImage);
    if (!drawn)
        DrawImage(painter, rc, m_sNormalImage);
    if (!(m_bHot && DrawImage(painter, rc, m_sHotForeImage)))
        DrawImage(painter, rc, m_sForeImage);
}

void CButtonUI::PaintBorder(QPainter& painter, const QRect& rc)
{
    const DWORD normal = m_dwBorderColor;
    if ((m_bHot || m_bPushed) && m_dwHotBorderColor != 0)
        m_dwBorderColor = m_dwHotBorderColor;
    CLabelUI::PaintBorder(painter, rc);
    m_dwBorderColor = normal;
}

DWORD CButtonUI::GetStateTextColor() const
{
    if (m_bPushed && m_dwPushedTextColor != 0)
        return m_dwPushedTextColor;
    if (m_bHot && m_dwHotTextColor != 0)
        return m_dwHotTextColor;
    return CLabelUI::GetStateTextColor();
}
