#include "app/LibraryPage.h"

#include "app/LibraryPages.h"
#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/StartupData.h"
#include "guns/EditGunName.h"
#include "guns/GunPage.h"
#include "macros/EditMacroName.h"
#include "macros/MacroPage.h"
#include "model/BackgroundSave.h"
#include "model/RecordExchange.h"
#include "platform/DesktopServices.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/PaintManagerUI.h"

#include <QMenu>
#include <algorithm>

namespace
{
template <typename Record> QString ItemName(const Record& record)
{
    return QString::fromStdU16String(NameFromField(ItemNameField(record)));
}

template <typename Traits>
std::optional<std::filesystem::path> AskFile(HWND hOwner, bool bFolder, bool bSave,
                                             const QString& name = QString())
{
    return AskExchangeFile(
        hOwner, QString::fromLatin1(Traits::kFileFilterName),
        QString::fromLatin1(bFolder ? Traits::kFolderExtension : Traits::kItemExtension), bSave,
        name);
}

QString Key(const char* key)
{
    return QString::fromLatin1(key);
}
} // namespace

template <typename Record, typename Traits>
CLibraryPage<Record, Traits>::CLibraryPage(BackgroundSave& saves)
    : CSkinPage(Key(Traits::kSkinFile)), m_saves(saves)
{
}
template <typename Record, typename Traits> CLibraryPage<Record, Traits>::~CLibraryPage() = default;

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::FindLibraryControls()
{
    m_pFolderCombo = NeedControl<CComboUI>(Key(Traits::kFolderCombo));
    m_pItemList = NeedControl<CListUI>(Key(Traits::kItemList));
    m_pAddItemBtn = NeedControl<CButtonUI>(Key(Traits::kAddItemButton));
    m_pDeleteItemBtn = NeedControl<CButtonUI>(Key(Traits::kDeleteItemButton));
    m_pMenuItemBtn = NeedControl<CButtonUI>(Key(Traits::kItemMenuButton));
    m_pAddFolderBtn = NeedControl<CButtonUI>(Key(Traits::kAddFolderButton));
    m_pDeleteFolderBtn = NeedControl<CButtonUI>(Key(Traits::kDeleteFolderButton));
    m_pMenuFolderBtn = NeedControl<CButtonUI>(Key(Traits::kFolderMenuButton));
}

template <typename Record, typename Traits>
bool CLibraryPage<Record, Traits>::OnLibraryClick(CControlUI* pSender)
{
    if (pSender == nullptr)
        return false;
    if (pSender == m_pAddItemBtn)
        AddItem();
    else if (pSender == m_pDeleteItemBtn)
        DeleteItem();
    else if (pSender == m_pAddFolderBtn)
        AddFolder();
    else if (pSender == m_pDeleteFolderBtn)
        DeleteFolder();
    else if (pSender == m_pMenuItemBtn)
        OpenMenu(Traits::kItemMenu, pSender);
    else if (pSender == m_pMenuFolderBtn)
        OpenMenu(Traits::kFolderMenu, pSender);
    else
        return false;
    return true;
}

template <typename Record, typename Traits>
bool CLibraryPage<Record, Traits>::OnLibrarySelect(CControlUI* pSender)
{
    if (pSender == nullptr)
        return false;
    if (pSender == m_pFolderCombo)
        ShowFolder(m_pFolderCombo->GetCurSel());
    else if (pSender == m_pItemList)
    {
        const int item = m_pItemList->GetCurSel();
        if (item >= 0 && static_cast<std::size_t>(item) < m_aItemIndex.size())
            ShowItem(m_aItemIndex[item]);
    }
    else
        return false;
    return true;
}

template <typename Record, typename Traits> Record* CLibraryPage<Record, Traits>::CurRecord() const
{
    auto& library = Traits::Library();
    if (m_iCurItem < 0 || static_cast<std::size_t>(m_iCurItem) >= library.size())
        return nullptr;
    return library[m_iCurItem].get();
}

template <typename Record, typename Traits>
QString CLibraryPage<Record, Traits>::CurFolderName() const
{
    if (m_iCurFolder < 0 || m_iCurFolder >= m_aFolderName.size())
        return QString();
    return m_aFolderName[m_iCurFolder];
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::LoadFolders()
{
    if (!IsUsable())
        return;
    m_pFolderCombo->RemoveAll();
    m_iCurFolder = -1;
    m_aFolderName = FillFolderCombo(m_pFolderCombo, Traits::Library());
    if (!m_aFolderName.empty())
        m_pFolderCombo->SelectItem(0);
    else
        ShowFolder(-1);
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::ShowFolder(int iFolder)
{
    StopEditing();
    m_iCurFolder = iFolder;
    m_aItemIndex.clear();
    m_pItemList->RemoveAll();
    if (m_iCurFolder >= 0)
        m_aItemIndex =
            FillItemList(m_pItemList, Traits::Library(), CurFolderName(), Traits::kLockLeft);
    ShowItem(-1);
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::AppendFolderItem(const QString& name)
{
    m_aFolderName.push_back(name);
    FolderRows(m_pFolderCombo).Append(TextRow{name, QString()});
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::AppendItem(int iLibraryIndex)
{
    const Record& record = *Traits::Library()[iLibraryIndex];
    m_aItemIndex.push_back(iLibraryIndex);
    ItemRows(m_pItemList).Append(
        LibraryItemRow(ItemName(record), record.bLocked != 0, Traits::kLockLeft));
}

// --- saving -------------------------------------------------------------------

template <typename Record, typename Traits>
std::optional<std::u16string>
CLibraryPage<Record, Traits>::AskName(int mode, const std::u16string& name,
                                      const std::u16string& folder) const
{
    return Traits::NameDialog::AskName(m_pPaintManager, m_hWnd, mode, Traits::Library(), name,
                                       folder);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::SaveLibrary() const
{
    m_saves.SaveRecords(ProgramFolders().data / Traits::kFileName, Traits::Library());
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::ReportSave(const SaveResult& save) const
{
    ::SendMessage(m_hWnd, WM_SAVE_DONE, reinterpret_cast<WPARAM>(&save));
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::StoreRecord(int iIndex) const
{
    SaveLibrary();
    bool bAffected = false;
    RefreshBindings(iIndex, false, bAffected);
    if (bAffected)
        NotifyButtonsChanged();
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::RefreshBindings(int iIndex, bool bRemoved,
                                                   bool& bCurrentAffected) const
{
    if (Traits::RefreshBindings(g_vecProfile, Traits::Library(), iIndex, CurrentProfileIndex(),
                                bRemoved))
        bCurrentAffected = true;
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::NotifyButtonsChanged() const
{
    ::SendMessage(m_hWnd, WM_REFRESH_BUTTONS);
}

// --- folders and items --------------------------------------------------------

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::AddFolder()
{
    const auto name = AskName(CEditNameWnd::kAddFolder, u"", u"");
    if (!name)
        return;
    AppendFolderEntry(Traits::Library(), *name);
    AppendFolderItem(QString::fromStdU16String(*name));
    SaveLibrary();
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::RenameFolder()
{
    if (!IsUsable() || m_iCurFolder < 0)
        return;
    const std::u16string oldName = CurFolderName().toStdU16String();
    const auto name = AskName(CEditNameWnd::kRenameFolder, oldName, u"");
    if (!name)
        return;
    m_aFolderName[m_iCurFolder] = QString::fromStdU16String(*name);
    for (auto& record : Traits::Library())
        if (InFolder(*record, oldName))
            SetNameField(record->szFolder, *name);
    SaveLibrary();
    FolderRows(m_pFolderCombo).SetText(m_iCurFolder, m_aFolderName[m_iCurFolder]);
    m_pFolderCombo->SetText(m_aFolderName[m_iCurFolder]);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::DeleteFolder()
{
    if (m_aFolderName.empty() || m_iCurFolder < 0)
        return;
    const QString folder = CurFolderName();
    if (!ConfirmDelete(Traits::kDeleteFolderText, folder,
                       FolderRecordIndices(Traits::Library(), folder.toStdU16String())))
        return;
    StopEditing();
    // Slots bound to the removed items go back to their factory function
    // rather than keep naming a position that now holds another item.
    bool bAffected = false;
    for (int index : RemoveFolderRecords(Traits::Library(), CurFolderName().toStdU16String()))
        RefreshBindings(index, true, bAffected);
    SaveLibrary();
    if (bAffected)
        NotifyButtonsChanged();
    const int removed = m_iCurFolder;
    m_aFolderName.removeAt(removed);
    FolderRows(m_pFolderCombo).Remove(removed);
    // The deleted folder's items must leave the list and the editor.
    const int next = std::min<int>(removed, static_cast<int>(m_aFolderName.size()) - 1);
    m_pFolderCombo->SelectItem(next, false, false);
    ShowFolder(next);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::AddItem()
{
    if (m_iCurFolder < 0)
        return;
    const std::u16string folder = CurFolderName().toStdU16String();
    const auto name = AskName(CEditNameWnd::kAddItem, u"", folder);
    if (!name)
        return;
    const int index = Traits::AppendItem(Traits::Library(), folder, *name);
    SaveLibrary();
    AppendItem(index);
    m_pItemList->SelectItem(m_pItemList->GetCount() - 1);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::DeleteItem()
{
    const int s = m_pItemList->GetCurSel();
    if (s < 0 || static_cast<std::size_t>(s) >= m_aItemIndex.size())
        return;
    auto& library = Traits::Library();
    const int index = m_aItemIndex[s];
    if (!ConfirmDelete(Traits::kDeleteItemText, ItemName(*library[index]), std::span(&index, 1)))
        return;
    StopEditing();
    library.erase(library.begin() + index);
    SaveLibrary();
    ItemRows(m_pItemList).Remove(s);
    m_aItemIndex.erase(m_aItemIndex.begin() + s);
    for (std::size_t i = s; i < m_aItemIndex.size(); ++i)
        --m_aItemIndex[i];
    bool bAffected = false;
    RefreshBindings(index, true, bAffected);
    if (bAffected)
        NotifyButtonsChanged();
    ItemDeleted(s);
}

template <typename Record, typename Traits>
bool CLibraryPage<Record, Traits>::ConfirmDelete(const char* msgKey, const QString& name,
                                                 std::span<const int> indices) const
{
    const QString bound = BoundButtonsText(Traits::CountBindings(g_vecProfile, indices));
    return CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
                                Key(msgKey), MsgKind::Question, {name, bound}) == 1;
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::OpenMenu(const char* xml, CControlUI* pButton)
{
    m_pMenu.reset();
    m_pMenu = OpenMenuBelow(m_pPaintManager, m_hWnd, Key(xml), pButton);
}

// --- exchange files -----------------------------------------------------------

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::RefuseImport(const char* msgKey) const
{
    CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"), Key(msgKey),
                         MsgKind::Information);
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::ExportItem(bool bLocked)
{
    const Record* record = CurRecord();
    if (!IsUsable() || record == nullptr)
        return;
    const auto file = AskFile<Traits>(m_hWnd, false, true, ItemName(*record));
    if (!file)
        return;
    ReportSave(Traits::WriteItem(*file, *record, bLocked));
}

template <typename Record, typename Traits>
void CLibraryPage<Record, Traits>::ExportFolder(bool bLocked)
{
    if (!IsUsable() || m_iCurFolder < 0)
        return;
    const auto file = AskFile<Traits>(m_hWnd, true, true, CurFolderName());
    if (!file)
        return;
    ReportSave(
        Traits::WriteFolder(*file, Traits::Library(), CurFolderName().toStdU16String(), bLocked));
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::ImportItem()
{
    if (!IsUsable())
        return;
    const auto file = AskFile<Traits>(m_hWnd, false, false);
    if (!file)
        return;
    Record record{};
    if (!Traits::ReadItem(*file, record))
    {
        RefuseImport(Traits::kFileInvalidText);
        return;
    }
    auto& library = Traits::Library();
    // The item and perhaps a new folder entry.
    if (!LibraryHasRoomFor(library, 2))
    {
        RefuseImport("import_too_large_text");
        return;
    }
    if (m_iCurFolder >= 0)
    {
        const int index = Traits::ImportIntoFolder(
            library, record, CurFolderName().toStdU16String(), file->stem().u16string());
        SaveLibrary();
        AppendItem(index);
        m_pItemList->SelectItem(m_pItemList->GetCount() - 1);
        return;
    }
    const int index = Traits::ImportWithFolder(library, record);
    AppendFolderItem(QString::fromStdU16String(NameFromField(library[index]->szFolder)));
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
    SaveLibrary();
    m_pItemList->SelectItem(0);
}

template <typename Record, typename Traits> void CLibraryPage<Record, Traits>::ImportFolder()
{
    if (!IsUsable())
        return;
    const auto file = AskFile<Traits>(m_hWnd, true, false);
    if (!file)
        return;
    std::vector<Record> records;
    if (!Traits::ReadFolder(*file, records))
    {
        RefuseImport(Traits::kFileInvalidText);
        return;
    }
    // The records and perhaps a folder entry made for them.
    if (!LibraryHasRoomFor(Traits::Library(), records.size() + 1))
    {
        RefuseImport("import_too_large_text");
        return;
    }
    const std::u16string folder =
        Traits::ImportFolder(Traits::Library(), std::move(records), file->stem().u16string());
    AppendFolderItem(QString::fromStdU16String(folder));
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
    SaveLibrary();
}

template class CLibraryPage<MacroData, MacroPageTraits>;
template class CLibraryPage<GunData, GunPageTraits>;
