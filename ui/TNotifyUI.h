#pragma once
// One notification from a control to the window and pages that listen to it.

#include "ui/UIDefs.h"

#include <QString>

class CControlUI;

// The notification types the program listens to.
#define DUI_MSGTYPE_CLICK "click"
#define DUI_MSGTYPE_SELECTCHANGED "selectchanged"
#define DUI_MSGTYPE_ITEMSELECT "itemselect"
#define DUI_MSGTYPE_VALUECHANGED "valuechanged"
#define DUI_MSGTYPE_MOVEVALUECHANGED "movevaluechanged"
#define DUI_MSGTYPE_TEXTCHANGED "textchanged"
#define DUI_MSGTYPE_RETURN "return"
#define DUI_MSGTYPE_SETFOCUS "setfocus"
#define DUI_MSGTYPE_KILLFOCUS "killfocus"
#define DUI_MSGTYPE_CHECKCLICK "checkclick"
#define DUI_MSGTYPE_MOUSEENTER "mouseenter"
#define DUI_MSGTYPE_MOUSELEAVE "mouseleave"
#define DUI_MSGTYPE_TIMER "timer"
#define DUI_MSGTYPE_COLORCHANGED "colorchanged"
#define DUI_MSGTYPE_COLORCHANGEDBUTTONUP "colorchangedbuttonup"

struct TNotifyUI
{
    QString sType;
    // The virtual window (page) the sender belongs to; empty for the window itself.
    QString sVirtualWnd;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
