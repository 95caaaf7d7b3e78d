#pragma once
// What the macro and the gun selection dialogs share: a combo of the
// library's folders and a list of the items of one folder.

#include "model/RecordLibrary.h"

#include <QString>
#include <QStringList>
#include <vector>

class CComboUI;
class CListUI;

void AddFolderItem(CComboUI* pCombo, const QString& name);
// Locked items carry the lock picture at their right end.
void AddLibraryItem(CListUI* pList, const QString& name, bool bLocked);

// Fills the combo with every folder entry, in library order.
template <typename Record>
QStringList FillFolderCombo(CComboUI* pCombo, const RecordLibrary<Record>& library)
{
    QStringList names;
    for (const auto& record : library)
    {
        if (record->bIsFolder == 0)
            continue;
        names.push_back(QString::fromStdU16String(NameFromField(record->szFolder)));
        AddFolderItem(pCombo, names.back());
    }
    return names;
}

// Refills the list with the items of a folder, in library order; returns
// their library indices.
template <typename Record>
std::vector<int> FillItemList(CListUI* pList, const RecordLibrary<Record>& library,
                              const QString& folder);
