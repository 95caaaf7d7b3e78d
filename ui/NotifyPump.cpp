#include "ui/NotifyPump.h"

#include "ui/ControlUI.h"

const DUI_MSGMAP* CNotifyPump::GetThisMessageMap()
{
    static const DUI_MSGMAP_ENTRY entries[] = {{nullptr, nullptr, nullptr}};
    static const DUI_MSGMAP map = {nullptr, entries};
    return &map;
}

bool CNotifyPump::AddVirtualWnd(const QString& strName, CNotifyPump* pObject)
{
    if (strName.isEmpty() || pObject == nullptr || m_VirtualWndMap.count(strName) != 0)
        return false;
    m_VirtualWndMap[strName] = pObject;
    return true;
}

bool CNotifyPump::RemoveVirtualWnd(const QString& strName)
{
    return m_VirtualWndMap.erase(strName) != 0;
}

void CNotifyPump::NotifyPump(TNotifyUI& msg)
{
    if (!msg.sVirtualWnd.isEmpty())
    {
        auto it = m_VirtualWndMap.find(msg.sVirtualWnd);
        if (it != m_VirtualWndMap.end())
        {
            it->second->LoopDispatch(msg);
            return;
        }
    }
    LoopDispatch(msg);
}

bool CNotifyPump::LoopDispatch(TNotifyUI& msg)
{
    const QString senderName = msg.pSender != nullptr ? msg.pSender->GetName() : QString();
    for (const DUI_MSGMAP* map = GetMessageMap(); map != nullptr; map = map->pBaseMap)
    {
        for (const DUI_MSGMAP_ENTRY* e = map->lpEntries; e->sMsgType != nullptr; ++e)
        {
            if (msg.sType != QLatin1String(e->sMsgType))
                continue;
            if (*e->sCtrlName != '\0' && senderName != QString::fromUtf8(e->sCtrlName))
                continue;
            (this->*(e->pfn))(msg);
            return true;
        }
    }
    return false;
}
