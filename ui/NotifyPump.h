#pragma once
// A receiver of notifications with a static message map (notification type,
// optionally a control name -> member function), and the registry of virtual
// windows: pages whose controls' notifications are routed to their own map.

#include "ui/TNotifyUI.h"

#include <QString>
#include <map>

class CNotifyPump;
using DUI_PMSG = void (CNotifyPump::*)(TNotifyUI&);

struct DUI_MSGMAP_ENTRY
{
    const char* sMsgType;
    const char* sCtrlName; // empty: any control
    DUI_PMSG pfn;
};

struct DUI_MSGMAP
{
    const DUI_MSGMAP* pBaseMap;
    const DUI_MSGMAP_ENTRY* lpEntries;
};

// In the class: DUI_DECLARE_MESSAGE_MAP()
// In its source file:
//   DUI_BEGIN_MESSAGE_MAP(CMyPage, CNotifyPump)
//   DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
//   DUI_ON_MSGTYPE_CTRNAME(DUI_MSGTYPE_CLICK, "ok_btn", OnOk)
//   DUI_END_MESSAGE_MAP()
#define DUI_DECLARE_MESSAGE_MAP()                                                                  \
public:                                                                                            \
    static const DUI_MSGMAP* GetThisMessageMap();                                                  \
    virtual const DUI_MSGMAP* GetMessageMap() const                                                \
    {                                                                                              \
        return GetThisMessageMap();                                                                \
    }

#define DUI_BEGIN_MESSAGE_MAP(theClass, baseClass)                                                 \
    const DUI_MSGMAP* theClass::GetThisMessageMap()                                                \
    {                                                                                              \
        using DuiThisClass = theClass;                                                             \
        using DuiBaseClass = baseClass;                                                            \
        static const DUI_MSGMAP_ENTRY entries[] = {

#define DUI_ON_MSGTYPE(msgtype, memberFxn)                                                         \
    {msgtype, "", static_cast<DUI_PMSG>(&DuiThisClass::memberFxn)},

#define DUI_ON_MSGTYPE_CTRNAME(msgtype, ctrname, memberFxn)                                        \
    {msgtype, ctrname, static_cast<DUI_PMSG>(&DuiThisClass::memberFxn)},

#define DUI_END_MESSAGE_MAP()                                                                      \
    {                                                                                              \
        nullptr, nullptr, nullptr                                                                  \
    }                                                                                              \
    }                                                                                              \
    ;                                                                                              \
    static const DUI_MSGMAP map = {DuiBaseClass::GetThisMessageMap(), entries};                    \
    return &map;                                                                                   \
    }

class CNotifyPump
{
public:
    virtual ~CNotifyPump() = default;

    // Registers a page under the name its controls give as "virtualwnd" in the skin.
    bool AddVirtualWnd(const QString& strName, CNotifyPump* pObject);
    bool RemoveVirtualWnd(const QString& strName);

    // Sends a notification to the page of its virtual window, or to this map.
    void NotifyPump(TNotifyUI& msg);

    static const DUI_MSGMAP* GetThisMessageMap();
    virtual const DUI_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

protected:
    // Runs the first entry of this object's map chain that matches; false if none.
    virtual bool LoopDispatch(TNotifyUI& msg);

private:
    std::map<QString, CNotifyPump*> m_VirtualWndMap;
};
