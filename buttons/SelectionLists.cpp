#include "buttons/SelectionLists.h"

#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "ui/ComboUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"

void AddFolderItem(CComboUI* pCombo, const QString& name)
{
    if (pCombo == nullptr)
        return;
    auto* item = new CListLabelElementUI;
    item->SetFixedHeight(25);
    item->SetText(name);
    pCombo->Add(item);
}

void AddLibraryItem(CListUI* pList, const QString& name, bool bLocked)
{
    auto* item = new CListLabelElementUI;
    item->SetFixedHeight(30);
    item->SetText(name);
    if (bLocked)
        item->SetBkImage(QStringLiteral("res='skins/lock.png' dest='160,0,190,30'"));
    pList->Add(item);
}

template <typename Record>
std::vector<int> FillItemList(CListUI* pList, const RecordLibrary<Record>& library,
                              const QString& folder)
{
    std::vector<int> indices;
    if (pList == nullptr)
        return indices;
    pList->RemoveAll();
    const std::u16string name = folder.toStdU16String();
    for (std::size_t i = 0; i < library.size(); ++i)
    {
        const Record& record = *library[i];
        if (record.bIsFolder != 0 || !InFolder(record, name))
            continue;
        indices.push_back(static_cast<int>(i));
        AddLibraryItem(pList, QString::fromStdU16String(NameFromField(ItemNameField(record))),
                       record.bLocked != 0);
    }
    return indices;
}

template std::vector<int> FillItemList(CListUI*, const MacroLibrary&, const QString&);
template std::vector<int> FillItemList(CListUI*, const GunLibrary&, const QString&);
