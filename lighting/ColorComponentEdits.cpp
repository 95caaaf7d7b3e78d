#include "lighting/ColorComponentEdits.h"

#include "lighting/ColorForms.h"
#include "ui/EditUI.h"

void ColorComponentEdits::Find(const std::function<CEditUI*(const QString& name)>& need)
{
    static const char* const kNames[3] = {"r_edit", "g_edit", "b_edit"};
    for (int i = 0; i < 3; ++i)
        m_pEdit[i] = need(QString::fromLatin1(kNames[i]));
}

void ColorComponentEdits::Show(DWORD argb) const
{
    for (int i = 0; i < 3; ++i)
        if (m_pEdit[i] != nullptr)
            m_pEdit[i]->SetText(
                QString::number(GetComponent(argb, static_cast<ColorComponent>(i))));
}

std::optional<DWORD> ColorComponentEdits::Typed(const CControlUI* pSender, DWORD argb) const
{
    for (int i = 0; i < 3; ++i)
    {
        if (pSender == nullptr || pSender != m_pEdit[i])
            continue;
        const ComponentText typed = ReadComponent(m_pEdit[i]->GetText().toStdU16String());
        if (typed.rewrite)
            m_pEdit[i]->SetText(QString::number(typed.value));
        return WithComponent(argb, static_cast<ColorComponent>(i), typed.value);
    }
    return std::nullopt;
}
