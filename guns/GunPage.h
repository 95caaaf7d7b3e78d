#pragma once
// The gun editor page: folders and guns of the gun library, the bullets of
// the chosen gun in up to 30 rows of typed or stepped values, a picture of
// the pattern, and the gun exchange files. Every accepted change is saved at
// once and pushed into the button slots bound to the gun.

#include "guns/GunData.h"
#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CButtonUI;
class CComboUI;
class CControlUI;
class CEditUI;
class CListUI;
class CMenuWnd;
class CPaintManagerUI;
class CRecoilPlotUI;

class CGunPage : public CNotifyPump
{
public:
    CGunPage();
    ~CGunPage() override;

    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    void Init();
    void RefreshGunPage();

    // Commands of the gun menus, routed here by the main window.
    void RenameGun();
    void RenameGunFolder();
    void ImportGun();
    void ExportGun(bool bLocked);
    void ImportGunFolder();
    void ExportGunFolder(bool bLocked);

    // For tests: the picture of the pattern.
    const CRecoilPlotUI* GetPlot() const { return m_pPlot; }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);

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

    // The record in the editor, looked up by position so it never outlives a removal.
    GunData* CurGun() const;
    QString CurFolderName() const;

    void FillGunList(const QString& folder);
    void LoadGun(int iIndex);
    void ShowRows(int iCount);
    void ShowBullet(int iRow);
    void SaveGun();
    void SaveLibrary() const;
    void RefreshBindings(int iGunIndex, bool bRemoved, bool& bCurrentAffected) const;
    void RefreshPlot(int iPreviewRow = -1, bool bX = false, int iPreview = 0);

    void AddGun();
    void DeleteGun();
    void AddGunFolder();
    void RemoveGunFolder();
    void AppendFolderItem(const QString& name);
    void AppendGunItem(int iLibraryIndex);
    void RefuseImport() const;

    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
    std::unique_ptr<CMenuWnd> m_pMenu;

    int m_iBulletCount = kGunMaxBullets;
    GunBullet m_aBullet[kGunMaxBullets] = {};
    std::vector<int> m_aGunIndex;
    QStringList m_aFolderName;
    int m_iCurFolder = -1;
    int m_iCurGun = -1;
    // The bullet whose row was last edited or stepped, for the picture.
    int m_iEditBullet = -1;

    CComboUI* m_pFolderCombo = nullptr;
    CButtonUI* m_pAddGunBtn = nullptr;
    CButtonUI* m_pDeleteGunBtn = nullptr;
    CButtonUI* m_pMenuGunBtn = nullptr;
    CEditUI* m_pGunNameEdit = nullptr;
    CComboUI* m_pBulletCombo = nullptr;
    CButtonUI* m_pAddFolderBtn = nullptr;
    CButtonUI* m_pDeleteFolderBtn = nullptr;
    CButtonUI* m_pMenuFolderBtn = nullptr;
    CListUI* m_pGunList = nullptr;
    Row m_aRow[kGunMaxBullets];
    CRecoilPlotUI* m_pPlot = nullptr;
};
