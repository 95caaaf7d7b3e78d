#include "app/LibraryPages.h"

#include "app/MsgWnd.h"
#include "app/StartupData.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/ExchangeFileName.h"
#include "model/ProfileBindings.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/WindowWnd.h"

#include <QDir>
#include <QMenu>

namespace
{
constexpr int kFolderRowHeight = 25;
constexpr int kItemRowHeight = 30;
} // namespace

CTextRows& FolderRows(CComboUI* pCombo)
{
    return pCombo->UseTextRows(kFolderRowHeight);
}

CTextRows& ItemRows(CListUI* pList)
{
    return pList->UseTextRows(kItemRowHeight);
}

TextRow LibraryItemRow(const QString& name, bool bLocked, int iLockLeft)
{
    TextRow row{name, QString()};
    if (bLocked)
        row.bkImage = QStringLiteral("res='skins/lock.png' dest='%1,0,%2,%3'")
                          .arg(iLockLeft)
                          .arg(iLockLeft + kItemRowHeight)
                          .arg(kItemRowHeight);
    return row;
}

template <typename Record>
QStringList FillFolderCombo(CComboUI* pCombo, const RecordLibrary<Record>& library)
{
    QStringList names;
    auto rows = std::make_unique<CTextRows>(kFolderRowHeight);
    for (const auto& record : library)
    {
        if (record->bIsFolder == 0)
            continue;
        names.push_back(QString::fromStdU16String(NameFromField(record->szFolder)));
        rows->Append(TextRow{names.back(), QString()});
    }
    if (pCombo != nullptr)
        pCombo->SetRowSource(std::move(rows));
    return names;
}

template <typename Record>
std::vector<int> FillItemList(CListUI* pList, const RecordLibrary<Record>& library,
                              const QString& folder, int iLockLeft)
{
    std::vector<int> indices;
    if (pList == nullptr)
        return indices;
    auto rows = std::make_unique<CTextRows>(kItemRowHeight);
    const std::u16string name = folder.toStdU16String();
    for (std::size_t i = 0; i < library.size(); ++i)
    {
        const Record& record = *library[i];
        if (record.bIsFolder != 0 || !InFolder(record, name))
            continue;
        indices.push_back(static_cast<int>(i));
        rows->Append(
            LibraryItemRow(QString::fromStdU16String(NameFromField(ItemNameField(record))),
                           record.bLocked != 0, iLockLeft));
    }
    pList->SetRowSource(std::move(rows));
    return indices;
}

template QStringList FillFolderCombo(CComboUI*, const MacroLibrary&);
template QStringList FillFolderCombo(CComboUI*, const GunLibrary&);
template std::vector<int> FillItemList(CListUI*, const MacroLibrary&, const QString&, int);
template std::vector<int> FillItemList(CListUI*, const GunLibrary&, const QString&, int);

std::optional<std::filesystem::path> AskExchangeFile(HWND hOwner, const QString& filterName,
                                                     const QString& extension, bool bSave,
                                                     const QString& itemName)
{
    // Data.bin has no room for it, so the folder is kept for the run only.
    static std::filesystem::path lastFolder;
    FileDialogRequest request;
    request.hOwner = hOwner;
    request.filterName = filterName;
    request.patterns = QStringLiteral("*.%1;*.%2").arg(extension, extension.toUpper());
    request.startFolder =
        ExchangeStartFolder(lastFolder, std::filesystem::path(QDir::homePath().toStdString()));
    if (bSave)
    {
        request.defaultSuffix = extension;
        request.fileName = QString::fromStdU16String(
            SuggestedFileName(itemName.toStdU16String(), extension.toStdU16String()));
    }
    auto file = bSave ? Desktop().GetSaveFileName(request) : Desktop().GetOpenFileName(request);
    if (file)
        lastFolder = file->parent_path();
    return file;
}

std::unique_ptr<CMenuWnd> OpenMenuBelow(CPaintManagerUI* pManager, HWND hWnd, const QString& xml,
                                        CControlUI* pButton)
{
    RECT window;
    ::GetWindowRect(hWnd, &window);
    const RECT button = pButton->GetPos();
    auto menu = std::make_unique<CMenuWnd>();
    menu->Init(nullptr, xml, POINT{window.left + button.left, window.top + button.bottom},
               pManager);
    return menu;
}

void FilterNumberText(CEditUI* pEdit, long long limit)
{
    const QString text = pEdit->GetText();
    QString kept;
    for (QChar c : text)
        if ((c.isDigit() && c.unicode() < 128) || c == QLatin1Char('-'))
            kept += c;
    bool ok = false;
    const long long v = kept.toLongLong(&ok);
    if (ok && v > limit)
        kept = QString::number(limit);
    else if (ok && v < -limit)
        kept = QString::number(-limit);
    if (kept != text)
    {
        pEdit->SetText(kept);
        pEdit->SetSel(kept.size(), kept.size());
    }
}

QString BoundButtonsText(const BindingCount& count)
{
    if (count.iButtons == 0)
        return QString();
    const QStringList numbers = {QString::number(count.iButtons), QString::number(count.iProfiles)};
    const QString key = count.iProfiles > 1  ? QStringLiteral("bound_buttons_profiles_text")
                        : count.iButtons > 1 ? QStringLiteral("bound_buttons_text")
                                             : QStringLiteral("bound_button_text");
    return QLatin1Char('\n') + CMsgWnd::MessageText(key, numbers);
}

int CurrentProfileIndex()
{
    for (std::size_t i = 0; i < g_vecProfile.size(); ++i)
        if (g_vecProfile[i].get() == g_pCurProfile)
            return static_cast<int>(i);
    return -1;
}
