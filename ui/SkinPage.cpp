#include "ui/SkinPage.h"

#include "ui/PaintManagerUI.h"

void CSkinPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

bool CSkinPage::EndLookUp()
{
    m_bUsable = m_needed.AllFound();
    // A window without any skin was reported as such; its pages add nothing.
    if (m_pPaintManager->GetRoot() != nullptr)
        m_needed.ReportMissing(m_strSkinFile);
    return m_bUsable;
}

bool CSkinPage::LoopDispatch(TNotifyUI& msg)
{
    return m_bUsable && CNotifyPump::LoopDispatch(msg);
}
