#include "macros/EditMacroName.h"

#include <array>

std::optional<std::u16string> CEditMacroName::AskName(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                                      int mode, const MacroLibrary& library,
                                                      const std::u16string& name,
                                                      const std::u16string& folder)
{
    CEditMacroName dialog;
    dialog.m_iMode = mode;
    dialog.m_pLibrary = &library;
    dialog.m_strName = QString::fromStdU16String(name);
    dialog.m_strFolder = QString::fromStdU16String(folder);
    return dialog.Run(pOverlayWindow, hOwner, QStringLiteral("EditMacroName"));
}

QString CEditMacroName::TitleKey() const
{
    static constexpr std::array<const char*, 4> kKeys = {
        "add_macro_dir_text", "add_macro_text", "rename_macro_dir_text", "rename_macro_text"};
    return QString::fromLatin1(kKeys.at(m_iMode));
}

QString CEditMacroName::PromptKey() const
{
    const bool item = m_iMode == kAddItem || m_iMode == kRenameItem;
    return item ? QStringLiteral("input_macro_text") : QStringLiteral("input_macro_dir_text");
}

bool CEditMacroName::ItemNameUsed(const std::u16string& name, const std::u16string& folder) const
{
    return MacroNameUsed(*m_pLibrary, name, folder);
}

bool CEditMacroName::FolderNameUsed(const std::u16string& name) const
{
    return ::FolderNameUsed(*m_pLibrary, name);
}
