#pragma once
// The dimming overlay of a window ("disable_window_ver") shown for as long as
// a modal dialog opened over it runs, hidden again on every way out.

class CControlUI;
class CPaintManagerUI;

class ModalOverlay
{
public:
    // Null, or a window without the overlay, shows nothing.
    explicit ModalOverlay(CPaintManagerUI* pManager);
    ~ModalOverlay();
    ModalOverlay(const ModalOverlay&) = delete;
    ModalOverlay& operator=(const ModalOverlay&) = delete;

private:
    CControlUI* m_pOverlay = nullptr;
};
