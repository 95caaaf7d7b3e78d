#include "ui/MenuElementUI.h"

#include "ui/SkinValue.h"

QString CMenuElementUI::GetClass() const
{
    return m_bSeparator ? QStringLiteral("MenuSeparator") : QStringLiteral("MenuElement");
}

void CMenuElementUI::SetAttribute(const QString& name, const QString& value)
{
    if (IsAttribute(name, u"checked"))
    {
        m_bCheckable = true;
        m_bChecked = ParseSkinBool(value);
    }
    else
        CContainerUI::SetAttribute(name, value);
}
