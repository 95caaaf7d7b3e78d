#pragma once
// The macro selection dialog: a folder, one of its macros, the repeat option
// and the loop count. It only reads the macro library; the caller looks the
// chosen macro up and binds it. Ends with 1 (OK) or 0.

#include "ui/DialogWnd.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class CComboUI;
class CEditUI;
class CListUI;
class COptionUI;

class CSelectMacroWnd : public CDialogWnd
{
public:
    // In and out.
    int32_t m_iLoopCount = 1; // 1..255
    int32_t m_iMacroIndex = -1;
    int32_t m_iRepeatMode = 0; // 0 plays m_iLoopCount times
    QString m_strFolder;
    QString m_strMacroName;

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    void OnOk() override;
    bool HasChoice() const;
    void ShowOkState();
    void Notify(TNotifyUI& msg) override;

private:
    void RestoreBinding();
    void ShowFolder(int iFolder);
    void ShowRepeatMode(int iMode);
    void ReadLoopCountEdit();

    QStringList m_aFolderName;
    int m_iCurFolder = -1;
    std::vector<int> m_aMacroIndex;
    QStringList m_aMacroName;
    bool m_bRestored = false;

    CComboUI* m_pMacroCombo = nullptr;
    CListUI* m_pMacroList = nullptr;
    COptionUI* m_pRepeat[3] = {};
    CControlUI* m_pHorLoopTime = nullptr;
    CEditUI* m_pEditLoopTime = nullptr;
};
