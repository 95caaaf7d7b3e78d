#include "lighting/SelectColorWnd.h"

#include "ui/ButtonUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/EditUI.h"
#include "ui/ModalDialog.h"

bool CSelectColorWnd::PickColor(CPaintManagerUI* pOverlayWindow, HWND hOwner, DWORD& argb)
{
    CSelectColorWnd dialog;
    dialog.SetColor(argb);
    if (RunModalDialog(dialog, pOverlayWindow, hOwner, QStringLiteral("SelectColorWnd")) != 1)
        return false;
    argb = dialog.GetColor();
    return true;
}

QString CSelectColorWnd::GetWindowClassName() const
{
    return QStringLiteral("SelectColorWnd");
}

void CSelectColorWnd::OnFinalMessage(HWND hWnd)
{
    WindowImplBase::OnFinalMessage(hWnd);
    if (m_bDeleteOnClose)
        delete this;
}

void CSelectColorWnd::InitWindow()
{
    CDialogWnd::InitWindow();
    m_pCurrentColor = NeedControl(QStringLiteral("current_color_control"));
    m_pPalette = NeedControl<CColorPaletteUI>(QStringLiteral("color_Pallet"));
    m_edits.Find([this](const QString& name) { return NeedControl<CEditUI>(name); });
    ShowColor(true, true);
}

QString CSelectColorWnd::GetSkinFile()
{
    return QStringLiteral("selectcolor.xml");
}

void CSelectColorWnd::ShowColor(bool bToPalette, bool bToEdits)
{
    if (bToPalette && m_pPalette != nullptr)
        m_pPalette->SetSelectColor(m_dwColor);
    if (m_pCurrentColor != nullptr)
        m_pCurrentColor->SetBkColor(m_dwColor);
    if (bToEdits)
        m_edits.Show(m_dwColor);
}

void CSelectColorWnd::Notify(TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return;
    if (OnDialogButton(msg))
        return;
    if (msg.sType == DUI_MSGTYPE_COLORCHANGED || msg.sType == DUI_MSGTYPE_COLORCHANGEDBUTTONUP)
    {
        if (msg.pSender == m_pPalette)
        {
            m_dwColor = m_pPalette->GetSelectColor();
            ShowColor(false, true);
        }
    }
    else if (msg.sType == DUI_MSGTYPE_TEXTCHANGED)
    {
        if (const std::optional<DWORD> typed = m_edits.Typed(msg.pSender, m_dwColor))
        {
            m_dwColor = *typed;
            ShowColor(true, false);
        }
    }
}
