#include "ui/ControlUI.h"

#include "ui/ControlWidget.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"
#include "ui/SkinImage.h"
#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QFocusEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

// Hands the Qt events of a control's widget to the control.
class WidgetEventBridge : public QObject
{
public:
    explicit WidgetEventBridge(CControlUI* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_owner == nullptr || watched != parent())
            return false;
        return m_owner->OnWidgetEvent(event);
    }

private:
    CControlUI* m_owner;
};

CControlUI::CControlUI() = default;

CControlUI::~CControlUI()
{
    ++s_treeGeneration;
    if (m_pManager != nullptr)
        m_pManager->ReapControl(this);
    if (m_pBridge != nullptr)
        m_pBridge->Detach();
    if (QWidget* w = m_pWidget.data())
    {
        if (auto* cw = dynamic_cast<ControlWidget*>(w))
            cw->Detach();
        // Later, not now: the widget may be in the middle of delivering the very
        // event whose handler removed this control.
        w->hide();
        w->deleteLater();
    }
}

QString CControlUI::GetClass() const
{
    return QStringLiteral("Control");
}

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent)
{
    m_pManager = pManager;
    m_pParent = pParent;
}

QString CControlUI::GetText() const
{
    if (m_bResourceText)
        return CResourceManager::GetInstance()->GetText(m_sText);
    return m_sText;
}

void CControlUI::SetText(const QString& text)
{
    m_sText = text;
    Invalidate();
}

void CControlUI::SetResourceText(bool bResource)
{
    m_bResourceText = bResource;
    ReloadText();
}

void CControlUI::ReloadText()
{
    if (m_bResourceToolTip)
        if (QWidget* w = ExistingWidget())
            w->setToolTip(GetToolTip());
    Invalidate();
}

QString CControlUI::GetToolTip() const
{
    if (m_bResourceToolTip)
        return CResourceManager::GetInstance()->GetText(m_sToolTip);
    return m_sToolTip;
}

void CControlUI::SetToolTip(const QString& text)
{
    m_bResourceToolTip = false;
    m_sToolTip = text;
    if (QWidget* w = ExistingWidget())
        w->setToolTip(text);
}

void CControlUI::SetToolTipKey(const QString& key)
{
    m_bResourceToolTip = true;
    m_sToolTip = key;
    if (QWidget* w = ExistingWidget())
        w->setToolTip(GetToolTip());
}

void CControlUI::SetVisible(bool bVisible)
{
    if (m_bVisible == bVisible)
        return;
    m_bVisible = bVisible;
    if (QWidget* w = ExistingWidget())
        w->setVisible(bVisible);
    NeedParentUpdate();
}

bool CControlUI::IsEnabled() const
{
    return m_bEnabled;
}

void CControlUI::SetEnabled(bool bEnable)
{
    m_bEnabled = bEnable;
    if (QWidget* w = ExistingWidget())
        w->setEnabled(bEnable);
    Invalidate();
}

void CControlUI::SetMouseEnabled(bool bEnable)
{
    m_bMouseEnabled = bEnable;
    if (QWidget* w = ExistingWidget())
        w->setAttribute(Qt::WA_TransparentForMouseEvents, !bEnable);
}

bool CControlUI::IsFocused() const
{
    const QWidget* w = ExistingWidget();
    return w != nullptr && w->hasFocus();
}

void CControlUI::SetFocus()
{
    if (QWidget* w = GetWidget())
        w->setFocus(Qt::OtherFocusReason);
}

void CControlUI::SetBkColor(DWORD argb)
{
    m_dwBkColor = argb;
    Invalidate();
}

void CControlUI::SetBkImage(const QString& image)
{
    m_sBkImage = image;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD argb)
{
    m_dwBorderColor = argb;
    Invalidate();
}

void CControlUI::SetBorderSize(int size)
{
    m_nBorderSize = size;
    Invalidate();
}

void CControlUI::SetBorderRound(int radius)
{
    m_nBorderRound = radius;
    Invalidate();
}

void CControlUI::SetTextColor(DWORD argb)
{
    m_dwTextColor = argb;
    Invalidate();
}

void CControlUI::SetFont(const QString& fontName)
{
    m_sFont = fontName;
    if (QWidget* w = ExistingWidget())
        w->setFont(GetQFont());
    Invalidate();
}

void CControlUI::SetFixedWidth(int cx)
{
    m_cxyFixed.cx = cx < 0 ? 0 : cx;
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy)
{
    m_cxyFixed.cy = cy < 0 ? 0 : cy;
    NeedParentUpdate();
}

void CControlUI::SetPadding(RECT rc)
{
    m_rcPadding = rc;
    NeedParentUpdate();
}

void CControlUI::SetFloat(bool bFloat)
{
    m_bFloat = bFloat;
    NeedParentUpdate();
}

void CControlUI::SetFloatPos(RECT rc)
{
    m_rcFloat = rc;
    m_bFloat = true;
    NeedParentUpdate();
}

RECT CControlUI::GetPos() const
{
    const QWidget* w = ExistingWidget();
    if (w == nullptr)
        return RECT{};
    const QPoint topLeft = w->mapTo(w->window(), QPoint(0, 0));
    return RECT{topLeft.x(), topLeft.y(), topLeft.x() + w->width(), topLeft.y() + w->height()};
}

QString CControlUI::GetVirtualWnd() const
{
    for (const CControlUI* c = this; c != nullptr; c = c->m_pParent)
        if (!c->m_sVirtualWnd.isEmpty())
            return c->m_sVirtualWnd;
    return QString();
}

void CControlUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"name"))
        SetName(value);
    else if (IsAttribute(name, u"text"))
    {
        m_bResourceText = false;
        SetText(value);
    }
    else if (IsAttribute(name, u"textkey"))
    {
        m_bResourceText = true;
        SetText(value);
    }
    else if (IsAttribute(name, u"resourcetext"))
        SetResourceText(ParseSkinBool(value));
    else if (IsAttribute(name, u"tooltip"))
        SetToolTip(value);
    else if (IsAttribute(name, u"tooltipkey"))
        SetToolTipKey(value);
    else if (IsAttribute(name, u"visible"))
        SetVisible(ParseSkinBool(value));
    else if (IsAttribute(name, u"enabled"))
        SetEnabled(ParseSkinBool(value));
    else if (IsAttribute(name, u"mouse"))
        SetMouseEnabled(ParseSkinBool(value));
    else if (IsAttribute(name, u"width"))
        SetFixedWidth(ParseSkinInt(value));
    else if (IsAttribute(name, u"height"))
        SetFixedHeight(ParseSkinInt(value));
    else if (IsAttribute(name, u"padding"))
        SetPadding(ParseSkinRect(value));
    else if (IsAttribute(name, u"float"))
        SetFloat(ParseSkinBool(value));
    else if (IsAttribute(name, u"pos"))
        SetFloatPos(ParseSkinRect(value));
    else if (IsAttribute(name, u"bkcolor") && ParseSkinColor(value, color))
        SetBkColor(color);
    else if (IsAttribute(name, u"bkimage"))
        SetBkImage(value);
    else if (IsAttribute(name, u"bordercolor") && ParseSkinColor(value, color))
        SetBorderColor(color);
    else if (IsAttribute(name, u"bordersize"))
        SetBorderSize(ParseSkinInt(value));
    else if (IsAttribute(name, u"borderround"))
        SetBorderRound(ParseSkinInt(value));
    else if (IsAttribute(name, u"textcolor") && ParseSkinColor(value, color))
        SetTextColor(color);
    else if (IsAttribute(name, u"font"))
        SetFont(value);
    else if (IsAttribute(name, u"userdata"))
        SetUserData(value);
    else if (IsAttribute(name, u"virtualwnd"))
        SetVirtualWnd(value);
    else if (IsAttribute(name, u"style"))
        ApplyAttributeList(Theme::Instance().Style(value));
}

void CControlUI::ApplyAttributeList(const SkinAttributes& list)
{
    for (const auto& [name, value] : list)
        SetAttribute(name, value);
}

void CControlUI::SetName(const QString& name)
{
    m_sName = name;
    ++s_treeGeneration;
}

CControlUI* CControlUI::FindControl(const QString& name)
{
    return m_sName == name ? this : nullptr;
}

void CControlUI::CollectNames(QHash<QString, CControlUI*>& index)
{
    // The first one found wins, as with FindControl.
    if (!m_sName.isEmpty() && !index.contains(m_sName))
        index.insert(m_sName, this);
}

QWidget* CControlUI::GetWidget()
{
    if (!m_pWidget.isNull())
        return m_pWidget.data();
    QWidget* host = nullptr;
    if (m_pParent != nullptr)
        host = m_pParent->GetChildHost();
    else if (m_pManager != nullptr)
        host = m_pManager->GetHostWidget();
    // A host made just now makes its children's widgets, this one's included.
    if (!m_pWidget.isNull())
        return m_pWidget.data();
    QWidget* w = CreateWidget(host);
    m_pWidget = w;
    m_pBridge = new WidgetEventBridge(this);
    m_pBridge->setParent(w);
    w->installEventFilter(m_pBridge);
    InitWidget(w);
    return w;
}

QWidget* CControlUI::ExistingWidget() const
{
    return m_pWidget.data();
}

QWidget* CControlUI::CreateWidget(QWidget* parent)
{
    return new ControlWidget(this, parent);
}

void CControlUI::InitWidget(QWidget* w)
{
    w->setToolTip(GetToolTip());
    w->setEnabled(m_bEnabled);
    w->setFont(GetQFont());
    w->setAttribute(Qt::WA_TransparentForMouseEvents, !m_bMouseEnabled);
    if (!m_sName.isEmpty())
        w->setObjectName(m_sName);
    // Its container places it; marked as sized, showing it does not first
    // size it to its contents, which for a box of text starts the fonts.
    if (!w->isWindow())
        w->resize(w->size());
    w->setVisible(m_bVisible);
}

void CControlUI::Invalidate()
{
    if (QWidget* w = ExistingWidget())
        w->update();
}

void CControlUI::NeedParentUpdate()
{
    if (m_pParent != nullptr)
        m_pParent->OnChildLayoutChanged();
}

void CControlUI::OnChildLayoutChanged() {}

void CControlUI::Paint(QPainter& painter, const QRect& rc)
{
    if (!IsEnabled())
        painter.setOpacity(0.45);
    PaintBkColor(painter, rc);
    PaintBkImage(painter, rc);
    PaintStatusImage(painter, rc);
    PaintText(painter, rc);
    PaintBorder(painter, rc);
    PaintFocusMark(painter, rc);
}

void CControlUI::PaintFocusMark(QPainter& painter, const QRect& rc)
{
    if (!m_bFocusMark)
        return;
    painter.setOpacity(1.0);
    painter.setPen(QPen(Theme::Instance().Color(QStringLiteral("accent")), 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const QRectF r = QRectF(rc).adjusted(1, 1, -1, -1);
    const qreal radius = std::max(2, m_nBorderRound);
    painter.drawRoundedRect(r, radius, radius);
}

void CControlUI::PaintBkColor(QPainter& painter, const QRect& rc)
{
    FillRound(painter, rc, m_dwBkColor);
}

void CControlUI::PaintBkImage(QPainter& painter, const QRect& rc)
{
    DrawImage(painter, rc, m_sBkImage);
}

void CControlUI::PaintStatusImage(QPainter&, const QRect&) {}

void CControlUI::PaintText(QPainter&, const QRect&) {}

void CControlUI::PaintBorder(QPainter& painter, const QRect& rc)
{
    if (m_nBorderSize <= 0 || (m_dwBorderColor >> 24) == 0)
        return;
    QPen pen(QColor::fromRgba(m_dwBorderColor), m_nBorderSize);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = m_nBorderSize / 2.0;
    const QRectF r = QRectF(rc).adjusted(half, half, -half, -half);
    if (m_nBorderRound > 0)
        painter.drawRoundedRect(r, m_nBorderRound, m_nBorderRound);
    else
        painter.drawRect(r);
}

QFont CControlUI::GetQFont() const
{
    return Theme::Instance().Font(m_sFont);
}

bool CControlUI::DrawImage(QPainter& painter, const QRect& rc, const QString& image)
{
    if (image.isEmpty())
        return false;
    return SkinImage::Parse(image).Draw(painter, rc);
}

void CControlUI::FillRound(QPainter& painter, const QRect& rc, DWORD argb) const
{
    if ((argb >> 24) == 0)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgba(argb));
    if (m_nBorderRound > 0)
        painter.drawRoundedRect(QRectF(rc), m_nBorderRound, m_nBorderRound);
    else
        painter.drawRect(rc);
}

void CControlUI::SendNotify(const QString& type, WPARAM wParam, LPARAM lParam)
{
    if (m_pManager != nullptr)
        m_pManager->SendNotify(this, type, wParam, lParam);
}

bool CControlUI::OnWidgetEvent(QEvent* event)
{
    switch (event->type())
    {
    case QEvent::Enter:
        m_bHot = true;
        Invalidate();
        SendNotify(DUI_MSGTYPE_MOUSEENTER);
        break;
    case QEvent::Leave:
        m_bHot = false;
        Invalidate();
        SendNotify(DUI_MSGTYPE_MOUSELEAVE);
        break;
    case QEvent::FocusIn:
        // Marked when the keyboard brought the focus; a click shows where it is already.
        m_bFocusMark = static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason;
        Invalidate();
        SendNotify(DUI_MSGTYPE_SETFOCUS);
        break;
    case QEvent::FocusOut:
        m_bFocusMark = false;
        Invalidate();
        SendNotify(DUI_MSGTYPE_KILLFOCUS);
        break;
    default:
        break;
    }
    return false;
}
