#pragma once
// The name dialog of the gun library: a new or changed folder or gun name,
// refused while empty or already taken.

#include "guns/GunLibrary.h"
#include "macros/EditNameWnd.h"

class CEditGunName : public CEditNameWnd
{
public:
    const GunLibrary* m_pLibrary = &g_vecGun;

    // Asks for a name in `mode` (CEditNameWnd::Mode); the accepted name, or
    // nothing when the user cancelled or left the name as it was.
    static std::optional<std::u16string> AskName(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                                 int mode, const GunLibrary& library,
                                                 const std::u16string& name,
                                                 const std::u16string& folder);

protected:
    QString TitleKey() const override;
    QString PromptKey() const override;
    bool ItemNameUsed(const std::u16string& name, const std::u16string& folder) const override;
    bool FolderNameUsed(const std::u16string& name) const override;
};
