#include "buttons/ButtonPage.h"

DUI_BEGIN_MESSAGE_MAP(CButtonPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSEENTER, OnMouseEnter)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSELEAVE, OnMouseLeave)
DUI_END_MESSAGE_MAP()

void CButtonPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CButtonPage::Init() {}

void CButtonPage::RefreshPage() {}

void CButtonPage::AssignFunction(const QString&) {}

void CButtonPage::OnClick(TNotifyUI&) {}

void CButtonPage::OnSelectChanged(TNotifyUI&) {}

void CButtonPage::OnMouseEnter(TNotifyUI&) {}

void CButtonPage::OnMouseLeave(TNotifyUI&) {}
