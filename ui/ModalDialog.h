#pragma once
// Runs a modal dialog the one way every caller does: the owner's overlay
// ("disable_window_ver") shown, the dialog made hidden, centred, and shown
// once with its modality and owner already set, so that a window manager maps
// it at the first request and gives it the focus. The overlay is hidden again
// however the dialog ends.

#include "ui/UIDefs.h"

#include <QString>
#include <functional>

class CPaintManagerUI;
class CWindowWnd;

// The dialog's code (1 confirmed, 0 otherwise); 0 when it could not be made.
// `beforeShow` runs once the dialog exists, before it is shown.
UINT RunModalDialog(CWindowWnd& dialog, CPaintManagerUI* pOverlayWindow, HWND hOwner,
                    const QString& className, const std::function<void()>& beforeShow = {});
