#include "ui/LabelUI.h"

#include "ui/SkinValue.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <QPainter>
#include <algorithm>

CLabelUI::CLabelUI() : m_uTextStyle(Qt::AlignLeft | Qt::AlignVCenter) {}

QString CLabelUI::GetClass() const
{
    return QStringLiteral("Label");
}

void CLabelUI::SetTextStyle(int flags)
{
    m_uTextStyle = flags;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT rc)
{
    m_rcTextPadding = rc;
    Invalidate();
}

void CLabelUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"align"))
    {
        m_uTextStyle &= ~Qt::AlignHorizontal_Mask;
        m_uTextStyle |= value == "center"  ? Qt::AlignHCenter
                        : value == "right" ? Qt::AlignRight
                                           : Qt::AlignLeft;
        Invalidate();
    }
    else if (IsAttribute(name, u"valign"))
    {
        m_uTextStyle &= ~Qt::AlignVertical_Mask;
        m_uTextStyle |= value == "top"      ? Qt::AlignTop
                        : value == "bottom" ? Qt::AlignBottom
                                            : Qt::AlignVCenter;
        Invalidate();
    }
    else if (IsAttribute(name, u"multiline"))
    {
        if (ParseSkinBool(value))
            m_uTextStyle |= Qt::TextWordWrap;
        else
            m_uTextStyle &= ~Qt::TextWordWrap;
        Invalidate();
    }
    else if (IsAttribute(name, u"endellipsis"))
        m_bEndEllipsis = ParseSkinBool(value);
    else if (IsAttribute(name, u"textpadding"))
        SetTextPadding(ParseSkinRect(value));
    else
        CControlUI::SetAttribute(name, value);
}

DWORD CLabelUI::GetStateTextColor() const
{
    if (m_dwTextColor != 0)
        return m_dwTextColor;
    return Theme::Instance().Color(QStringLiteral("text")).rgba();
}

int CLabelUI::GetTextHeight(int width) const
{
    const int textWidth = std::max(1, width - m_rcTextPadding.left - m_rcTextPadding.right);
    const QRect needed =
        QFontMetrics(GetQFont())
            .boundingRect(QRect(0, 0, textWidth, 1 << 20), m_uTextStyle, GetText());
    return needed.height() + m_rcTextPadding.top + m_rcTextPadding.bottom;
}

QRect CLabelUI::TextRect(const QRect& rc) const
{
    return rc.adjusted(m_rcTextPadding.left, m_rcTextPadding.top, -m_rcTextPadding.right,
                       -m_rcTextPadding.bottom);
}

QFont CLabelUI::TextFont() const
{
    return GetQFont();
}

QString CLabelUI::FittedText(const QString& text, const QFont& font, int room) const
{
    if (!m_bEndEllipsis || (m_uTextStyle & Qt::TextWordWrap) != 0)
        return text;
    return QFontMetrics(font).elidedText(text, Qt::ElideRight, room);
}

bool CLabelUI::IsTextElided() const
{
    const QWidget* w = ExistingWidget();
    const QString text = GetText();
    if (w == nullptr || text.isEmpty())
        return false;
    return FittedText(text, TextFont(), TextRect(w->rect()).width()) != text;
}

bool CLabelUI::OnWidgetEvent(QEvent* event)
{
    // A cut text tells the whole of itself where no tooltip of its own does.
    if (event->type() == QEvent::ToolTip && m_sToolTip.isEmpty() && IsTextElided())
    {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), GetText(),
                           ExistingWidget());
        return true;
    }
    return CControlUI::OnWidgetEvent(event);
}

void CLabelUI::PaintText(QPainter& painter, const QRect& rc)
{
    const QString text = GetText();
    if (text.isEmpty())
        return;
    const QRect r = TextRect(rc);
    painter.setFont(TextFont());
    painter.setPen(QColor::fromRgba(GetStateTextColor()));
    painter.drawText(r, m_uTextStyle, FittedText(text, painter.font(), r.width()));
}
