#pragma once
// The colour picker dialog: a palette and the red, green and blue components
// of one colour. Ends with 1 (OK) or 0 (Cancel or its close button).

#include "lighting/ColorComponentEdits.h"
#include "ui/DialogWnd.h"

class CColorPaletteUI;

class CSelectColorWnd : public CDialogWnd
{
public:
    // With bDeleteOnClose the dialog deletes itself once its window is gone;
    // otherwise the caller owns it (typically on its stack).
    explicit CSelectColorWnd(bool bDeleteOnClose = false) : m_bDeleteOnClose(bDeleteOnClose) {}

    // 0xAARRGGBB; set before Create, read after a run that returned 1.
    DWORD GetColor() const { return m_dwColor; }
    void SetColor(DWORD argb) { m_dwColor = argb; }

    // Lets the user change argb the way every caller does: the overlay of
    // pOverlayWindow is up while the dialog, owned by hOwner, runs modally and
    // centred. True, with argb changed, only when the user pressed OK.
    static bool PickColor(CPaintManagerUI* pOverlayWindow, HWND hOwner, DWORD& argb);

protected:
    QString GetWindowClassName() const override;
    void OnFinalMessage(HWND hWnd) override;
    void InitWindow() override;
    QString GetSkinFile() override;
    void Notify(TNotifyUI& msg) override;

private:
    void ShowColor(bool bToPalette, bool bToEdits);

    bool m_bDeleteOnClose;
    DWORD m_dwColor = 0xFFFF0000;
    CControlUI* m_pCurrentColor = nullptr;
    CColorPaletteUI* m_pPalette = nullptr;
    ColorComponentEdits m_edits;
};
