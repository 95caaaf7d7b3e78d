#include "guns/EditGunName.h"

#include <array>

std::optional<std::u16string> CEditGunName::AskName(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                                    int mode, const GunLibrary& library,
                                                    const std::u16string& name,
                                                    const std::u16string& folder)
{
    CEditGunName dialog;
    dialog.m_iMode = mode;
    dialog.m_pLibrary = &library;
    dialog.m_strName = QString::fromStdU16String(name);
    dialog.m_strFolder = QString::fromStdU16String(folder);
    return dialog.Run(pOverlayWindow, hOwner, QStringLiteral("EditGunName"));
}

QString CEditGunName::TitleKey() const
{
    static constexpr std::array<const char*, 4> kKeys = {"add_gun_dir_text", "add_gun_text",
                                                         "rename_gun_dir_text", "rename_gun_text"};
    return QString::fromLatin1(kKeys.at(m_iMode));
}

QString CEditGunName::PromptKey() const
{
    const bool item = m_iMode == kAddItem || m_iMode == kRenameItem;
    return item ? QStringLiteral("input_gun_text") : QStringLiteral("input_gun_dir_text");
}

bool CEditGunName::ItemNameUsed(const std::u16string& name, const std::u16string& folder) const
{
    return GunNameUsed(*m_pLibrary, folder, name);
}

bool CEditGunName::FolderNameUsed(const std::u16string& name) const
{
    return ::FolderNameUsed(*m_pLibrary, name);
}
