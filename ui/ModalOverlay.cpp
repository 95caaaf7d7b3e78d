#include "ui/ModalOverlay.h"

#include "ui/ControlUI.h"
#include "ui/PaintManagerUI.h"

ModalOverlay::ModalOverlay(CPaintManagerUI* pManager)
{
    if (pManager != nullptr)
        m_pOverlay = pManager->FindControl(QStringLiteral("disable_window_ver"));
    if (m_pOverlay != nullptr)
        m_pOverlay->SetVisible(true);
}

ModalOverlay::~ModalOverlay()
{
    if (m_pOverlay != nullptr)
        m_pOverlay->SetVisible(false);
}
