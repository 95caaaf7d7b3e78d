#include "ui/ModalDialog.h"

#include "ui/ModalOverlay.h"
#include "ui/WindowWnd.h"

UINT RunModalDialog(CWindowWnd& dialog, CPaintManagerUI* pOverlayWindow, HWND hOwner,
                    const QString& className, const std::function<void()>& beforeShow)
{
    const ModalOverlay overlay(pOverlayWindow);
    // Not WS_VISIBLE: ShowModal shows it, modal from the start. The skin sets the size.
    if (dialog.Create(hOwner, className, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME) ==
        nullptr)
        return 0;
    dialog.CenterWindow();
    if (beforeShow)
        beforeShow();
    return dialog.ShowModal();
}
