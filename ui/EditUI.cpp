#include "ui/EditUI.h"

#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QColor>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>

QString CEditUI::GetClass() const
{
    return QStringLiteral("Edit");
}

QLineEdit* CEditUI::Edit() const
{
    return static_cast<QLineEdit*>(ExistingWidget());
}

QString CEditUI::GetText() const
{
    return m_sText;
}

void CEditUI::SetText(const QString& text)
{
    m_sText = text.left(m_iMaxChar);
    if (QLineEdit* e = Edit(); e != nullptr && e->text() != m_sText)
        e->setText(m_sText);
}

void CEditUI::SetSel(long nStartChar, long nEndChar)
{
    QLineEdit* e = static_cast<QLineEdit*>(GetWidget());
    const int len = static_cast<int>(e->text().size());
    const int start = nStartChar < 0 ? len : std::min(static_cast<int>(nStartChar), len);
    const int end = nEndChar < 0 ? len : std::min(static_cast<int>(nEndChar), len);
    if (start == end)
        e->setCursorPosition(start);
    else
        e->setSelection(start, end - start);
}

void CEditUI::SetSelAll()
{
    SetSel(0, -1);
}

void CEditUI::SetReadOnly(bool bReadOnly)
{
    m_bReadOnly = bReadOnly;
    if (QLineEdit* e = Edit())
        e->setReadOnly(bReadOnly);
}

void CEditUI::SetMaxChar(int uMax)
{
    m_iMaxChar = uMax > 0 ? uMax : 255;
    if (QLineEdit* e = Edit())
        e->setMaxLength(m_iMaxChar);
}

void CEditUI::SetNumberOnly(bool bNumberOnly)
{
    m_bNumberOnly = bNumberOnly;
    if (QLineEdit* e = Edit())
        e->setValidator(bNumberOnly ? new QRegularExpressionValidator(
                                          QRegularExpression(QStringLiteral("[0-9]*")), e)
                                    : nullptr);
}

void CEditUI::SetPasswordMode(bool bPasswordMode)
{
    m_bPassword = bPasswordMode;
    if (QLineEdit* e = Edit())
        e->setEchoMode(bPasswordMode ? QLineEdit::Password : QLineEdit::Normal);
}

void CEditUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"readonly"))
        SetReadOnly(ParseSkinBool(value));
    else if (IsAttribute(name, u"maxchar"))
        SetMaxChar(ParseSkinInt(value));
    else if (IsAttribute(name, u"numberonly"))
        SetNumberOnly(ParseSkinBool(value));
    else if (IsAttribute(name, u"password"))
        SetPasswordMode(ParseSkinBool(value));
    else if (IsAttribute(name, u"entercommits"))
        m_bEnterCommits = ParseSkinBool(value);
    else
        CLabelUI::SetAttribute(name, value);
}

QWidget* CEditUI::CreateWidget(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    QObject::connect(e, &QLineEdit::textEdited, e,
                     [this](const QString& text)
                     {
                         m_sText = text;
                         SendNotify(DUI_MSGTYPE_TEXTCHANGED);
                     });
    QObject::connect(e, &QLineEdit::returnPressed, e,
                     [this, e]
                     {
                         const QPointer<QLineEdit> alive(e);
                         const bool leave = m_bEnterCommits;
                         SendNotify(DUI_MSGTYPE_RETURN); // may close the window
                         // Leaving raises "killfocus", which takes the entry.
                         if (leave && alive != nullptr && alive->hasFocus())
                             alive->clearFocus();
                     });
    return e;
}

void CEditUI::InitWidget(QWidget* widget)
{
    CLabelUI::InitWidget(widget);
    auto* e = static_cast<QLineEdit*>(widget);
    e->setMaxLength(m_iMaxChar);
    e->setText(m_sText);
    e->setReadOnly(m_bReadOnly);
    e->setAlignment(Qt::Alignment(m_uTextStyle & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
    SetNumberOnly(m_bNumberOnly);
    SetPasswordMode(m_bPassword);
    ApplyStyle();
}

void CEditUI::ApplyStyle() const
{
    // Only what the skin gives explicitly; the rest comes from the theme's sheet.
    QString sheet;
    if (m_dwTextColor != 0)
        sheet +=
            QStringLiteral("color: %1;").arg(QColor::fromRgba(m_dwTextColor).name(QColor::HexArgb));
    if (m_dwBkColor != 0)
        sheet += QStringLiteral("background: %1;")
                     .arg(QColor::fromRgba(m_dwBkColor).name(QColor::HexArgb));
    if (m_nBorderRound > 0)
        sheet += QStringLiteral("border-radius: %1px;").arg(m_nBorderRound);
    // A narrow number field gives its digits the room the theme's padding takes.
    if (m_rcTextPadding.left > 0 || m_rcTextPadding.right > 0)
        sheet += QStringLiteral("padding: 0 %1px 0 %2px;")
                     .arg(m_rcTextPadding.right)
                     .arg(m_rcTextPadding.left);
    if (!sheet.isEmpty())
        Edit()->setStyleSheet(QStringLiteral("QLineEdit { %1 }").arg(sheet));
}
