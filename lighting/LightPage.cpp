#include "lighting/LightPage.h"

DUI_BEGIN_MESSAGE_MAP(CLightPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, OnValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGED, OnColorChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGEDBUTTONUP, OnColorChangedButtonUp)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnTextChanged)
DUI_END_MESSAGE_MAP()

void CLightPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CLightPage::Init() {}

void CLightPage::RefreshPage() {}

void CLightPage::OnClick(TNotifyUI&) {}

void CLightPage::OnSelectChanged(TNotifyUI&) {}

void CLightPage::OnValueChanged(TNotifyUI&) {}

void CLightPage::OnColorChanged(TNotifyUI&) {}

void CLightPage::OnColorChangedButtonUp(TNotifyUI&) {}

void CLightPage::OnTextChanged(TNotifyUI&) {}
