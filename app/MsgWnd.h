#pragma once
// The message dialog: a title and a message, both language text keys, ended
// with OK (1) or Cancel or its close button (0).

#include "ui/WindowImplBase.h"

class CButtonUI;
class CLabelUI;

class CMsgWnd : public WindowImplBase
{
public:
    // With bDeleteOnClose the dialog deletes itself once its window is gone;
    // otherwise the caller owns it (typically on its stack).
    explicit CMsgWnd(bool bDeleteOnClose = false) : m_bDeleteOnClose(bDeleteOnClose) {}

    void SetTitle(const QString& titleKey) { m_strTitle = titleKey; }
    void SetMsg(const QString& msgKey) { m_strMsg = msgKey; }

    // Shows a message the way the whole program does: the overlay of
    // pOverlayWindow (null: none) is shown while the dialog, owned by hOwner
    // (null: none), runs modally and centred; returns 1 for OK, 0 otherwise.
    static UINT ShowMessage(CPaintManagerUI* pOverlayWindow, HWND hOwner, const QString& titleKey,
                            const QString& msgKey);

protected:
    QString GetWindowClassName() const override;
    void OnFinalMessage(HWND hWnd) override;
    void InitWindow() override;
    QString GetSkinFile() override;
    void Notify(TNotifyUI& msg) override;

private:
    bool m_bDeleteOnClose;
    QString m_strTitle;
    QString m_strMsg;
    CButtonUI* m_pOkBtn = nullptr;
    CButtonUI* m_pCancelBtn = nullptr;
    CButtonUI* m_pExitBtn = nullptr;
    CLabelUI* m_pTitleLabel = nullptr;
    CLabelUI* m_pMsgLabel = nullptr;
};
