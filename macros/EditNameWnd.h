#pragma once
// What the two name dialogs share: the skin, the four modes and the check of a
// typed name against a library. The macro and the gun dialog differ only in
// their texts and the library they search.

#include "ui/DialogWnd.h"

#include <optional>
#include <string>

class CEditUI;
class CLabelUI;

class CEditNameWnd : public CDialogWnd
{
public:
    enum Mode
    {
        kAddFolder = 0,
        kAddItem = 1,
        kRenameFolder = 2,
        kRenameItem = 3,
    };

    int m_iMode = kAddFolder;
    // In: the text shown at first (empty for the add modes); out: the accepted name.
    QString m_strName;
    // The folder the item lives in or is created in (item modes).
    QString m_strFolder;

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    // Takes the typed name, or refuses it and stays open.
    void OnOk() override;
    void Notify(TNotifyUI& msg) override;

    // The overlay of pOverlayWindow is up while the dialog, owned by hOwner,
    // runs modally and centred; the accepted name, or nothing.
    std::optional<std::u16string> Run(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                      const QString& windowName);

    virtual QString TitleKey() const = 0;
    virtual QString PromptKey() const = 0;
    virtual bool ItemNameUsed(const std::u16string& name, const std::u16string& folder) const = 0;
    virtual bool FolderNameUsed(const std::u16string& name) const = 0;

private:
    bool IsItemMode() const { return m_iMode == kAddItem || m_iMode == kRenameItem; }
    void Refuse(const char* msgKey);

    CEditUI* m_pNameEdit = nullptr;
};
