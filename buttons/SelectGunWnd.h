#pragma once
// The gun selection dialog: a folder, one of its guns, the repeat option and
// the gun's colour. It only reads the gun library; the caller binds the
// chosen gun. Ends with 1 (OK) or 0.

#include "ui/DialogWnd.h"

#include <QStringList>
#include <cstdint>
#include <vector>

class CButtonUI;
class CComboUI;
class CListUI;
class COptionUI;

class CSelectGunWnd : public CDialogWnd
{
public:
    // In and out.
    int32_t m_iGunIndex = -1;
    int32_t m_iRepeatMode = 0; // 0..2
    int32_t m_clrGun = 255;    // 0x00BBGGRR

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    void OnOk() override;
    bool HasChoice() const;
    void ShowOkState();

private:
    void RestoreBinding();
    void ShowFolder(int iFolder);
    void PickGunColor();

    int m_iCurFolder = -1;
    QStringList m_aFolderName;
    std::vector<int> m_aGunIndex;

    CListUI* m_pGunList = nullptr;
    CButtonUI* m_pGunColorBtn = nullptr;
    CComboUI* m_pGunCombo = nullptr;
    COptionUI* m_pRepeat[3] = {};
};
