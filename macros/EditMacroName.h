#pragma once
// The name dialog of the macro library: a new or changed folder or macro name,
// refused while empty or already taken.

#include "macros/EditNameWnd.h"
#include "macros/MacroLibrary.h"

class CEditMacroName : public CEditNameWnd
{
public:
    const MacroLibrary* m_pLibrary = &g_vecMacro;

    // Asks for a name in `mode` (CEditNameWnd::Mode); the accepted name, or
    // nothing when the user cancelled or left the name as it was.
    static std::optional<std::u16string> AskName(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                                 int mode, const MacroLibrary& library,
                                                 const std::u16string& name,
                                                 const std::u16string& folder);

protected:
    QString TitleKey() const override;
    QString PromptKey() const override;
    bool ItemNameUsed(const std::u16string& name, const std::u16string& folder) const override;
    bool FolderNameUsed(const std::u16string& name) const override;
};
