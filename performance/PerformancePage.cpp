#include "performance/PerformancePage.h"

DUI_BEGIN_MESSAGE_MAP(CPerformancePage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, OnValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOVEVALUECHANGED, OnMoveValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnCheckClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnItemSelect)
DUI_END_MESSAGE_MAP()

void CPerformancePage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CPerformancePage::Initialise() {}

void CPerformancePage::Refresh() {}

void CPerformancePage::OnClick(TNotifyUI&) {}

void CPerformancePage::OnSelectChanged(TNotifyUI&) {}

void CPerformancePage::OnValueChanged(TNotifyUI&) {}

void CPerformancePage::OnMoveValueChanged(TNotifyUI&) {}

void CPerformancePage::OnCheckClick(TNotifyUI&) {}

void CPerformancePage::OnItemSelect(TNotifyUI&) {}
