#pragma once
// The library half of the macro and gun pages: the folder combo, the list of
// the chosen folder's items, adding, renaming and deleting folders and items,
// the page menus and the exchange files. Every change is saved at once. The
// page behind it keeps the editor of the chosen item.
//
// Traits names one library: Library(), Save, AppendItem, RefreshBindings,
// ReadItem, ReadFolder, WriteItem, WriteFolder, ImportIntoFolder,
// ImportWithFolder, ImportFolder, the name dialog class NameDialog, kLockLeft
// (the lock picture in the item list), the page's skin file kSkinFile, the
// control names, menu files, text keys and exchange file extensions. The
// members are compiled once for each library in app/LibraryPage.cpp.

#include "model/RecordLibrary.h"
#include "ui/SkinPage.h"
#include "ui/UIDefs.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class BackgroundSave;
class CButtonUI;
class CComboUI;
class CControlUI;
class CListUI;
class CMenuWnd;
class CPaintManagerUI;

template <typename Record, typename Traits> class CLibraryPage : public CSkinPage
{
public:
    explicit CLibraryPage(BackgroundSave& saves);
    ~CLibraryPage() override;

    // Refills the folder combo from the library and shows the first folder.
    void LoadFolders();

    // Commands of the page menus.
    void RenameFolder();
    void ImportItem();
    void ExportItem(bool bLocked);
    void ImportFolder();
    void ExportFolder(bool bLocked);

protected:
    // Shows the item at a library index in the editor; -1 empties the editor.
    virtual void ShowItem(int iIndex) = 0;
    // Before the shown folder changes or records leave the library.
    virtual void StopEditing() {}
    // After the item at list position iPos left the library and the list.
    virtual void ItemDeleted(int iPos) = 0;

    // Before the page's own NeedControl calls.
    void FindLibraryControls();
    // The library's part of a click or a selection; false when the sender is
    // none of the library's controls.
    bool OnLibraryClick(CControlUI* pSender);
    bool OnLibrarySelect(CControlUI* pSender);

    // The chosen item, looked up by index, so it never outlives a removal.
    Record* CurRecord() const;
    QString CurFolderName() const;
    void ShowFolder(int iFolder);

    std::optional<std::u16string> AskName(int mode, const std::u16string& name,
                                          const std::u16string& folder) const;
    // Hands the library to the saves; a failure is told by the main window.
    void SaveLibrary() const;
    void ReportSave(const SaveResult& save) const;
    // Saves the library and hands the changed record to the slots bound to it.
    void StoreRecord(int iIndex) const;
    void RefreshBindings(int iIndex, bool bRemoved, bool& bCurrentAffected) const;
    void NotifyButtonsChanged() const;

    QStringList m_aFolderName;
    int m_iCurFolder = -1;
    // The library index of each listed item.
    std::vector<int> m_aItemIndex;
    int m_iCurItem = -1;

    CComboUI* m_pFolderCombo = nullptr;
    CListUI* m_pItemList = nullptr;

private:
    void AddFolder();
    void DeleteFolder();
    void AddItem();
    void DeleteItem();
    // Asks whether to delete what the message names (%1), telling which
    // buttons play one of the records at indices (%2); true for OK.
    bool ConfirmDelete(const char* msgKey, const QString& name, std::span<const int> indices) const;
    void AppendFolderItem(const QString& name);
    void AppendItem(int iLibraryIndex);
    void OpenMenu(const char* xml, CControlUI* pButton);
    void RefuseImport(const char* msgKey) const;

    BackgroundSave& m_saves;
    std::unique_ptr<CMenuWnd> m_pMenu;
    CButtonUI* m_pAddItemBtn = nullptr;
    CButtonUI* m_pDeleteItemBtn = nullptr;
    CButtonUI* m_pMenuItemBtn = nullptr;
    CButtonUI* m_pAddFolderBtn = nullptr;
    CButtonUI* m_pDeleteFolderBtn = nullptr;
    CButtonUI* m_pMenuFolderBtn = nullptr;
};
