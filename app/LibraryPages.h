#pragma once
// What the macro and gun pages and their selection dialogs share: a combo of
// a library's folders, a list of the items of one folder, the exchange file
// dialogs, the page menus and the number filter of the offset edits.

#include "model/RecordLibrary.h"
#include "platform/DesktopServices.h"
#include "ui/ListRowSource.h"
#include "ui/UIDefs.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct BindingCount;
class CComboUI;
class CControlUI;
class CEditUI;
class CListUI;
class CMenuWnd;
class CPaintManagerUI;

// Where the lock picture of a locked item starts in the selection dialogs'
// lists; each page places it in its own list.
inline constexpr int kDialogLockLeft = 160;

// The rows of a folder combo and of an item list, made empty when missing.
CTextRows& FolderRows(CComboUI* pCombo);
CTextRows& ItemRows(CListUI* pList);
// Locked items carry the lock picture at iLockLeft.
TextRow LibraryItemRow(const QString& name, bool bLocked, int iLockLeft);

// Fills the combo with every folder entry, in library order.
template <typename Record>
QStringList FillFolderCombo(CComboUI* pCombo, const RecordLibrary<Record>& library);

// Refills the list with the items of a folder, in library order; returns
// their library indices.
template <typename Record>
std::vector<int> FillItemList(CListUI* pList, const RecordLibrary<Record>& library,
                              const QString& folder, int iLockLeft);

// Asks for an exchange file, "*.ext;*.EXT" under filterName. Every such
// dialog opens in the folder of the file last chosen in one of them during
// this run, else at home; a save proposes the item's name. Nothing when the
// user cancelled.
std::optional<std::filesystem::path> AskExchangeFile(HWND hOwner, const QString& filterName,
                                                     const QString& extension, bool bSave,
                                                     const QString& itemName = QString());

// A page menu with its top-left corner at the button's lower-left corner.
std::unique_ptr<CMenuWnd> OpenMenuBelow(CPaintManagerUI* pManager, HWND hWnd, const QString& xml,
                                        CControlUI* pButton);

// While the user types: keeps only digits and "-", then holds a number
// beyond +-limit at the limit; the caret goes to the end of a changed text.
void FilterNumberText(CEditUI* pEdit, long long limit);

// The sentence a delete confirmation adds, on a line of its own, when buttons
// play what would go; empty when none do.
QString BoundButtonsText(const BindingCount& count);

// The current profile's position in the profile list, or -1.
int CurrentProfileIndex();
