#include "macros/MacroPage.h"

DUI_BEGIN_MESSAGE_MAP(CMacroPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSEENTER, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSELEAVE, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TIMER, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SETFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnNotify)
DUI_END_MESSAGE_MAP()

void CMacroPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CMacroPage::Init() {}

void CMacroPage::LoadFolders() {}

void CMacroPage::RenameMacro() {}

void CMacroPage::RenameFolder() {}

void CMacroPage::ImportMacro() {}

void CMacroPage::ExportMacro(bool) {}

void CMacroPage::ImportFolder() {}

void CMacroPage::ExportFolder(bool) {}

void CMacroPage::OnHookEvent(WPARAM, LPARAM) {}

void CMacroPage::OnNotify(TNotifyUI&) {}
