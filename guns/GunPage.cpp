#include "guns/GunPage.h"

DUI_BEGIN_MESSAGE_MAP(CGunPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnNotify)
DUI_END_MESSAGE_MAP()

void CGunPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CGunPage::Init() {}

void CGunPage::RefreshGunPage() {}

void CGunPage::RenameGun() {}

void CGunPage::RenameGunFolder() {}

void CGunPage::ImportGun() {}

void CGunPage::ExportGun(bool) {}

void CGunPage::ImportGunFolder() {}

void CGunPage::ExportGunFolder(bool) {}

void CGunPage::OnNotify(TNotifyUI&) {}
