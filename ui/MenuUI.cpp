#include "ui/MenuUI.h"

#include "ui/MenuElementUI.h"

QString CMenuUI::GetClass() const
{
    return QStringLiteral("Menu");
}

int CMenuUI::GetVisibleItemCount() const
{
    int count = 0;
    for (int i = 0; i < GetCount(); ++i)
    {
        auto* item = dynamic_cast<CMenuElementUI*>(GetItemAt(i));
        if (item != nullptr && item->IsVisible() && !item->IsSeparator())
            ++count;
    }
    return count;
}
