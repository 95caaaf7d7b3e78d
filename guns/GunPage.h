#pragma once
// The gun editor page: folders and guns of the gun library, the bullets of
// the chosen gun in up to 30 rows of typed or stepped values, a picture of
// the pattern, and the gun exchange files. Every accepted change is saved at
// once and pushed into the button slots bound to the gun.

#include "app/LibraryPage.h"
#include "guns/GunExchange.h"
#include "guns/GunLibrary.h"
#include "model/ProfileBindings.h"
#include "ui/UIDefs.h"

#include <QString>

class CButtonUI;
class CComboUI;
class CControlUI;
class CEditGunName;
class CEditUI;
class CRecoilPlotUI;

// The gun library as the library half of the page sees it.
struct GunPageTraits : GunExchangeTraits
{
    using NameDialog = CEditGunName;
    static GunLibrary& Library() { return g_vecGun; }
    static constexpr auto AppendItem = &AppendGun;
    static constexpr auto RefreshBindings = &RefreshGunBindings;
    static constexpr auto CountBindings = &CountGunBindings;

    // The lock picture of a locked gun, at the right end of "gun_list".
    static constexpr int kLockLeft = 168;
    static constexpr char kSkinFile[] = "gun.xml";
    static constexpr char kFolderCombo[] = "gun_combo";
    static constexpr char kItemList[] = "gun_list";
    static constexpr char kAddItemButton[] = "btn_add_gun";
    static constexpr char kDeleteItemButton[] = "btn_delete_gun";
    static constexpr char kItemMenuButton[] = "btn_menu_gun";
    static constexpr char kAddFolderButton[] = "btn_add_gun_floder";
    static constexpr char kDeleteFolderButton[] = "btn_delete_gun_floder";
    static constexpr char kFolderMenuButton[] = "btn_menu_gun_floder";
    static constexpr char kItemMenu[] = "gunmenu.xml";
    static constexpr char kFolderMenu[] = "gundirmenu.xml";
    static constexpr char kDeleteItemText[] = "delete_gun_named_text";
    static constexpr char kDeleteFolderText[] = "delete_gun_dir_named_text";
    static constexpr char kFileInvalidText[] = "gun_file_invalid_text";
    static constexpr char kFileFilterName[] = "Gun Data";
    static constexpr char kItemExtension[] = "gbin";
    static constexpr char kFolderExtension[] = "gbins";
};

class CGunPage : public CLibraryPage<GunData, GunPageTraits>
{
public:
    explicit CGunPage(BackgroundSave& saves);
    ~CGunPage() override;

    void Init();
    void RefreshGunPage() { LoadFolders(); }

    // Commands of the gun menus, routed here by the main window.
    void RenameGun();
    void RenameGunFolder() { RenameFolder(); }
    void ImportGun() { ImportItem(); }
    void ExportGun(bool bLocked) { ExportItem(bLocked); }
    void ImportGunFolder() { ImportFolder(); }
    void ExportGunFolder(bool bLocked) { ExportFolder(bLocked); }

    // For tests: the picture of the pattern.
    const CRecoilPlotUI* GetPlot() const { return m_pPlot; }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);
    void ShowItem(int iIndex) override { LoadGun(iIndex); }
    void ItemDeleted(int iPos) override;

private:
    // The controls of one bullet row.
    struct Row
    {
        CControlUI* pContainer = nullptr;
        CEditUI* pDelayEdit = nullptr;
        CEditUI* pYEdit = nullptr;
        CEditUI* pXEdit = nullptr;
        CButtonUI* pDelayUpBtn = nullptr;
        CButtonUI* pDelayDownBtn = nullptr;
        CButtonUI* pYUpBtn = nullptr;
        CButtonUI* pYDownBtn = nullptr;
        CButtonUI* pXDownBtn = nullptr;
        CButtonUI* pXUpBtn = nullptr;
    };

    void OnClick(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    void OnKillFocus(TNotifyUI& msg);
    void OnTextChanged(TNotifyUI& msg);
    void OnSetFocus(TNotifyUI& msg);
    // The row (0-based) one of whose edits or step buttons sent msg, or -1.
    int RowOfEdit(CControlUI* pSender) const;
    bool OnStepClick(CControlUI* pSender);

    void LoadGun(int iIndex);
    void ShowRows(int iCount);
    void ShowBullet(int iRow);
    void SaveGun();
    void RefreshPlot(int iPreviewRow = -1, bool bX = false, int iPreview = 0);

    int m_iBulletCount = kGunMaxBullets;
    GunBullet m_aBullet[kGunMaxBullets] = {};
    // The bullet whose row was last edited or stepped, for the picture.
    int m_iEditBullet = -1;

    CEditUI* m_pGunNameEdit = nullptr;
    CComboUI* m_pBulletCombo = nullptr;
    Row m_aRow[kGunMaxBullets];
    CRecoilPlotUI* m_pPlot = nullptr;
};
